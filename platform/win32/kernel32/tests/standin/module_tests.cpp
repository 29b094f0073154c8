// Modules, what only the stand-in has: a handle is the base address of a loaded
// ELF object, found by the name of its shared object too.
#include <windows.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>

namespace {

int anchor;  // an object of the test program itself

TEST(ModuleTest, HandlesAreBaseAddresses)
{
    Dl_info self{};
    ASSERT_NE(0, dladdr(&anchor, &self));
    EXPECT_EQ(self.dli_fbase, static_cast<void*>(GetModuleHandleA(nullptr)));

    HMODULE library = nullptr;
    ASSERT_TRUE(
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&SendMessageA), &library));
    EXPECT_NE(GetModuleHandleA(nullptr), library);
    EXPECT_EQ(library, GetModuleHandleA("libwin32.so"));
    EXPECT_EQ(library, GetModuleHandleA("WIN32"));
    EXPECT_EQ(nullptr, GetModuleHandleA("no-such-module"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
}

TEST(ModuleTest, FileNameTruncatesAndSaysSo)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(path), length);
    EXPECT_NE(nullptr, std::strstr(path, "kernel32_tests"));
    char small[5];
    EXPECT_EQ(5u, GetModuleFileNameA(nullptr, small, sizeof(small)));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(std::string(path, 4), small);
}

}  // namespace
