// Fixture of the path helpers' file-system tests: a temporary folder holding files, a hidden file,
// sub-folders (one with contents of its own) and an empty folder, and what the system itself lists
// for a folder.
#pragma once

#include <testsupport/Listing.h>
#include <testsupport/MappedFolder.h>

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <standin/crt.h>
#endif

#include <string>
#include <vector>

namespace pathutil_test {

using testsupport::Names;
using testsupport::NativeListing;
using testsupport::WithoutDots;

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

    testsupport::MappedFolder m_folder{"pathutil-test"};
};

}  // namespace pathutil_test
