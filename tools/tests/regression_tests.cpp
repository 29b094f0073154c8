// Regression tests of `check` for faults found by the robustness work: inputs
// on which the tool once hung.

#include <standin/fifo_wait.h>
#include <gtest/gtest.h>

#include <standin/oskel_writer.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <thread>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

using standin::FinishesWithoutWaitingOn;

TEST(CheckRegression, JournalThatIsAPipeIsNotWaitedFor)
{
    // Reading the first byte of a FIFO named design.db-journal waited for a
    // writer forever, in the client's open and in the tool's diagnosis.
    WorkFolder work;
    const fs::path folder = work.Root() / "lib" / "4L" / "keyin.oskel";
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel(folder.string(), standin::oskel::PcbDescription({}), &error)) << error;
    {
        // Page size 768, which is no power of two: the database does not open,
        // though its header names a design database.
        std::fstream database(folder / "design.db", std::ios::in | std::ios::out | std::ios::binary);
        database.seekp(16);
        database.write("\x03\x00", 2);
        ASSERT_TRUE(database.good());
    }
    const fs::path journal = folder / "design.db-journal";
    ASSERT_EQ(0, ::mkfifo(journal.c_str(), 0600));

    ToolRun run;
    EXPECT_TRUE(FinishesWithoutWaitingOn(journal, [&] { run = RunTool({"check", "lib"}, work.Root()); }));
    EXPECT_EQ(1, run.status) << run.err;
    EXPECT_NE(std::string::npos,
              run.out.find("SKIP 4L: 2007: keyin.oskel\\sids is present, but the design database does not open "
                           "(keyin.oskel\\design.db: its tables do not match the format, or it is damaged)"))
        << run.out;
}

}  // namespace
}  // namespace layouttool::testing
