// `check FOLDER`: the verdict of template discovery on every sub-folder of a
// layout-templates folder, with the first reason for each rejection.

#include <standin/crt.h>

#include <filesystem>
#include <list>
#include <ostream>
#include <system_error>

#include "Commands.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "ShownStackup.h"
#include "SystemPath.h"
#include "pathutil/PathUtil.h"
#include "templates/TemplateFormats.h"

namespace layouttool {

const char kCheckHelp[] =
    "Usage: layout-template-tool check [--listing-order ORDER] FOLDER\n"
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
    "                 ascending or descending by name\n"
    "  --             end of the options: FOLDER may start with '-'\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit status: 0 at least one template is listed, 1 none is, 2 bad command\n"
    "line or FOLDER cannot be listed, 3 the results could not be written.\n";

namespace {

namespace fs = std::filesystem;

std::string NameOf(const std::string& systemPath)
{
    std::string parent;
    std::string name;
    SplitPath(systemPath, parent, name);
    return name;
}

// The note under an OK line when the dialog would show no rows for the
// template, or "".
std::string StackupNote(const std::string& templatesFolder, const std::string& element, const ::TemplateFormat& format,
                        bool foundFirst)
{
    const bool is2007 = &format == &kFormat2007;
    const ShownStackup shown = ShowStackup(templatesFolder, NameOf(element));
    if (shown.displayed) {
        if (!shown.rows.empty())
            return std::string();
        return "the dialog shows no rows for it: " +
               (is2007 ? std::string("none of its layers is a conductor layer") : DiagnoseNoRows2005(element));
    }
    std::string why;
    for (const std::string& message : shown.messages)
        why += (why.empty() ? "it says \"" : ", then \"") + message + "\"";
    if (why.empty())
        why = is2007 ? DiagnoseLayers(standin::ToNativePath(element)) : DiagnoseJobPreferences(element);
    if (why.empty())
        why = "its stack-up cannot be read";
    // At start-up the dialog displays the template it finds first, and ends
    // when that fails; later a failed display only leaves the list empty.
    return (foundFirst ? "the dialog finds it first and closes with \"Can't display the stackup.\": "
                       : "the dialog shows no stack-up for it: ") +
           why;
}

std::string VerdictLine(const std::string& element, const TemplateProbeResult& result)
{
    const std::string name = NameOf(element);
    if (result.IsValid())
        return "OK   " + name + " (" + result.format->label + ")";
    const std::string cause = DiagnoseRejection(standin::ToNativePath(element), result);
    return "SKIP " + name + ": " + DescribeProbeResult(result) + (cause.empty() ? "" : " (" + cause + ")");
}

std::string FileLine(const std::string& file)
{
    const std::string native = standin::ToNativePath(file);
    const std::string cause = DiagnoseNonFolder(native);
    std::error_code ignored;
    if (cause.empty())
        return "FILE " + NameOf(file) + ": ignored, not a folder";
    return "FILE " + NameOf(file) +
           (fs::is_directory(native, ignored) ? ": ignored, not a folder to the dialog: "
                                              : ": ignored, not a folder: ") +
           cause;
}

// The layout-templates folder that the dialog would take from FOLDER as a
// central library: the first of Templates/Layout and LayoutTemplates that is
// a folder and not empty; "" when there is none.
std::string LayoutTemplatesFolderOf(const std::string& shownFolder)
{
    for (const char* suffix : {"Templates/Layout", "LayoutTemplates"}) {
        const fs::path candidate = fs::path(shownFolder) / suffix;
        std::error_code code;
        if (fs::is_directory(candidate, code) && !fs::is_empty(candidate, code) && !code)
            return candidate.string();
    }
    return std::string();
}

bool ParseListingOrder(const std::string& value, standin::ListingOrder& order)
{
    if (value == "filesystem")
        order = standin::ListingOrder::FileSystem;
    else if (value == "ascending")
        order = standin::ListingOrder::Ascending;
    else if (value == "descending")
        order = standin::ListingOrder::Descending;
    else
        return false;
    return true;
}

}  // namespace

int RunCheck(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    standin::ListingOrder order = standin::ListingOrder::FileSystem;
    const OperandOption listingOrder{
        "listing-order", true, [&order](const std::string& value) {
            return ParseListingOrder(value, order)
                       ? std::string()
                       : "--listing-order: expected filesystem, ascending or descending, got '" + value + "'";
        }};
    std::string shownFolder;
    switch (ParseOperandCommandLine("check", arguments, {listingOrder}, "FOLDER", "only one FOLDER can be checked",
                                    kCheckHelp, shownFolder, out, err)) {
    case OperandParse::Help: return kExitSuccess;
    case OperandParse::UsageError: return kExitUsage;
    case OperandParse::Run: break;
    }

    // What keeps discovery from the folder, told as the file system tells it.
    const std::string native = WithoutTrailingSeparators(shownFolder);
    const std::string problem = FolderProblem(native);
    if (!problem.empty()) {
        PrintLine(err, shownFolder + ": " + problem);
        return kExitUsage;
    }
    std::error_code unreadable;
    fs::directory_iterator listing(native, unreadable);
    if (unreadable) {
        PrintLine(err, shownFolder + ": cannot be read: " + unreadable.message());
        return kExitUsage;
    }

    // The same walk as discovery: the folder first, then its sub-folders and
    // files in listing order.
    standin::SetListingOrder(order);
    std::list<std::string> folders;
    std::list<std::string> files;
    if (!CollectEntries(ToSystemPath(shownFolder), folders, files) || folders.empty()) {
        PrintLine(err, shownFolder + ": the dialog cannot list it");
        return kExitUsage;
    }
    const std::string templatesFolder = folders.front();
    folders.pop_front();

    std::size_t listed = 0;
    for (const std::string& element : folders) {
        const TemplateProbeResult result = ProbeTemplateFolder(element);
        PrintLine(out, VerdictLine(element, result));
        if (!result.IsValid())
            continue;
        const std::string note = StackupNote(templatesFolder, element, *result.format, listed == 0);
        if (!note.empty())
            PrintLine(out, "     note: " + note);
        ++listed;
    }
    for (const std::string& file : files)
        PrintLine(out, FileLine(file));

    PrintLine(out, std::to_string(listed) + " of " + std::to_string(folders.size()) +
                       (folders.size() == 1 ? " sub-folder is" : " sub-folders are") + " listed by the dialog");

    const std::string layoutTemplates = LayoutTemplatesFolderOf(shownFolder);
    if (!layoutTemplates.empty())
        PrintLine(err, shownFolder + ": a central library, whose layout templates the dialog takes from " +
                           layoutTemplates + ": check that folder");
    return listed > 0 ? kExitSuccess : kExitFailure;
}

}  // namespace layouttool
