// `show DIR`: a template's format and stack-up rows, read by the dialog's own
// display code inside a dialog that runs without anyone watching.

#include <afxwin.h>
#include <afxcmn.h>
#include <standin/display.h>

#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "SystemPath.h"
#include "dialog/ImportLayoutTemplateDlg.h"
#include "safetext/ControlFree.h"
#include "templates/TemplateProbe.h"

namespace layouttool {

const char kShowHelp[] =
    "Usage: layout-template-tool show [--raw] DIR\n"
    "\n"
    "Prints the format of the layout template in the folder DIR and its\n"
    "stack-up rows exactly as the Import Layout Template dialog lists them,\n"
    "using the dialog's own readers:\n"
    "  format: 2007\n"
    "  1<TAB>TOP<TAB>Signal\n"
    "  2<TAB>GND<TAB>Power plane\n"
    "One line per row: the running number, the layer name and the layer\n"
    "usage, separated by tabs. Control characters in a name or usage are\n"
    "printed as '?', unless --raw is given.\n"
    "\n"
    "A folder the dialog would not list is refused with the reason. Messages\n"
    "the dialog would show while reading the stack-up go to standard error.\n"
    "\n"
    "Options:\n"
    "  --raw          print the rows byte for byte, as the dialog holds them\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 shown, 1 the dialog would not list the template or could\n"
    "not show its stack-up, 2 bad command line, 3 the results could not be\n"
    "written.\n";

namespace {

// The dialog, with start-up replaced by the display of one template: binds
// the controls, creates the columns as start-up does, runs the stack-up
// display, reads back what the controls show, and ends.
class StackupReader : public CImportLayoutTemplateDlg
{
public:
    StackupReader(std::string templatesFolder, std::string templateName)
        : CImportLayoutTemplateDlg("", "", ""),
          m_folderToShow(std::move(templatesFolder)),
          m_nameToShow(std::move(templateName))
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_templatesFolder = m_folderToShow;
        m_stackupList.InsertColumn(0, "", LVCFMT_LEFT, 30, -1);
        m_stackupList.InsertColumn(1, "Layer name", LVCFMT_LEFT, 150, -1);
        m_stackupList.InsertColumn(2, "Layer usage", LVCFMT_LEFT, 145, -1);

        m_displayed = DisplayStackUp(CString(m_nameToShow.c_str())) != 0;

        CString format;
        if (CWnd* label = GetDlgItem(IDC_LT_FORMAT)) label->GetWindowText(format);
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
    const std::vector<std::vector<std::string>>& Rows() const { return m_rows; }

private:
    std::string m_folderToShow;
    std::string m_nameToShow;
    bool m_displayed = false;
    std::string m_format;
    std::vector<std::vector<std::string>> m_rows;
};

// A row's texts separated by tabs; each text control-free unless `raw`.
std::string RowLine(const std::vector<std::string>& row, bool raw)
{
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (column > 0) line += '\t';
        line += raw ? row[column] : ilt::ControlFree(row[column]);
    }
    return line;
}

}  // namespace

int RunShow(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> positional;
    bool raw = false;
    for (const std::string& argument : arguments) {
        if (IsHelpOption(argument)) {
            out << kShowHelp;
            return kExitSuccess;
        }
        if (argument == "--raw") {
            raw = true;
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            PrintLine(err, "layout-template-tool show: unknown option " + argument);
            err << "Try 'layout-template-tool show --help'.\n";
            return kExitUsage;
        }
        positional.push_back(argument);
    }
    if (positional.size() != 1 || positional[0].empty()) {
        PrintLine(err, std::string("layout-template-tool show: ") +
                           (positional.size() > 1 ? "only one DIR can be shown" : "DIR is needed"));
        err << "Try 'layout-template-tool show --help'.\n";
        return kExitUsage;
    }
    const std::string& shownFolder = positional[0];

    const std::filesystem::path folder = AbsoluteNativePath(shownFolder);
    const std::string name = folder.filename().string();
    if (name.empty()) {
        PrintLine(err, shownFolder + ": a template is a sub-folder of a layout-templates folder");
        return kExitFailure;
    }

    // Only a folder that discovery accepts is ever displayed by the dialog.
    const TemplateProbeResult probe = ProbeTemplateFolder(ToSystemPath(shownFolder));
    if (!probe.IsValid()) {
        PrintLine(err, shownFolder + ": the dialog does not list it: " + DescribeProbeResult(probe));
        return kExitFailure;
    }

    standin::ScriptedDisplay display;  // no input: each message box is dismissed
    StackupReader reader(ToSystemPath(folder.parent_path().string()), name);
    INT_PTR result = 0;
    {
        standin::ScopedDisplay scope(display);
        result = reader.DoModal();
    }
    if (result != IDOK) {
        PrintLine(err, shownFolder + ": the dialog cannot be run (its resources are missing?)");
        return kExitFailure;
    }

    PrintLine(out, "format: " + reader.Format());
    // Each text of a row is made control-free, not the line, whose tabs stay.
    for (const std::vector<std::string>& row : reader.Rows()) out << RowLine(row, raw) << '\n';

    const auto messages = display.MessageBoxes();
    for (const auto& message : messages) PrintLine(err, shownFolder + ": " + message.text);
    if (reader.Displayed()) return kExitSuccess;
    if (messages.empty()) {
        // The dialog's own words at start-up; the 2005 reader gives no reason.
        std::string reason = probe.verdict == TemplateVerdict::Valid2005 ? DiagnoseJobPreferences(ToSystemPath(shownFolder))
                                                                         : std::string();
        PrintLine(err, shownFolder + ": Can't display the stackup." + (reason.empty() ? "" : " (" + reason + ")"));
    }
    return kExitFailure;
}

}  // namespace layouttool
