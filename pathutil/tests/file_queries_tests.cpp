// The path helpers' file-system queries over a temporary folder mapped as drive D:.
#include "pathutil/PathUtil.h"

#include <standin/crt.h>

#include "TempDir.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;
using PathList = std::list<std::string>;

// What readdir delivers for a native folder, in its order.
Names ReaddirNames(const std::string& folder)
{
    Names names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (const dirent* entry = readdir(dir))
        names.push_back(entry->d_name);
    closedir(dir);
    return names;
}

Names WithoutDots(const Names& names)
{
    Names kept;
    for (const std::string& name : names) {
        if (name != "." && name != "..")
            kept.push_back(name);
    }
    return kept;
}

// D:\t holds files, a hidden file, sub-folders (one with contents of its own) and an empty folder.
class FileQueriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        drive_.MakeFile("t/a.txt", "12345");
        drive_.MakeFile("t/.hidden");
        drive_.MakeFile("t/noext");
        drive_.MakeFile("t/4L/keyin.oskel/sids");
        drive_.MakeFolder("t/6L");
        drive_.MakeFolder("empty");
        drive_.MakeFile("hidden-only/.keep");
        standin::ResetCallCounts();
    }
    void TearDown() override
    {
        standin::ClearFaults();
        EXPECT_EQ(0u, standin::OpenFindHandles()) << "a directory search was left open";
    }

    static std::size_t StatCalls() { return standin::CallCounts().stat; }

    pathutil_test::TempDir drive_;
};

TEST_F(FileQueriesTest, IsFileAndIsDirectoryTellFilesFromFolders)
{
    struct Case {
        std::string path;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {"D:\\t\\a.txt", true, false},
        {"D:\\t\\4L\\keyin.oskel\\sids", true, false},
        {"D:\\t", false, true},
        {"D:\\t\\", false, true},
        {"D:\\t\\4L\\keyin.oskel", false, true},
        {"D:", false, true},
        {"D:\\", false, true},
        {"D:\\missing", false, false},
        {"D:\\t\\a.txt\\", false, false},
        {"Q:\\t", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.file, IsFile(c.path));
        EXPECT_EQ(c.folder, IsDirectory(c.path));
    }
}

TEST_F(FileQueriesTest, IsDirectoryRetriesOnceWithABackslash)
{
    standin::FailStat("D:\\t");
    EXPECT_TRUE(IsDirectory("D:\\t"));
    EXPECT_EQ(2u, StatCalls());

    // The retry answers for a file too: it is no folder.
    standin::FailStat("D:\\t\\a.txt");
    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory("D:\\t\\a.txt"));
    EXPECT_EQ(2u, StatCalls());

    // Both queries fail: no third one.
    standin::FailStat("D:\\t\\6L");
    standin::FailStat("D:\\t\\6L\\");
    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory("D:\\t\\6L"));
    EXPECT_EQ(2u, StatCalls());
}

TEST_F(FileQueriesTest, IsDirectoryDoesNotRetryAPathEndingInABackslashOrEmpty)
{
    standin::FailStat("D:\\t\\");
    EXPECT_FALSE(IsDirectory("D:\\t\\"));
    EXPECT_EQ(1u, StatCalls());

    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory(""));
    EXPECT_EQ(1u, StatCalls());

    standin::ResetCallCounts();
    EXPECT_TRUE(IsDirectory("D:\\t"));
    EXPECT_EQ(1u, StatCalls()) << "a query that succeeds is not repeated";
}

TEST_F(FileQueriesTest, ListDirectoryGivesEveryNameInSearchOrder)
{
    const Names expected = ReaddirNames(drive_.Native("t"));
    ASSERT_EQ(7u, expected.size());
    EXPECT_EQ(expected, ListDirectory("D:\\t"));
    EXPECT_EQ(expected, ListDirectory("D:\\t\\"));
    EXPECT_EQ(ReaddirNames(drive_.Native()), ListDirectory("D:"));
    EXPECT_EQ(ReaddirNames(drive_.Native()), ListDirectory("D:\\"));
    EXPECT_EQ(ReaddirNames("."), ListDirectory(""));
}

TEST_F(FileQueriesTest, ListDirectorySearchesForStarDotStar)
{
    standin::FailFindFirst("D:\\t\\*.*");
    EXPECT_TRUE(ListDirectory("D:\\t").empty());
    EXPECT_TRUE(ListDirectory("D:\\t\\").empty());
    standin::FailFindFirst("D:\\*.*");
    EXPECT_TRUE(ListDirectory("D:").empty());
    standin::FailFindFirst("*.*");
    EXPECT_TRUE(ListDirectory("").empty());
    EXPECT_FALSE(ListDirectory("D:\\t\\6L").empty());
}

TEST_F(FileQueriesTest, ListDirectoryOfWhatCannotBeListedIsEmpty)
{
    EXPECT_TRUE(ListDirectory("D:\\missing").empty());
    EXPECT_TRUE(ListDirectory("D:\\t\\a.txt").empty());
    EXPECT_TRUE(ListDirectory("Q:\\t").empty());
    standin::FailFindFirst("D:\\t");
    EXPECT_TRUE(ListDirectory("D:\\t").empty());
}

TEST_F(FileQueriesTest, IsEmptyDirectory)
{
    struct Case {
        std::string path;
        bool empty;
    };
    const Case cases[] = {
        {"D:\\empty", true},
        {"D:\\empty\\", true},
        {"D:\\hidden-only", false},
        {"D:\\t", false},
        {"D:\\t\\6L", true},
        // What cannot be listed counts as empty.
        {"D:\\missing", true},
        {"D:\\t\\a.txt", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.empty, IsEmptyDirectory(c.path));
    }

    standin::FailFindFirst("D:\\t");
    EXPECT_TRUE(IsEmptyDirectory("D:\\t")) << "an unreadable folder reads as empty";
}

TEST_F(FileQueriesTest, CollectEntriesWalksOneLevelInListingOrder)
{
    PathList folders{"earlier"};
    PathList files{"earlier"};
    ASSERT_TRUE(CollectEntries("D:\\t\\", folders, files));

    PathList expectedFolders{"earlier", "D:\\t"};
    PathList expectedFiles{"earlier"};
    for (const std::string& name : WithoutDots(ReaddirNames(drive_.Native("t")))) {
        const bool folder = name == "4L" || name == "6L";
        (folder ? expectedFolders : expectedFiles).push_back("D:\\t\\" + name);
    }
    EXPECT_EQ(expectedFolders, folders);
    EXPECT_EQ(expectedFiles, files);
}

TEST_F(FileQueriesTest, CollectEntriesOfADriveRootStartsAtTheBareDrive)
{
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("D:\\", folders, files));

    PathList expectedFolders{"D:"};
    for (const std::string& name : WithoutDots(ReaddirNames(drive_.Native())))
        expectedFolders.push_back("D:\\" + name);
    EXPECT_EQ(expectedFolders, folders);
    EXPECT_TRUE(files.empty());
}

TEST_F(FileQueriesTest, CollectEntriesOfAFileAppendsOnlyTheFile)
{
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("D:\\t\\a.txt", folders, files));
    EXPECT_TRUE(folders.empty());
    EXPECT_EQ(PathList{"D:\\t\\a.txt"}, files);
}

TEST_F(FileQueriesTest, CollectEntriesOfWhatCannotBeQueriedChangesNothing)
{
    PathList folders{"kept"};
    PathList files{"kept too"};
    EXPECT_FALSE(CollectEntries("D:\\missing", folders, files));
    EXPECT_FALSE(CollectEntries("Q:\\t", folders, files));
    EXPECT_FALSE(CollectEntries("", folders, files));

    // The root's status is asked once, without the retry IsDirectory would make.
    standin::FailStat("D:\\t");
    EXPECT_FALSE(CollectEntries("D:\\t\\", folders, files));

    EXPECT_EQ(PathList{"kept"}, folders);
    EXPECT_EQ(PathList{"kept too"}, files);
}

TEST_F(FileQueriesTest, CollectEntriesFilesAnEntryThatCannotBeQueried)
{
    standin::FailStat("D:\\t\\6L");
    standin::FailStat("D:\\t\\6L\\");
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("D:\\t", folders, files));
    EXPECT_EQ(std::find(folders.begin(), folders.end(), "D:\\t\\6L"), folders.end());
    EXPECT_NE(std::find(files.begin(), files.end(), "D:\\t\\6L"), files.end());
}

TEST_F(FileQueriesTest, CollectEntriesOfAnUnreadableFolderHasOnlyTheFolder)
{
    standin::FailFindFirst("D:\\t");
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("D:\\t", folders, files));
    EXPECT_EQ(PathList{"D:\\t"}, folders);
    EXPECT_TRUE(files.empty());
}

TEST_F(FileQueriesTest, CollectEntriesOfTheNativeRoot)
{
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("\\", folders, files));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ("\\", folders.front());
    EXPECT_EQ(WithoutDots(ReaddirNames("/")).size() + 1, folders.size() + files.size());
    for (const std::string& path : folders)
        EXPECT_NE(0u, path.rfind("\\\\", 0)) << path << " is no network path";
}

}  // namespace
