// CComboBox: combo-box messages sent to the attached control, those the module
// sends through the class: the selection and the entries' texts. The control
// itself (sorting, prefix search) is the Win32 combo box.

#include <afxwin.h>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

CComboBox::CComboBox() = default;
CComboBox::~CComboBox() = default;

int CComboBox::GetCurSel() const
{
	return static_cast<int>(SendMessage(CB_GETCURSEL));
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
