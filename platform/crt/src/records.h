// The run-time's records filled from POSIX file status (internal).
#pragma once

#include <io.h>
#include <sys/stat.h>

#include <string_view>

namespace crt {

// Fills `record` for the entry `name`; false, leaving `record` alone, when the name does not fit
// the record's name field with its terminator.
bool FillFindRecord(std::string_view name, const struct stat& status, _finddata_t& record);

// Fills `record` for a file on drive `driveIndex` (0 for A:).
void FillStatRecord(const struct stat& status, unsigned driveIndex, struct _stat& record);

}  // namespace crt
