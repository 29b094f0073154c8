// CompareStringW: the word sort by which comctl32's sorted combo box orders
// its entries. (The A function converts with the locale's own code page,
// never UTF-8, so the box and these cases use the W one.)
#include "Conformance.h"

#include <cstdio>

using namespace conformance;

namespace {

const WCHAR* W(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }

int Compare(DWORD flags, const char16_t* a, const char16_t* b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, flags, W(a), -1, W(b), -1);
}

// The text as ASCII, other characters as \u escapes: for the trace.
std::string Printable(const char16_t* text)
{
    std::string printable;
    for (; *text; ++text) {
        if (*text >= 0x20 && *text < 0x7F) {
            printable += static_cast<char>(*text);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", static_cast<unsigned>(*text));
            printable += escape;
        }
    }
    return printable;
}

// Each pair in order: the first sorts before the second.
TEST(CollationTest, WordSortIgnoringCase)
{
    const char16_t* const ordered[][2] = {
        {u" lead", u"(draft)"},  // blanks and punctuation before digits and letters
        {u"(x", u"_x"},          // punctuation in the order of the code table
        {u"_x", u"~x"},
        {u"~x", u"+x"},  // but + < = > after the others
        {u"+x", u"0"},
        {u"10L", u"4L"},  // digits one by one
        {u"9", u"a"},
        {u"ab", u"a-b"},  // '-' and '\'' count only when all else is equal
        {u"a-b", u"ab c"},
        {u"abc-", u"ab-c"},         // then the later one first
        {u"ab'c", u"ab-c"},         // and the apostrophe before the hyphen
        {u"etage", u"\u00e9tage"},  // accents after the plain letter, the first accent first
        {u"\u00e9tage", u"\u00e9tag\u00e9"},
        {u"\u00e9", u"\u00e8"},  // acute, grave, circumflex, diaeresis
        {u"\u00e8", u"\u00ea"},
        {u"\u00ea", u"\u00eb"},
        {u"\u00e4rger", u"b"},
        {u"z", u"\u03b1"},  // Latin, Greek, Cyrillic
        {u"\u03b1", u"\u0430"},
    };
    for (const auto& pair : ordered) {
        SCOPED_TRACE(Printable(pair[0]) + " < " + Printable(pair[1]));
        EXPECT_EQ(CSTR_LESS_THAN, Compare(NORM_IGNORECASE, pair[0], pair[1]));
        EXPECT_EQ(CSTR_GREATER_THAN, Compare(NORM_IGNORECASE, pair[1], pair[0]));
    }
    EXPECT_EQ(CSTR_EQUAL, Compare(NORM_IGNORECASE, u"Abc", u"aBC"));
    EXPECT_EQ(CSTR_EQUAL, Compare(NORM_IGNORECASE, u"\u00c9tage", u"\u00e9TAGE"));
    EXPECT_EQ(CSTR_EQUAL, Compare(NORM_IGNORECASE, u"", u""));
    EXPECT_EQ(CSTR_LESS_THAN, Compare(NORM_IGNORECASE, u"", u"a"));
}

// Without NORM_IGNORECASE case counts, after the accents: lower case first.
TEST(CollationTest, CaseCountsLast)
{
    EXPECT_EQ(CSTR_LESS_THAN, Compare(0, u"a", u"A"));
    EXPECT_EQ(CSTR_LESS_THAN, Compare(0, u"A", u"ab"));
    EXPECT_EQ(CSTR_LESS_THAN, Compare(0, u"Etage", u"\u00e9tage"));
    EXPECT_EQ(CSTR_EQUAL, Compare(0, u"abc", u"abc"));
}

// The lengths: -1 for a terminated string, or a count of characters.
TEST(CollationTest, Lengths)
{
    EXPECT_EQ(CSTR_EQUAL, CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, W(u"abcdef"), 3, W(u"ABC"), -1));
    EXPECT_EQ(CSTR_LESS_THAN, CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, W(u"abcdef"), 2, W(u"ABC"), -1));
    SetLastError(0);
    EXPECT_EQ(0, CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, nullptr, -1, W(u"a"), -1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
}

}  // namespace
