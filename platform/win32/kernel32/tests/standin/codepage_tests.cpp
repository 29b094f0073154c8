// Code-page conversion, what only the stand-in has (what Win32 does:
// ../codepage_tests.cpp): UTF-8 is its only code page, and it replaces an
// ill-formed sequence as Unicode recommends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::u16string Convert(const char* text)
{
    WCHAR buffer[16];
    const int count =
        MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(std::strlen(text)), buffer, sizeof(buffer) / 2);
    return std::u16string(buffer, buffer + (count > 0 ? count : 0));
}

// CP_ACP, CP_OEMCP, CP_THREAD_ACP and CP_UTF8 all mean UTF-8; any other code
// page is refused.
TEST(CodePageTest, OnlyUtf8CodePages)
{
    WCHAR buffer[8];
    for (const UINT codePage : {0u, 1u, 3u, 65001u}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(2, MultiByteToWideChar(codePage, 0, "\xC3\x84", -1, buffer, 8));
        EXPECT_EQ(0x00C4, buffer[0]);
    }
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(1252, 0, "a", -1, buffer, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

// One U+FFFD for each maximal subpart of an ill-formed sequence: the lead byte
// of an encoded surrogate or of a value above U+10FFFF alone, then each byte
// after it. (Microsoft says no count; Wine takes the lead byte with the next.)
TEST(CodePageTest, IllFormedSequencesAreReplacedByMaximalSubparts)
{
    EXPECT_EQ(std::u16string(3, u'\uFFFD'), Convert("\xED\xA0\x80"));
    EXPECT_EQ(std::u16string(4, u'\uFFFD'), Convert("\xF4\x90\x80\x80"));
    EXPECT_EQ(std::u16string(3, u'\uFFFD'), Convert("\xE0\x80\x80"));
}

}  // namespace
