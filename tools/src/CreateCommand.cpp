// `create 2007|2005 DIR`: writes a layout template from a stack-up description.

#include <CorvanePI.h>
#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include <ostream>
#include <set>

#include "Commands.h"
#include "Description.h"
#include "Diagnosis.h"
#include "ExitStatus.h"
#include "Interruption.h"
#include "SystemPath.h"
#include "TemplateFiles.h"
#include "Text.h"
#include "templates/TemplateFormats.h"

namespace layouttool {

const char kCreateHelp[] =
    "Usage: layout-template-tool create 2007 DIR [--from FILE] [--layer LINE]... [--force]\n"
    "       layout-template-tool create 2005 DIR [--from FILE] [--layer LINE]... [--force]\n"
    "\n"
    "Writes a layout template of the given format into the folder DIR (created\n"
    "with its parents when missing). The stack-up comes from FILE (\"-\" reads\n"
    "standard input), one layer per line, followed by the lines given with\n"
    "--layer, in that order.\n"
    "\n"
    "Options:\n"
    "  --from FILE    read the stack-up description from FILE\n"
    "  --layer LINE   one more layer, written as a line of the description\n"
    "  --force        DIR may hold a template: its files are replaced; other\n"
    "                 files in DIR are left alone\n"
    "  --             end of the options: DIR may start with '-'\n"
    "  -h, --help     show this help\n"
    "\n"
    "Description lines. Words are separated by blanks; \"...\" quotes a word\n"
    "with blanks or '#' in it (\\\" and \\\\ inside quotes); '#' starts a comment.\n"
    "\n"
    "  2007, one line per layer in design order:\n"
    "    <kind> <name> [metal=<n>] [usage=<text>]\n"
    "    kind   conductor (0), dielectric (1), soldermask (2), silkscreen (3),\n"
    "           or the type number\n"
    "    metal  the metal-layer number; a conductor layer needs one\n"
    "    usage  the layer's usage (its LAYER_USAGE constraint)\n"
    "  The dialog lists the conductor layers by ascending metal number.\n"
    "\n"
    "  2005, one line per layer index (the first line is layer 1):\n"
    "    <type> [<number>]\n"
    "    type    signal (1), plane (0), dielectric (2), or the type number\n"
    "    number  the layer number; signal and plane layers need one\n"
    "  The dialog lists the signal and plane layers in line order, named\n"
    "  SIGNAL_<number> and PLANE_<number>.\n"
    "\n"
    "Example (2007):\n"
    "  # 4-layer board\n"
    "  conductor  TOP     metal=1 usage=Signal\n"
    "  dielectric CORE1\n"
    "  conductor  GND     metal=2 usage=\"Power plane\"\n"
    "\n"
    "Example (2005):\n"
    "  signal 1\n"
    "  dielectric\n"
    "  plane 2\n"
    "\n"
    "Errors name the file and line (FILE:LINE: problem); nothing is written\n"
    "when the description has an error. Exit status: 0 written, 1 failed,\n"
    "2 bad command line or description, 3 the results could not be written.\n";

namespace {

struct CreateRequest {
    std::string format;
    std::string folder;
    std::optional<std::string> descriptionFile;
    std::vector<std::string> layerLines;
    bool force = false;
};

// Parses the command line; false with *error for a usage error.
bool ParseCreateArguments(const Arguments& arguments, CreateRequest& request, std::string& error)
{
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size();) {
        std::string value;
        if (TakeOptionValue(arguments, i, "from", value, error)) {
            if (!error.empty())
                return false;
            if (request.descriptionFile) {
                error = "--from is given twice";
                return false;
            }
            request.descriptionFile = value;
        } else if (TakeOptionValue(arguments, i, "layer", value, error)) {
            if (!error.empty())
                return false;
            request.layerLines.push_back(value);
        } else if (arguments[i] == "--force") {
            request.force = true;
            ++i;
        } else if (arguments[i] == "--") {
            positional.insert(positional.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              arguments.end());
            break;
        } else if (arguments[i].size() > 1 && arguments[i][0] == '-') {
            error = "unknown option " + arguments[i];
            return false;
        } else {
            positional.push_back(arguments[i++]);
        }
    }
    if (positional.size() != 2) {
        error = positional.size() < 2 ? "the format (2007 or 2005) and the folder DIR are needed"
                                      : "unexpected argument " + positional[2];
        return false;
    }
    request.format = positional[0];
    request.folder = positional[1];
    if (request.format != "2007" && request.format != "2005") {
        error = "unknown format " + request.format + " (2007 or 2005)";
        return false;
    }
    if (request.folder.empty()) {
        error = "DIR is empty";
        return false;
    }
    if (!request.descriptionFile && request.layerLines.empty()) {
        error = "no stack-up: give --from FILE or --layer LINE";
        return false;
    }
    return true;
}

standin::oskel::Description DatabaseOf(const std::vector<Layer2007>& layers)
{
    std::vector<standin::oskel::LayerDescription> databaseLayers;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        standin::oskel::LayerDescription layer;
        layer.position = static_cast<long long>(i) + 1;
        layer.type = layers[i].type;
        layer.name = layers[i].name;
        if (layers[i].metalNumber)
            layer.metalNumber = *layers[i].metalNumber;
        if (layers[i].usage)
            layer.constraints.push_back({"LAYER_USAGE", *layers[i].usage, 0});
        databaseLayers.push_back(std::move(layer));
    }
    return standin::oskel::PcbDescription(std::move(databaseLayers));
}

std::size_t ListedRows(const std::vector<Layer2007>& layers)
{
    std::set<int> numbers;
    for (const Layer2007& layer : layers)
        if (layer.type == 0)
            numbers.insert(*layer.metalNumber);
    return numbers.size();
}

standin::corvane::Description JobPreferencesOf(const std::vector<Layer2005>& layers)
{
    standin::corvane::Description description;
    for (const Layer2005& layer : layers) {
        standin::corvane::LayerDescription entry;
        entry.type = layer.type;
        entry.number = layer.number;
        description.layers.push_back(entry);
    }
    return description;
}

std::size_t ListedRows(const std::vector<Layer2005>& layers)
{
    std::size_t rows = 0;
    for (const Layer2005& layer : layers)
        if (layer.type == CCorvaneLayer::eLayerPlane || layer.type == CCorvaneLayer::eLayerSignal)
            ++rows;
    return rows;
}

// Reports the description's messages; true when it has layers and no error.
template <class Layer>
bool ReportDescription(const ParsedDescription<Layer>& parsed, const CreateRequest& request, std::ostream& err)
{
    for (const std::string& warning : parsed.warnings)
        PrintLine(err, warning);
    for (const std::string& error : parsed.errors)
        PrintLine(err, error);
    if (!parsed.errors.empty())
        return false;
    if (parsed.layers.empty()) {
        PrintLine(err, (request.descriptionFile ? *request.descriptionFile == "-" ? "<stdin>" : *request.descriptionFile
                                                : std::string("--layer")) +
                           ": no layers given");
        return false;
    }
    return true;
}

// Writes the template into `folder`; false with *error.
bool WriteTemplate(const std::string& folder, const std::vector<Layer2007>& layers, std::string& error)
{
    return standin::oskel::WriteOskel(folder + "/keyin.oskel", DatabaseOf(layers), &error);
}

bool WriteTemplate(const std::string& folder, const std::vector<Layer2005>& layers, std::string& error)
{
    return standin::corvane::Write2005Template(folder, JobPreferencesOf(layers), &error);
}

constexpr TemplateFormat FormatOf(const std::vector<Layer2007>*) { return TemplateFormat::k2007; }
constexpr TemplateFormat FormatOf(const std::vector<Layer2005>*) { return TemplateFormat::k2005; }

// Why the dialog's own discovery and reader would refuse the template just
// written into `folder`; "" when they accept it.
std::string ReadBackProblem(const std::string& folder, TemplateFormat format)
{
    const std::string systemPath = ToSystemPath(folder);
    const TemplateProbeResult probe = ProbeTemplateFolder(systemPath);
    const ::TemplateFormat* expected = format == TemplateFormat::k2007 ? &kFormat2007 : &kFormat2005;
    if (!probe.IsValid() || probe.format != expected)
        return DescribeProbeResult(probe);
    return format == TemplateFormat::k2005 ? DiagnoseJobPreferences(systemPath) : std::string();
}

template <class Layer>
int Create(const CreateRequest& request, const ParsedDescription<Layer>& parsed, std::ostream& out, std::ostream& err)
{
    if (!ReportDescription(parsed, request, err))
        return kExitUsage;

    // The path as the dialog would be given it: relative to the current
    // folder, never made absolute. Its file queries take '?' and '*' for
    // wildcards, and its paths are narrow: a path holding one, or characters
    // the ANSI code page cannot write, could never be found as a template.
    // On Linux the system's paths separate with backslashes, so a backslash
    // cannot be part of a name either.
    const std::string folder = WithoutTrailingSeparators(request.folder);
    if (const std::string problem = CodePageProblem(request.folder); !problem.empty()) {
        PrintLine(err, request.folder + ": its path " + problem);
        return kExitFailure;
    }
#if !defined(_WIN32)
    if (folder.find('\\') != std::string::npos) {
        PrintLine(err, request.folder + ": a path holding a backslash cannot name a template");
        return kExitFailure;
    }
#endif
    if (const std::size_t wildcard = folder.find_first_of("?*"); wildcard != std::string::npos) {
        PrintLine(err, request.folder + ": a path holding '" + folder[wildcard] +
                           "' cannot name a template: the dialog's file queries refuse it");
        return kExitFailure;
    }

    // Written beside what DIR holds, then moved into place: a failure leaves
    // DIR as it was.
    std::string error;
    std::unique_ptr<TemplateWrite> write =
        TemplateWrite::Begin(folder, request.folder, FormatOf(&parsed.layers), request.force, error);
    if (!write) {
        PrintLine(err, error);
        return kExitFailure;
    }
    const bool written = write->InStaging([&](const std::string& staging) {
        if (!WriteTemplate(staging, parsed.layers, error)) {
            PrintLine(err, request.folder + ": cannot write the template: " + write->AsWrittenInFolder(error));
            return false;
        }
        const std::string problem = ReadBackProblem(staging, FormatOf(&parsed.layers));
        if (!problem.empty()) {
            PrintLine(err, request.folder + ": the dialog would not read the template written: " + problem);
            return false;
        }
        return true;
    });
    // Windows: Ctrl-C waits for the template to be written; the run ends
    // here, as a failure would, without moving it in.
    if (InterruptionPending()) {
        write.reset();
        EndByInterruption();
    }
    if (!written)
        return kExitFailure;
    if (!write->Commit(error)) {
        PrintLine(err, error);
        return kExitFailure;
    }
    PrintLine(out, request.folder + ": " + request.format + " template with " + std::to_string(parsed.layers.size()) +
                       (parsed.layers.size() == 1 ? " layer, " : " layers, ") +
                       std::to_string(ListedRows(parsed.layers)) + " listed by the dialog");
    return kExitSuccess;
}

}  // namespace

int RunCreate(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(arguments)) {
        out << kCreateHelp;
        return kExitSuccess;
    }

    CreateRequest request;
    std::string error;
    if (!ParseCreateArguments(arguments, request, error)) {
        PrintLine(err, "layout-template-tool create: " + error);
        err << "Try 'layout-template-tool create --help'.\n";
        return kExitUsage;
    }

    std::vector<SourceLine> lines;
    if (request.descriptionFile && !CodePageProblem(*request.descriptionFile).empty()) {
        PrintLine(err, *request.descriptionFile + ": cannot be read: it " + CodePageProblem(*request.descriptionFile));
        return kExitFailure;
    }
    if (request.descriptionFile && !ReadDescriptionFile(*request.descriptionFile, lines, error)) {
        PrintLine(err, error);
        return kExitFailure;
    }
    for (const std::string& line : request.layerLines)
        lines.push_back(CommandLineLayer(line));

    if (request.format == "2007")
        return Create(request, ParseDescription2007(lines), out, err);
    return Create(request, ParseDescription2005(lines), out, err);
}

}  // namespace layouttool
