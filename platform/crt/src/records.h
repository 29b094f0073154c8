// The run-time's records filled from POSIX file status (internal).
#pragma once

#include <io.h>
#include <sys/stat.h>

#include <string_view>

namespace crt {

// Fills `record` for the entry `name` from what a listing tells of it: the name, and the
// attributes folder (_A_SUBDIR) or file (_A_ARCH) and hidden (a name starting with '.', other
// than "." and ".."). The size is 0 and the three times are -1, the run-time's value for a time
// the file system does not give. False, leaving `record` alone, when the name does not fit the
// record's name field with its terminator.
bool FillListedRecord(std::string_view name, bool folder, _finddata_t& record);

// Fills `record` for a file on drive `driveIndex` (0 for A:).
void FillStatRecord(const struct stat& status, unsigned driveIndex, struct _stat& record);

}  // namespace crt
