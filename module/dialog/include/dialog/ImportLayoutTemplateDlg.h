// CImportLayoutTemplateDlg: the "Import Layout Template" dialog, the one class
// this extension module exports.
//
// A host constructs it with the path of a central library, runs DoModal and,
// on IDOK, asks GetLayoutTemplatePath for the full path of the chosen layout
// template. The dialog reads templates; it never writes to the central library.
//
// The class is exported whole and has no factory: a host compiled against this
// declaration allocates the object itself, so every data member, its type and
// its place in the order below belong to the module's interface.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>
#include <afxext.h>

#include <string>

#include <OskelPI.h>
#include "dialog/resource.h"

class AFX_EXT_CLASS CImportLayoutTemplateDlg : public CDialog
{
	DECLARE_DYNAMIC(CImportLayoutTemplateDlg)

	// Construction
public:
	CImportLayoutTemplateDlg(const char* centralLibrary,
	                         const char* auxText1,
	                         const char* auxText2,
	                         CWnd* pParent = NULL);
	CImportLayoutTemplateDlg(const char* centralLibrary,
	                         Oskel::MutableContainerT<Oskel::IBlock>& blocks,
	                         CWnd* pParent = NULL);
	virtual ~CImportLayoutTemplateDlg();

	// Full path of the chosen template: the layout-templates folder, a
	// backslash and the template's name; empty while nothing is selected.
	CString GetLayoutTemplatePath();

	// Dialog Data
	enum
	{
		IDD = IDD_IMPORT_LAYOUT_TEMPLATE
	};

protected:
	CString m_centralLibrary;                              // as the host passed it, never normalised
	CString m_auxText1;                                    // held for the host, not used
	CString m_auxText2;                                    // held for the host, not used
	CString m_spareText;                                   // not used
	CString m_selectedTemplate;                            // name of the selected template's sub-folder
	std::string m_templatesFolder;                         // normalised layout-templates folder in use
	Oskel::ContainerT<const Oskel::ISnapshot> m_snapshot;  // not used
	Oskel::ContainerT<const Oskel::ITrelDesign> m_design;  // design of the last 2007 template read
	Oskel::MutableContainerT<Oskel::IBlock> m_blocks;      // held for the host, not used
	CComboBox m_templateCombo;                             // IDC_COMBO1
	CListCtrl m_stackupList;                               // IDC_STACKUP_LIST

	virtual void DoDataExchange(CDataExchange* pDX);  // DDX/DDV support

	// Implementation
protected:
	// Empties the stack-up list, labels the template's format and reads it.
	// 1 on success, 0 when the stack-up cannot be shown.
	int DisplayStackUp(CString templateName);
	// Reader of a "2005" template (job-preferences database Layout\Corvane.cvn).
	int DisplayStackUpFromTessel(CString templateName);
	// Reader of a "2007" template (design database keyin.oskel).
	int DisplayStackUpFromOskel(CString templateName);
	void SetLTFormat(const char* format);

	// Generated message map functions
public:
	virtual BOOL OnInitDialog();
	afx_msg void OnBnClickedOk();
	afx_msg void OnCbnSelchangeCombo1();

	DECLARE_MESSAGE_MAP()
};
