// Runs the dialog's stack-up display on one template without anyone watching.

#include "StackupReader.h"

#include <afxwin.h>
#include <afxcmn.h>
#include <standin/display.h>

#include "dialog/ImportLayoutTemplateDlg.h"

namespace layouttool {
namespace {

// The dialog, with start-up replaced by the display of one template: binds
// the controls, creates the columns as start-up does, runs the stack-up
// display, reads back what the controls show, and ends.
class StackupReader : public CImportLayoutTemplateDlg {
public:
    StackupReader(std::string templatesFolder, std::string templateName)
        : CImportLayoutTemplateDlg("", "", ""), m_folderToShow(std::move(templatesFolder)),
          m_nameToShow(std::move(templateName))
    {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_templatesFolder = m_folderToShow;
        m_stackupList.InsertColumn(0, "", LVCFMT_LEFT, 30, -1);
        m_stackupList.InsertColumn(1, "Layer name", LVCFMT_LEFT, 150, -1);
        m_stackupList.InsertColumn(2, "Layer usage", LVCFMT_LEFT, 145, -1);

        m_displayed = DisplayStackUp(CString(m_nameToShow.c_str())) != 0;

        CString format;
        if (CWnd* label = GetDlgItem(IDC_LT_FORMAT))
            label->GetWindowText(format);
        m_format = static_cast<LPCSTR>(format);
        for (int item = 0; item < m_stackupList.GetItemCount(); ++item) {
            std::vector<std::string> row;
            for (int column = 0; column < 3; ++column)
                row.push_back(static_cast<LPCSTR>(m_stackupList.GetItemText(item, column)));
            m_rows.push_back(std::move(row));
        }
        EndDialog(IDOK);
        return TRUE;
    }

    bool Displayed() const { return m_displayed; }
    const std::string& Format() const { return m_format; }
    std::vector<std::vector<std::string>> TakeRows() { return std::move(m_rows); }

private:
    std::string m_folderToShow;
    std::string m_nameToShow;
    bool m_displayed = false;
    std::string m_format;
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace

ShownStackup ShowStackup(const std::string& templatesFolder, const std::string& name)
{
    standin::ScriptedDisplay display;  // no input: each message box is dismissed
    StackupReader reader(templatesFolder, name);
    ShownStackup shown;
    {
        standin::ScopedDisplay scope(display);
        shown.ran = reader.DoModal() == IDOK;
    }
    shown.displayed = reader.Displayed();
    shown.format = reader.Format();
    shown.rows = reader.TakeRows();
    for (const auto& message : display.MessageBoxes())
        shown.messages.push_back(message.text);
    return shown;
}

}  // namespace layouttool
