// MultiByteToWideChar as the module calls it (CP_ACP), and the ANSI code page.
//
// The stand-in's ANSI code page is UTF-8. A Windows program has it so when its
// manifest asks for it (activeCodePage UTF-8, Windows 10 1903 and later), as
// this program's does; without that Wine's is 1252. So the cases below hold
// for both: CP_ACP converts as CP_UTF8 does.
#include "Conformance.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>

using namespace conformance;

namespace {

std::vector<WCHAR> Convert(UINT codePage, DWORD flags, const char* text, int length, int size, int* result)
{
    std::vector<WCHAR> buffer(static_cast<size_t>(size > 0 ? size : 1), 0x7777);
    SetLastError(0);
    *result = MultiByteToWideChar(codePage, flags, text, length, size > 0 ? buffer.data() : nullptr, size);
    return buffer;
}

// A negative length converts through the terminator and counts it; a size of
// 0 asks for the size needed; too small a buffer fails with
// ERROR_INSUFFICIENT_BUFFER.
TEST(CodePageTest, LengthsAndBufferSizes)
{
    for (const UINT codePage : {static_cast<UINT>(CP_ACP), static_cast<UINT>(CP_UTF8)}) {
        SCOPED_TRACE(codePage);
        int result = 0;
        // "D:\Ärger": 9 bytes, 8 characters.
        const char* path = "D:\\\xc3\x84rger";
        std::vector<WCHAR> out = Convert(codePage, 0, path, -1, 16, &result);
        EXPECT_EQ(9, result);
        const WCHAR expected[] = {'D', ':', '\\', 0x00C4, 'r', 'g', 'e', 'r', 0};
        EXPECT_THAT(std::vector<WCHAR>(out.begin(), out.begin() + 9), ::testing::ElementsAreArray(expected));
        Convert(codePage, 0, path, 9, 16, &result);
        EXPECT_EQ(8, result) << "a length without the terminator";
        Convert(codePage, 0, path, -1, 0, &result);
        EXPECT_EQ(9, result) << "the size needed";
        out = Convert(codePage, 0, path, -1, 8, &result);
        EXPECT_EQ(0, result);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
        Convert(codePage, 0, path, 0, 16, &result);
        EXPECT_EQ(0, result);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    }
}

// Bytes that are not UTF-8 become U+FFFD: a truncated sequence once, an
// invalid lead byte and a stray continuation byte each once; with
// MB_ERR_INVALID_CHARS the call fails instead. A character beyond U+FFFF is a
// surrogate pair. An encoded surrogate and a value above U+10FFFF give only
// U+FFFD, how many Microsoft does not say (Wine one for the lead byte with the
// next and one for each byte after; the stand-in one for each byte, as
// Unicode recommends).
TEST(CodePageTest, InvalidBytes)
{
    int result = 0;
    const char bad[] =
        "a\xff"
        "b\xe2\x82"
        "c";
    std::vector<WCHAR> out = Convert(CP_ACP, 0, bad, -1, 16, &result);
    EXPECT_EQ(6, result);
    const WCHAR expected[] = {'a', 0xFFFD, 'b', 0xFFFD, 'c', 0};
    EXPECT_THAT(std::vector<WCHAR>(out.begin(), out.begin() + 6), ::testing::ElementsAreArray(expected));
    Convert(CP_ACP, MB_ERR_INVALID_CHARS, bad, -1, 16, &result);
    EXPECT_EQ(0, result);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());

    struct Case {
        const char* input;
        std::vector<WCHAR> expected;
    };
    const Case cases[] = {
        {"a\xC3", {'a', 0xFFFD}},
        {"\xC0\xAF", {0xFFFD, 0xFFFD}},
        {"\xF0\x9F\x98\x80", {0xD83D, 0xDE00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const int length = static_cast<int>(std::strlen(c.input));
        out = Convert(CP_UTF8, 0, c.input, length, 16, &result);
        EXPECT_THAT(std::vector<WCHAR>(out.begin(), out.begin() + std::max(result, 0)),
                    ::testing::ElementsAreArray(c.expected));
    }
    for (const char* encoded : {"\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
        SCOPED_TRACE(encoded);
        const int length = static_cast<int>(std::strlen(encoded));
        out = Convert(CP_UTF8, 0, encoded, length, 16, &result);
        EXPECT_GE(result, 1);
        EXPECT_LE(result, length);
        EXPECT_THAT(std::vector<WCHAR>(out.begin(), out.begin() + std::max(result, 0)), ::testing::Each(0xFFFD));
    }
}

// What the function refuses: no source, a buffer size without a buffer.
TEST(CodePageTest, BadArguments)
{
    int result = 0;
    Convert(CP_ACP, 0, nullptr, -1, 8, &result);
    EXPECT_EQ(0, result);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "a", -1, nullptr, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

// The module calls MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, ...). The
// function's page says UTF-8 takes no flag but MB_ERR_INVALID_CHARS; Windows
// since Vista ignores MB_PRECOMPOSED there (Wine's own tests, run on Windows,
// rely on it, and so does much Windows code), and so does Wine, with
// MB_COMPOSITE as well. Other flags fail with ERROR_INVALID_FLAGS.
TEST(CodePageTest, PrecomposedFlagIsIgnored)
{
    for (const UINT codePage : {static_cast<UINT>(CP_ACP), static_cast<UINT>(CP_UTF8)}) {
        SCOPED_TRACE(codePage);
        int result = 0;
        std::vector<WCHAR> out = Convert(codePage, MB_PRECOMPOSED, "\xc3\x84", -1, 16, &result);
        EXPECT_EQ(2, result);
        EXPECT_EQ(0x00C4, out[0]);
        Convert(codePage, MB_PRECOMPOSED | MB_COMPOSITE, "abc", -1, 16, &result);
        EXPECT_EQ(4, result) << "with MB_COMPOSITE too";
        Convert(codePage, 0x100, "abc", -1, 16, &result);
        EXPECT_EQ(0, result);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_FLAGS), GetLastError());
    }
}

}  // namespace
