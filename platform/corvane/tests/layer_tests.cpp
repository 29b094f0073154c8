// GetLayerCount, FindLayer and the layer record's getters.

#include "TestSupport.h"

#include <climits>

namespace corvane_test {
namespace {

const std::string kHeader = "[Corvane]\nVersion = 1\n";

TEST_F(CorvaneTest, LayerCountValues)
{
    const struct {
        const char* line;
        long expected;
        int count;
    } cases[] = {
        {"LayerCount = 0", CORVANE_S_OK, 0},
        {"LayerCount = 6", CORVANE_S_OK, 6},
        {"layercount = +6 ; six", CORVANE_S_OK, 6},
        {"LayerCount = 100000", CORVANE_S_OK, 100000},
        {"LayerCount = 100001", CORVANE_E_LAYER_COUNT_TOO_LARGE, 0},
        {"LayerCount = 2147483647", CORVANE_E_LAYER_COUNT_TOO_LARGE, 0},
        {"LayerCount = -1", CORVANE_E_LAYER_COUNT_NEGATIVE, 0},
        {"LayerCount =", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCount = 3x", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCount = 0x3", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCount = 3.0", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCount = 3;x", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCount = 2147483648", CORVANE_E_LAYER_COUNT_MALFORMED, 0},
        {"LayerCounts = 3", CORVANE_E_LAYER_COUNT_MISSING, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(Status{LoadText(kHeader + c.line + "\n")}, Status{CORVANE_S_OK});
        int count = -7;
        EXPECT_EQ(Status{m_db->GetLayerCount(&count)}, Status{c.expected});
        EXPECT_EQ(count, c.count);  // 0 on failure
    }
}

TEST_F(CorvaneTest, LayerCountInAnotherSectionDoesNotCount)
{
    ASSERT_EQ(LoadText(kHeader + "[Layer 1]\nLayerCount = 3\n"), CORVANE_S_OK);
    int count = 0;
    EXPECT_EQ(Status{m_db->GetLayerCount(&count)}, Status{CORVANE_E_LAYER_COUNT_MISSING});
}

TEST_F(CorvaneTest, FindLayerBoundsAndSectionNames)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 6\n"
                                 "[Layer 1]\nType = 1\n"
                                 "[LAYER 2]\nType = 1\n"
                                 "[ Layer 3 ]\nType = 1\n"
                                 "[Layer 04]\nType = 1\n"
                                 "[Layer  5]\nType = 1\n"
                                 "[Layer +6]\nType = 1\n"
                                 "[Layer 7]\nType = 1\n"),
              CORVANE_S_OK);
    const struct {
        int index;
        long expected;
    } cases[] = {
        {1, CORVANE_S_OK},
        {2, CORVANE_S_OK},                  // names match ignoring case
        {3, CORVANE_S_OK},                  // and blanks around them
        {4, CORVANE_E_NO_SUCH_LAYER},       // "Layer 04": no leading zeros
        {5, CORVANE_E_NO_SUCH_LAYER},       // one space only
        {6, CORVANE_E_NO_SUCH_LAYER},       // no sign
        {7, CORVANE_E_INDEX_OUT_OF_RANGE},  // present, but beyond LayerCount
        {0, CORVANE_E_INDEX_OUT_OF_RANGE},
        {-1, CORVANE_E_INDEX_OUT_OF_RANGE},
        {INT_MIN, CORVANE_E_INDEX_OUT_OF_RANGE},
        {INT_MAX, CORVANE_E_INDEX_OUT_OF_RANGE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        CCorvaneLayer layer;
        EXPECT_EQ(Status{m_db->FindLayer(&layer, c.index)}, Status{c.expected});
    }
}

TEST_F(CorvaneTest, FindLayerNeedsAUsableLayerCount)
{
    const struct {
        const char* line;
        long expected;
    } cases[] = {
        {"Owner = x", CORVANE_E_LAYER_COUNT_MISSING},
        {"LayerCount = many", CORVANE_E_LAYER_COUNT_MALFORMED},
        {"LayerCount = -1", CORVANE_E_LAYER_COUNT_NEGATIVE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_EQ(LoadText(kHeader + c.line + "\n[Layer 1]\nType = 1\n"), CORVANE_S_OK);
        CCorvaneLayer layer;
        EXPECT_EQ(Status{m_db->FindLayer(&layer, 1)}, Status{c.expected});
    }
}

TEST_F(CorvaneTest, TypeAndNumberValues)
{
    const struct {
        const char* value;  // as written after "= "
        long expected;
        int stored;
    } cases[] = {
        {"1", CORVANE_S_OK, 1},
        {"  1  ", CORVANE_S_OK, 1},  // values are trimmed
        {"\t1\t", CORVANE_S_OK, 1},
        {"+1", CORVANE_S_OK, 1},
        {"-3", CORVANE_S_OK, -3},
        {"007", CORVANE_S_OK, 7},
        {"7 ; seven", CORVANE_S_OK, 7},
        {"2147483647", CORVANE_S_OK, INT_MAX},
        {"-2147483648", CORVANE_S_OK, INT_MIN},
        {"", CORVANE_E_KEY_MALFORMED, 0},
        {"1x", CORVANE_E_KEY_MALFORMED, 0},
        {"0x1", CORVANE_E_KEY_MALFORMED, 0},
        {"1.0", CORVANE_E_KEY_MALFORMED, 0},
        {"1;x", CORVANE_E_KEY_MALFORMED, 0},
        {"1 2", CORVANE_E_KEY_MALFORMED, 0},
        {"- 1", CORVANE_E_KEY_MALFORMED, 0},
        {"+-1", CORVANE_E_KEY_MALFORMED, 0},
        {"+", CORVANE_E_KEY_MALFORMED, 0},
        {"2147483648", CORVANE_E_KEY_MALFORMED, 0},
        {"-2147483649", CORVANE_E_KEY_MALFORMED, 0},
        {"99999999999", CORVANE_E_KEY_MALFORMED, 0},
        {"\xEF\xBC\x91", CORVANE_E_KEY_MALFORMED, 0},  // a full-width digit one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.value + "\"");
        ASSERT_EQ(LoadText(kHeader + "LayerCount = 1\n[Layer 1]\nType = " + c.value + "\nNumber = " + c.value + "\n"),
                  CORVANE_S_OK);
        CCorvaneLayer layer;
        ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
        CCorvaneLayer::eLayerType type = CCorvaneLayer::eLayerDielectric;
        int number = -99;
        EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{c.expected});
        EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, Status{c.expected});
        if (c.expected == CORVANE_S_OK) {
            EXPECT_EQ(static_cast<int>(type), c.stored);
            EXPECT_EQ(number, c.stored);
        } else {  // a failed getter writes nothing
            EXPECT_EQ(type, CCorvaneLayer::eLayerDielectric);
            EXPECT_EQ(number, -99);
        }
    }
}

TEST_F(CorvaneTest, MissingKeysFailTheirGetterOnly)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 3\n[Layer 1]\nType = 2\n[Layer 2]\nnumber = 5\n[Layer 3]\n"),
              CORVANE_S_OK);
    CCorvaneLayer layer;
    CCorvaneLayer::eLayerType type{};
    int number = 0;

    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    EXPECT_EQ(layer.GetLayerTypeValue(&type), CORVANE_S_OK);
    EXPECT_EQ(type, CCorvaneLayer::eLayerDielectric);
    EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, Status{CORVANE_E_KEY_MISSING});

    ASSERT_EQ(m_db->FindLayer(&layer, 2), CORVANE_S_OK);  // the record is filled afresh
    EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_KEY_MISSING});
    EXPECT_EQ(layer.GetLayerNumber(&number), CORVANE_S_OK);
    EXPECT_EQ(number, 5);

    ASSERT_EQ(m_db->FindLayer(&layer, 3), CORVANE_S_OK);  // an empty section is a layer
    EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_KEY_MISSING});
    EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, Status{CORVANE_E_KEY_MISSING});
}

TEST_F(CorvaneTest, AnyIntTypeIsStoredAsIs)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 2\n[Layer 1]\nType = 7\n[Layer 2]\nType = -1\n"), CORVANE_S_OK);
    CCorvaneLayer layer;
    CCorvaneLayer::eLayerType type{};
    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    ASSERT_EQ(layer.GetLayerTypeValue(&type), CORVANE_S_OK);
    EXPECT_EQ(static_cast<int>(type), 7);
    ASSERT_EQ(m_db->FindLayer(&layer, 2), CORVANE_S_OK);
    ASSERT_EQ(layer.GetLayerTypeValue(&type), CORVANE_S_OK);
    EXPECT_EQ(static_cast<int>(type), -1);
}

TEST_F(CorvaneTest, RecordIsEmptyUntilFilledAndAfterAFailedFind)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 2\n[Layer 1]\nType = 1\nNumber = 4\n"), CORVANE_S_OK);
    CCorvaneLayer layer;
    CCorvaneLayer::eLayerType type{};
    int number = 0;
    EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_LAYER_EMPTY});
    EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, Status{CORVANE_E_LAYER_EMPTY});

    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    ASSERT_EQ(m_db->FindLayer(&layer, 2), CORVANE_E_NO_SUCH_LAYER);
    EXPECT_EQ(Status{layer.GetLayerTypeValue(&type)}, Status{CORVANE_E_LAYER_EMPTY});
    EXPECT_EQ(Status{layer.GetLayerNumber(&number)}, Status{CORVANE_E_LAYER_EMPTY});
}

TEST_F(CorvaneTest, RecordOutlivesCloseAndTheDatabase)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 1\n[Layer 1]\nType = 0\nNumber = 2\n"), CORVANE_S_OK);
    CCorvaneLayer layer;
    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    m_db->Close();
    m_db.reset();
    CCorvaneLayer::eLayerType type{};
    int number = 0;
    EXPECT_EQ(layer.GetLayerTypeValue(&type), CORVANE_S_OK);
    EXPECT_EQ(type, CCorvaneLayer::eLayerPlane);
    EXPECT_EQ(layer.GetLayerNumber(&number), CORVANE_S_OK);
    EXPECT_EQ(number, 2);
}

TEST_F(CorvaneTest, NullPointersFail)
{
    ASSERT_EQ(LoadText(kHeader + "LayerCount = 1\n[Layer 1]\nType = 0\nNumber = 2\n"), CORVANE_S_OK);
    EXPECT_EQ(Status{m_db->GetLayerCount(nullptr)}, Status{CORVANE_E_NULL_ARGUMENT});
    EXPECT_EQ(Status{m_db->FindLayer(nullptr, 1)}, Status{CORVANE_E_NULL_ARGUMENT});
    CCorvaneLayer layer;
    ASSERT_EQ(m_db->FindLayer(&layer, 1), CORVANE_S_OK);
    EXPECT_EQ(Status{layer.GetLayerTypeValue(nullptr)}, Status{CORVANE_E_NULL_ARGUMENT});
    EXPECT_EQ(Status{layer.GetLayerNumber(nullptr)}, Status{CORVANE_E_NULL_ARGUMENT});

    CCorvane fresh;
    ASSERT_EQ(fresh.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{fresh.Load(nullptr, 1)}, Status{CORVANE_E_NULL_ARGUMENT});
    fresh.Close();
}

}  // namespace
}  // namespace corvane_test
