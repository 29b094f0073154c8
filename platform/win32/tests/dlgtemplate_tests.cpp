// Dialog templates: writing and reading both layouts.
#include "test_support.h"

using namespace win32test;

namespace {

TEST(DialogTemplateTest, ExtendedTemplateRoundTrips)
{
    standin::DialogTemplate t = StandardDialog();
    t.helpId = 5;
    t.exStyle = WS_EX_CONTEXTHELP;
    t.items[2].creationData = {1, 2, 3};
    t.items[4].id = -1;
    const std::vector<uint8_t> bytes = standin::BuildDialogTemplate(t);
    const auto parsed = standin::ParseDialogTemplate(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->extended);
    EXPECT_EQ(5u, parsed->helpId);
    EXPECT_EQ(static_cast<uint32_t>(WS_EX_CONTEXTHELP), parsed->exStyle);
    EXPECT_EQ(t.style, parsed->style);
    EXPECT_EQ("MS Shell Dlg", parsed->typeface);
    EXPECT_EQ(400, parsed->weight);
    EXPECT_EQ(1, parsed->charset);
    ASSERT_EQ(t.items.size(), parsed->items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.items[i].id, parsed->items[i].id);
        EXPECT_EQ(t.items[i].style, parsed->items[i].style);
        EXPECT_TRUE(t.items[i].windowClass == parsed->items[i].windowClass);
        EXPECT_TRUE(t.items[i].title == parsed->items[i].title);
        EXPECT_EQ(t.items[i].creationData, parsed->items[i].creationData);
    }
}

TEST(DialogTemplateTest, OldTemplateHasWordIds)
{
    standin::DialogTemplate t = StandardDialog();
    t.extended = false;
    t.items[4].id = -1;
    const std::vector<uint8_t> bytes = standin::BuildDialogTemplate(t);
    const auto parsed = standin::ParseDialogTemplate(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed.has_value());
    EXPECT_FALSE(parsed->extended);
    EXPECT_EQ(0xFFFF, parsed->items[4].id);  // a WORD id reads back zero-extended
    EXPECT_EQ("MS Shell Dlg", parsed->typeface);
    EXPECT_EQ(0, parsed->weight);  // an old template has no weight
}

TEST(DialogTemplateTest, TruncatedTemplatesAreRejected)
{
    const std::vector<uint8_t> bytes = standin::BuildDialogTemplate(StandardDialog());
    for (size_t size = 0; size < bytes.size() - 1; ++size) {
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(standin::ParseDialogTemplate(prefix.data(), prefix.size()).has_value()) << size;
    }
    EXPECT_FALSE(standin::ParseDialogTemplate(nullptr, 100).has_value());
}

}  // namespace
