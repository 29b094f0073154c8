// Code-page conversion: UTF-8 (the ANSI code page here) to UTF-16 and back.
#include "test_support.h"

#include <cstring>

namespace {

std::u16string Wide(const char* text, int length = -1, DWORD flags = MB_PRECOMPOSED)
{
    WCHAR buffer[64];
    const int count = MultiByteToWideChar(CP_ACP, flags, text, length, buffer, 64);
    return std::u16string(buffer, buffer + (count > 0 ? count : 0));
}

TEST(CodePageTest, LengthsAndTerminator)
{
    EXPECT_EQ(std::u16string(u"D:\\lib", 7), Wide("D:\\lib"));  // -1 converts and counts the terminator
    EXPECT_EQ(u"D:", Wide("D:\\lib", 2));
    EXPECT_EQ(7, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "D:\\lib", -1, nullptr, 0));
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, 0, "\xE2\x82\xAC\xF0\x9F\x98\x80", -1, nullptr,
                                     0));  // a surrogate pair and the terminator
    EXPECT_EQ(std::u16string(u"\u20AC\U0001F600", 4), Wide("\xE2\x82\xAC\xF0\x9F\x98\x80"));
}

TEST(CodePageTest, BufferTooSmall)
{
    WCHAR buffer[4] = {u'x', u'x', u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "abcd", -1, buffer, 4));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, "abcd", 4, buffer, 4));
}

TEST(CodePageTest, InvalidSequencesBecomeReplacementCharacters)
{
    struct Case {
        const char* input;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xC3", u"a\uFFFD"},                              // truncated at the end
        {"\xE2\x82z", u"\uFFFDz"},                          // one replacement for the maximal subpart
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong form
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
        {"\xFF", u"\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        EXPECT_EQ(c.expected, Wide(c.input, static_cast<int>(std::strlen(c.input))));
        WCHAR buffer[8];
        EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.input, -1, buffer, 8));
        EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
    }
}

TEST(CodePageTest, BadArguments)
{
    WCHAR buffer[8];
    struct Case {
        UINT codePage;
        DWORD flags;
        const char* source;
        int length;
        DWORD error;
    };
    const Case cases[] = {
        {CP_UTF8, 0x100, "a", -1, ERROR_INVALID_FLAGS},
        {CP_ACP, MB_PRECOMPOSED | MB_COMPOSITE, "a", -1, ERROR_INVALID_FLAGS},
        {1252, 0, "a", -1, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, nullptr, -1, ERROR_INVALID_PARAMETER},
        {CP_ACP, 0, "a", 0, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, MultiByteToWideChar(c.codePage, c.flags, c.source, c.length, buffer, 8));
        EXPECT_EQ(c.error, GetLastError());
    }
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "a", -1, nullptr, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
