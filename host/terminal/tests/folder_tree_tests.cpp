// The folder browser's tree: finding a folder by its first letters.
#include <gtest/gtest.h>

#include <standin/crt.h>

#include <filesystem>

#include "LibraryFixture.h"
#include "terminal/FolderTree.h"
#include "terminal/TypeAhead.h"

namespace ilt {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(TypeAhead, LettersInQuickSuccessionMakeOneSearch)
{
    TypeAhead typing;
    const TypeAhead::Clock::time_point start{};
    typing.Type(U'p', start);
    EXPECT_EQ(typing.Search(), "p");
    EXPECT_TRUE(typing.StartsAfterHighlight()) << "one letter moves on";
    typing.Type(U'r', start + 500ms);
    EXPECT_EQ(typing.Search(), "pr");
    EXPECT_FALSE(typing.StartsAfterHighlight()) << "more letters may still fit the highlighted name";
    typing.Type(U'o', start + 1400ms);
    EXPECT_EQ(typing.Search(), "pro");

    typing.Type(U'b', start + 2500ms);  // after a pause
    EXPECT_EQ(typing.Search(), "b");
    typing.Type(U'b', start + 2600ms);
    typing.Type(U'b', start + 2700ms);
    EXPECT_EQ(typing.Search(), "b") << "the same letter again steps on";
    EXPECT_TRUE(typing.StartsAfterHighlight());

    typing.End();
    typing.Type(U'\u00e9', start + 2800ms);
    EXPECT_EQ(typing.Search(), "\xc3\xa9");
}

TEST(FolderTree, FindsTheNextRowWhoseNameBeginsWithTheText)
{
    test::LibraryFixture library;
    for (const char* name : {"archive", "Pictures", "plans", "projects"})
        fs::create_directories(library.Root() / "lib" / name);
    standin::MapDrive('D', library.Root().string());
    FolderTree tree("D:\\lib");
    ASSERT_EQ(tree.Rows().size(), 5u);  // D:\lib, archive, Pictures, plans, projects

    EXPECT_EQ(tree.Find("p", 0, true), 2u);
    EXPECT_EQ(tree.Find("p", 2, true), 3u);
    EXPECT_EQ(tree.Find("p", 4, true), 2u) << "round from the top";
    EXPECT_EQ(tree.Find("PR", 2, false), 4u) << "case is ignored";
    EXPECT_EQ(tree.Find("pla", 3, false), 3u) << "from the highlighted row itself";
    EXPECT_EQ(tree.Find("D:", 3, true), 0u);
    EXPECT_FALSE(tree.Find("x", 0, true));
    EXPECT_FALSE(tree.Find("", 0, true));
    standin::UnmapDrive('D');
}

}  // namespace
}  // namespace ilt
