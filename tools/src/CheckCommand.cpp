// `check FOLDER`: the verdict of template discovery on every sub-folder of a
// layout-templates folder, with the first reason for each rejection.

#include <standin/crt.h>

#include <list>
#include <ostream>

#include "Commands.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "SystemPath.h"
#include "pathutil/PathUtil.h"
#include "templates/TemplateProbe.h"

namespace layouttool {

const char kCheckHelp[] =
    "Usage: layout-template-tool check FOLDER\n"
    "\n"
    "Tells, for every sub-folder of the layout-templates folder FOLDER, in\n"
    "the order the folder lists them, whether the Import Layout Template\n"
    "dialog lists it as a template, and when not, the first reason why. The\n"
    "verdict comes from the dialog's own discovery rules.\n"
    "\n"
    "Output, one line per entry:\n"
    "  OK   <name> (2007|2005)                 listed by the dialog\n"
    "  SKIP <name>: <format>: <reason>         not listed, and why\n"
    "  FILE <name>: ignored, not a folder      files never count\n"
    "A listed 2005 template whose Layout\\Corvane.cvn cannot be read gets an\n"
    "indented \"note:\" line: the dialog lists it but shows no stack-up.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 at least one template is listed, 1 none is, 2 bad command\n"
    "line or FOLDER cannot be listed, 3 the results could not be written.\n";

namespace {

std::string NameOf(const std::string& systemPath)
{
    std::string parent;
    std::string name;
    SplitPath(systemPath, parent, name);
    return name;
}

std::string VerdictLine(const std::string& element, const TemplateProbeResult& result, std::string& note)
{
    const std::string name = NameOf(element);
    switch (result.verdict) {
    case TemplateVerdict::Valid2007:
        return "OK   " + name + " (2007)";
    case TemplateVerdict::Valid2005: {
        const std::string problem = DiagnoseJobPreferences(element);
        if (!problem.empty()) note = "     note: the dialog shows no stack-up for it: " + problem;
        return "OK   " + name + " (2005)";
    }
    case TemplateVerdict::DatabaseDoesNotOpen:
        return "SKIP " + name + ": " + DescribeProbeResult(result) + " (" +
               DiagnoseDatabase(standin::ToNativePath(element)) + ")";
    default:
        return "SKIP " + name + ": " + DescribeProbeResult(result);
    }
}

}  // namespace

int RunCheck(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> positional;
    for (const std::string& argument : arguments) {
        if (IsHelpOption(argument)) {
            out << kCheckHelp;
            return kExitSuccess;
        }
        if (argument.size() > 1 && argument[0] == '-') {
            PrintLine(err, "layout-template-tool check: unknown option " + argument);
            err << "Try 'layout-template-tool check --help'.\n";
            return kExitUsage;
        }
        positional.push_back(argument);
    }
    if (positional.size() != 1 || positional[0].empty()) {
        PrintLine(err, std::string("layout-template-tool check: ") +
                           (positional.size() > 1 ? "only one FOLDER can be checked" : "FOLDER is needed"));
        err << "Try 'layout-template-tool check --help'.\n";
        return kExitUsage;
    }
    const std::string& shownFolder = positional[0];

    // The same walk as discovery: the folder first, then its sub-folders and
    // files in listing order.
    const std::string folder = ToSystemPath(shownFolder);
    std::list<std::string> folders;
    std::list<std::string> files;
    if (!CollectEntries(folder, folders, files)) {
        PrintLine(err, shownFolder + ": no such folder, or it cannot be read");
        return kExitUsage;
    }
    if (folders.empty()) {
        PrintLine(err, shownFolder + ": not a folder");
        return kExitUsage;
    }
    folders.pop_front();

    std::size_t listed = 0;
    for (const std::string& element : folders) {
        const TemplateProbeResult result = ProbeTemplateFolder(element);
        std::string note;
        PrintLine(out, VerdictLine(element, result, note));
        if (!note.empty()) PrintLine(out, note);
        if (result.IsValid()) ++listed;
    }
    for (const std::string& file : files) PrintLine(out, "FILE " + NameOf(file) + ": ignored, not a folder");

    out << listed << " of " << folders.size() << (folders.size() == 1 ? " sub-folder is" : " sub-folders are")
        << " listed by the dialog\n";
    return listed > 0 ? kExitSuccess : kExitFailure;
}

}  // namespace layouttool
