// `check`: one line per entry of a layout-templates folder with the verdict of
// discovery and the first reason for each rejection; exit statuses.

#include <gtest/gtest.h>

#include <standin/corvane.h>
#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

void Write2007(const fs::path& folder, const standin::oskel::Description& description)
{
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel((folder / "keyin.oskel").string(), description, &error)) << error;
}

void Write2005(const fs::path& folder, const std::string& extraLine = std::string())
{
    fs::create_directories(folder);
    standin::corvane::Description description;
    description.layers.push_back({1, 1});
    if (!extraLine.empty()) description.extraLines.push_back(extraLine);
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(folder.string(), description, &error)) << error;
}

// Overwrites four bytes of the SQLite header, big-endian.
void PatchHeader(const fs::path& database, std::streamoff offset, unsigned value)
{
    std::fstream file(database, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    file.write(bytes, 4);
    ASSERT_TRUE(file.good());
}

std::vector<std::string> SortedLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

class Check : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Path()); }

    TemporaryFolder m_work;
};

TEST_F(Check, EveryRejectionKindGivesItsReason)
{
    const fs::path lib = m_work / "lib";
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
    Write2007(lib / "nosnapshot", {{{"Board", {{"PCB", standin::oskel::DesignSpec{}}}}}});
    Write2007(lib / "noconfig", {{{"PCB", {{"Board", standin::oskel::DesignSpec{}}}}}});
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
    Write2005(lib / "badcvn", "[Corvane]");
    WriteTextFile(lib / "readme.txt", "");
    // Deeper templates never count.
    Write2005(lib / "group/6L");

    const ToolRun run = Run({"check", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    const std::string opened = ": 2007: keyin.oskel\\sids is present, but the design database does not open (";
    EXPECT_EQ(SortedLines("OK   4L (2007)\n"
                          "OK   6L (2005)\n"
                          "SKIP nodb" + opened + "keyin.oskel\\design.db is missing)\n"
                          "SKIP notsqlite" + opened + "keyin.oskel\\design.db is not an SQLite 3 database)\n"
                          "SKIP foreign" + opened + "keyin.oskel\\design.db: its application id is 7, not 1330860876 "
                          "(not a design database))\n"
                          "SKIP newer" + opened + "keyin.oskel\\design.db: its format version 2 is newer than 1)\n"
                          "SKIP nosnapshot: 2007: the design database holds no snapshot \"PCB\"\n"
                          "SKIP noconfig: 2007: snapshot \"PCB\" holds no Trel configuration \"PCB\"\n"
                          "SKIP both" + opened + "keyin.oskel\\design.db is missing)\n"
                          "SKIP old: 2005: Layout\\Dunmere.dnm is missing or not a file\n"
                          "SKIP tamsettdir: 2005: Layout\\Tamsett.tms is missing or not a file\n"
                          "SKIP empty: 2005: Layout\\Tamsett.tms is missing or not a file\n"
                          "SKIP group: 2005: Layout\\Tamsett.tms is missing or not a file\n"
                          "OK   badcvn (2005)\n"
                          "     note: the dialog shows no stack-up for it: Layout\\Corvane.cvn: " +
                          standin::corvane::DescribeStatus(CORVANE_E_DUPLICATE_SECTION) + "\n"
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
    fs::create_directories(m_work / "lib/broken/Layout");
    ToolRun run = Run({"check", "lib/"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("SKIP broken: 2005: Layout\\Tamsett.tms is missing or not a file\n"
              "0 of 1 sub-folder is listed by the dialog\n",
              run.out);

    // An absolute path, and one through "..", name the same folder.
    Write2005(m_work / "lib/ok");
    EXPECT_EQ(0, Run({"check", (m_work / "lib").string()}).status);
    fs::create_directory(m_work / "elsewhere");
    EXPECT_EQ(0, RunTool({"check", "../lib"}, m_work / "elsewhere").status);

    fs::create_directory(m_work / "nothing");
    run = Run({"check", "nothing"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("0 of 0 sub-folders are listed by the dialog\n", run.out);
}

TEST_F(Check, MissingFolderAndUsageErrors)
{
    ToolRun run = Run({"check", "missing"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("missing: no such folder, or it cannot be read\n", run.err);

    WriteTextFile(m_work / "file.txt", "");
    run = Run({"check", "file.txt"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("file.txt: not a folder\n", run.err);

    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"check"}, {"check", "a", "b"}, {"check", "--all", "a"}}) {
        run = Run(command);
        EXPECT_EQ(2, run.status);
        EXPECT_NE(std::string::npos, run.err.find("Try 'layout-template-tool check --help'.")) << run.err;
    }
}

}  // namespace
}  // namespace layouttool::testing
