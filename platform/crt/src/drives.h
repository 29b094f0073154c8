// Drive map and translation of Windows paths to native paths (internal to the run-time).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace crt {

// True when `path` starts with a drive designator: an ASCII letter and a colon.
bool HasDriveDesignator(std::string_view path);

// The native path to query for `windowsPath`; nullopt when its drive is unmapped.
std::optional<std::string> TranslatePath(std::string_view windowsPath);

// The drive number Windows reports in st_dev: 0 for A:, 1 for B:...; 0 without a drive designator.
unsigned DriveIndex(std::string_view windowsPath);

}  // namespace crt
