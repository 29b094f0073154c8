// Helpers of the stand-in's shell tests: a temporary folder tree mapped as
// drive D:, and the shell calls of ../ShellCalls.h.
#pragma once

#include <shlobj.h>
#include <standin/crt.h>
#include <standin/shell.h>

#include <testsupport/TempDrive.h>

#include "../ShellCalls.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace shelltest {

using namespace shellcalls;

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

}  // namespace shelltest
