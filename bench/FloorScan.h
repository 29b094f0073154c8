// The floor of template discovery: the least work any scan must do, written directly on POSIX and
// SQLite. One listing of the folder; per entry the one status query that tells a folder; per
// folder the marker's status; for a 2005 candidate the status of its four files, stopping at the
// first that is missing; for a 2007 candidate one read-only open with the same flags and URI as
// the client's, through a file layer that reads the file in the fewest calls (FloorVfs.h), the
// snapshot and configuration lookups through prepared statements, and the close. No early exit,
// and the names of the valid templates are kept, as discovery keeps them.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Appends the names of the valid templates under nativeFolder; returns how many were found.
int FloorScan(const std::string& nativeFolder, std::vector<std::string>* names);

}  // namespace bench
