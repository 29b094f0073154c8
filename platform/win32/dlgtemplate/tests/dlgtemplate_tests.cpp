// Dialog templates: what the writer writes, the reader reads back, in both
// layouts; a template cut short never reads.
#include <dlgtemplate/DialogTemplate.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The tests' texts are ASCII: one code unit per character.
std::u16string Encode(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::string Decode(const char16_t* text, std::size_t length)
{
    std::string decoded;
    for (std::size_t i = 0; i < length; ++i)
        decoded += static_cast<char>(text[i]);
    return decoded;
}

constexpr uint32_t kSetFont = 0x40;
constexpr uint32_t kVisibleChild = 0x50000000;  // WS_CHILD | WS_VISIBLE

// OK, Cancel, a combo box, a list view named by its class, a label.
dlgtemplate::DialogTemplate Dialog(bool extended)
{
    dlgtemplate::DialogTemplate t;
    t.extended = extended;
    t.version = extended ? 1 : 0;
    t.style = 0x80C80000 | kSetFont;  // WS_POPUP | WS_CAPTION | WS_SYSMENU
    t.cx = 234;
    t.cy = 174;
    t.caption = "Test";
    t.pointSize = 8;
    t.weight = extended ? 400 : 0;
    t.charset = extended ? 1 : 0;
    t.typeface = "MS Shell Dlg";
    t.items.push_back(dlgtemplate::Control(0x80, 1, "OK", kVisibleChild | 1, 53, 151, 50, 14));
    t.items.push_back(dlgtemplate::Control(0x80, 2, "Cancel", kVisibleChild, 130, 151, 50, 14));
    t.items.push_back(dlgtemplate::Control(0x85, 2001, "", kVisibleChild | 3, 87, 20, 140, 82));
    t.items.push_back(dlgtemplate::Control(0, 2002, "", kVisibleChild, 7, 50, 220, 91));
    t.items.back().windowClass = dlgtemplate::ResourceId{false, 0, "SysListView32"};
    t.items.push_back(dlgtemplate::Control(0x82, -1, "Label", kVisibleChild, 7, 7, 51, 8));
    return t;
}

void ExpectItemsEqual(const dlgtemplate::DialogTemplate& written, const dlgtemplate::DialogTemplate& read)
{
    ASSERT_EQ(written.items.size(), read.items.size());
    for (size_t i = 0; i < written.items.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written.items[i].style, read.items[i].style);
        EXPECT_EQ(written.items[i].x, read.items[i].x);
        EXPECT_EQ(written.items[i].cy, read.items[i].cy);
        EXPECT_TRUE(written.items[i].windowClass == read.items[i].windowClass);
        EXPECT_TRUE(written.items[i].title == read.items[i].title);
        EXPECT_EQ(written.items[i].creationData, read.items[i].creationData);
    }
}

TEST(DialogTemplateTest, ExtendedTemplateRoundTrips)
{
    dlgtemplate::DialogTemplate t = Dialog(true);
    t.helpId = 5;
    t.exStyle = 0x400;  // WS_EX_CONTEXTHELP
    t.items[2].creationData = {1, 2, 3};
    const std::vector<uint8_t> bytes = dlgtemplate::WriteDialogTemplate(t, Encode);
    const auto read = dlgtemplate::ReadDialogTemplate(bytes.data(), bytes.size(), Decode);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->extended);
    EXPECT_EQ(5u, read->helpId);
    EXPECT_EQ(0x400u, read->exStyle);
    EXPECT_EQ(t.style, read->style);
    EXPECT_EQ("Test", read->caption);
    EXPECT_EQ("MS Shell Dlg", read->typeface);
    EXPECT_EQ(400, read->weight);
    EXPECT_EQ(1, read->charset);
    EXPECT_EQ(-1, read->items[4].id);
    ExpectItemsEqual(t, *read);
}

TEST(DialogTemplateTest, OldTemplateHasWordIds)
{
    const dlgtemplate::DialogTemplate t = Dialog(false);
    const std::vector<uint8_t> bytes = dlgtemplate::WriteDialogTemplate(t, Encode);
    const auto read = dlgtemplate::ReadDialogTemplate(bytes.data(), bytes.size(), Decode);
    ASSERT_TRUE(read.has_value());
    EXPECT_FALSE(read->extended);
    EXPECT_EQ(0xFFFF, read->items[4].id);  // a WORD id reads back zero-extended
    EXPECT_EQ("MS Shell Dlg", read->typeface);
    EXPECT_EQ(0, read->weight);  // an old template has no weight
    ExpectItemsEqual(t, *read);
}

TEST(DialogTemplateTest, TruncatedTemplatesAreRejected)
{
    const std::vector<uint8_t> bytes = dlgtemplate::WriteDialogTemplate(Dialog(true), Encode);
    for (size_t size = 0; size < bytes.size() - 1; ++size) {
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(dlgtemplate::ReadDialogTemplate(prefix.data(), prefix.size(), Decode).has_value()) << size;
    }
    EXPECT_FALSE(dlgtemplate::ReadDialogTemplate(nullptr, 100, Decode).has_value());
}

}  // namespace
