// Redirecting one function a module imports.
#include <gtest/gtest.h>

#include "importpatch/ImportPatch.h"

namespace ilt::win32::test {
namespace {

DWORD WINAPI ProcessIdOfTheAnswer() { return 42; }

TEST(ImportPatch, RedirectsTheModulesCallsForItsLifetime)
{
    const DWORD real = GetCurrentProcessId();
    ASSERT_NE(real, 42u);
    {
        // The DLL's name as the import table has it or not: case is ignored.
        const ImportPatch patch(GetModuleHandleA(nullptr), "kernel32.DLL", "GetCurrentProcessId",
                                reinterpret_cast<void*>(&ProcessIdOfTheAnswer));
        ASSERT_TRUE(patch.Installed());
        EXPECT_EQ(GetCurrentProcessId(), 42u);
        using Function = DWORD(WINAPI*)();
        EXPECT_EQ(reinterpret_cast<Function>(patch.Original())(), real);
    }
    EXPECT_EQ(GetCurrentProcessId(), real);
}

TEST(ImportPatch, NothingIsPatchedThatTheModuleDoesNotImport)
{
    EXPECT_FALSE(ImportPatch(GetModuleHandleA(nullptr), "kernel32.dll", "NoSuchFunction", nullptr).Installed());
    EXPECT_FALSE(ImportPatch(GetModuleHandleA(nullptr), "nosuch.dll", "GetCurrentProcessId", nullptr).Installed());
    EXPECT_FALSE(ImportPatch(nullptr, "kernel32.dll", "GetCurrentProcessId", nullptr).Installed());
}

}  // namespace
}  // namespace ilt::win32::test
