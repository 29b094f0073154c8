// `create` interrupted while it writes: nothing it made stays behind, and a
// staging folder that a killed run left is removed by the next run into the
// folder, unless a live run holds it or it holds what the tool never writes.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <csignal>
#include <thread>

#include "ToolRunner.h"
#include "testsupport/TreeRecord.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using testsupport::RecordTree;

class Interruption : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Large enough that the design database takes a while to write.
        std::string description;
        for (int i = 1; i <= 20000; ++i)
            description += "conductor L" + std::to_string(i) + " metal=" + std::to_string(i) + " usage=Signal\n";
        WriteTextFile(m_description.Root() / "big.txt", description);
    }

    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Root()); }

    // Starts `create 2007 FOLDER --from big.txt` (with `extra` arguments),
    // waits until the design database in its staging folder is being written
    // or read back, then sends `signal` and waits for the end.
    ToolRun InterruptedCreate(const std::string& folder, int signal, const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> arguments{"create", "2007", folder, "--from",
                                           (m_description.Root() / "big.txt").string()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        ToolProcess tool(ToolCommand(arguments), {m_work.Root()});
        while (StagingFolders(m_work.Root() / folder, "keyin.oskel/design.db").empty() && !tool.Ended())
            std::this_thread::yield();
        EXPECT_FALSE(tool.Ended()) << "the design database of " << folder << " was never seen being written";
        tool.Signal(signal);
        return tool.Wait();
    }

    // The tool's staging folders in `folder` that hold `inside` (or anything).
    static std::vector<std::string> StagingFolders(const fs::path& folder, const std::string& inside = std::string())
    {
        std::vector<std::string> found;
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            if (name.rfind(".layout-template-tool-", 0) == 0 &&
                (inside.empty() || fs::exists(entry->path() / inside, error)))
                found.push_back(name);
        }
        return found;
    }

    WorkFolder m_work;
    testsupport::TempFolder m_description;
};

TEST_F(Interruption, NothingTheRunMadeStaysBehind)
{
    // A folder the run made goes again, with its parents.
    const auto before = RecordTree(m_work.Root());
    ToolRun run = InterruptedCreate("new/4L", SIGINT);
    EXPECT_EQ(SIGINT, run.signal);
    EXPECT_EQ(before, RecordTree(m_work.Root()));

    // A template replaced under --force stays as it was, and so does the
    // rest of its folder.
    ASSERT_EQ(0, Run({"create", "2005", "T", "--layer", "signal 1"}).status);
    WriteTextFile(m_work.Root() / "T/notes.txt", "keep me");
    const auto template2005 = RecordTree(m_work.Root() / "T");
    run = InterruptedCreate("T", SIGTERM, {"--force"});
    EXPECT_EQ(SIGTERM, run.signal);
    EXPECT_EQ(template2005, RecordTree(m_work.Root() / "T"));

    // An empty folder stays empty, so that the retry needs no --force.
    fs::create_directory(m_work.Root() / "E");
    run = InterruptedCreate("E", SIGHUP);
    EXPECT_EQ(SIGHUP, run.signal);
    EXPECT_TRUE(fs::is_empty(m_work.Root() / "E"));
    run = Run({"create", "2007", "E", "--layer", "conductor TOP metal=1"});
    EXPECT_EQ(0, run.status) << run.err;
}

TEST_F(Interruption, TheNextRunRemovesWhatAKilledRunLeft)
{
    // SIGKILL cannot be caught: the staging folder stays, half written.
    fs::create_directory(m_work.Root() / "E");
    ToolRun run = InterruptedCreate("E", SIGKILL);
    EXPECT_EQ(SIGKILL, run.signal);
    ASSERT_EQ(1u, StagingFolders(m_work.Root() / "E").size());

    // The folder counts as empty; the leftover goes.
    run = Run({"create", "2005", "E", "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(std::vector<std::string>{"Layout"},
              std::vector<std::string>{fs::directory_iterator(m_work.Root() / "E")->path().filename()});

    // Under --force too.
    run = InterruptedCreate("E", SIGKILL, {"--force"});
    ASSERT_EQ(1u, StagingFolders(m_work.Root() / "E").size());
    run = Run({"create", "2005", "E", "--force", "--layer", "plane 2"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_TRUE(StagingFolders(m_work.Root() / "E").empty());
}

TEST_F(Interruption, StagingFoldersInUseOrHoldingOtherFilesStay)
{
    fs::create_directories(m_work.Root() / "T/.layout-template-tool-Busy01/keyin.oskel");
    fs::create_directories(m_work.Root() / "T/.layout-template-tool-Mine02/Layout");
    WriteTextFile(m_work.Root() / "T/.layout-template-tool-Mine02/Layout/Corvane.cvn", "");
    WriteTextFile(m_work.Root() / "T/.layout-template-tool-Mine02/Layout/notes.txt", "keep me");

    // A live run holds its staging folder locked.
    const int busy = ::open((m_work.Root() / "T/.layout-template-tool-Busy01").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(0, ::flock(busy, LOCK_EX));
    ToolRun run = Run({"create", "2005", "T", "--layer", "signal 1"});
    ::close(busy);
    EXPECT_EQ(1, run.status);
    EXPECT_EQ("T: already exists and is not empty (--force replaces the template in it)\n", run.err);

    // Once it is no longer held, it goes; the tool's own files go from the
    // other one, which stays for what the tool never writes.
    run = Run({"create", "2005", "T", "--layer", "signal 1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(std::vector<std::string>{".layout-template-tool-Mine02"}, StagingFolders(m_work.Root() / "T"));
    std::vector<std::string> left;
    for (const auto& [name, state] : RecordTree(m_work.Root() / "T/.layout-template-tool-Mine02"))
        left.push_back(name);
    EXPECT_EQ((std::vector<std::string>{"Layout", "Layout/notes.txt"}), left);
}

}  // namespace
}  // namespace layouttool::testing
