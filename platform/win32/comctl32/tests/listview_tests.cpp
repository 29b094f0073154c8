// List view in report mode, as the stack-up list uses it: columns, rows
// appended with LVM_INSERTITEM and filled with LVM_SETITEMTEXT, emptied with
// LVM_DELETEALLITEMS, and the notifications the parent hears meanwhile.
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;

namespace {

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest() : m_list(m_parent.Child(WC_LISTVIEWA, LVS_REPORT | LVS_ALIGNLEFT, IDC_LIST)) { Recorder::Clear(); }
    ~ListViewTest() override { DestroyWindow(m_list); }

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
        buffer.back() = '\0';
        LVITEMA item{};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = size;
        SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer.data();
    }

    int Count() { return static_cast<int>(SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }

    // The WM_NOTIFY codes the parent heard since the last call.
    static std::vector<UINT> NotifyCodes()
    {
        std::vector<UINT> codes;
        for (const Message& m : Recorder::Messages()) {
            if (m.message == WM_NOTIFY)
                codes.push_back(static_cast<UINT>(m.wParam));
        }
        Recorder::Clear();
        return codes;
    }

    ParentWindow m_parent;
    HWND m_list;
};

// LVM_INSERTCOLUMN answers the new column's index; an index past the count
// appends. The formats read back as they were set (the first column is drawn
// left-aligned whatever its format says).
TEST_F(ListViewTest, ColumnsInsertAppendAndReadBack)
{
    EXPECT_EQ(0, InsertColumn(0, "", 30, LVCFMT_RIGHT));
    EXPECT_EQ(1, InsertColumn(1, "Layer name", 150));
    EXPECT_EQ(2, InsertColumn(7, "Layer usage", 145, LVCFMT_CENTER));

    char text[32] = "";
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(SendMessageA(m_list, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_EQ(30, column.cx);
    ASSERT_TRUE(SendMessageA(m_list, LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(LVCFMT_CENTER, column.fmt & LVCFMT_JUSTIFYMASK);
    EXPECT_STREQ("Layer usage", text);
    EXPECT_EQ(145, column.cx);
    EXPECT_FALSE(SendMessageA(m_list, LVM_GETCOLUMNA, 3, reinterpret_cast<LPARAM>(&column)));
}

// The stack-up list's way: each row appended at the count with its first
// text, its sub-items set after; LVM_INSERTITEM answers the row's index, and
// an index past the count appends. A NULL text reads back as "".
TEST_F(ListViewTest, RowsAppendedAndFilledAsTheStackUpListWritesThem)
{
    for (int c = 0; c < 3; ++c)
        InsertColumn(c, "", 50);
    EXPECT_EQ(0, InsertItem(0, "1"));
    EXPECT_TRUE(SetText(0, 1, "TOP"));
    EXPECT_TRUE(SetText(0, 2, "Signal"));
    EXPECT_EQ(1, InsertItem(99, "2"));
    EXPECT_TRUE(SetText(1, 1, nullptr));
    EXPECT_EQ(0, InsertItem(0, "0"));
    EXPECT_EQ(3, Count());
    EXPECT_EQ("0", Text(0, 0));
    EXPECT_EQ("1", Text(1, 0));
    EXPECT_EQ("TOP", Text(1, 1));
    EXPECT_EQ("Signal", Text(1, 2));
    EXPECT_EQ("", Text(2, 1));
    EXPECT_EQ("", Text(0, 2));
    EXPECT_EQ(WineDeviation<std::string>("LVM_GETITEMTEXTA fills the buffer unterminated", "Sig", "Sign"),
              Text(1, 2, 4))
        << "cut to the buffer of 4, terminated";
    EXPECT_FALSE(SetText(5, 1, "none")) << "no such row";
}

// An item is inserted as itself (iSubItem 0), at an index that is not
// negative; past the count it is appended.
TEST_F(ListViewTest, InsertItemRules)
{
    InsertColumn(0, "", 50);
    InsertColumn(1, "", 50);
    EXPECT_EQ(-1, InsertItem(0, "sub", 1));
    EXPECT_EQ(-1, InsertItem(-1, "negative"));
    EXPECT_EQ(0, InsertItem(5, "a"));
    EXPECT_EQ(1, InsertItem(100, "c"));
    EXPECT_EQ(1, InsertItem(1, "b"));
    EXPECT_EQ("a", Text(0, 0));
    EXPECT_EQ("b", Text(1, 0));
    EXPECT_EQ("c", Text(2, 0));
    EXPECT_FALSE(SetText(0, 2, "no such column"));
}

// LVM_DELETEALLITEMS answers TRUE; the parent hears LVN_DELETEALLITEMS, also
// for an empty list, and then, unless it answers TRUE, LVN_DELETEITEM for each
// row; it heard LVN_INSERTITEM for each row inserted.
TEST_F(ListViewTest, DeleteAllItemsEmptiesAndNotifies)
{
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_THAT(NotifyCodes(), ::testing::ElementsAre(LVN_DELETEALLITEMS));
    InsertColumn(0, "", 50);
    InsertItem(0, "a");
    InsertItem(1, "b");
    EXPECT_THAT(NotifyCodes(), ::testing::ElementsAre(LVN_INSERTITEM, LVN_INSERTITEM));
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(0, Count());
    EXPECT_THAT(NotifyCodes(), ::testing::ElementsAre(LVN_DELETEALLITEMS, LVN_DELETEITEM, LVN_DELETEITEM));

    // A parent that answers TRUE to LVN_DELETEALLITEMS hears nothing more.
    InsertItem(0, "a");
    InsertItem(1, "b");
    NotifyCodes();
    ParentWindow::AnswerNotifications(TRUE);
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEALLITEMS, 0, 0));
    ParentWindow::AnswerNotifications(0);
    EXPECT_EQ(0, Count());
    EXPECT_THAT(NotifyCodes(), ::testing::ElementsAre(LVN_DELETEALLITEMS));
}

// LVM_DELETEITEM removes one row; an index past the end is refused.
TEST_F(ListViewTest, DeleteItemRemovesOneRow)
{
    InsertColumn(0, "", 50);
    InsertItem(0, "a");
    InsertItem(1, "b");
    EXPECT_TRUE(SendMessageA(m_list, LVM_DELETEITEM, 0, 0));
    EXPECT_FALSE(SendMessageA(m_list, LVM_DELETEITEM, 1, 0));
    EXPECT_EQ(1, Count());
    EXPECT_EQ("b", Text(0, 0));
}

}  // namespace
