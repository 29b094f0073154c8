// Helpers of the shell tests: a temporary folder tree mapped as drive D:, and
// wide strings for ParseDisplayName.
#pragma once

#include <shlobj.h>
#include <standin/crt.h>
#include <standin/shell.h>

#include <testsupport/TempDrive.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace shelltest {

// A fresh native folder mapped as D:, removed with its contents at the end;
// checks that the test left no id list, allocator or folder reference behind.
class MappedDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_drive.emplace('D', "shell-test");
        m_native = m_drive->Root().string();
        m_idListsBefore = standin::LiveItemIdLists();
    }

    void TearDown() override
    {
        EXPECT_EQ(m_idListsBefore, standin::LiveItemIdLists()) << "id lists left live";
        EXPECT_EQ(0, standin::ShellAllocatorReferences());
        EXPECT_EQ(0, standin::ShellFolderReferences());
        standin::UnmapAllDrives();
        m_drive.reset();
    }

    // Makes the folder `relative` (with '/') under D:; returns its native path.
    std::string Folder(const std::string& relative) const { return m_drive->MakeFolder(relative).string(); }

    std::string File(const std::string& relative) const { return m_drive->MakeFile(relative).string(); }

    const std::string& Native() const { return m_native; }

private:
    std::optional<testsupport::TempDrive> m_drive;
    std::string m_native;
    std::size_t m_idListsBefore = 0;
};

inline std::u16string Wide(const std::string& text)
{
    std::u16string wide(text.size() + 1, u'\0');
    const int length = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text.c_str(), -1,
                                           reinterpret_cast<LPWSTR>(wide.data()), static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 1);
    return wide;
}

// Frees an id list through the shell allocator, as the module does.
inline void FreeIdList(LPITEMIDLIST list)
{
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&allocator));
    allocator->Free(list);
    allocator->Release();
}

// The file-system path of an id list, or "<none>" when SHGetPathFromIDListA fails.
inline std::string PathOf(LPCITEMIDLIST list)
{
    char path[MAX_PATH];
    return SHGetPathFromIDListA(list, path) ? std::string(path) : std::string("<none>");
}

}  // namespace shelltest
