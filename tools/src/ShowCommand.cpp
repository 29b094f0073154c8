// `show DIR`: a template's format and stack-up rows, read by the template
// library's readers as the dialog shows them.

#include <ostream>

#include "Commands.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "ShownStackup.h"
#include "SystemPath.h"
#include "safetext/ControlFree.h"
#include "templates/TemplateFormats.h"

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
    "  --             end of the options: DIR may start with '-'\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 shown, 1 the dialog would not list the template or could\n"
    "not show its stack-up, 2 bad command line, 3 the results could not be\n"
    "written.\n";

namespace {

// A row's texts separated by tabs; each text control-free unless `raw`.
std::string RowLine(const std::vector<std::string>& row, bool raw)
{
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (column > 0)
            line += '\t';
        line += raw ? row[column] : ilt::ControlFree(row[column]);
    }
    return line;
}

}  // namespace

int RunShow(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    bool raw = false;
    const OperandOption rawOption{"raw", false, [&raw](const std::string&) {
                                      raw = true;
                                      return std::string();
                                  }};
    std::string shownFolder;
    switch (ParseOperandCommandLine("show", arguments, {rawOption}, "DIR", "only one DIR can be shown", kShowHelp,
                                    shownFolder, out, err)) {
    case OperandParse::Help: return kExitSuccess;
    case OperandParse::UsageError: return kExitUsage;
    case OperandParse::Run: break;
    }

    // Only a folder that discovery accepts is ever displayed by the dialog.
    const std::string folder = WithoutTrailingSeparators(shownFolder);
    const TemplateProbeResult probe = ProbeTemplateFolder(ToSystemPath(folder));
    if (!probe.IsValid()) {
        const std::string cause = DiagnoseRejection(folder, probe);
        PrintLine(err, shownFolder + ": the dialog does not list it: " + DescribeProbeResult(probe) +
                           (cause.empty() ? "" : " (" + cause + ")"));
        return kExitFailure;
    }

    TemplateLocation location;
    std::string error;
    if (!LocateTemplate(folder, location, error)) {
        PrintLine(err, shownFolder + ": " + error);
        return kExitFailure;
    }
    const ShownStackup shown = ShowStackup(ToSystemPath(location.templatesFolder), location.name);

    PrintLine(out, "format: " + shown.format);
    // Each text of a row is made control-free, not the line, whose tabs stay.
    for (const std::vector<std::string>& row : shown.rows)
        out << RowLine(row, raw) << '\n';

    for (const std::string& message : shown.messages)
        PrintLine(err, shownFolder + ": " + message);
    if (shown.displayed)
        return kExitSuccess;
    if (shown.messages.empty()) {
        // The dialog's own words at start-up; the readers that stop silently
        // give no reason, so the tool finds one.
        const std::string reason =
            probe.format == &kFormat2005 ? DiagnoseJobPreferences(ToSystemPath(folder)) : DiagnoseLayers(folder);
        PrintLine(err, shownFolder + ": Can't display the stackup." + (reason.empty() ? "" : " (" + reason + ")"));
    }
    return kExitFailure;
}

}  // namespace layouttool
