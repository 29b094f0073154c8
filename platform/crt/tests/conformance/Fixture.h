// The folders the cases query: on a drive of their own, so that its root can
// be queried too (testsupport::TestDrive: a mapped folder on Linux, the test
// run's drive under Wine).
//
//   R:\lib\folder\a.txt, b.dat, sub\    R:\lib\file.txt (5 bytes)    R:\top.txt
#pragma once

#include <gtest/gtest.h>

#include <testsupport/RunTime.h>
#include <testsupport/MappedFolder.h>

class CrtTest : public ::testing::Test {
protected:
    CrtTest() : m_drive('R')
    {
        m_drive.MakeFile("lib/folder/a.txt");
        m_drive.MakeFile("lib/folder/b.dat");
        m_drive.MakeFolder("lib/folder/sub");
        m_drive.MakeFile("lib/file.txt", "12345");
        m_drive.MakeFile("top.txt");
    }

    // "R:\lib\folder" for "lib/folder"; "R:\" for "".
    std::string Path(const std::string& relative) const { return m_drive.Path(relative); }
    // "R:"
    std::string Drive() const { return m_drive.Folder(); }

    testsupport::TestDrive m_drive;
};
