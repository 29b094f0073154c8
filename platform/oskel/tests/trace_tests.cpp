// The test seams: injected failures and the record of calls.

#include <functional>

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;
using Names = std::vector<std::string>;

class TraceTest : public OskelTest {};

TEST_F(TraceTest, RecordsCallsInOrderWithArgumentsAndOutcome)
{
    const std::string path = WriteTemplate("4L", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    {
        Oskel::OskelPI client;
        ASSERT_TRUE(Open(client, path));
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        client.GetSnapshotByName(snapshot, "NOPE");
        client.GetSnapshotByName(snapshot, "PCB");
        Oskel::ContainerT<const Oskel::ITrelConfig> config;
        snapshot->GetTrelConfig(config, "PCB");
        client.CloseOskel();
    }
    EXPECT_EQ(CallLog(), (Names{"OpenOskel", "GetSnapshotByName", "GetSnapshotByName", "GetTrelConfig", "CloseOskel",
                                "~OskelPI"}));
    const std::vector<CallRecord> records = CallRecords();
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[0].argument, path);
    EXPECT_EQ(records[0].clientLabel, "Quillet_LT");
    EXPECT_TRUE(records[0].succeeded);
    EXPECT_EQ(records[1].argument, "NOPE");
    EXPECT_FALSE(records[1].succeeded);
    EXPECT_TRUE(records[2].succeeded);
    EXPECT_EQ(CallCount("GetSnapshotByName"), 2u);

    ResetCallLog();
    EXPECT_TRUE(CallLog().empty());
}

TEST_F(TraceTest, InjectedFailureAfterSomeCallsUntilCleared)
{
    const std::string path = WriteTemplate(
        "t", PcbDescription({ConductorLayer(1, "A", 1), ConductorLayer(2, "B", 2), ConductorLayer(3, "C", 3)}));
    Oskel::OskelPI client;
    const auto layers = Layers(*DesignOf(client, path));
    ASSERT_EQ(layers.size(), 3u);

    FailCall("GetMetallicLayerNumber", 2);
    int number = -1;
    EXPECT_TRUE(layers[0]->GetMetallicLayerNumber(number));
    EXPECT_TRUE(layers[1]->GetMetallicLayerNumber(number));
    number = -1;
    EXPECT_FALSE(layers[2]->GetMetallicLayerNumber(number));
    EXPECT_EQ(number, -1) << "an injected failure does nothing";
    EXPECT_FALSE(layers[0]->GetMetallicLayerNumber(number)) << "stays armed";
    Oskel::String name;
    EXPECT_TRUE(layers[2]->GetName(name)) << "other operations are not touched";

    ClearFailures();
    EXPECT_TRUE(layers[2]->GetMetallicLayerNumber(number));
    EXPECT_EQ(number, 3);
}

TEST_F(TraceTest, EachOperationCanBeMadeToFail)
{
    const std::string path = WriteTemplate("t", PcbDescription({ConductorLayer(1, "A", 1, std::string("S"))}));
    const Names operations{"OpenOskel",     "GetSnapshotByName", "GetTrelConfig", "GetTrelDesign",
                           "GetIterLayers", "GetType",           "GetName",       "GetMetallicLayerNumber",
                           "GetConstraint", "GetValueByString"};
    for (const std::string& failing : operations) {
        SCOPED_TRACE(failing);
        FailCall(failing);
        Oskel::OskelPI client;
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        Oskel::ContainerT<const Oskel::ITrelConfig> config;
        Oskel::ContainerT<const Oskel::ITrelDesign> design;
        Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
        Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
        Oskel::ELayerType type;
        Oskel::String text;
        Oskel::EConstraintType valueType;
        int number;
        // Steps in order; the first failure must be the injected one.
        const std::vector<std::pair<std::string, std::function<bool()>>> steps{
            {"OpenOskel", [&] { return Open(client, path).IsSuccess(); }},
            {"GetSnapshotByName", [&] { return client.GetSnapshotByName(snapshot, "PCB").IsSuccess(); }},
            {"GetTrelConfig", [&] { return snapshot->GetTrelConfig(config, "PCB").IsSuccess(); }},
            {"GetTrelDesign", [&] { return config->GetTrelDesign(design).IsSuccess(); }},
            {"GetIterLayers", [&] { return design->GetIterLayers(cursor).IsSuccess(); }},
            {"GetType", [&] { return cursor->GetType(type).IsSuccess(); }},
            {"GetName", [&] { return cursor->GetName(text).IsSuccess(); }},
            {"GetMetallicLayerNumber", [&] { return cursor->GetMetallicLayerNumber(number).IsSuccess(); }},
            {"GetConstraint", [&] { return cursor->GetConstraint(constraint, "LAYER_USAGE").IsSuccess(); }},
            {"GetValueByString", [&] { return constraint->GetValueByString(text, valueType).IsSuccess(); }},
        };
        std::string firstFailure;
        for (const auto& [operation, step] : steps) {
            if (!step()) {
                firstFailure = operation;
                break;
            }
        }
        EXPECT_EQ(firstFailure, failing);
        ClearFailures();
    }
}

}  // namespace
}  // namespace oskel_test
