// Regression tests of faults found by fuzzing and odd inputs: files on which
// the client once hung.

#if !defined(_WIN32)
#include <standin/fifo_wait.h>
#include <sys/stat.h>
#endif

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

#if !defined(_WIN32)
TEST_F(OskelTest, JournalThatIsAFifoIsNeitherWaitedForNorRead)
{
    // Reading the first byte of a FIFO named design.db-journal, to tell a hot
    // journal, waited for a writer forever. SQLite writes journals as regular
    // files only, so anything else beside the database is no unfinished write.
    WriteTemplate("fifo", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    const fs::path fifo = DatabaseFile("fifo").string() + "-journal";
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    Oskel::OskelPI client;
    bool opened = false;
    EXPECT_TRUE(standin::FinishesWithoutWaitingOn(
        fifo, [&] { opened = static_cast<bool>(Open(client, WindowsPath("fifo"))); }));
    EXPECT_TRUE(opened);
    client.CloseOskel();
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
}
#endif

TEST_F(OskelTest, JournalThatIsAFolderIsNoUnfinishedWrite)
{
    WriteTemplate("folder", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    fs::create_directory(DatabaseFile("folder").string() + "-journal");
    Oskel::OskelPI client;
    EXPECT_TRUE(Open(client, WindowsPath("folder")));
    client.CloseOskel();
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
}

}  // namespace
}  // namespace oskel_test
