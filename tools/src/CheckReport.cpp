// `check`: discovery's own walk and probe over a layout-templates folder,
// with the tool's explanations of each verdict.

#include "CheckReport.h"

#include <list>
#include <map>

#include "Diagnosis.h"
#include "FileStatus.h"
#include "ShownStackup.h"
#include "SystemPath.h"
#include "Text.h"
#include "pathutil/PathUtil.h"
#include "templates/TemplateFormats.h"

namespace layouttool {
namespace {

std::string NameOf(const std::string& systemPath)
{
    std::string parent;
    std::string name;
    SplitPath(systemPath, parent, name);
    return name;
}

// The note on a listed template whose stack-up the dialog would not show,
// and its rows.
std::optional<Finding> StackupNote(const std::string& templatesFolder, const std::string& element,
                                   const ::TemplateFormat& format, bool foundFirst,
                                   std::vector<std::vector<std::string>>& rows)
{
    const bool is2007 = &format == &kFormat2007;
    const ShownStackup shown = ShowStackup(templatesFolder, NameOf(element));
    rows = shown.rows;
    if (shown.displayed) {
        if (!shown.rows.empty())
            return std::nullopt;
        const std::string why =
            is2007 ? std::string("none of its layers is a conductor layer") : DiagnoseNoRows2005(element);
        return Finding{"no-rows", "the dialog shows no rows for it: " + why, why};
    }
    std::string why;
    for (const std::string& message : shown.messages)
        why += (why.empty() ? "it says \"" : ", then \"") + message + "\"";
    if (why.empty())
        why = is2007 ? DiagnoseLayers(NativeOf(element)) : DiagnoseJobPreferences(element);
    if (why.empty())
        why = "its stack-up cannot be read";
    // At start-up the dialog displays the template it finds first, and ends
    // when that fails; later a failed display only leaves the list empty.
    if (foundFirst)
        return Finding{"closes-at-start-up",
                       "the dialog finds it first and closes with \"Can't display the stackup.\": " + why, why};
    return Finding{"no-stack-up", "the dialog shows no stack-up for it: " + why, why};
}

CheckEntry FolderEntry(const std::string& templatesFolder, const std::string& element, bool foundFirst)
{
    CheckEntry entry;
    entry.name = NameOf(element);
    entry.folder = true;
    const TemplateProbeResult result = ProbeTemplateFolder(element);
    entry.format = result.format->label;
    entry.listed = result.IsValid();
    if (entry.listed)
        entry.note = StackupNote(templatesFolder, element, *result.format, foundFirst, entry.rows);
    else
        entry.reason = Finding{VerdictCode(result.verdict), DescribeProbeResult(result),
                               DiagnoseRejection(NativeOf(element), result)};
    return entry;
}

CheckEntry FileEntry(const std::string& file, const std::map<std::string, std::string>& outsideCodePage)
{
    CheckEntry entry;
    entry.name = NameOf(file);
    const auto outside = outsideCodePage.find(entry.name);
    if (outside != outsideCodePage.end()) {
        // The listing's name is a look-alike of the real one, which the
        // dialog's queries cannot reach.
        entry.exactName = outside->second;
        entry.reason = Finding{"not-a-folder-to-the-dialog", "ignored, not a folder to the dialog",
                               "its name " + OutsideCodePageProblem()};
        return entry;
    }
    const std::string native = NativeOf(file);
    const std::string cause = DiagnoseNonFolder(native);
    if (cause.empty())
        entry.reason = Finding{"not-a-folder", "ignored, not a folder", ""};
    else if (StatusOf(native).kind == FileKind::Folder || !NameDroppedBySystem(entry.name).empty())
        entry.reason = Finding{"not-a-folder-to-the-dialog", "ignored, not a folder to the dialog", cause};
    else
        entry.reason = Finding{"not-a-folder", "ignored, not a folder", cause};
    return entry;
}

// The layout-templates folder that the dialog would take from `folder` as a
// central library: the first of Templates\Layout and LayoutTemplates that is
// a folder and not empty; "" when there is none.
std::string LayoutTemplatesFolderOf(const std::string& folder)
{
    for (const std::string& suffix : {JoinNative("Templates", "Layout"), std::string("LayoutTemplates")}) {
        const std::string candidate = JoinNative(WithoutTrailingSeparators(folder), suffix);
        const std::string system = ToSystemPath(candidate);
        if (IsDirectory(system) && !IsEmptyDirectory(system))
            return candidate;
    }
    return std::string();
}

}  // namespace

const char* VerdictCode(TemplateVerdict verdict)
{
    switch (verdict) {
    case TemplateVerdict::DatabaseDoesNotOpen: return "database-does-not-open";
    case TemplateVerdict::NoSnapshotPCB: return "no-snapshot-pcb";
    case TemplateVerdict::NoConfigPCB: return "no-config-pcb";
    case TemplateVerdict::MissingFile: return "missing-file";
    case TemplateVerdict::Valid: break;
    }
    return "valid";
}

CheckReport CheckFolder(const std::string& folder)
{
    CheckReport report;
    // What keeps discovery from the folder, told as the file system tells it.
    const std::string native = WithoutTrailingSeparators(folder);
    if (!CodePageProblem(folder).empty())
        report.problem = "its path " + CodePageProblem(folder);
    if (report.problem.empty())
        report.problem = FolderProblem(native);
    if (report.problem.empty()) {
        const std::string unreadable = ListingProblem(native);
        if (!unreadable.empty())
            report.problem = "cannot be read: " + unreadable;
    }
    if (!report.problem.empty())
        return report;

    // The same walk as discovery: the folder first, then its sub-folders and
    // files in listing order.
    const std::string system = ToSystemPath(folder);
    std::list<std::string> folders;
    std::list<std::string> files;
    if (!CollectEntries(system, folders, files) || folders.empty()) {
        report.problem = "the dialog cannot list it";
#if defined(_WIN32)
        // The walk takes a drive's root without its backslash, and the C
        // run-time's _stat finds no bare "D:".
        if ((system.size() == 2 || system.size() == 3) && system[1] == ':')
            report.problem += ": its walk asks the C run-time for the bare drive '" + system.substr(0, 2) +
                              "', which it does not find";
#endif
        return report;
    }
    const std::string templatesFolder = folders.front();
    folders.pop_front();

    for (const std::string& element : folders) {
        report.entries.push_back(FolderEntry(templatesFolder, element, report.listed == 0));
        if (report.entries.back().listed)
            ++report.listed;
    }
    report.folders = folders.size();
    std::map<std::string, std::string> outsideCodePage;
    for (const auto& [listed, exact] : NamesOutsideCodePage(templatesFolder))
        outsideCodePage[listed] = exact;
    for (const std::string& file : files)
        report.entries.push_back(FileEntry(file, outsideCodePage));

    report.layoutTemplatesFolder = LayoutTemplatesFolderOf(folder);
    return report;
}

}  // namespace layouttool
