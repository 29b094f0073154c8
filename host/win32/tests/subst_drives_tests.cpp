// Drives mapped for a run, as subst maps them.
#include <gtest/gtest.h>

#include <windows.h>

#include "SubstDrives.h"

namespace ilt::win32::test {
namespace {

TEST(SubstDrives, RefusesAMissingFolderAndADriveThatExists)
{
    char temporary[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temporary), 0u);
    SubstDrives drives;
    std::string error;

    const std::string missing = std::string(temporary) + "ilt-no-such-folder";
    EXPECT_FALSE(drives.Map({'Q', missing}, error));
    EXPECT_EQ(error, "--drive Q=" + missing + ": there is no folder '" + missing + "'");

    // C: is the system's drive on Windows and in every Wine prefix.
    EXPECT_FALSE(drives.Map({'C', temporary}, error));
    EXPECT_EQ(error, "--drive C=" + std::string(temporary) + ": drive C: exists already");
}

}  // namespace
}  // namespace ilt::win32::test
