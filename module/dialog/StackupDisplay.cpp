// Showing a template's stack-up in the dialog: the drop-down's selection
// handler, the entry point that empties the list, tells the format and picks
// the reader, and one adapter per format that writes the rows its reader
// produces into the list view and shows its messages in message boxes.

#include "dialog/ImportLayoutTemplateDlg.h"

#include "templates/TemplateFormats.h"

namespace {

// The reader's output in the dialog: rows go to the end of the list view,
// messages into error boxes, the 2007 design into the dialog's handle.
class ListViewOutput : public StackupOutput
{
public:
	ListViewOutput(CListCtrl& list, Oskel::ContainerT<const Oskel::ITrelDesign>& design)
		: m_list(list), m_design(design), m_rows(0)
	{}

	void AppendRow(const StackupRow& row)
	{
		const int item = m_rows++;
		m_list.InsertItem(LVIF_TEXT, item, row.number.c_str(), 0, 0, 0, 0);
		m_list.SetItemText(item, 1, row.layerName.c_str());
		m_list.SetItemText(item, 2, row.layerUsage.c_str());
	}

	void ShowMessage(const char* text) { AfxMessageBox(text, MB_OK | MB_ICONSTOP); }

	Oskel::ContainerT<const Oskel::ITrelDesign>& Design() { return m_design; }

private:
	CListCtrl& m_list;
	Oskel::ContainerT<const Oskel::ITrelDesign>& m_design;
	int m_rows;
};

}  // namespace

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
	const TemplateFormat& format = FormatOfTemplate(templateFolder);

	CWnd* formatLabel = GetDlgItem(IDC_LT_FORMAT);
	if (formatLabel != NULL)
		formatLabel->SetWindowText(format.label);

	// Each format's reader has a member of its own.
	static const struct
	{
		const TemplateFormat* format;
		int (CImportLayoutTemplateDlg::*display)(CString);
	} kAdapters[] = {
		{ &kFormat2007, &CImportLayoutTemplateDlg::DisplayStackUpFromOskel },
		{ &kFormat2005, &CImportLayoutTemplateDlg::DisplayStackUpFromTessel },
	};
	for (const auto& adapter : kAdapters)
	{
		if (adapter.format == &format)
			return (this->*adapter.display)(templateName);
	}
	return 0;
}

int CImportLayoutTemplateDlg::DisplayStackUpFromTessel(CString templateName)
{
	ListViewOutput output(m_stackupList, m_design);
	return kFormat2005.readStackup(m_templatesFolder, (LPCSTR)templateName, output);
}

int CImportLayoutTemplateDlg::DisplayStackUpFromOskel(CString templateName)
{
	ListViewOutput output(m_stackupList, m_design);
	return kFormat2007.readStackup(m_templatesFolder, (LPCSTR)templateName, output);
}
