// The path helpers' string rules: NormalizePath, SplitPath, JoinPath.
#include "pathutil/PathUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NormalizeCase {
    std::string input;
    std::string expected;
};

TEST(NormalizePathTest, TurnsSlashesAndDropsOneTrailingBackslash)
{
    const NormalizeCase cases[] = {
        {"D:/lib/", "D:\\lib"},
        {"D:\\lib\\", "D:\\lib"},
        {"D:\\lib", "D:\\lib"},
        {"lib/Templates/Layout", "lib\\Templates\\Layout"},
        {"D:\\lib/Templates/Layout", "D:\\lib\\Templates\\Layout"},
        {"D:/lib//", "D:\\lib\\"},
        {"D:\\lib\\\\\\", "D:\\lib\\\\"},
        // Drive roots keep their backslashes.
        {"D:", "D:"},
        {"D:\\", "D:\\"},
        {"D:/", "D:\\"},
        {"D:\\\\", "D:\\\\"},
        {"D:/lib:/", "D:\\lib:\\"},
        // Backslashes only, and nothing, stay.
        {"\\", "\\"},
        {"\\\\", "\\\\"},
        {"//", "\\\\"},
        {"", ""},
        {"/srv/lib/", "\\srv\\lib"},
        {"lib", "lib"},
    };
    for (const NormalizeCase& c : cases) {
        SCOPED_TRACE(c.input);
        std::string path = c.input;
        std::string& result = NormalizePath(path);
        EXPECT_EQ(c.expected, path);
        EXPECT_EQ(&path, &result) << "returns its argument";
    }
}

TEST(NormalizePathTest, StandsInsideAnExpression)
{
    std::string path = "D:/lib/";
    EXPECT_EQ("D:\\lib\\Templates", NormalizePath(path) + "\\Templates");
}

struct SplitCase {
    std::string input;
    std::string parent;
    std::string name;
};

TEST(SplitPathTest, GivesParentAndLastName)
{
    const SplitCase cases[] = {
        {"D:\\lib\\Templates\\Layout\\4L", "D:\\lib\\Templates\\Layout", "4L"},
        {"D:\\lib\\4L\\", "D:\\lib", "4L"},
        {"D:\\lib\\4L\\\\\\", "D:\\lib", "4L"},
        {"D:\\lib\\\\4L", "D:\\lib", "4L"},
        {"D:\\lib", "D:", "lib"},
        {"D:\\", "", "D:"},
        {"D:", "", "D:"},
        {"\\lib", "\\", "lib"},
        {"\\\\lib", "\\\\", "lib"},
        {"\\lib\\", "\\", "lib"},
        {"lib", "", "lib"},
        {"lib\\", "", "lib"},
        {"\\", "\\", ""},
        {"\\\\", "\\\\", ""},
        {"", "", ""},
        // The forward slash is an ordinary character here.
        {"D:/lib/4L", "", "D:/lib/4L"},
        {"D:\\lib/x\\4L", "D:\\lib/x", "4L"},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.input);
        std::string parent = "old parent";
        std::string name = "old name";
        SplitPath(c.input, parent, name);
        EXPECT_EQ(c.parent, parent);
        EXPECT_EQ(c.name, name);
    }
}

TEST(SplitPathTest, OutputMayBeTheInputString)
{
    std::string path = "D:\\lib\\4L";
    std::string name;
    SplitPath(path, path, name);
    EXPECT_EQ("D:\\lib", path);
    EXPECT_EQ("4L", name);

    path = "D:\\lib\\4L";
    std::string parent;
    SplitPath(path, parent, path);
    EXPECT_EQ("D:\\lib", parent);
    EXPECT_EQ("4L", path);
}

struct JoinCase {
    std::string first;
    std::string second;
    std::string expected;
};

TEST(JoinPathTest, PutsExactlyOneBackslashBetween)
{
    const JoinCase cases[] = {
        {"D:\\lib", "4L", "D:\\lib\\4L"},
        {"D:\\lib\\", "\\4L", "D:\\lib\\4L"},
        {"D:\\lib\\\\", "\\\\4L", "D:\\lib\\4L"},
        {"D:\\", "lib", "D:\\lib"},
        {"D:", "lib", "D:\\lib"},
        // Outer backslashes stay.
        {"\\\\srv\\", "lib\\", "\\\\srv\\lib\\"},
        {"\\lib", "4L\\\\", "\\lib\\4L\\\\"},
        // Empty parts and parts of backslashes only.
        {"", "4L", "4L"},
        {"lib", "", "lib"},
        {"", "", ""},
        {"lib", "\\", "lib\\"},
        {"lib", "\\\\", "lib\\\\"},
        {"\\", "\\", "\\\\"},
        {"", "\\", "\\"},
        {"\\", "", "\\"},
        {"\\", "lib", "\\lib"},
        {"\\\\", "srv", "\\\\srv"},
        // The forward slash is an ordinary character here.
        {"D:/", "/lib", "D:/\\/lib"},
    };
    for (const JoinCase& c : cases) {
        SCOPED_TRACE(c.first + " + " + c.second);
        EXPECT_EQ(c.expected, JoinPath(c.first, c.second));
    }
}

}  // namespace
