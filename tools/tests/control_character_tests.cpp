// Folder names, paths and description text reach standard output and error
// with their control characters shown as '?', so that nothing the tool prints
// can drive the terminal; `show --raw` alone gives the rows byte for byte.

#include <gtest/gtest.h>

#include <standin/oskel_writer.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

// Sets the terminal's title, then clears the screen.
const std::string kHostile = "x\x1b]2;PWNED\x07\x1b[2J";
const std::string kHostileShown = "x?]2;PWNED??[2J";

// The first byte that a terminal would act on, other than the line ends and
// (where allowed) the tabs between a row's fields; npos when there is none.
std::size_t FirstControlByte(const std::string& text, bool tabs = false)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\n' && !(tabs && c == '\t')) || c == 0x7f)
            return i;
    }
    return std::string::npos;
}

class ControlCharacters : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Root()); }

    void ExpectHarmless(const ToolRun& run, bool tabs = false)
    {
        EXPECT_EQ(std::string::npos, FirstControlByte(run.out, tabs)) << run.out;
        EXPECT_EQ(std::string::npos, FirstControlByte(run.err)) << run.err;
    }

    WorkFolder m_work;
};

TEST_F(ControlCharacters, CheckShowsHostileNamesHarmlessly)
{
    const std::string lib = "lib/";
    ASSERT_EQ(0, Run({"create", "2005", lib + "ok" + kHostile, "--layer", "signal 1"}).status);
    fs::create_directories(m_work.Root() / (lib + "bad" + kHostile));
    WriteTextFile(m_work.Root() / (lib + "file" + kHostile), "");

    const ToolRun run = Run({"check", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    ExpectHarmless(run);
    EXPECT_NE(std::string::npos, run.out.find("OK   ok" + kHostileShown + " (2005)\n")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("SKIP bad" + kHostileShown + ": 2005: ")) << run.out;
    EXPECT_NE(std::string::npos, run.out.find("FILE file" + kHostileShown + ": ")) << run.out;

    const ToolRun missing = Run({"check", "lib/" + kHostile});
    EXPECT_EQ(2, missing.status);
    ExpectHarmless(missing);
    EXPECT_EQ(0u, missing.err.find("lib/" + kHostileShown + ": ")) << missing.err;
}

TEST_F(ControlCharacters, CreateAndItsDescriptionErrorsShowThemHarmlessly)
{
    ToolRun run = Run({"create", "2005", kHostile, "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    ExpectHarmless(run);
    EXPECT_EQ(kHostileShown + ": 2005 template with 1 layer, 1 listed by the dialog\n", run.out);

    run = Run({"create", "2005", kHostile, "--layer", "signal 1"});
    EXPECT_EQ(1, run.status);
    ExpectHarmless(run);
    EXPECT_EQ(0u, run.err.find(kHostileShown + ": already exists")) << run.err;

    run = Run({"create", "2007", "T", "--layer", "conductor " + kHostile + " metal=1"});
    EXPECT_EQ(2, run.status);
    ExpectHarmless(run);
    EXPECT_EQ("--layer 'conductor " + kHostileShown + " metal=1': control character in the line\n", run.err);

    run = Run({"create", "2007", "T", "--from", kHostile + ".txt"});
    EXPECT_EQ(1, run.status);
    ExpectHarmless(run);
    EXPECT_EQ(kHostileShown + ".txt: cannot be read: No such file or directory\n", run.err);

    WriteTextFile(m_work.Root() / "d.txt",
                  "conductor A metal=1 \"x\xe2\x80\xae"
                  "y\"\n");
    run = Run({"create", "2007", "T", "--from", "d.txt"});
    EXPECT_EQ(2, run.status);
    ExpectHarmless(run);
    EXPECT_EQ(std::string::npos, run.err.find("\xe2\x80\xae")) << "a direction override reached the terminal";

    for (const std::vector<std::string>& command : {std::vector<std::string>{"create", "2005", "X", "--" + kHostile},
                                                    {kHostile},
                                                    {"show", "--" + kHostile},
                                                    {"check", "a", kHostile}}) {
        run = Run(command);
        EXPECT_EQ(2, run.status);
        ExpectHarmless(run);
    }
}

TEST_F(ControlCharacters, ShowPrintsRowsHarmlesslyUnlessRawIsAsked)
{
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel(
        (m_work.Root() / kHostile / "keyin.oskel").string(),
        standin::oskel::PcbDescription({standin::oskel::ConductorLayer(1, "TOP" + kHostile, 1, "Sig\tnal\x1b[0m")}),
        &error))
        << error;

    ToolRun run = Run({"show", kHostile});
    EXPECT_EQ(0, run.status) << run.err;
    ExpectHarmless(run, true);
    EXPECT_EQ("format: 2007\n1\tTOP" + kHostileShown + "\tSig?nal?[0m\n", run.out);

    run = Run({"show", "--raw", kHostile});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2007\n1\tTOP" + kHostile + "\tSig\tnal\x1b[0m\n", run.out);

    // The dialog's own message names the template.
    ASSERT_TRUE(standin::oskel::WriteOskel((m_work.Root() / ("e" + kHostile) / "keyin.oskel").string(),
                                           standin::oskel::PcbDescription({}), &error))
        << error;
    run = Run({"show", "e" + kHostile});
    EXPECT_EQ(1, run.status);
    ExpectHarmless(run);
    EXPECT_EQ("e" + kHostileShown + ": Layout template \"e" + kHostileShown + "\" doesn't have any layers.\n", run.err);
}

}  // namespace
}  // namespace layouttool::testing
