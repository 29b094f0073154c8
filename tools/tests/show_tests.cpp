// `show`: the format and rows the dialog's own readers produce, the dialog's
// messages on standard error, and refusals.

#include <gtest/gtest.h>

#include <CorvanePI.h>
#include <standin/corvane.h>
#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

class Show : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Root()); }

    void Write2007(const std::string& name, const standin::oskel::Description& description)
    {
        std::string error;
        ASSERT_TRUE(standin::oskel::WriteOskel((m_work.Root() / name / "keyin.oskel").string(), description, &error))
            << error;
    }

    WorkFolder m_work;
};

TEST_F(Show, TwoThousandFiveRowsInIndexOrder)
{
    ASSERT_EQ(0, Run({"create", "2005", "lib/6L", "--layer", "signal 1", "--layer", "dielectric", "--layer", "plane 2",
                      "--layer", "signal 4", "--layer", "7 9"})
                     .status);
    const ToolRun run = Run({"show", "lib/6L"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "format: 2005\n"
        "1\tSIGNAL_1\tSignal\n"
        "2\tPLANE_2\tPlane\n"
        "3\tSIGNAL_4\tSignal\n",
        run.out);
    EXPECT_EQ("", run.err);
}

TEST_F(Show, TwoThousandSevenRowsByMetalNumber)
{
    WriteTextFile(m_work.Root() / "4L.txt",
                  "conductor  M3     metal=3 usage=Signal\n"
                  "dielectric CORE\n"
                  "conductor  M1     metal=1 usage=\"Power plane\"\n"
                  "conductor  NEG    metal=-1\n"
                  "conductor  M1BIS  metal=1 usage=Other\n"
                  "conductor  M2     metal=2 usage=Mixed\n");
    ASSERT_EQ(0, Run({"create", "2007", "lib/4L", "--from", "4L.txt"}).status);
    const ToolRun run = Run({"show", (m_work.Root() / "lib/4L/").string()});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "format: 2007\n"
        "1\tNEG\t\n"
        "2\tM1\tPower plane\n"
        "3\tM2\tMixed\n"
        "4\tM3\tSignal\n",
        run.out);
    EXPECT_EQ("", run.err);
}

TEST_F(Show, TheDialogsMessagesGoToStandardError)
{
    // A design without layers: the reader's own message box.
    Write2007("empty", PcbDescription({}));
    ToolRun run = Run({"show", "empty"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("format: 2007\n", run.out);
    EXPECT_EQ("empty: Layout template \"empty\" doesn't have any layers.\n", run.err);

    // A configuration without a design: listed, but not readable.
    Write2007("nodesign", {{{"PCB", {{"PCB", std::nullopt}}}}});
    run = Run({"show", "nodesign"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("format: 2007\n", run.out);
    EXPECT_EQ("nodesign: Can't read TREL design from database.\n", run.err);

    // A layer without a name stops the reader without a message.
    standin::oskel::LayerDescription nameless = ConductorLayer(2, "", 2);
    nameless.name.reset();
    Write2007("nameless", PcbDescription({ConductorLayer(1, "TOP", 1), nameless}));
    run = Run({"show", "nameless"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("format: 2007\n", run.out);
    EXPECT_EQ("nameless: Can't display the stackup. (the design's layer 2 has no readable name)\n", run.err);

    // A 2005 template that the dialog lists but whose file does not load.
    standin::corvane::Description description;
    description.version = 2;
    fs::create_directory(m_work.Root() / "v2");
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template((m_work.Root() / "v2").string(), description, &error)) << error;
    run = Run({"show", "v2"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("format: 2005\n", run.out);
    EXPECT_EQ("v2: Can't display the stackup. (Layout\\Corvane.cvn: " +
                  standin::corvane::DescribeStatus(CORVANE_E_VERSION_UNSUPPORTED) + ")\n",
              run.err);
}

TEST_F(Show, FoldersTheDialogDoesNotListAreRefused)
{
    Write2007("noconfig", {{{"PCB", {{"Board", standin::oskel::DesignDescription{}}}}}});
    ToolRun run = Run({"show", "noconfig"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("", run.out);
    EXPECT_EQ("noconfig: the dialog does not list it: 2007: snapshot \"PCB\" holds no Trel configuration \"PCB\"\n",
              run.err);

    // The verdict is discovery's; the cause is the file system's.
    WriteTextFile(m_work.Root() / "file.txt", "");
    fs::create_directory(m_work.Root() / "bare");
    std::vector<std::pair<std::string, std::string>> folders = {
        {"missing", "no such folder"},
        {"/nonexistent", "no such folder"},
        {"file.txt", "not a folder"},
        {"bare", "there is no Layout folder"},
    };
#if !defined(_WIN32)
    fs::create_directory(m_work.Root() / "lib");
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template((m_work.Root() / "lib/b*").string(), {}, &error)) << error;
    folders.push_back({"lib/b*", "its path holds '*', which the dialog's file queries refuse"});
#endif
    const std::string verdict = ": the dialog does not list it: 2005: Layout\\Tamsett.tms is missing or not a file (";
    for (const auto& [folder, cause] : folders) {
        run = Run({"show", folder});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(folder + verdict + cause + ")\n", run.err);
    }

    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"show"}, {"show", "a", "b"}, {"show", "--rows", "a"}}) {
        run = Run(command);
        EXPECT_EQ(2, run.status);
        EXPECT_NE(std::string::npos, run.err.find("Try 'layout-template-tool show --help'.")) << run.err;
    }
}

}  // namespace
}  // namespace layouttool::testing
