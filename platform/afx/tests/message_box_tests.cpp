// Tests of AfxMessageBox: style, caption, owner and answer.
#include <afxwin.h>
#include <standin/display.h>

#include <gtest/gtest.h>

#include "TestDialog.h"

using standin::Action;

namespace {

TEST(AfxMessageBox, ShowsTheTextWithTheProgramNameAndReturnsTheAnswer)
{
	standin::ScriptedDisplay display;
	display.Push(Action::Enter());   // Yes, the default button
	display.Push(Action::Escape());  // OK on an MB_OK box
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDYES, AfxMessageBox("Would you like\nto select one?", MB_YESNO | MB_ICONEXCLAMATION));
	EXPECT_EQ(IDOK, AfxMessageBox("100% \"done\"", MB_OK | MB_ICONSTOP));

	const auto boxes = display.MessageBoxes();
	ASSERT_EQ(2u, boxes.size());
	EXPECT_EQ("Would you like\nto select one?", boxes[0].text);
	EXPECT_EQ(0x34u, boxes[0].style);
	EXPECT_EQ("afx_tests", boxes[0].caption);
	EXPECT_EQ("100% \"done\"", boxes[1].text);
	EXPECT_EQ(0x10u, boxes[1].style);
	EXPECT_STREQ("afx_tests", AfxGetAppName());
}

TEST(AfxMessageBox, AddsTheDefaultIconOfTheType)
{
	standin::ScriptedDisplay display;
	for (int i = 0; i < 4; ++i)
		display.Push(Action::Enter());
	standin::ScopedDisplay scoped(display);

	AfxMessageBox("ok");
	AfxMessageBox("yes or no", MB_YESNO);
	AfxMessageBox("retry", MB_RETRYCANCEL);
	AfxMessageBox("stop", MB_OKCANCEL | MB_ICONSTOP);

	const auto boxes = display.MessageBoxes();
	ASSERT_EQ(4u, boxes.size());
	EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), boxes[0].style);
	EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), boxes[1].style);
	EXPECT_EQ(static_cast<UINT>(MB_RETRYCANCEL), boxes[2].style);
	EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP), boxes[3].style);
}

TEST(AfxMessageBox, IsOwnedByTheActiveDialog)
{
	const afxtest::DialogTemplate layout = afxtest::StandardTemplate();
	CDialog dialog;
	dialog.InitModalIndirect(layout.Get());

	HWND dialogWindow = nullptr;
	HWND owner = nullptr;
	int answer = 0;
	standin::ScriptedDisplay display;
	display.Push(Action::Inspect([&](HWND active) {
		dialogWindow = active;
		answer = AfxMessageBox("inside", MB_OKCANCEL);
	}));
	display.Push(Action::Inspect([&](HWND box) { owner = ::GetWindow(box, GW_OWNER); }));
	display.Push(Action::Escape());  // the box
	display.Push(Action::Escape());  // the dialog
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDCANCEL, dialog.DoModal());
	EXPECT_EQ("", display.Error());
	EXPECT_EQ(IDCANCEL, answer);
	ASSERT_NE(nullptr, dialogWindow);
	EXPECT_EQ(dialogWindow, owner);
}

}  // namespace
