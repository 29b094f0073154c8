// CheckReport.h - what `check` finds in a layout-templates folder: discovery's
// verdict on every entry, in the order the folder lists them, with the first
// reason for each one not listed and a note for each listed one whose
// stack-up the dialog cannot show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "templates/TemplateFormats.h"

namespace layouttool {

// Why an entry is not listed, or what keeps the dialog from showing a listed
// template's stack-up: a code for machines, the words check prints, and the
// cause behind them ("" when there is none).
struct Finding {
    std::string code;
    std::string text;
    std::string cause;
};

struct CheckEntry {
    std::string name;                      // as the system's listing gives it
    std::optional<std::string> exactName;  // UTF-8, when the ANSI code page cannot write the name
    bool folder = false;                   // a sub-folder to the dialog: a candidate
    bool listed = false;
    std::string format;                          // folders: the format they were probed as
    std::optional<Finding> reason;               // not listed
    std::vector<std::vector<std::string>> rows;  // listed: the stack-up rows the dialog shows
    std::optional<Finding> note;                 // listed, but shown without rows or not at all
};

struct CheckReport {
    // FOLDER cannot be checked: why ("no such folder", "cannot be read:
    // Permission denied", ...); nothing else is filled in then.
    std::string problem;
    std::vector<CheckEntry> entries;  // the sub-folders in listing order, then the files
    std::size_t listed = 0;
    std::size_t folders = 0;
    // When FOLDER is a central library: the layout-templates folder the
    // dialog would take from it.
    std::string layoutTemplatesFolder;
};

// The code of a verdict of discovery: "database-does-not-open",
// "no-snapshot-pcb", "no-config-pcb", "missing-file" (or "valid").
const char* VerdictCode(TemplateVerdict verdict);

// Checks the layout-templates folder `folder` (a native path, as given).
CheckReport CheckFolder(const std::string& folder);

}  // namespace layouttool
