// ImportLayoutTemplateDlg.cpp: construction, data exchange, the message map,
// the OK handler and the path handed back to the host. Start-up is in
// ImportLayoutTemplateInit.cpp; the stack-up display in StackupDisplay.cpp.

#include "dialog/ImportLayoutTemplateDlg.h"

#include "pathutil/PathUtil.h"

IMPLEMENT_DYNAMIC(CImportLayoutTemplateDlg, CDialog)

CImportLayoutTemplateDlg::CImportLayoutTemplateDlg(const char* centralLibrary,
                                                   const char* auxText1,
                                                   const char* auxText2,
                                                   CWnd* pParent /*=NULL*/)
	: CDialog(CImportLayoutTemplateDlg::IDD, pParent)
{
	m_centralLibrary = centralLibrary;
	m_auxText1 = auxText1;
	m_auxText2 = auxText2;
	m_selectedTemplate = "";
}

CImportLayoutTemplateDlg::CImportLayoutTemplateDlg(const char* centralLibrary,
                                                   Oskel::MutableContainerT<Oskel::IBlock>& blocks,
                                                   CWnd* pParent /*=NULL*/)
	: CDialog(CImportLayoutTemplateDlg::IDD, pParent)
{
	m_blocks = blocks;
	m_centralLibrary = centralLibrary;
	m_auxText1 = "";
	m_auxText2 = "";
	m_selectedTemplate = "";
}

CImportLayoutTemplateDlg::~CImportLayoutTemplateDlg() {}

void CImportLayoutTemplateDlg::DoDataExchange(CDataExchange* pDX)
{
	// Data exchange binds controls of the dialog's window; without one there
	// is nothing to bind.
	if (GetSafeHwnd() == NULL)
		return;
	CDialog::DoDataExchange(pDX);
	DDX_Control(pDX, IDC_COMBO1, m_templateCombo);
	DDX_Control(pDX, IDC_STACKUP_LIST, m_stackupList);
}

BEGIN_MESSAGE_MAP(CImportLayoutTemplateDlg, CDialog)
	ON_BN_CLICKED(IDOK, &CImportLayoutTemplateDlg::OnBnClickedOk)
	ON_CBN_SELCHANGE(IDC_COMBO1, &CImportLayoutTemplateDlg::OnCbnSelchangeCombo1)
END_MESSAGE_MAP()

CString CImportLayoutTemplateDlg::GetLayoutTemplatePath()
{
	if (m_selectedTemplate.IsEmpty())
		return CString();

	// A drive root keeps its backslash through NormalizePath, so its
	// templates come back with two: "D:\\4L".
	std::string path = m_templatesFolder;
	path += "/";
	path += (LPCSTR)m_selectedTemplate;
	NormalizePath(path);
	return CString(path.c_str());
}

void CImportLayoutTemplateDlg::SetLTFormat(const char* format)
{
	if (GetSafeHwnd() == NULL)
		return;
	CWnd* label = GetDlgItem(IDC_LT_FORMAT);
	if (label != NULL)
		label->SetWindowText(format);
}

/////////////////////////////////////////////////////////////////////////////
// CImportLayoutTemplateDlg message handlers

void CImportLayoutTemplateDlg::OnBnClickedOk()
{
	if (GetSafeHwnd() == NULL)
		return;
	OnOK();
}
