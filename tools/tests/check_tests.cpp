// `check`: one line per entry of a layout-templates folder with the verdict of
// discovery and the first reason for each rejection; exit statuses.

#include <gtest/gtest.h>

#include <standin/corvane.h>
#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "TemplateFixtures.h"
#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

class Check : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Root()); }

    WorkFolder m_work;
};

TEST_F(Check, EveryRejectionKindGivesItsReason)
{
    const fs::path lib = m_work.Root() / "lib";
    Write2007(lib / "4L", PcbDescription({ConductorLayer(1, "TOP", 1, "Signal")}));
    Write2005(lib / "6L");

    fs::create_directories(lib / "nodb/keyin.oskel");
    WriteTextFile(lib / "nodb/keyin.oskel/sids", "");
    fs::create_directories(lib / "notsqlite/keyin.oskel");
    WriteTextFile(lib / "notsqlite/keyin.oskel/sids", "");
    WriteTextFile(lib / "notsqlite/keyin.oskel/design.db", "just text, no database\n");
    Write2007(lib / "foreign", PcbDescription({}));
    PatchHeader(lib / "foreign/keyin.oskel/design.db", 68, 7);
    Write2007(lib / "newer", PcbDescription({}));
    PatchHeader(lib / "newer/keyin.oskel/design.db", 60, 2);
    Write2007(lib / "nosnapshot", {{{"Board", {{"PCB", standin::oskel::DesignDescription{}}}}}});
    Write2007(lib / "noconfig", {{{"PCB", {{"Board", standin::oskel::DesignDescription{}}}}}});
    // The 2007 marker decides: a complete Layout folder is never looked at.
    Write2005(lib / "both");
    fs::create_directories(lib / "both/keyin.oskel");
    WriteTextFile(lib / "both/keyin.oskel/sids", "");

    Write2005(lib / "old");
    fs::remove(lib / "old/Layout/Dunmere.dnm");
    Write2005(lib / "tamsettdir");
    fs::remove(lib / "tamsettdir/Layout/Tamsett.tms");
    fs::create_directory(lib / "tamsettdir/Layout/Tamsett.tms");
    fs::create_directory(lib / "empty");
    // Listed, but its stack-up cannot be read.
    Write2005(lib / "badcvn", {"[Corvane]"});
    WriteTextFile(lib / "readme.txt", "");
    // Deeper templates never count.
    Write2005(lib / "group/6L");

    const ToolRun run = Run({"check", "--listing-order", "ascending", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    const std::string opened = ": 2007: keyin.oskel\\sids is present, but the design database does not open (";
    EXPECT_EQ(SortedLines(
                  "OK   4L (2007)\n"
                  "OK   6L (2005)\n"
                  "SKIP nodb" +
                  opened +
                  "keyin.oskel\\design.db is missing)\n"
                  "SKIP notsqlite" +
                  opened +
                  "keyin.oskel\\design.db is not an SQLite 3 database)\n"
                  "SKIP foreign" +
                  opened +
                  "keyin.oskel\\design.db: its application id is 7, not 1330860876 "
                  "(not a design database))\n"
                  "SKIP newer" +
                  opened +
                  "keyin.oskel\\design.db: its format version 2 is newer than 1)\n"
                  "SKIP nosnapshot: 2007: the design database holds no snapshot \"PCB\"\n"
                  "SKIP noconfig: 2007: snapshot \"PCB\" holds no Trel configuration \"PCB\"\n"
                  "SKIP both" +
                  opened +
                  "keyin.oskel\\design.db is missing)\n"
                  "SKIP old: 2005: Layout\\Dunmere.dnm is missing or not a file (Layout\\Dunmere.dnm does not exist)\n"
                  "SKIP tamsettdir: 2005: Layout\\Tamsett.tms is missing or not a file (Layout\\Tamsett.tms is a "
                  "folder)\n"
                  "SKIP empty: 2005: Layout\\Tamsett.tms is missing or not a file (there is no Layout folder)\n"
                  "SKIP group: 2005: Layout\\Tamsett.tms is missing or not a file (there is no Layout folder)\n"
                  "OK   badcvn (2005)\n"
                  "     note: the dialog shows no stack-up for it: Layout\\Corvane.cvn: " +
                  standin::corvane::DescribeStatus(CORVANE_E_DUPLICATE_SECTION) +
                  "\n"
                  "FILE readme.txt: ignored, not a folder\n"
                  "3 of 14 sub-folders are listed by the dialog\n"),
              SortedLines(run.out));

    // The note follows its template's line; files come after the folders;
    // the count comes last.
    EXPECT_NE(std::string::npos, run.out.find("OK   badcvn (2005)\n     note: "));
    EXPECT_LT(run.out.find("SKIP group"), run.out.find("FILE readme.txt"));
    EXPECT_EQ(run.out.size() - std::string("3 of 14 sub-folders are listed by the dialog\n").size(),
              run.out.rfind("3 of 14"));
}

TEST_F(Check, ExitStatusTellsWhetherAnyTemplateIsListed)
{
    fs::create_directories(m_work.Root() / "lib/broken/Layout");
    ToolRun run = Run({"check", "lib/"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "SKIP broken: 2005: Layout\\Tamsett.tms is missing or not a file (Layout\\Tamsett.tms does not exist)\n"
        "0 of 1 sub-folder is listed by the dialog\n",
        run.out);

    // An absolute path, and one through "..", name the same folder.
    Write2005(m_work.Root() / "lib/ok");
    EXPECT_EQ(0, Run({"check", (m_work.Root() / "lib").string()}).status);
    fs::create_directory(m_work.Root() / "elsewhere");
    EXPECT_EQ(0, RunTool({"check", "../lib"}, m_work.Root() / "elsewhere").status);

    fs::create_directory(m_work.Root() / "nothing");
    run = Run({"check", "nothing"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("0 of 0 sub-folders are listed by the dialog\n", run.out);
}

TEST_F(Check, MissingFolderAndUsageErrors)
{
    WriteTextFile(m_work.Root() / "file.txt", "");
    fs::create_directory(m_work.Root() / "q?");
    fs::create_directory(m_work.Root() / "star*");
    const struct {
        const char* folder;
        const char* message;
    } folders[] = {
        {"missing", "missing: no such folder\n"},
        {"file.txt", "file.txt: not a folder\n"},
        {"file.txt/sub", "file.txt/sub: no such folder (a part of its path is not a folder)\n"},
        {"q?", "q?: its path holds '?', which the dialog's file queries refuse\n"},
        {"star*/", "star*/: its path holds '*', which the dialog's file queries refuse\n"},
    };
    ToolRun run;
    for (const auto& folder : folders) {
        run = Run({"check", folder.folder});
        EXPECT_EQ(2, run.status) << folder.folder;
        EXPECT_EQ(folder.message, run.err);
    }

    for (const std::vector<std::string>& command : {std::vector<std::string>{"check"},
                                                    {"check", "a", "b"},
                                                    {"check", "--all", "a"},
                                                    {"check", "--listing-order", "sideways", "a"},
                                                    {"check", "a", "--listing-order"}}) {
        run = Run(command);
        EXPECT_EQ(2, run.status);
        EXPECT_NE(std::string::npos, run.err.find("Try 'layout-template-tool check --help'.")) << run.err;
    }
}

TEST_F(Check, RejectionsSayTheTrueCause)
{
    const fs::path lib = m_work.Root() / "lib";
    // A marker that is no regular file: the folder is read as 2005.
    fs::create_directories(lib / "fifo/keyin.oskel");
    ASSERT_EQ(0, ::mkfifo((lib / "fifo/keyin.oskel/sids").c_str(), 0600));
    fs::create_directories(lib / "sidsdir/keyin.oskel/sids");
    fs::create_directories(lib / "nosids/keyin.oskel");
    Write2005(lib / "dangling");
    fs::remove(lib / "dangling/Layout/Corvane.cvn");
    fs::create_symlink(lib / "nowhere", lib / "dangling/Layout/Corvane.cvn");
    fs::create_directory(lib / "layoutfile");
    WriteTextFile(lib / "layoutfile/Layout", "");
    // Names that the dialog's file queries refuse, and a link to nothing.
    Write2005(lib / "wild?");
    fs::create_directory(lib / "star*");
    fs::create_symlink(lib / "nowhere", lib / "broken");

    const ToolRun run = Run({"check", "lib"});
    EXPECT_EQ(1, run.status) << run.err;
    const std::string missing = ": 2005: Layout\\Tamsett.tms is missing or not a file (";
    const std::string as2005 = ", so the folder is read as a 2005 template; there is no Layout folder)\n";
    EXPECT_EQ(
        SortedLines("SKIP fifo" + missing + "keyin.oskel\\sids is a FIFO, not a file" + as2005 + "SKIP sidsdir" +
                    missing + "keyin.oskel\\sids is a folder, not a file" + as2005 + "SKIP nosids" + missing +
                    "keyin.oskel holds no sids" + as2005 +
                    "SKIP dangling: 2005: Layout\\Corvane.cvn is missing or not a file (Layout\\Corvane.cvn is a "
                    "link to nothing)\n"
                    "SKIP layoutfile" +
                    missing +
                    "Layout is not a folder)\n"
                    "FILE wild?: ignored, not a folder to the dialog: its name holds '?', which the dialog's file "
                    "queries refuse\n"
                    "FILE star*: ignored, not a folder to the dialog: its name holds '*', which the dialog's file "
                    "queries refuse\n"
                    "FILE broken: ignored, not a folder: a link to nothing\n"
                    "0 of 5 sub-folders are listed by the dialog\n"),
        SortedLines(run.out));
}

TEST_F(Check, UnreadableFoldersSayPermissionDenied)
{
    const fs::path lib = m_work.Root() / "lib";
    Write2005(lib / "unreadable");
    Write2007(lib / "closed", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    fs::permissions(lib / "unreadable", fs::perms::none);
    fs::permissions(lib / "closed/keyin.oskel", fs::perms::none);
    fs::create_directory(m_work.Root() / "shut");
    fs::permissions(m_work.Root() / "shut", fs::perms::none);

    ToolRun run;
    const bool ran = RunToolBoundByPermissions({"check", "lib"}, m_work.Root(), run);
    ToolRun shut;
    RunToolBoundByPermissions({"check", "shut"}, m_work.Root(), shut);
    for (const char* folder : {"lib/unreadable", "lib/closed/keyin.oskel", "shut"})
        fs::permissions(m_work.Root() / folder, fs::perms::owner_all);
    if (!ran)
        GTEST_SKIP() << "permissions cannot be made to apply to the tool";

    EXPECT_EQ(1, run.status) << run.err;
    const std::string missing = ": 2005: Layout\\Tamsett.tms is missing or not a file (";
    EXPECT_EQ(SortedLines("SKIP unreadable" + missing +
                          "the folder cannot be searched: Permission denied)\n"
                          "SKIP closed" +
                          missing +
                          "keyin.oskel cannot be searched (Permission denied), so the folder is "
                          "read as a 2005 template; there is no Layout folder)\n"
                          "0 of 2 sub-folders are listed by the dialog\n"),
              SortedLines(run.out));
    EXPECT_EQ(2, shut.status);
    EXPECT_EQ("shut: cannot be read: Permission denied\n", shut.err);
}

TEST_F(Check, ACentralLibraryNamesItsLayoutTemplatesFolder)
{
    Write2005(m_work.Root() / "lib/Templates/Layout/6L");
    ToolRun run = Run({"check", "lib"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "lib: a central library, whose layout templates the dialog takes from lib/Templates/Layout: "
        "check that folder\n",
        run.err);

    // The first of the two folders that exists and is not empty counts.
    fs::create_directories(m_work.Root() / "other/Templates/Layout");
    Write2005(m_work.Root() / "other/LayoutTemplates/4L");
    run = Run({"check", "other/"});
    EXPECT_EQ(
        "other/: a central library, whose layout templates the dialog takes from other/LayoutTemplates: "
        "check that folder\n",
        run.err);

    run = Run({"check", "lib/Templates/Layout"});
    EXPECT_EQ(0, run.status);
    EXPECT_EQ("", run.err);
}

TEST_F(Check, ListedTemplatesWhoseStackUpCannotBeShownGetANote)
{
    const fs::path lib = m_work.Root() / "lib";
    standin::oskel::LayerDescription nameless = ConductorLayer(2, "", 2);
    nameless.name.reset();
    Write2007(lib / "a-good", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    Write2007(lib / "b-nameless", PcbDescription({ConductorLayer(1, "TOP", 1), nameless}));
    Write2007(lib / "c-empty", PcbDescription({}));
    Write2005(lib / "d-badcvn", {"[Corvane]"});
    Write2007(lib / "e-dielectric", PcbDescription({standin::oskel::OtherLayer(1, 1, "CORE")}));
    fs::create_directories(lib / "f-dielectric");
    standin::corvane::Description dielectric;
    dielectric.layers.push_back({2, std::nullopt});
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template((lib / "f-dielectric").string(), dielectric, &error)) << error;

    ToolRun run = Run({"check", "--listing-order", "ascending", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "OK   a-good (2007)\n"
        "OK   b-nameless (2007)\n"
        "     note: the dialog shows no stack-up for it: the design's layer 2 has no readable name\n"
        "OK   c-empty (2007)\n"
        "     note: the dialog shows no stack-up for it: it says \"Layout template \"c-empty\" doesn't have any "
        "layers.\"\n"
        "OK   d-badcvn (2005)\n"
        "     note: the dialog shows no stack-up for it: Layout\\Corvane.cvn: " +
            standin::corvane::DescribeStatus(CORVANE_E_DUPLICATE_SECTION) +
            "\n"
            "OK   e-dielectric (2007)\n"
            "     note: the dialog shows no rows for it: none of its layers is a conductor layer\n"
            "OK   f-dielectric (2005)\n"
            "     note: the dialog shows no rows for it: none of its layers is a signal or plane layer\n"
            "6 of 6 sub-folders are listed by the dialog\n",
        run.out);

    // Found first, a template that cannot be shown closes the dialog.
    fs::remove_all(lib / "a-good");
    run = Run({"check", "--listing-order", "ascending", "lib"});
    EXPECT_EQ(0u, run.out.find("OK   b-nameless (2007)\n"
                               "     note: the dialog finds it first and closes with \"Can't display the stackup.\": "
                               "the design's layer 2 has no readable name\n"
                               "OK   c-empty (2007)\n"
                               "     note: the dialog shows no stack-up for it: "))
        << run.out;
}

}  // namespace
}  // namespace layouttool::testing
