// The path helpers under failures of the run-time's queries that the stand-in injects (faults that
// root cannot produce with permissions), and the number of queries each helper makes.
#include "pathutil/PathUtil.h"

#include "FileQueriesFixture.h"

#include <standin/crt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <string>

namespace pathutil_test {
namespace {

using PathList = std::list<std::string>;

class FileQueryFaultsTest : public FileQueriesTest {
protected:
    static std::size_t StatCalls() { return standin::CallCounts().stat; }
};

TEST_F(FileQueryFaultsTest, IsDirectoryRetriesOnceWithABackslash)
{
    standin::FailStat(P("t"));
    EXPECT_TRUE(IsDirectory(P("t")));
    EXPECT_EQ(2u, StatCalls());

    // The retry answers for a file too: it is no folder.
    standin::FailStat(P("t/a.txt"));
    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory(P("t/a.txt")));
    EXPECT_EQ(2u, StatCalls());

    // Both queries fail: no third one.
    standin::FailStat(P("t/6L"));
    standin::FailStat(P("t/6L/"));
    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory(P("t/6L")));
    EXPECT_EQ(2u, StatCalls());
}

TEST_F(FileQueryFaultsTest, IsDirectoryDoesNotRetryAPathEndingInABackslashOrEmpty)
{
    standin::FailStat(P("t/"));
    EXPECT_FALSE(IsDirectory(P("t/")));
    EXPECT_EQ(1u, StatCalls());

    standin::ResetCallCounts();
    EXPECT_FALSE(IsDirectory(""));
    EXPECT_EQ(1u, StatCalls());

    standin::ResetCallCounts();
    EXPECT_TRUE(IsDirectory(P("t")));
    EXPECT_EQ(1u, StatCalls()) << "a query that succeeds is not repeated";
}

TEST_F(FileQueryFaultsTest, ListDirectorySearchesForStarDotStar)
{
    standin::FailFindFirst(P("t/*.*"));
    EXPECT_TRUE(ListDirectory(P("t")).empty());
    EXPECT_TRUE(ListDirectory(P("t/")).empty());
    standin::FailFindFirst(P("*.*"));
    EXPECT_TRUE(ListDirectory(m_folder.Folder()).empty());
    standin::FailFindFirst("*.*");
    EXPECT_TRUE(ListDirectory("").empty());
    EXPECT_FALSE(ListDirectory(P("t/6L")).empty());
}

TEST_F(FileQueryFaultsTest, AnUnreadableFolderListsNothingAndReadsAsEmpty)
{
    standin::FailFindFirst(P("t"));
    EXPECT_TRUE(ListDirectory(P("t")).empty());
    EXPECT_TRUE(IsEmptyDirectory(P("t")));
}

TEST_F(FileQueryFaultsTest, IsEmptyDirectoryStopsAtTheFirstOtherEntry)
{
    for (int i = 0; i < 50; ++i)
        m_folder.MakeFile("many/f" + std::to_string(i));
    standin::ResetCallCounts();
    EXPECT_FALSE(IsEmptyDirectory(P("many")));
    // "." and ".." may come first; after the first other name the search ends.
    EXPECT_EQ(1u, standin::CallCounts().findfirst);
    EXPECT_LE(standin::CallCounts().findnext, 2u);
    EXPECT_EQ(1u, standin::CallCounts().findclose);
}

TEST_F(FileQueryFaultsTest, CollectEntriesAsksTheRootsStatusOnceWithoutRetry)
{
    PathList folders{"kept"};
    PathList files{"kept too"};
    standin::FailStat(P("t"));
    EXPECT_FALSE(CollectEntries(P("t/"), folders, files));
    EXPECT_EQ(PathList{"kept"}, folders);
    EXPECT_EQ(PathList{"kept too"}, files);
}

TEST_F(FileQueryFaultsTest, CollectEntriesFilesAnEntryThatCannotBeQueried)
{
    standin::FailStat(P("t/6L"));
    standin::FailStat(P("t/6L/"));
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries(P("t"), folders, files));
    EXPECT_EQ(std::find(folders.begin(), folders.end(), P("t/6L")), folders.end());
    EXPECT_NE(std::find(files.begin(), files.end(), P("t/6L")), files.end());
}

TEST_F(FileQueryFaultsTest, CollectEntriesOfAnUnreadableFolderHasOnlyTheFolder)
{
    standin::FailFindFirst(P("t"));
    PathList folders;
    PathList files;
    ASSERT_TRUE(CollectEntries(P("t"), folders, files));
    EXPECT_EQ(PathList{P("t")}, folders);
    EXPECT_TRUE(files.empty());
}

}  // namespace
}  // namespace pathutil_test
