// Write2005Template and FormatCorvane, read back through the client.

#include "TestSupport.h"

#include <standin/corvane_writer.h>

#include <gmock/gmock.h>

namespace corvane_test {
namespace {

using standin::corvane::Description;
using standin::corvane::LayerDescription;

struct ReadLayer {
    long findStatus;
    long typeStatus;
    int type;
    long numberStatus;
    int number;
    bool operator==(const ReadLayer& other) const
    {
        return findStatus == other.findStatus && typeStatus == other.typeStatus && type == other.type &&
               numberStatus == other.numberStatus && number == other.number;
    }
};
std::ostream& operator<<(std::ostream& out, const ReadLayer& layer)
{
    return out << "{find " << layer.findStatus << ", type " << layer.typeStatus << "/" << layer.type << ", number "
               << layer.numberStatus << "/" << layer.number << "}";
}

// Every layer index 1..LayerCount as the client reads it.
std::vector<ReadLayer> ReadAllLayers(const fs::path& file)
{
    CCorvane db;
    EXPECT_EQ(db.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Load(Text(file).c_str(), 1)}, Status{CORVANE_S_OK});
    int count = 0;
    EXPECT_EQ(db.GetLayerCount(&count), CORVANE_S_OK);
    std::vector<ReadLayer> layers;
    CCorvaneLayer record;
    for (int index = 1; index <= count; ++index) {
        ReadLayer read{db.FindLayer(&record, index), 0, -1, 0, -1};
        CCorvaneLayer::eLayerType type{};
        read.typeStatus = record.GetLayerTypeValue(&type);
        if (read.typeStatus == CORVANE_S_OK)
            read.type = type;
        read.numberStatus = record.GetLayerNumber(&read.number);
        layers.push_back(read);
    }
    db.Close();
    return layers;
}

TEST_F(CorvaneTest, WrittenTemplateReadsBack)
{
    Description description;
    description.layers = {
        {1, 1, false},             // signal 1
        {2, std::nullopt, false},  // dielectric
        {0, 2, false},             // plane 2
        {1, 9, true},              // index 4: no section
        {1, 3, false},             // signal 3
        {std::nullopt, 4, false},  // no type
    };
    const fs::path folder = m_folder.Native() / "6L";
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(Text(folder), description, &error)) << error;

    constexpr long kOk = CORVANE_S_OK;
    constexpr long kEmpty = CORVANE_E_LAYER_EMPTY;
    constexpr long kMissing = CORVANE_E_KEY_MISSING;
    EXPECT_THAT(ReadAllLayers(folder / "Layout" / "Corvane.cvn"),
                ::testing::ElementsAre(ReadLayer{kOk, kOk, 1, kOk, 1}, ReadLayer{kOk, kOk, 2, kMissing, -1},
                                       ReadLayer{kOk, kOk, 0, kOk, 2},
                                       ReadLayer{CORVANE_E_NO_SUCH_LAYER, kEmpty, -1, kEmpty, -1},
                                       ReadLayer{kOk, kOk, 1, kOk, 3}, ReadLayer{kOk, kMissing, -1, kOk, 4}));
    for (const char* name : {"Tamsett.tms", "Halloway.hlw", "Dunmere.dnm"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::is_regular_file(folder / "Layout" / name));
        EXPECT_EQ(fs::file_size(folder / "Layout" / name), 0u);
    }
}

TEST_F(CorvaneTest, FormatCorvaneText)
{
    Description description;
    description.layers = {{1, 1, false}, {2, std::nullopt, false}};
    const std::string text = standin::corvane::FormatCorvane(description);
    EXPECT_EQ(text.substr(text.find("[Corvane]")),
              "[Corvane]\nVersion = 1\nLayerCount = 2\n\n[Layer 1]\nType = 1\nNumber = 1\n\n[Layer 2]\nType = 2\n");
    EXPECT_EQ(text.front(), ';');  // a comment header comes first
}

TEST_F(CorvaneTest, DescriptionOverridesForBrokenFiles)
{
    Description wrongVersion;
    wrongVersion.version = 2;
    Description noVersion;
    noVersion.version = std::nullopt;
    Description countOverride;
    countOverride.layerCount = -4;
    Description noCount;
    noCount.omitLayerCount = true;
    Description extra;
    extra.extraLines = {"[Layer 1]", "Type = 0x1"};
    extra.layerCount = 1;

    ExpectLoadStatuses({
        {"version 2", standin::corvane::FormatCorvane(wrongVersion), CORVANE_E_VERSION_UNSUPPORTED},
        {"no version", standin::corvane::FormatCorvane(noVersion), CORVANE_E_VERSION_INVALID},
    });
    int count = 0;
    ASSERT_EQ(LoadText(standin::corvane::FormatCorvane(countOverride)), CORVANE_S_OK);
    EXPECT_EQ(Status{m_db->GetLayerCount(&count)}, Status{CORVANE_E_LAYER_COUNT_NEGATIVE});
    ASSERT_EQ(LoadText(standin::corvane::FormatCorvane(noCount)), CORVANE_S_OK);
    EXPECT_EQ(Status{m_db->GetLayerCount(&count)}, Status{CORVANE_E_LAYER_COUNT_MISSING});
    ASSERT_EQ(LoadText(standin::corvane::FormatCorvane(extra)), CORVANE_S_OK);
    CCorvaneLayer layer;
    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    CCorvaneLayer::eLayerType type{};
    EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_KEY_MALFORMED});
}

TEST_F(CorvaneTest, WriterReplacesFilesAndReportsFailures)
{
    const fs::path folder = m_folder.Native() / "4L";
    Description first;
    first.layers = {{1, 1, false}, {1, 2, false}};
    ASSERT_TRUE(standin::corvane::Write2005Template(Text(folder), first, nullptr));
    ASSERT_TRUE(standin::corvane::Write2005Template(Text(folder), Description{}, nullptr));  // folders exist
    EXPECT_THAT(ReadAllLayers(folder / "Layout" / "Corvane.cvn"), ::testing::IsEmpty());

    std::string error;
    const fs::path noParent = m_folder.Native() / "missing" / "6L";
    EXPECT_FALSE(standin::corvane::Write2005Template(Text(noParent), first, &error));
    EXPECT_THAT(error, ::testing::HasSubstr(Text(noParent)));

    const fs::path fileInTheWay = m_folder.Native() / "file";
    WriteBytes(fileInTheWay, "x");
    error.clear();
    EXPECT_FALSE(standin::corvane::Write2005Template(Text(fileInTheWay), first, &error));
    EXPECT_THAT(error, ::testing::HasSubstr(Text(fileInTheWay)));
}

}  // namespace
}  // namespace corvane_test
