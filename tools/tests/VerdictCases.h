// VerdictCases.h - one entry of a layout-templates folder for every verdict,
// reason and note that `check` gives, each with the text it prints for it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace layouttool::testing {

struct VerdictCase {
    std::string name;  // the entry's name; the cases' names sort in the order of the table
    std::function<void(const std::filesystem::path& entry)> make;  // makes the entry at that path
    std::string lines;                                             // what `check` prints for it
    bool file = false;                                             // listed after the sub-folders, as a file
    bool needsPermissions = false;  // the reason shows only where permissions apply to the tool
};

// Every case, folders first, in ascending order of their names.
std::vector<VerdictCase> EveryVerdictCase();

// The folder `lib`, at the path given, holding every case whose
// needsPermissions equals `permissions`; returns the lines `check
// --listing-order ascending` prints for them, with the count line. Folders
// made unreadable are made readable again by RestorePermissions.
std::string MakeVerdictCases(const std::filesystem::path& lib, bool permissions);
void RestorePermissions(const std::filesystem::path& lib);

}  // namespace layouttool::testing
