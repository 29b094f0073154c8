// Fixture of the path helpers' file-system tests: a temporary folder holding files, a hidden file,
// sub-folders (one with contents of its own) and an empty folder, and what the system itself lists
// for a folder.
#pragma once

#include <testsupport/TempFolder.h>

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dirent.h>
#include <standin/crt.h>
#endif

#include <string>
#include <vector>

namespace pathutil_test {

using Names = std::vector<std::string>;

// The names the system lists for a native folder, in its order: readdir on Linux, FindFirstFileW
// (what the C run-time's search is built on) on Windows.
inline Names NativeListing(const testsupport::fs::path& folder)
{
    Names names;
#if defined(_WIN32)
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(testsupport::AnsiPath(entry.cFileName));
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

// t\ holds a.txt (5 bytes), .hidden, noext, 4L\keyin.oskel\sids and the empty 6L\; empty\ is
// empty; hidden-only\ holds .keep.
class FileQueriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder.MakeFile("t/a.txt", "12345");
        m_folder.MakeFile("t/.hidden");
        m_folder.MakeFile("t/noext");
        m_folder.MakeFile("t/4L/keyin.oskel/sids");
        m_folder.MakeFolder("t/6L");
        m_folder.MakeFolder("empty");
        m_folder.MakeFile("hidden-only/.keep");
#if !defined(_WIN32)
        standin::ResetCallCounts();
#endif
    }
    void TearDown() override
    {
#if !defined(_WIN32)
        standin::ClearFaults();
        EXPECT_EQ(0u, standin::OpenFindHandles()) << "a directory search was left open";
#endif
    }

    // The system's path of relative (written with '/') in the folder.
    std::string P(const std::string& relative) const { return m_folder.Path(relative); }

    testsupport::TempFolder m_folder{"pathutil-test"};
};

}  // namespace pathutil_test
