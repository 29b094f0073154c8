// Tests of CDialog::DoModal, dialog data exchange and the routing of the
// dialog's commands, through the scripted display.
#include <afxwin.h>
#include <afxcmn.h>
#include <standin/afx.h>
#include <standin/display.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestDialog.h"

using standin::Action;
using standin::Event;
using testing::ElementsAre;

namespace {

using afxtest::kApplyId;
using afxtest::kComboId;
using afxtest::kLabelId;
using afxtest::kListId;

class CProbeDlg : public CDialog
{
	DECLARE_DYNAMIC(CProbeDlg)

public:
	CProbeDlg() : m_layout(afxtest::StandardTemplate()) { InitModalIndirect(m_layout.Get()); }

	CComboBox m_combo;
	CListCtrl m_list;
	std::vector<std::string> m_log;
	int m_endInInit = 0;  // non-zero: OnInitDialog ends the dialog with it

	BOOL OnInitDialog() override
	{
		m_log.push_back("init");
		if (m_endInInit != 0)
		{
			EndDialog(m_endInInit);
			return FALSE;
		}
		CDialog::OnInitDialog();
		for (const char* text : { "6L", "4L" })
			::SendMessageA(m_combo.GetSafeHwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
		::SendMessageA(m_combo.GetSafeHwnd(), CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("6L"));
		return TRUE;
	}

protected:
	void DoDataExchange(CDataExchange* pDX) override
	{
		m_log.push_back(pDX->m_bSaveAndValidate ? "save" : "load");
		DDX_Control(pDX, kComboId, m_combo);
		DDX_Control(pDX, kListId, m_list);
	}

	afx_msg void OnSelchangeCombo()
	{
		CString name;
		m_combo.GetLBText(m_combo.GetCurSel(), name);
		m_log.push_back(std::string("pick ") + name.GetString());
	}

	afx_msg void OnApply() { m_log.push_back("apply"); }

private:
	afxtest::DialogTemplate m_layout;

	DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CProbeDlg, CDialog)

BEGIN_MESSAGE_MAP(CProbeDlg, CDialog)
	ON_CBN_SELCHANGE(kComboId, &CProbeDlg::OnSelchangeCombo)
	ON_BN_CLICKED(kApplyId, &CProbeDlg::OnApply)
END_MESSAGE_MAP()

// A dialog whose own IDOK entry keeps it open.
class CStubbornDlg : public CProbeDlg
{
protected:
	afx_msg void OnBnClickedOk() { m_log.push_back("ok refused"); }
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStubbornDlg, CProbeDlg)
	ON_BN_CLICKED(IDOK, &CStubbornDlg::OnBnClickedOk)
END_MESSAGE_MAP()

bool WasShown(const standin::ScriptedDisplay& display)
{
	for (const Event& event : display.Events())
	{
		if (event.kind == Event::Kind::WindowShown)
			return true;
	}
	return false;
}

void ExpectNothingAttached()
{
	EXPECT_EQ(0u, standin::afx::AttachedWindowCount());
	EXPECT_EQ(0u, standin::afx::TemporaryWindowCount());
}

TEST(DoModal, BindsTheControlsAndEndsWithOkOnEnter)
{
	CProbeDlg dialog;
	standin::ScriptedDisplay display;
	display.Push(Action::Inspect([&](HWND active) {
		EXPECT_EQ(active, dialog.m_hWnd);
		EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(active));
		EXPECT_EQ(::GetDlgItem(active, kComboId), dialog.m_combo.m_hWnd);
		EXPECT_EQ(::GetDlgItem(active, kListId), dialog.m_list.m_hWnd);
		EXPECT_EQ(&dialog.m_combo, CWnd::FromHandlePermanent(dialog.m_combo.m_hWnd));
		EXPECT_EQ(2, ::SendMessageA(dialog.m_combo.GetSafeHwnd(), CB_GETCOUNT, 0, 0));
	}));
	display.Push(Action::Enter());
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDOK, dialog.DoModal());
	EXPECT_EQ("", display.Error());
	EXPECT_THAT(dialog.m_log, ElementsAre("init", "load", "save"));
	EXPECT_EQ(nullptr, dialog.m_hWnd);
	EXPECT_EQ(nullptr, dialog.m_combo.m_hWnd);
	EXPECT_EQ(nullptr, dialog.m_list.m_hWnd);
	ExpectNothingAttached();
}

TEST(DoModal, UserPickReachesTheSelectionHandler)
{
	CProbeDlg dialog;
	standin::ScriptedDisplay display;
	display.Push(Action::Pick(kComboId, "4L"));
	display.Push(Action::Click(kApplyId));
	display.Push(Action::Escape());
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDCANCEL, dialog.DoModal());
	EXPECT_EQ("", display.Error());
	// The initial CB_SELECTSTRING raised no notification; Cancel exchanges no data.
	EXPECT_THAT(dialog.m_log, ElementsAre("init", "load", "pick 4L", "apply"));
}

TEST(DoModal, CloseBoxAndEscapeCancel)
{
	for (const Action& action : { Action::Close(), Action::Escape() })
	{
		SCOPED_TRACE(action.Describe());
		CProbeDlg dialog;
		standin::ScriptedDisplay display;
		display.Push(action);
		standin::ScopedDisplay scoped(display);
		EXPECT_EQ(IDCANCEL, dialog.DoModal());
		EXPECT_EQ("", display.Error());
		EXPECT_THAT(dialog.m_log, ElementsAre("init", "load"));
	}
}

TEST(DoModal, OwnIdokEntryComesBeforeTheDefaultHandling)
{
	CStubbornDlg dialog;
	standin::ScriptedDisplay display;
	display.Push(Action::Enter());
	display.Push(Action::Escape());
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDCANCEL, dialog.DoModal());
	EXPECT_THAT(dialog.m_log, ElementsAre("init", "load", "ok refused"));
}

TEST(DoModal, EndDialogInsideOnInitDialogEndsBeforeShowing)
{
	CProbeDlg dialog;
	dialog.m_endInInit = 7;
	standin::ScriptedDisplay display;
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(7, dialog.DoModal());
	EXPECT_FALSE(WasShown(display));
	EXPECT_FALSE(display.Exhausted());  // never waited for input
	EXPECT_THAT(dialog.m_log, ElementsAre("init"));
	EXPECT_EQ(nullptr, dialog.m_hWnd);
	ExpectNothingAttached();
}

TEST(DoModal, SameObjectRunsTwiceWithFreshControls)
{
	CProbeDlg dialog;
	standin::ScriptedDisplay display;
	std::vector<HWND> combos;
	const auto inspect = Action::Inspect([&](HWND) {
		combos.push_back(dialog.m_combo.m_hWnd);
		EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, kComboId), dialog.m_combo.m_hWnd);
		EXPECT_EQ(2, ::SendMessageA(dialog.m_combo.GetSafeHwnd(), CB_GETCOUNT, 0, 0));  // a new control, filled once
	});
	display.Push(inspect);
	display.Push(Action::Pick(kComboId, "4L"));
	display.Push(Action::Escape());
	display.Push(inspect);
	display.Push(Action::Enter());
	standin::ScopedDisplay scoped(display);

	EXPECT_EQ(IDCANCEL, dialog.DoModal());
	dialog.m_log.push_back("between");
	EXPECT_EQ(IDOK, dialog.DoModal());
	EXPECT_EQ("", display.Error());
	EXPECT_THAT(dialog.m_log, ElementsAre("init", "load", "pick 4L", "between", "init", "load", "save"));
	ASSERT_EQ(2u, combos.size());
	EXPECT_NE(nullptr, combos[1]);
	ExpectNothingAttached();
}

TEST(DoModal, MissingTemplateReturnsMinusOne)
{
	CDialog dialog(4242);
	standin::ScriptedDisplay display;
	standin::ScopedDisplay scoped(display);
	EXPECT_EQ(-1, dialog.DoModal());
	EXPECT_TRUE(display.Events().empty());
}

TEST(CWnd, GetDlgItemGivesTemporaryObjectsFreedWithTheWindow)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		CWnd* label = dialog.GetDlgItem(kLabelId);
		ASSERT_NE(nullptr, label);
		EXPECT_EQ(label, dialog.GetDlgItem(kLabelId));
		EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(label->m_hWnd));
		EXPECT_EQ(kLabelId, label->GetDlgCtrlID());
		EXPECT_EQ(&dialog, label->GetParent());

		label->SetWindowText("Central library: D:\\lib");
		CString text;
		label->GetWindowText(text);
		EXPECT_STREQ("Central library: D:\\lib", text.GetString());
		EXPECT_EQ(text.GetLength(), label->GetWindowTextLength());

		EXPECT_TRUE(label->IsWindowVisible());
		label->ShowWindow(SW_HIDE);
		EXPECT_FALSE(label->IsWindowVisible());
		label->EnableWindow(FALSE);
		EXPECT_FALSE(label->IsWindowEnabled());

		EXPECT_EQ(nullptr, dialog.GetDlgItem(9999));
		EXPECT_LE(1u, standin::afx::TemporaryWindowCount());
	});
	EXPECT_EQ("", display.Error());
	ExpectNothingAttached();
}

TEST(CWnd, AttachAndDetachKeepOneObjectPerWindow)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		HWND label = ::GetDlgItem(dialog.m_hWnd, kLabelId);
		CWnd first;
		CWnd second;
		EXPECT_TRUE(first.Attach(label));
		EXPECT_FALSE(second.Attach(label));
		EXPECT_FALSE(first.Attach(::GetDlgItem(dialog.m_hWnd, kApplyId)));
		EXPECT_EQ(&first, CWnd::FromHandle(label));
		EXPECT_EQ(label, first.Detach());
		EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(label));

		// A subclassed control routes its messages through the object and
		// gets its own procedure back when let go.
		const LONG_PTR ownProcedure = ::GetWindowLongPtrA(label, GWLP_WNDPROC);
		EXPECT_TRUE(second.SubclassWindow(label));
		EXPECT_NE(ownProcedure, ::GetWindowLongPtrA(label, GWLP_WNDPROC));
		second.SetWindowText("through the object");
		EXPECT_EQ(label, second.UnsubclassWindow());
		EXPECT_EQ(ownProcedure, ::GetWindowLongPtrA(label, GWLP_WNDPROC));
		char text[64] = "";
		::GetWindowTextA(label, text, sizeof(text));
		EXPECT_STREQ("through the object", text);
	});
	EXPECT_EQ("", display.Error());
	ExpectNothingAttached();
}

TEST(CWnd, DestroyingAWindowDetachesItsObject)
{
	standin::ScriptedDisplay display;
	afxtest::RunInDialog(display, [](CDialog& dialog) {
		// A subclassed control sees its WM_NCDESTROY, however it is destroyed.
		CWnd apply;
		ASSERT_TRUE(apply.SubclassDlgItem(kApplyId, &dialog));
		EXPECT_TRUE(::DestroyWindow(apply.m_hWnd));
		EXPECT_EQ(nullptr, apply.m_hWnd);
		EXPECT_EQ(nullptr, ::GetDlgItem(dialog.m_hWnd, kApplyId));

		CWnd label;
		ASSERT_TRUE(label.Attach(::GetDlgItem(dialog.m_hWnd, kLabelId)));
		EXPECT_TRUE(label.DestroyWindow());
		EXPECT_EQ(nullptr, label.m_hWnd);
		EXPECT_EQ(1u, standin::afx::AttachedWindowCount());  // the dialog
	});
	EXPECT_EQ("", display.Error());
	ExpectNothingAttached();
}

}  // namespace
