// What the system itself lists for a native folder, for tests that compare a listing with it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>

#include "testsupport/TempFolder.h"
#else
#include <dirent.h>
#endif

namespace testsupport {

using Names = std::vector<std::string>;

// The names the system lists for a native folder, in its order: readdir on Linux, FindFirstFileW
// (what the C run-time's search is built on) on Windows.
inline Names NativeListing(const std::filesystem::path& folder)
{
    Names names;
#if defined(_WIN32)
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(AnsiPath(entry.cFileName));
    while (::FindNextFileW(search, &entry));
    ::FindClose(search);
#else
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir))
        names.push_back(entry->d_name);
    closedir(dir);
#endif
    return names;
}

inline Names WithoutDots(const Names& names)
{
    Names kept;
    for (const std::string& name : names) {
        if (name != "." && name != "..")
            kept.push_back(name);
    }
    return kept;
}

}  // namespace testsupport
