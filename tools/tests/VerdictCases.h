// VerdictCases.h - one entry of a layout-templates folder for every verdict,
// reason and note that `check` gives, each with the text it prints for it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace layouttool::testing {

struct VerdictCase {
    std::string name;                                              // the entry's name (UTF-8)
    std::function<void(const std::filesystem::path& entry)> make;  // makes the entry at that path
    std::string lines;                                             // what `check` prints for it
    bool file = false;                                             // listed after the sub-folders, as a file
    bool needsPermissions = false;  // the reason shows only where permissions apply to the tool
};

// The cases this system can make: on Windows without Linux's FIFOs, links,
// wildcard names and permissions, and with Windows's own: files held open
// without sharing, names Windows cuts or its ANSI code page cannot write.
std::vector<VerdictCase> VerdictCasesHere();

// Makes in the folder `lib` every case of this system whose
// needsPermissions equals `permissions`; returns them.
std::vector<VerdictCase> MakeVerdictCases(const std::filesystem::path& lib, bool permissions);

// What `check` prints for `cases` when the folder lists their names in
// `order`: the sub-folders' lines, the files' lines, the count.
std::string CheckOutput(const std::vector<VerdictCase>& cases, const std::vector<std::string>& order);

// The names in `folder` in the order `check` meets them: on Linux the order
// of --listing-order ascending, on Windows the system's own.
std::vector<std::string> ListingOrder(const std::filesystem::path& folder);

// Folders made unreadable are made readable again (Linux), files held open
// are let go (Windows).
void RestorePermissions(const std::filesystem::path& lib);
void ReleaseHeldFiles();

}  // namespace layouttool::testing
