// `show DIR`: a template's format and stack-up rows, read by the template
// library's readers as the dialog shows them.

#include <optional>
#include <ostream>

#include "CheckReport.h"
#include "Commands.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "JsonReport.h"
#include "ShownStackup.h"
#include "SystemPath.h"
#include "Text.h"
#include "templates/TemplateFormats.h"

namespace layouttool {

const char kShowHelp[] =
    "Usage: layout-template-tool show [--raw] [--json] DIR\n"
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
    "  --json         write the result as one JSON document (schema version 1,\n"
    "                 in the tool's documentation)\n"
    "  --             end of the options: DIR may start with '-'\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 shown, 1 the dialog would not list the template or could\n"
    "not show its stack-up, 2 bad command line, 3 the results could not be\n"
    "written.\n";

namespace {

// What `show` finds for one template folder.
struct ShowReport {
    std::string problem;  // DIR cannot be shown at all (a root, a name outside the code page)
    bool listed = false;
    std::string format;
    std::optional<Finding> reason;  // not listed
    ShownStackup shown;             // listed: what the reader gave
    std::optional<Finding> note;    // listed, but shown without rows or not at all
};

ShowReport ShowFolder(const std::string& shownFolder)
{
    ShowReport report;
    if (!CodePageProblem(shownFolder).empty()) {
        report.problem = "its path " + CodePageProblem(shownFolder);
        return report;
    }

    // Only a folder that discovery accepts is ever displayed by the dialog.
    const std::string folder = WithoutTrailingSeparators(shownFolder);
    const TemplateProbeResult probe = ProbeTemplateFolder(ToSystemPath(folder));
    report.format = probe.format->label;
    report.listed = probe.IsValid();
    if (!report.listed) {
        report.reason =
            Finding{VerdictCode(probe.verdict), DescribeProbeResult(probe), DiagnoseRejection(folder, probe)};
        return report;
    }

    TemplateLocation location;
    if (!LocateTemplate(folder, location, report.problem))
        return report;
    report.shown = ShowStackup(ToSystemPath(location.templatesFolder), location.name);
    if (report.shown.displayed) {
        if (report.shown.rows.empty()) {
            const std::string why = probe.format == &kFormat2005
                                        ? DiagnoseNoRows2005(ToSystemPath(folder))
                                        : std::string("none of its layers is a conductor layer");
            report.note = Finding{"no-rows", "the dialog shows no rows for it: " + why, why};
        }
    } else {
        // The dialog's own words at start-up; the readers that stop silently
        // give no reason, so the tool finds one.
        std::string why;
        if (report.shown.messages.empty())
            why = probe.format == &kFormat2005 ? DiagnoseJobPreferences(ToSystemPath(folder)) : DiagnoseLayers(folder);
        report.note = Finding{"no-stack-up", "Can't display the stackup.", why};
    }
    return report;
}

// A row's texts separated by tabs; each text control-free unless `raw`.
std::string RowLine(const std::vector<std::string>& row, bool raw)
{
    std::string line;
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (column > 0)
            line += '\t';
        line += raw ? row[column] : ShownText(row[column]);
    }
    return line;
}

void PrintReport(const std::string& shownFolder, const ShowReport& report, bool raw, std::ostream& out,
                 std::ostream& err)
{
    if (!report.problem.empty()) {
        PrintLine(err, shownFolder + ": " + report.problem);
        return;
    }
    if (!report.listed) {
        PrintLine(err, shownFolder + ": the dialog does not list it: " + report.reason->text +
                           (report.reason->cause.empty() ? "" : " (" + report.reason->cause + ")"));
        return;
    }
    PrintLine(out, "format: " + report.format);
    // Each text of a row is made control-free, not the line, whose tabs stay.
    for (const std::vector<std::string>& row : report.shown.rows)
        out << RowLine(row, raw) << '\n';
    for (const std::string& message : report.shown.messages)
        PrintLine(err, shownFolder + ": " + message);
    if (!report.shown.displayed && report.shown.messages.empty())
        PrintLine(err, shownFolder + ": Can't display the stackup." +
                           (report.note->cause.empty() ? "" : " (" + report.note->cause + ")"));
}

void WriteReport(const std::string& shownFolder, const ShowReport& report, std::ostream& out)
{
    JsonWriter json(out);
    json.BeginObject();
    WriteJsonHeader(json, "show", shownFolder);
    if (!report.problem.empty()) {
        json.Key("error").SystemText(report.problem);
        json.EndObject();
        return;
    }
    json.Key("listed").Bool(report.listed);
    json.Key("format").Utf8(report.format);
    WriteJsonFinding(json, "reason", report.reason);
    if (report.listed) {
        json.Key("displayed").Bool(report.shown.displayed);
        WriteJsonRows(json, report.shown.rows);
        json.Key("messages").BeginArray();
        for (const std::string& message : report.shown.messages)
            json.SystemText(message);
        json.EndArray();
    }
    WriteJsonFinding(json, "note", report.note);
    json.EndObject();
}

}  // namespace

int RunShow(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    bool raw = false;
    bool asJson = false;
    const OperandOption rawOption{"raw", false, [&raw](const std::string&) {
                                      raw = true;
                                      return std::string();
                                  }};
    const OperandOption jsonOption{"json", false, [&asJson](const std::string&) {
                                       asJson = true;
                                       return std::string();
                                   }};
    std::string shownFolder;
    switch (ParseOperandCommandLine("show", arguments, {rawOption, jsonOption}, "DIR", "only one DIR can be shown",
                                    kShowHelp, shownFolder, out, err)) {
    case OperandParse::Help: return kExitSuccess;
    case OperandParse::UsageError: return kExitUsage;
    case OperandParse::Run: break;
    }

    const ShowReport report = ShowFolder(shownFolder);
    if (asJson) {
        WriteReport(shownFolder, report, out);
        // What ends the run is said on standard error too, as check does.
        if (!report.problem.empty())
            PrintLine(err, shownFolder + ": " + report.problem);
        for (const std::string& message : report.shown.messages)
            PrintLine(err, shownFolder + ": " + message);
    } else {
        PrintReport(shownFolder, report, raw, out, err);
    }
    return report.problem.empty() && report.listed && report.shown.displayed ? kExitSuccess : kExitFailure;
}

}  // namespace layouttool
