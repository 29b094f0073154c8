// The run of import-layout-template that the Linux and the Windows host share.
#include "HostRun.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "Host.h"
#include "safetext/ControlFree.h"
#include "safetext/StandardOutput.h"

namespace ilt {
namespace {

namespace fs = std::filesystem;

constexpr char kProgram[] = "import-layout-template";

void Complain(const std::string& message) { std::cerr << kProgram << ": " << ControlFree(message) << '\n'; }

int UsageError(const std::string& message)
{
    Complain(message);
    std::cerr << "Try '" << kProgram << " --help' for more information.\n";
    return kExitUsage;
}

// Whether writing the transcript would overwrite the script: the same name,
// or another name of the same file.
bool TranscriptIsTheScript(const Options& options)
{
    if (!options.scriptPath || !options.transcriptPath || *options.scriptPath == "-" || *options.transcriptPath == "-")
        return false;
    std::error_code unknown;
    return *options.scriptPath == *options.transcriptPath ||
           fs::equivalent(*options.scriptPath, *options.transcriptPath, unknown);
}

// Closes the transcript file (standard output: flushes it); false, with the
// reason, when a line of it was lost.
bool CloseTranscript(std::ofstream& file, const TranscriptWriter& writer, std::string& reason)
{
    errno = 0;
    bool failed = false;
    if (file.is_open()) {
        file.close();
        failed = file.fail();
    } else {
        failed = !std::cout.flush();
    }
    int error = writer.WriteError();
    if (error == 0 && failed)
        error = errno != 0 ? errno : EIO;
    if (error == 0)
        return true;
    reason = std::strerror(error);
    return false;
}

int Run(HostPlatform& platform, const std::vector<std::string>& arguments)
{
    Options options;
    std::string error;
    if (!ParseOptions(arguments, options, error))
        return UsageError(error);
    if (options.help) {
        std::cout << kUsageText;
        return kExitOk;
    }
    if (options.version) {
        std::cout << kProgram << ' ' << ILT_VERSION << '\n';
        return kExitOk;
    }
    if (!platform.Prepare(options, error))
        return UsageError(error);

    if (TranscriptIsTheScript(options))
        return UsageError("--transcript: '" + *options.transcriptPath + "' is the script itself");

    // The script is read as the run goes.
    std::unique_ptr<ScriptReader> script;
    if (options.scriptPath) {
        script = ScriptReader::Open(*options.scriptPath, error);
        if (!script)
            return UsageError(error);
    } else if (!platform.PersonCanWork(error)) {
        return UsageError(error);
    }

    // "-" is standard output: the transcript's lines come first, the path last.
    std::ofstream transcriptFile;
    std::unique_ptr<TranscriptWriter> transcript;
    if (options.transcriptPath && *options.transcriptPath == "-") {
        transcript = std::make_unique<TranscriptWriter>(std::cout);
    } else if (options.transcriptPath) {
        errno = 0;
        transcriptFile.open(*options.transcriptPath, std::ios::binary | std::ios::trunc);
        if (!transcriptFile)
            return UsageError("cannot write the transcript '" + *options.transcriptPath +
                              "': " + std::strerror(errno != 0 ? errno : EIO));
        transcript = std::make_unique<TranscriptWriter>(transcriptFile);
    }

    const std::string centralLibrary = options.centralLibrary ? *options.centralLibrary : platform.SampleLibrary();
    const std::string scriptOrigin = script ? script->Origin() : std::string();
    DialogOutcome outcome;
    PlayReport report;
    if (!platform.RunDialog(centralLibrary, std::move(script), transcript.get(), outcome, report, error))
        return UsageError(error);
    if (transcript) {
        transcript->End(outcome.result);
        transcript->Path(outcome.path);
    }

    if (transcript && !CloseTranscript(transcriptFile, *transcript, error)) {
        if (!report.scriptError.empty())
            Complain(report.scriptError);
        Complain("cannot write the transcript '" + *options.transcriptPath + "': " + error);
        return kExitOutput;
    }
    if (!report.scriptError.empty()) {
        Complain(report.scriptError);
        return kExitScript;
    }
    if (report.firstUnplayedLine > 0)
        Complain("warning: " + scriptOrigin + ":" + std::to_string(report.firstUnplayedLine) +
                 ": this and the later actions were not used: the dialog had ended");
    if (!report.notice.empty())
        Complain(report.notice);

    switch (outcome.result) {
    case IDOK: {
        std::string shown = options.raw ? outcome.path : platform.NativePath(outcome.path);
        // A terminal never gets the control characters a file name may hold.
        if (platform.StandardOutputIsTerminal())
            shown = ControlFree(shown);
        std::cout << shown << '\n' << std::flush;
        return kExitOk;
    }
    case IDCANCEL: return kExitCancelled;
    default:
        Complain("the dialog could not be shown (DoModal returned " + std::to_string(outcome.result) + ")");
        return kExitNoDialog;
    }
}

}  // namespace

int RunHostOn(HostPlatform& platform, const std::vector<std::string>& arguments)
{
    // A path that did not reach standard output must not look like a success.
    StandardOutputCheck output;
    const int status = Run(platform, arguments);
    std::string reason;
    if (!output.Close(reason)) {
        // A transcript on standard output has said so already.
        if (status != kExitOutput)
            Complain("cannot write the result to standard output: " + reason);
        return kExitOutput;
    }
    return status;
}

}  // namespace ilt
