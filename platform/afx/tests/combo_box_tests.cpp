// Tests of CComboBox on a sorted drop-down list.
#include <afxwin.h>
#include <standin/display.h>

#include <gtest/gtest.h>

#include "TestDialog.h"

namespace {

TEST(CComboBox, SendsTheComboBoxMessages)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		CComboBox combo;
		ASSERT_TRUE(combo.SubclassDlgItem(afxtest::kComboId, &dialog));

		EXPECT_EQ(0, combo.AddString("6L"));
		EXPECT_EQ(0, combo.AddString("4L"));
		EXPECT_EQ(0, combo.AddString("10L"));  // sorted as text
		EXPECT_EQ(3, combo.GetCount());
		EXPECT_EQ(CB_ERR, combo.GetCurSel());

		EXPECT_EQ(1, combo.SelectString(-1, "4"));  // prefix, any case
		EXPECT_EQ(1, combo.GetCurSel());
		EXPECT_EQ(CB_ERR, combo.SelectString(-1, "8L"));
		EXPECT_EQ(1, combo.GetCurSel());
		EXPECT_EQ(2, combo.FindStringExact(-1, "6l"));
		EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, "6"));

		CString text("kept?");
		combo.GetLBText(2, text);
		EXPECT_STREQ("6L", text.GetString());
		EXPECT_EQ(2, combo.GetLBTextLen(2));
		combo.GetLBText(7, text);
		EXPECT_TRUE(text.IsEmpty());

		char buffer[8] = "xyz";
		EXPECT_EQ(3, combo.GetLBText(0, buffer));
		EXPECT_STREQ("10L", buffer);
		EXPECT_EQ(CB_ERR, combo.GetLBText(3, buffer));
		EXPECT_STREQ("10L", buffer);

		EXPECT_EQ(0, combo.SetCurSel(0));
		EXPECT_EQ(CB_ERR, combo.SetCurSel(-1));
		EXPECT_EQ(CB_ERR, combo.GetCurSel());
		combo.ResetContent();
		EXPECT_EQ(0, combo.GetCount());

		EXPECT_NE(nullptr, combo.UnsubclassWindow());
	});
	EXPECT_EQ("", display.Error());
}

}  // namespace
