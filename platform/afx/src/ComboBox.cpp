// CComboBox: combo-box messages sent to the attached control. The control
// itself (sorting, prefix search) is the Win32 combo box.

#include <afxwin.h>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() = default;
CComboBox::~CComboBox() = default;

int CComboBox::GetCount() const
{
	return static_cast<int>(SendMessage(CB_GETCOUNT));
}

int CComboBox::GetCurSel() const
{
	return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int nSelect)
{
	return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect)));
}

int CComboBox::GetLBText(int nIndex, LPSTR lpszText) const
{
	return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
	const int nLength = GetLBTextLen(nIndex);
	if (nLength < 0)
	{
		rString.Empty();
		return;
	}
	const int nCopied = GetLBText(nIndex, rString.GetBufferSetLength(nLength));
	rString.ReleaseBuffer(nCopied > 0 ? nCopied : 0);
}

int CComboBox::GetLBTextLen(int nIndex) const
{
	return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex)));
}

int CComboBox::AddString(LPCSTR lpszString)
{
	return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::SelectString(int nStartAfter, LPCSTR lpszString)
{
	return static_cast<int>(
		SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString)));
}

int CComboBox::FindStringExact(int nIndexStart, LPCSTR lpszFind) const
{
	return static_cast<int>(
		SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart), reinterpret_cast<LPARAM>(lpszFind)));
}

void CComboBox::ResetContent()
{
	SendMessage(CB_RESETCONTENT);
}
