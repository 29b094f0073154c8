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

		// Filled and selected as the module does it, with the messages.
		for (const char* text : { "6L", "4L", "10L" })
			::SendMessageA(combo.GetSafeHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
		EXPECT_EQ(CB_ERR, combo.GetCurSel());
		::SendMessageA(combo.GetSafeHwnd(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("4"));
		EXPECT_EQ(1, combo.GetCurSel());

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

		EXPECT_NE(nullptr, combo.UnsubclassWindow());
	});
	EXPECT_EQ("", display.Error());
}

}  // namespace
