// Tests of CListCtrl on a report-mode list view.
#include <afxcmn.h>
#include <standin/display.h>

#include <gtest/gtest.h>

#include <string>

#include "TestDialog.h"

namespace {

TEST(CListCtrl, MakesColumnsAndRows)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		CListCtrl list;
		ASSERT_TRUE(list.SubclassDlgItem(afxtest::kListId, &dialog));

		EXPECT_EQ(0, list.InsertColumn(0, "", LVCFMT_LEFT, 30, -1));
		EXPECT_EQ(1, list.InsertColumn(1, "Layer name", LVCFMT_LEFT, 150, -1));
		EXPECT_EQ(2, list.InsertColumn(7, "Layer usage"));  // beyond the end: appended

		char heading[32] = "";
		LVCOLUMN column = {};
		column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
		column.pszText = heading;
		column.cchTextMax = sizeof(heading);
		ASSERT_TRUE(list.GetColumn(1, &column));
		EXPECT_STREQ("Layer name", heading);
		EXPECT_EQ(150, column.cx);
		EXPECT_EQ(LVCFMT_LEFT, column.fmt);

		EXPECT_EQ(0, list.InsertItem(LVIF_TEXT, 0, "1", 0, 0, 0, 0));
		EXPECT_TRUE(list.SetItemText(0, 1, "Top"));
		EXPECT_TRUE(list.SetItemText(0, 2, "SIGNAL"));
		EXPECT_EQ(1, list.InsertItem(9, "2"));
		EXPECT_EQ(2, list.GetItemCount());

		EXPECT_STREQ("1", list.GetItemText(0, 0).GetString());
		EXPECT_STREQ("Top", list.GetItemText(0, 1).GetString());
		EXPECT_STREQ("SIGNAL", list.GetItemText(0, 2).GetString());
		EXPECT_STREQ("", list.GetItemText(1, 2).GetString());
		EXPECT_STREQ("", list.GetItemText(5, 0).GetString());

		// A text longer than the first buffer comes back whole; exactly at
		// its size too.
		for (size_t length : { 255u, 256u, 257u, 5000u })
		{
			const std::string name(length, 'n');
			EXPECT_TRUE(list.SetItemText(1, 1, name.c_str()));
			EXPECT_EQ(name, list.GetItemText(1, 1).GetString());
		}

		char shortBuffer[4] = "";
		EXPECT_EQ(3, list.GetItemText(0, 2, shortBuffer, sizeof(shortBuffer)));
		EXPECT_STREQ("SIG", shortBuffer);

		EXPECT_TRUE(list.DeleteItem(0));
		EXPECT_EQ(1, list.GetItemCount());
		EXPECT_TRUE(list.DeleteAllItems());
		EXPECT_EQ(0, list.GetItemCount());

		EXPECT_NE(nullptr, list.UnsubclassWindow());
	});
	EXPECT_EQ("", display.Error());
}

}  // namespace
