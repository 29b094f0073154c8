// `check FOLDER`: the verdict of template discovery on every sub-folder of a
// layout-templates folder, with the first reason for each rejection.

#include <optional>
#include <ostream>

#include "CheckReport.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "JsonReport.h"
#include "SystemPath.h"
#include "Text.h"

namespace layouttool {

const char kCheckHelp[] =
    "Usage: layout-template-tool check [--listing-order ORDER] [--json] FOLDER\n"
    "\n"
    "Tells, for every sub-folder of the layout-templates folder FOLDER, in\n"
    "the order the folder lists them, whether the Import Layout Template\n"
    "dialog lists it as a template, and when not, the first reason why. The\n"
    "verdict comes from the dialog's own discovery rules.\n"
    "\n"
    "Output, one line per entry:\n"
    "  OK   <name> (2007|2005)                 listed by the dialog\n"
    "  SKIP <name>: <format>: <reason> (<cause>)  not listed, and why\n"
    "  FILE <name>: ignored, not a folder      files never count\n"
    "A listed template whose stack-up the dialog cannot show gets an indented\n"
    "\"note:\" line that says why, and whether the dialog, finding it first,\n"
    "closes with \"Can't display the stackup.\".\n"
    "\n"
    "Options:\n"
    "  --listing-order ORDER  the order in which the folder lists its entries:\n"
    "                 filesystem (the default, as the dialog meets them),\n"
    "                 ascending or descending by name (Linux only)\n"
    "  --json         write the report as one JSON document (schema version 1,\n"
    "                 in the tool's documentation)\n"
    "  --             end of the options: FOLDER may start with '-'\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 at least one template is listed, 1 none is, 2 bad command\n"
    "line or FOLDER cannot be listed, 3 the results could not be written.\n";

namespace {

// The text lines of the report.
void PrintReport(const CheckReport& report, std::ostream& out)
{
    for (const CheckEntry& entry : report.entries) {
        const std::string name = entry.exactName ? Utf8ToSystemLossy(*entry.exactName) : entry.name;
        if (entry.folder && entry.listed) {
            PrintLine(out, "OK   " + name + " (" + entry.format + ")");
            if (entry.note)
                PrintLine(out, "     note: " + entry.note->text);
        } else if (entry.folder) {
            PrintLine(out, "SKIP " + name + ": " + entry.reason->text +
                               (entry.reason->cause.empty() ? "" : " (" + entry.reason->cause + ")"));
        } else {
            PrintLine(out, "FILE " + name + ": " + entry.reason->text +
                               (entry.reason->cause.empty() ? "" : ": " + entry.reason->cause));
        }
    }
    PrintLine(out, std::to_string(report.listed) + " of " + std::to_string(report.folders) +
                       (report.folders == 1 ? " sub-folder is" : " sub-folders are") + " listed by the dialog");
}

}  // namespace

int RunCheck(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::string order = "filesystem";
    bool asJson = false;
    const OperandOption listingOrder{"listing-order", true, [&order](const std::string& value) {
                                         order = value;
                                         return SelectListingOrder(value);
                                     }};
    const OperandOption jsonOption{"json", false, [&asJson](const std::string&) {
                                       asJson = true;
                                       return std::string();
                                   }};
    std::string shownFolder;
    switch (ParseOperandCommandLine("check", arguments, {listingOrder, jsonOption}, "FOLDER",
                                    "only one FOLDER can be checked", kCheckHelp, shownFolder, out, err)) {
    case OperandParse::Help: return kExitSuccess;
    case OperandParse::UsageError: return kExitUsage;
    case OperandParse::Run: break;
    }

    const CheckReport report = CheckFolder(shownFolder);
    if (!report.problem.empty())
        PrintLine(err, shownFolder + ": " + report.problem);
    if (!report.layoutTemplatesFolder.empty())
        PrintLine(err, shownFolder + ": a central library, whose layout templates the dialog takes from " +
                           report.layoutTemplatesFolder + ": check that folder");
    if (asJson) {
        JsonWriter json(out);
        json.BeginObject();
        WriteJsonHeader(json, "check", shownFolder);
        json.Key("listingOrder").Utf8(order);
        if (!report.problem.empty()) {
            json.Key("error").SystemText(report.problem);
        } else {
            json.Key("entries").BeginArray();
            for (const CheckEntry& entry : report.entries) {
                json.BeginObject();
                WriteJsonName(json, "name", entry.name, entry.exactName);
                json.Key("type").Utf8(entry.folder ? "folder" : "file");
                json.Key("listed").Bool(entry.listed);
                json.Key("format");
                if (entry.folder)
                    json.Utf8(entry.format);
                else
                    json.Null();
                WriteJsonFinding(json, "reason", entry.reason);
                if (entry.listed)
                    WriteJsonRows(json, entry.rows);
                WriteJsonFinding(json, "note", entry.note);
                json.EndObject();
            }
            json.EndArray();
            json.Key("listed").Number(static_cast<long long>(report.listed));
            json.Key("subFolders").Number(static_cast<long long>(report.folders));
            json.Key("layoutTemplatesFolder");
            if (report.layoutTemplatesFolder.empty())
                json.Null();
            else
                json.SystemText(report.layoutTemplatesFolder);
        }
        json.EndObject();
    } else if (report.problem.empty()) {
        PrintReport(report, out);
    }
    if (!report.problem.empty())
        return kExitUsage;
    return report.listed > 0 ? kExitSuccess : kExitFailure;
}

}  // namespace layouttool
