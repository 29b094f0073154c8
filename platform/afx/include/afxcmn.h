// Common-control classes of the class library stand-in: the list view.
//
// Only the members the module calls: making columns and rows. The module
// reads nothing back; its tests read the list view through its messages.
#pragma once

#include <afxwin.h>
#include <commctrl.h>

// Each member sends the list-view message of the same name to the control.
class AFX_CORE_CLASS CListCtrl : public CWnd
{
	DECLARE_DYNAMIC(CListCtrl)

public:
	CListCtrl();
	virtual ~CListCtrl();

	// The new column's index, or -1. nWidth -1: no width given; nSubItem -1:
	// no sub-item index given.
	int InsertColumn(int nCol, const LVCOLUMN* pColumn);
	int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1);

	// The new item's index, or -1.
	int InsertItem(const LVITEM* pItem);
	int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);

	BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
};
