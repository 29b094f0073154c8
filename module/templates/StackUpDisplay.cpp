// Showing a template's stack-up: the drop-down's selection handler and the
// entry point that empties the list, tells the format and picks the reader.

#include "dialog/ImportLayoutTemplateDlg.h"

#include "templates/TemplateProbe.h"

void CImportLayoutTemplateDlg::OnCbnSelchangeCombo1()
{
	const int selection = m_templateCombo.GetCurSel();
	// Only a user's pick raises this notification, and the drop-down is never
	// empty while the dialog is shown; without a selection there is nothing
	// to show.
	if (selection == CB_ERR)
		return;

	CString name;
	m_templateCombo.GetLBText(selection, name);
	m_selectedTemplate = name;

	// A template whose stack-up cannot be read stays selected, with the view
	// left empty: OK hands back what the user picked, readable or not.
	DisplayStackUp(name);
}

int CImportLayoutTemplateDlg::DisplayStackUp(CString templateName)
{
	::SendMessageA(m_stackupList.GetSafeHwnd(), LVM_DELETEALLITEMS, 0, 0);

	std::string templateFolder = m_templatesFolder;
	templateFolder += "/";
	templateFolder += (LPCSTR)templateName;

	// The same test as discovery's: the marker file alone decides the format.
	CWnd* formatLabel = GetDlgItem(IDC_LT_FORMAT);
	if (IsTemplate2007(templateFolder))
	{
		if (formatLabel != NULL)
			formatLabel->SetWindowText("2007");
		return DisplayStackUpFromOskel(templateName);
	}

	if (formatLabel != NULL)
		formatLabel->SetWindowText("2005");
	return DisplayStackUpFromTessel(templateName);
}
