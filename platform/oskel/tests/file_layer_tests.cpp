// The client's own SQLite file layer: databases of many blocks read whole and
// in order, a database cut short fails instead of answering part of it, and
// nothing but a regular file is read as a database, without waiting on it.

#include <fstream>

#if !defined(_WIN32)
#include <standin/fifo_wait.h>
#include <sys/stat.h>
#endif

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using standin::oskel::ConductorLayer;
using standin::oskel::LayerDescription;
using standin::oskel::PcbDescription;

// Enough layers with long names that the database spans many 64 KiB blocks.
std::vector<LayerDescription> ManyLayers(int count)
{
    std::vector<LayerDescription> layers;
    for (int i = 1; i <= count; ++i)
        layers.push_back(
            ConductorLayer(i, "LAYER_" + std::to_string(i) + std::string(60, 'x'), i, std::string("Signal")));
    return layers;
}

TEST_F(OskelTest, DatabaseOfManyBlocksReadsWholeAndInOrder)
{
    constexpr int kLayers = 3000;
    const std::string path = WriteTemplate("big", PcbDescription(ManyLayers(kLayers)));
    ASSERT_GT(fs::file_size(DatabaseFile("big")), 4u * 64 * 1024);

    Oskel::OskelPI client;
    const auto design = DesignOf(client, path);
    ASSERT_FALSE(design.IsEmpty());
    const auto layers = Layers(*design);
    ASSERT_EQ(static_cast<std::size_t>(kLayers), layers.size());
    for (int i = 0; i < kLayers; i += 499) {
        Oskel::String name;
        ASSERT_TRUE(layers[static_cast<std::size_t>(i)]->GetName(name));
        EXPECT_EQ("LAYER_" + std::to_string(i + 1) + std::string(60, 'x'), name.c_str());
    }
    EXPECT_TRUE(client.CloseOskel());
    EXPECT_EQ(0u, standin::oskel::OpenConnectionCount());
}

TEST_F(OskelTest, DatabaseCutShortAnswersNoDesign)
{
    const std::string path = WriteTemplate("cut", PcbDescription(ManyLayers(3000)));
    const fs::path file = DatabaseFile("cut");
    // Past the first block and in the middle of a page.
    fs::resize_file(file, 64 * 1024 + 1000);

    Oskel::OskelPI client;
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    const bool whole = Open(client, path) && client.GetSnapshotByName(snapshot, "PCB") &&
                       snapshot->GetTrelConfig(config, "PCB") && config->GetTrelDesign(design);
    EXPECT_FALSE(whole);
    EXPECT_EQ(64u * 1024 + 1000, fs::file_size(file));
}

#if !defined(_WIN32)
TEST_F(OskelTest, NothingButARegularFileIsReadAsADatabase)
{
    WriteTemplate("fifo", PcbDescription({}));
    const fs::path fifo = DatabaseFile("fifo");
    fs::remove(fifo);
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    Oskel::OskelPI client;
    bool opened = true;
    EXPECT_TRUE(standin::FinishesWithoutWaitingOn(
        fifo, [&] { opened = static_cast<bool>(Open(client, WindowsPath("fifo"))); }));
    EXPECT_FALSE(opened);

    // Devices that answer a whole first block, and one that answers nothing.
    for (const char* device : {"/dev/zero", "/dev/urandom", "/dev/null"}) {
        SCOPED_TRACE(device);
        const std::string name = fs::path(device).filename().string();
        WriteTemplate(name, PcbDescription({}));
        fs::remove(DatabaseFile(name));
        fs::create_symlink(device, DatabaseFile(name));
        Oskel::OskelPI other;
        EXPECT_FALSE(Open(other, WindowsPath(name)));
    }
    EXPECT_EQ(0u, standin::oskel::OpenConnectionCount());
}
#endif

}  // namespace
}  // namespace oskel_test
