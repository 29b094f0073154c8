// List view in report mode, the stand-in's own rules beyond the conformance
// cases (tests/conformance/listview_tests.cpp): insertion indexes, texts cut to
// the buffer, deleting.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;

namespace {

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest() : m_list(m_parent.Child(WC_LISTVIEWA, LVS_REPORT | LVS_ALIGNLEFT, kListId)) {}

    int InsertColumn(int index, const char* text, int width, int format = LVCFMT_LEFT)
    {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = format;
        column.cx = width;
        column.pszText = const_cast<LPSTR>(text);
        return static_cast<int>(
            SendMessageA(m_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
    }

    int InsertItem(int index, const char* text, int subItem = 0)
    {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.iSubItem = subItem;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<int>(SendMessageA(m_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }

    BOOL SetText(int index, int subItem, const char* text)
    {
        LVITEMA item{};
        item.iSubItem = subItem;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<BOOL>(
            SendMessageA(m_list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }

    std::string Text(int index, int subItem, int size = 64)
    {
        std::vector<char> buffer(static_cast<size_t>(size) + 1, '#');
        LVITEMA item{};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer.data();
    }

    int Count() { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

    Parent m_parent;
    HWND m_list;
};

TEST_F(ListViewTest, InsertItemRules)
{
    InsertColumn(0, "", 50);
    InsertColumn(1, "", 50);
    EXPECT_EQ(-1, InsertItem(0, "sub", 1));  // only the item itself can be inserted
    EXPECT_EQ(-1, InsertItem(-1, "negative"));
    EXPECT_EQ(0, InsertItem(5, "a"));  // past the end appends
    EXPECT_EQ(1, InsertItem(100, "c"));
    EXPECT_EQ(1, InsertItem(1, "b"));
    EXPECT_EQ("a", Text(0, 0));
    EXPECT_EQ("b", Text(1, 0));
    EXPECT_EQ("c", Text(2, 0));
    EXPECT_EQ(-1, SendMessageA(m_list, LVM_INSERTITEMA, 0, 0));
}

TEST_F(ListViewTest, ItemTextsReadBackAndTruncate)
{
    InsertColumn(0, "", 50);
    InsertColumn(1, "", 50);
    InsertItem(0, "1");
    EXPECT_TRUE(SetText(0, 1, "Layer"));
    EXPECT_EQ("Lay", Text(0, 1, 4));
    EXPECT_TRUE(SetText(0, 1, nullptr));  // NULL reads back as ""
    EXPECT_EQ("", Text(0, 1));
    EXPECT_FALSE(SetText(1, 1, "no such item"));
    EXPECT_FALSE(SetText(0, 2, "no such column"));
    EXPECT_EQ("", Text(3, 0));
}

TEST_F(ListViewTest, DeleteAllItemsNotifiesAndEmpties)
{
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));  // an empty list too
    for (int r = 0; r < 2; ++r)
        InsertItem(r, "row");
    m_parent.notifyCodes.clear();
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(0, Count());
    EXPECT_THAT(m_parent.notifyCodes, ::testing::ElementsAre(LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM));

    // A parent that answers TRUE to LVN_DELETEALLITEMS hears nothing more.
    for (int r = 0; r < 2; ++r)
        InsertItem(r, "row");
    m_parent.notifyCodes.clear();
    m_parent.notifyAnswer = TRUE;
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_THAT(m_parent.notifyCodes, ::testing::ElementsAre(LVN_DELETEALLITEMS));
    EXPECT_EQ(0, Count());
}

TEST_F(ListViewTest, DeleteItemRemovesOneRow)
{
    InsertItem(0, "a");
    InsertItem(1, "b");
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEITEM, 0, 0));
    EXPECT_FALSE(SendMessageA(m_list, LVM_DELETEITEM, 1, 0));
    EXPECT_EQ(1, Count());
    EXPECT_EQ("b", Text(0, 0));
}

}  // namespace
