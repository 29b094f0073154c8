// Resources, what only the stand-in has (what Win32 does:
// ../resource_tests.cpp): a module's resources travel in its ELF note, which a
// loaded object may lack, and a module handle is a loaded object's address.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ResourceTest, ModulesWithoutResourcesAndAddressesOfNoModule)
{
    HMODULE library = nullptr;
    ASSERT_TRUE(
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&FindResourceA), &library));
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(library, MAKEINTRESOURCEA(100), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND), GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(reinterpret_cast<HMODULE>(0x1000), MAKEINTRESOURCEA(100), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

}  // namespace
