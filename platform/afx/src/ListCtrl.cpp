// CListCtrl: list-view messages sent to the attached control.

#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::CListCtrl() = default;
CListCtrl::~CListCtrl() = default;

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
	return static_cast<int>(
		SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
	LVCOLUMN column = {};
	column.mask = LVCF_TEXT | LVCF_FMT;
	column.pszText = const_cast<LPSTR>(lpszColumnHeading);
	column.fmt = nFormat;
	if (nWidth != -1)
	{
		column.mask |= LVCF_WIDTH;
		column.cx = nWidth;
	}
	if (nSubItem != -1)
	{
		column.mask |= LVCF_SUBITEM;
		column.iSubItem = nSubItem;
	}
	return InsertColumn(nCol, &column);
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
	return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(
	UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage, LPARAM lParam)
{
	LVITEM item = {};
	item.mask = nMask;
	item.iItem = nItem;
	item.iSubItem = 0;
	item.pszText = const_cast<LPSTR>(lpszItem);
	item.state = nState;
	item.stateMask = nStateMask;
	item.iImage = nImage;
	item.lParam = lParam;
	return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCSTR lpszText)
{
	LVITEM item = {};
	item.iSubItem = nSubItem;
	item.pszText = const_cast<LPSTR>(lpszText);
	return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}
