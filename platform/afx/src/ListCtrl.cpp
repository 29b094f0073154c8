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

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
	return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertItem(const LVITEM* pItem)
{
	return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCSTR lpszItem)
{
	return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
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

int CListCtrl::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const
{
	LVITEM item = {};
	item.iSubItem = nSubItem;
	item.pszText = lpszText;
	item.cchTextMax = nLen;
	return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
	// LVM_GETITEMTEXT answers how much it copied: a buffer it fills up to
	// the terminator may have cut the text short, so grow it and ask again.
	CString text;
	for (int nSize = 256;; nSize *= 2)
	{
		const int nCopied = GetItemText(nItem, nSubItem, text.GetBufferSetLength(nSize), nSize + 1);
		if (nCopied < 0)
		{
			text.ReleaseBuffer(0);
			break;
		}
		if (nCopied < nSize || nSize >= (1 << 24))
		{
			text.ReleaseBuffer(nCopied);
			break;
		}
	}
	return text;
}

int CListCtrl::GetItemCount() const
{
	return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::DeleteItem(int nItem)
{
	return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)));
}

BOOL CListCtrl::DeleteAllItems()
{
	return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}
