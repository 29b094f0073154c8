// The path helpers' file-system queries over a temporary folder and over a drive root, through the
// C run-time's _stat and _findfirst: the stand-in's on Linux, msvcrt.dll's on Windows.
#include "pathutil/PathUtil.h"

#include "FileQueriesFixture.h"

#include <testsupport/RunTime.h>
#include <testsupport/MappedFolder.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>
#include <vector>

namespace pathutil_test {
namespace {

using PathList = std::list<std::string>;
namespace runtime = testsupport::runtime;

TEST_F(FileQueriesTest, IsFileAndIsDirectoryTellFilesFromFolders)
{
    struct Case {
        std::string path;
        bool file;
        bool folder;
    };
    const Case cases[] = {
        {P("t/a.txt"), true, false},
        {P("t/4L/keyin.oskel/sids"), true, false},
        {P("t"), false, true},
        {P("t/4L/keyin.oskel"), false, true},
        {P("missing"), false, false},
        {"Q:\\t", false, false},
        {"", false, false},
        // No retry for a path that already ends in a backslash: the run-time's answer decides.
        {P("t/"), false, runtime::kStatAnswersFolderWithTrailingBackslash},
        {P("t/a.txt/"), runtime::kStatAnswersFileWithTrailingBackslash, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.file, IsFile(c.path));
        EXPECT_EQ(c.folder, IsDirectory(c.path));
    }
}

TEST_F(FileQueriesTest, ListDirectoryGivesEveryNameInSearchOrder)
{
    const Names expected = NativeListing(m_folder.Native("t"));
    ASSERT_EQ(7u, expected.size()) << "five entries, \".\" and \"..\"";
    EXPECT_EQ(expected, ListDirectory(P("t")));
    EXPECT_EQ(expected, ListDirectory(P("t/")));
    EXPECT_EQ(NativeListing("."), ListDirectory(""));
}

TEST_F(FileQueriesTest, ListDirectoryOfWhatCannotBeListedIsEmpty)
{
    EXPECT_TRUE(ListDirectory(P("missing")).empty());
    EXPECT_TRUE(ListDirectory(P("t/a.txt")).empty());
    EXPECT_TRUE(ListDirectory("Q:\\t").empty());
}

TEST_F(FileQueriesTest, IsEmptyDirectory)
{
    struct Case {
        std::string path;
        bool empty;
    };
    const Case cases[] = {
        {P("empty"), true},
        {P("empty/"), true},
        {P("hidden-only"), false},
        {P("t"), false},
        {P("t/6L"), true},
        // What cannot be listed counts as empty.
        {P("missing"), true},
        {P("t/a.txt"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(c.empty, IsEmptyDirectory(c.path));
    }
}

TEST_F(FileQueriesTest, CollectEntriesWalksOneLevelInListingOrder)
{
    PathList folders{"earlier"};
    PathList files{"earlier"};
    ASSERT_TRUE(CollectEntries(P("t/"), folders, files));

    PathList expectedFolders{"earlier", P("t")};
    PathList expectedFiles{"earlier"};
    for (const std::string& name : WithoutDots(NativeListing(m_folder.Native("t")))) {
        const bool folder = name == "4L" || name == "6L";
        (folder ? expectedFolders : expectedFiles).push_back(P("t/" + name));
    }
    EXPECT_EQ(expectedFolders, folders);
    EXPECT_EQ(expectedFiles, files);
}

TEST_F(FileQueriesTest, CollectEntriesOfAFileAppendsOnlyTheFile)
{
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries(P("t/a.txt"), folders, files));
    EXPECT_TRUE(folders.empty());
    EXPECT_EQ(PathList{P("t/a.txt")}, files);
}

TEST_F(FileQueriesTest, CollectEntriesOfWhatCannotBeQueriedChangesNothing)
{
    PathList folders{"kept"};
    PathList files{"kept too"};
    EXPECT_FALSE(CollectEntries(P("missing"), folders, files));
    EXPECT_FALSE(CollectEntries("Q:\\t", folders, files));
    EXPECT_FALSE(CollectEntries("", folders, files));
    EXPECT_EQ(PathList{"kept"}, folders);
    EXPECT_EQ(PathList{"kept too"}, files);
}

TEST_F(FileQueriesTest, CollectEntriesOfTheNativeRoot)
{
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries("\\", folders, files));
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ("\\", folders.front());
    EXPECT_EQ(WithoutDots(NativeListing("/")).size() + 1, folders.size() + files.size());
    for (const std::string& path : folders)
        EXPECT_NE(0u, path.rfind("\\\\", 0)) << path << " is no network path";
}

// A drive root: "X:" and "X:\" holding two folders and a file.
class DriveRootTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_drive.MakeFile("sub/a.txt");
        m_drive.MakeFolder("other");
        m_drive.MakeFile("top.txt");
    }

    testsupport::TestDrive m_drive{'E'};
};

TEST_F(DriveRootTest, BareDriveAndRootAreFolders)
{
    const std::string bare = m_drive.Folder();
    EXPECT_TRUE(IsDirectory(bare)) << "answered by the retry with a backslash where the run-time refuses " << bare;
    EXPECT_TRUE(IsDirectory(bare + "\\"));
    EXPECT_FALSE(IsFile(bare));
    EXPECT_FALSE(IsFile(bare + "\\"));
    EXPECT_TRUE(IsDirectory(m_drive.Path("sub")));
    EXPECT_TRUE(IsFile(m_drive.Path("sub/a.txt")));
}

TEST_F(DriveRootTest, ListDirectorySearchesTheRoot)
{
    // A drive root lists no "." or ".." (the stand-in leaves out what readdir reports there).
    const Names expected = WithoutDots(NativeListing(m_drive.Native()));
    const Names listed = ListDirectory(m_drive.Folder());
    EXPECT_EQ(expected, listed);
    EXPECT_EQ(expected, ListDirectory(m_drive.Path()));
    EXPECT_EQ(0, std::count(listed.begin(), listed.end(), ".") + std::count(listed.begin(), listed.end(), ".."));
    EXPECT_EQ(3u, listed.size());
}

TEST_F(DriveRootTest, CollectEntriesOfADriveRootStartsAtTheBareDrive)
{
    PathList folders{"kept"};
    PathList files;
    // The walk queries the bare drive: where the run-time refuses it, the root cannot be walked.
    EXPECT_EQ(runtime::kStatAnswersBareDrive, CollectEntries(m_drive.Path(), folders, files));

    PathList expectedFolders{"kept"};
    PathList expectedFiles;
    if (runtime::kStatAnswersBareDrive) {
        expectedFolders.push_back(m_drive.Folder());
        for (const std::string& name : WithoutDots(NativeListing(m_drive.Native())))
            (name == "top.txt" ? expectedFiles : expectedFolders).push_back(m_drive.Path(name));
    }
    EXPECT_EQ(expectedFolders, folders);
    EXPECT_EQ(expectedFiles, files);
}

}  // namespace
}  // namespace pathutil_test
