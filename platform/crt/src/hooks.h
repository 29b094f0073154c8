// Injected failures and call counters of the run-time stand-in (internal).
#pragma once

#include <optional>
#include <string_view>

namespace crt {

// The errno to fail _stat(windowsPath) with, if a failure was injected for that path.
std::optional<int> StatFault(std::string_view windowsPath);

// The errno to fail _findfirst(windowsPattern) with, if a failure was injected for the pattern or
// for the folder that it searches.
std::optional<int> FindFirstFault(std::string_view windowsPattern);

enum class Call { Stat, FindFirst, FindNext, FindClose };
// Counts the call; the errno to fail it with when a counted fault falls on it.
std::optional<int> CountCall(Call call);

// Records the path of a _stat or _findfirst while the path log is on.
void LogPath(Call call, const char* path);

}  // namespace crt
