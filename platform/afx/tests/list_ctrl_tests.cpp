// Tests of CListCtrl on a report-mode list view.
#include <afxcmn.h>
#include <standin/display.h>

#include <gtest/gtest.h>

#include <string>

#include "TestDialog.h"

namespace {

// What the list view holds, read through its messages as a host would.
std::string ItemText(HWND list, int item, int subItem)
{
	std::string text(8192, '\0');
	LVITEM request = {};
	request.iSubItem = subItem;
	request.pszText = text.data();
	request.cchTextMax = static_cast<int>(text.size());
	text.resize(static_cast<size_t>(
		SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&request))));
	return text;
}

TEST(CListCtrl, MakesColumnsAndRows)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		CListCtrl list;
		ASSERT_TRUE(list.SubclassDlgItem(afxtest::kListId, &dialog));
		const HWND hwnd = list.GetSafeHwnd();

		EXPECT_EQ(0, list.InsertColumn(0, "", LVCFMT_LEFT, 30, -1));
		EXPECT_EQ(1, list.InsertColumn(1, "Layer name", LVCFMT_RIGHT, 150, -1));
		EXPECT_EQ(2, list.InsertColumn(7, "Layer usage"));  // beyond the end: appended

		char heading[32] = "";
		LVCOLUMN column = {};
		column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
		column.pszText = heading;
		column.cchTextMax = sizeof(heading);
		ASSERT_TRUE(SendMessageA(hwnd, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
		EXPECT_STREQ("Layer name", heading);
		EXPECT_EQ(150, column.cx);
		EXPECT_EQ(LVCFMT_RIGHT, column.fmt);

		EXPECT_EQ(0, list.InsertItem(LVIF_TEXT, 0, "1", 0, 0, 0, 0));
		EXPECT_TRUE(list.SetItemText(0, 1, "Top"));
		EXPECT_TRUE(list.SetItemText(0, 2, "SIGNAL"));
		EXPECT_EQ(1, list.InsertItem(LVIF_TEXT, 9, "2", 0, 0, 0, 0));  // beyond the end: appended
		EXPECT_EQ(0, list.InsertItem(LVIF_TEXT, 0, "0", 0, 0, 0, 0));  // before the first
		EXPECT_EQ(3, SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0));

		EXPECT_EQ("0", ItemText(hwnd, 0, 0));
		EXPECT_EQ("1", ItemText(hwnd, 1, 0));
		EXPECT_EQ("Top", ItemText(hwnd, 1, 1));
		EXPECT_EQ("SIGNAL", ItemText(hwnd, 1, 2));
		EXPECT_EQ("2", ItemText(hwnd, 2, 0));
		EXPECT_EQ("", ItemText(hwnd, 2, 2));
		EXPECT_FALSE(list.SetItemText(5, 1, "none"));  // no such row

		const std::string longName(5000, 'n');
		EXPECT_TRUE(list.SetItemText(2, 1, longName.c_str()));
		EXPECT_EQ(longName, ItemText(hwnd, 2, 1));

		EXPECT_NE(nullptr, list.UnsubclassWindow());
	});
	EXPECT_EQ("", display.Error());
}

}  // namespace
