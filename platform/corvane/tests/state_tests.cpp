// The object's states (created, initialised, loaded, closed), injected failures and the call log.

#include "TestSupport.h"

#include <gmock/gmock.h>

namespace corvane_test {
namespace {

using standin::corvane::Operation;
using ::testing::ElementsAre;

const std::string kValidFile =
    "[Corvane]\nVersion = 1\nLayerCount = 2\n[Layer 1]\nType = 1\nNumber = 1\n"
    "[Layer 2]\nType = 0\nNumber = 2\n";

class StateTest : public CorvaneTest {
protected:
    void SetUp() override
    {
        CorvaneTest::SetUp();
        m_file = m_folder.Native() / "Corvane.cvn";
        WriteBytes(m_file, kValidFile);
    }

    fs::path m_file;
};

TEST_F(StateTest, CallsOutOfOrderFail)
{
    CCorvane db;
    int count = -1;
    CCorvaneLayer layer;
    EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), 1)}, Status{CORVANE_E_NOT_INITIALISED});
    EXPECT_EQ(Status{db.GetLayerCount(&count)}, Status{CORVANE_E_NOT_LOADED});
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Status{db.FindLayer(&layer, 1)}, Status{CORVANE_E_NOT_LOADED});

    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Init()}, Status{CORVANE_E_ALREADY_INITIALISED});
    EXPECT_EQ(Status{db.GetLayerCount(&count)}, Status{CORVANE_E_NOT_LOADED});
    EXPECT_EQ(Status{db.FindLayer(&layer, 1)}, Status{CORVANE_E_NOT_LOADED});

    ASSERT_EQ(db.Load(Text(m_file).c_str(), 1), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Init()}, Status{CORVANE_E_ALREADY_INITIALISED});
    EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), 1)}, Status{CORVANE_E_ALREADY_LOADED});
    EXPECT_EQ(db.GetLayerCount(&count), CORVANE_S_OK);  // still loaded
    EXPECT_EQ(count, 2);
    db.Close();
}

TEST_F(StateTest, OnlyReadOnlyModeLoads)
{
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    for (const int mode : {0, 2, -1}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), mode)}, Status{CORVANE_E_BAD_MODE});
    }
    EXPECT_EQ(db.Load(Text(m_file).c_str(), 1), CORVANE_S_OK);
    db.Close();
}

TEST_F(StateTest, FailedLoadCanBeRetried)
{
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    const fs::path missing = m_folder.Native() / "missing.cvn";
    EXPECT_EQ(Status{db.Load(Text(missing).c_str(), 1)}, Status{CORVANE_E_FILE_NOT_FOUND});
    int count = 0;
    EXPECT_EQ(Status{db.GetLayerCount(&count)}, Status{CORVANE_E_NOT_LOADED});
    EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), 1)}, Status{CORVANE_S_OK});
    db.Close();
}

TEST_F(StateTest, CloseReturnsToTheStartAndMayBeRepeated)
{
    CCorvane db;
    db.Close();  // before Init: harmless
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    ASSERT_EQ(db.Load(Text(m_file).c_str(), 1), CORVANE_S_OK);
    db.Close();
    db.Close();

    int count = -1;
    CCorvaneLayer layer;
    EXPECT_EQ(Status{db.GetLayerCount(&count)}, Status{CORVANE_E_NOT_LOADED});
    EXPECT_EQ(Status{db.FindLayer(&layer, 1)}, Status{CORVANE_E_NOT_LOADED});
    EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), 1)}, Status{CORVANE_E_NOT_INITIALISED});

    ASSERT_EQ(db.Init(), CORVANE_S_OK);  // and the object can be used again
    ASSERT_EQ(db.Load(Text(m_file).c_str(), 1), CORVANE_S_OK);
    EXPECT_EQ(db.GetLayerCount(&count), CORVANE_S_OK);
    EXPECT_EQ(count, 2);
    db.Close();
}

TEST_F(StateTest, InjectedFailuresAffectOnlyTheirOperation)
{
    const struct {
        Operation operation;
        const char* name;
    } operations[] = {
        {Operation::Init, "Init"},
        {Operation::Load, "Load"},
        {Operation::GetLayerCount, "GetLayerCount"},
        {Operation::FindLayer, "FindLayer"},
        {Operation::GetLayerTypeValue, "GetLayerTypeValue"},
        {Operation::GetLayerNumber, "GetLayerNumber"},
    };
    for (const auto& injected : operations) {
        SCOPED_TRACE(injected.name);
        standin::corvane::ClearFailures();
        standin::corvane::FailOperation(injected.operation, 4242);
        const auto expected = [&](Operation operation) {
            return Status{operation == injected.operation ? 4242 : CORVANE_S_OK};
        };
        CCorvane db;
        EXPECT_EQ(Status{db.Init()}, expected(Operation::Init));
        if (injected.operation == Operation::Init)
            continue;
        EXPECT_EQ(Status{db.Load(Text(m_file).c_str(), 1)}, expected(Operation::Load));
        if (injected.operation == Operation::Load) {
            db.Close();
            continue;
        }
        int count = -1;
        EXPECT_EQ(Status{db.GetLayerCount(&count)}, expected(Operation::GetLayerCount));
        CCorvaneLayer layer;
        EXPECT_EQ(Status{db.FindLayer(&layer, 1)}, expected(Operation::FindLayer));
        CCorvaneLayer::eLayerType type{};
        int number = 0;
        if (injected.operation == Operation::FindLayer) {  // the record stays empty
            EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_LAYER_EMPTY});
        } else {
            EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, expected(Operation::GetLayerTypeValue));
            EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, expected(Operation::GetLayerNumber));
        }
        db.Close();
    }
}

TEST_F(StateTest, InjectedFindLayerFailureForOneIndex)
{
    standin::corvane::FailFindLayer(2);
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    ASSERT_EQ(db.Load(Text(m_file).c_str(), 1), CORVANE_S_OK);
    CCorvaneLayer layer;
    EXPECT_EQ(Status{db.FindLayer(&layer, 1)}, Status{CORVANE_S_OK});
    EXPECT_EQ(Status{db.FindLayer(&layer, 2)}, Status{CORVANE_E_INJECTED});
    standin::corvane::ClearFailures();
    EXPECT_EQ(Status{db.FindLayer(&layer, 2)}, Status{CORVANE_S_OK});
    db.Close();
    EXPECT_THROW(standin::corvane::FailFindLayer(1, CORVANE_S_OK), std::invalid_argument);
}

TEST_F(StateTest, CallLogRecordsTheCallsInOrder)
{
    standin::corvane::ResetCallLog();
    {
        CCorvane db;
        db.Init();
        db.Load(Text(m_file).c_str(), 1);
        CCorvaneLayer layer;
        int count = 0;
        db.GetLayerCount(&count);
        db.FindLayer(&layer, 1);
        CCorvaneLayer::eLayerType type{};
        layer.GetLayerTypeValue(&type);
        int number = 0;
        layer.GetLayerNumber(&number);
        db.FindLayer(&layer, 3);  // failed calls are logged too
        db.Close();
    }
    EXPECT_THAT(standin::corvane::CallLog(), ElementsAre("CCorvane", "Init", "Load", "CCorvaneLayer", "GetLayerCount",
                                                         "FindLayer(1)", "GetLayerTypeValue", "GetLayerNumber",
                                                         "FindLayer(3)", "Close", "~CCorvaneLayer", "~CCorvane"));
    standin::corvane::ResetCallLog();
    EXPECT_TRUE(standin::corvane::CallLog().empty());
}

}  // namespace
}  // namespace corvane_test
