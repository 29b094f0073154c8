// Common-control classes of the class library stand-in: the list view.
//
// Not implemented: the other common controls, image lists, item state and
// sorting members of CListCtrl.
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
	BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;

	// The new item's index, or -1.
	int InsertItem(const LVITEM* pItem);
	int InsertItem(int nItem, LPCSTR lpszItem);
	int InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam);

	BOOL SetItemText(int nItem, int nSubItem, LPCSTR lpszText);
	// The whole text of the item's column nSubItem; empty for an invalid item.
	CString GetItemText(int nItem, int nSubItem) const;
	// Copies at most nLen - 1 characters and a terminator; the count copied.
	int GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const;

	int GetItemCount() const;
	BOOL DeleteItem(int nItem);
	BOOL DeleteAllItems();
};
