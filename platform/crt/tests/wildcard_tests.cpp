// Windows wildcard matching of one name.
#include "wildcard.h"

#include <gtest/gtest.h>

namespace {

struct MatchCase {
    const char* pattern;
    const char* name;
    bool matches;
};

TEST(NamePatternTest, MatchesAsAWindowsDirectorySearchDoes)
{
    const MatchCase cases[] = {
        // "*.*" and "*" are every name.
        {"*.*", "abc", true},
        {"*.*", "a.b.c", true},
        {"*.*", ".", true},
        {"*.*", "..", true},
        {"*.*", ".hidden", true},
        {"*", "abc", true},
        {"*", "", true},
        {"*.*.", "abc", true},
        {"*.*.", "a.b", true},
        // Plain names, case-sensitive.
        {"4L", "4L", true},
        {"4L", "4l", false},
        {"4L", "4L2", false},
        // '*' inside a pattern.
        {"*.txt", "a.txt", true},
        {"*.txt", ".txt", true},
        {"*.txt", "a.txt.bak", false},
        {"*.txt", "a.b.txt", true},
        {"a*c", "abbbc", true},
        {"a*c", "ac", true},
        {"a*c", "acb", false},
        {"*a*", "bab", true},
        {"*a*", "bbb", false},
        // "name.*" also matches the name without an extension.
        {"abc.*", "abc", true},
        {"abc.*", "abc.def", true},
        {"abc.*", "abcd", false},
        {".*", ".git", true},
        // "*." matches names without a dot.
        {"*.", "abc", true},
        {"*.", "a.b", false},
        // '?' is one character, or none at a dot or at the end.
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "a.c", false},
        {"a?", "a", true},
        {"a??", "ab", true},
        {"a?", "abc", false},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"?", ".", false},
        {"test0?.txt", "test01.txt", true},
        // '.' before '?' matches the end of the name too.
        {"a.?", "a", true},
        {"a.?", "a.b", true},
        {"a.?", "a.bc", false},
        // A pattern of dots stands for itself.
        {".", ".", true},
        {"..", "..", true},
        {"..", ".", false},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " vs " + c.name);
        EXPECT_EQ(c.matches, crt::NamePattern(c.pattern).Matches(c.name));
    }
}

TEST(NamePatternTest, LongNamesAndManyStarsStayCheap)
{
    const std::string name(255, 'a');
    EXPECT_TRUE(crt::NamePattern("*a*a*a*a*a*a*a*a*a*a").Matches(name));
    EXPECT_FALSE(crt::NamePattern("*a*a*a*a*a*a*a*a*a*b").Matches(name));
}

}  // namespace
