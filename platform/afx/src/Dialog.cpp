// CDialog: modal dialogs run by the dialog manager, and dialog data exchange.
//
// DoModal finds the template through AfxFindResourceHandle and runs
// DialogBoxIndirectParamA with AfxDlgProc, which attaches the window to the
// CDialog at WM_INITDIALOG and routes the rest of the dialog's messages to it.
// IDOK and IDCANCEL reach OnOK and OnCancel through CDialog's message map, so
// a derived map's entry for them comes first.
//
// Not implemented: modeless dialogs (Create), RT_DLGINIT data, the help
// button, DDX/DDV of values.

#include <afxwin.h>
#include <commctrl.h>

#include "afximpl.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
	ON_COMMAND(IDOK, &CDialog::OnOK)
	ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
	: m_lpszTemplateName(NULL), m_lpDialogTemplate(NULL), m_pParentWnd(NULL), m_nIDHelp(0), m_nModalResult(-1)
{}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
	m_lpszTemplateName = lpszTemplateName;
	m_pParentWnd = pParentWnd;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
	m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
	m_pParentWnd = pParentWnd;
	m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog() = default;

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
	m_lpDialogTemplate = lpDialogTemplate;
	m_pParentWnd = pParentWnd;
	return lpDialogTemplate != NULL;
}

INT_PTR CDialog::DoModal()
{
	// One modal loop per object at a time.
	if (m_hWnd != NULL)
		return -1;

	HINSTANCE hInst = AfxGetResourceHandle();
	LPCDLGTEMPLATE lpDialogTemplate = m_lpDialogTemplate;
	if (m_lpszTemplateName != NULL)
	{
		hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
		HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
		HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
		lpDialogTemplate = hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
	}
	if (lpDialogTemplate == NULL)
		return -1;

	// A dialog's controls may be common controls (a list view, say): their
	// window classes are registered first, as the class library does before
	// it creates a dialog.
	INITCOMMONCONTROLSEX commonControls = { sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES };
	::InitCommonControlsEx(&commonControls);

	m_nModalResult = -1;
	const INT_PTR nResult = ::DialogBoxIndirectParamA(hInst, lpDialogTemplate, AfxGetSafeOwner(m_pParentWnd),
	                                                  &AfxDlgProc, reinterpret_cast<LPARAM>(this));
	// The dialog manager has destroyed the window; whatever did not pass
	// through WM_NCDESTROY is let go here.
	if (m_hWnd != NULL)
		OnNcDestroyed();
	AfxSweepHandleMaps();
	return nResult;
}

void CDialog::EndDialog(int nResult)
{
	m_nModalResult = nResult;
	if (m_hWnd != NULL)
		::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
	UpdateData(FALSE);
	return TRUE;
}

void CDialog::OnOK()
{
	if (!UpdateData(TRUE))
		return;
	EndDialog(IDOK);
}

void CDialog::OnCancel()
{
	EndDialog(IDCANCEL);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
	if (nMsg == WM_INITDIALOG)
	{
		// lParam is the CDialog that DoModal passed.
		CDialog* pDialog = reinterpret_cast<CDialog*>(lParam);
		if (pDialog == NULL || !pDialog->Attach(hWnd))
			return TRUE;
		return pDialog->OnInitDialog();
	}

	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd == NULL)
		return FALSE;  // before WM_INITDIALOG, or after the object let go
	if (nMsg == WM_NCDESTROY)
	{
		pWnd->OnNcDestroyed();
		return FALSE;
	}
	LRESULT lResult = 0;
	return pWnd->OnWndMsg(nMsg, wParam, lParam, &lResult);
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
	: m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
	HWND hWndCtrl = m_pDlgWnd != NULL ? ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC) : NULL;
	if (hWndCtrl == NULL)
		TRACE("Error: no data exchange control with ID %d\n", nIDC);
	return hWndCtrl;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
	if (rControl.m_hWnd != NULL)
		return;
	HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
	if (hWndCtrl != NULL && !rControl.SubclassWindow(hWndCtrl))
		TRACE("Error: control %d is attached to another object already\n", nIDC);
}
