// import-layout-template: the host application's part on Linux, over the
// platform stand-ins: the dialog is shown on the terminal, or headless with
// a script's actions played through the stand-in display.
#include "Host.h"

#include <standin/crt.h>
#include <standin/display.h>

#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "HostRun.h"
#include "ScriptPlayer.h"
#include "TranscriptDisplay.h"
#include "dialog/ImportLayoutTemplateDlg.h"
#include "terminal/TerminalDisplay.h"

namespace ilt {
namespace {

namespace fs = std::filesystem;

// What the host application does: construct, DoModal, ask for the path, destroy.
DialogOutcome ShowDialog(const std::string& centralLibrary, standin::Display& display)
{
    DialogOutcome outcome;
    CImportLayoutTemplateDlg dialog(centralLibrary.c_str(), "", "", nullptr);
    {
        const standin::ScopedDisplay installed(display);
        outcome.result = dialog.DoModal();
    }
    const CString path = dialog.GetLayoutTemplatePath();
    outcome.path.assign(path.GetString(), static_cast<std::size_t>(path.GetLength()));
    return outcome;
}

// The display that does the work, with the transcript's recorder in front of it.
DialogOutcome ShowDialog(const std::string& centralLibrary, standin::Display& display, TranscriptWriter* transcript)
{
    if (transcript == nullptr)
        return ShowDialog(centralLibrary, display);
    TranscriptDisplay recorded(display, *transcript);
    return ShowDialog(centralLibrary, recorded);
}

class LinuxHost : public HostPlatform {
public:
    bool Prepare(const Options& options, std::string& error) override
    {
        for (const DriveMapping& drive : options.drives) {
            const std::string option = "--drive " + std::string(1, drive.letter) + "=" + drive.folder + ": ";
            std::error_code failure;
            const fs::path folder = fs::absolute(drive.folder, failure);
            if (failure) {
                error = option + failure.message();
                return false;
            }
            try {
                standin::MapDrive(drive.letter, folder.string());
            } catch (const std::invalid_argument& refused) {
                error = option + refused.what();
                return false;
            }
        }
        standin::SetListingOrder(options.listingOrder == "ascending"    ? standin::ListingOrder::Ascending
                                 : options.listingOrder == "descending" ? standin::ListingOrder::Descending
                                                                        : standin::ListingOrder::FileSystem);
        return true;
    }

    bool PersonCanWork(std::string& error) override
    {
        if (isatty(STDIN_FILENO))
            return true;
        error = "standard input is not a terminal: give --script FILE to run without one";
        return false;
    }

    // Built beside the program, or installed in the data folder beside the program's folder.
    std::string SampleLibrary() override
    {
        std::error_code error;
        const fs::path program = fs::read_symlink("/proc/self/exe", error);
        if (error)
            return ILT_SAMPLE_LIBRARY;
        const fs::path built = program.parent_path() / ILT_SAMPLE_LIBRARY;
        if (fs::is_directory(built, error))
            return built.string();
        return (program.parent_path() / ILT_INSTALLED_SAMPLE_LIBRARY).lexically_normal().string();
    }

    bool RunDialog(const std::string& centralLibrary, std::unique_ptr<ScriptReader> script,
                   TranscriptWriter* transcript, DialogOutcome& outcome, PlayReport& report,
                   std::string& error) override
    {
        if (script) {
            ScriptPlayer player(std::move(script));
            outcome = ShowDialog(centralLibrary, player, transcript);
            report.scriptError = player.Error();
            report.firstUnplayedLine = player.FirstUnplayedLine();
            return true;
        }
        // The terminal is given back before anything is printed.
        std::unique_ptr<TerminalDisplay> terminal = TerminalDisplay::Open(error);
        if (!terminal)
            return false;
        outcome = ShowDialog(centralLibrary, *terminal, transcript);
        if (terminal->InputEnded())
            report.notice = "the terminal gave no more input: the dialog was cancelled";
        return true;
    }

    // As it is when its drive is not mapped.
    std::string NativePath(const std::string& path) override
    {
        const std::string native = standin::ToNativePath(path);
        return native.empty() ? path : native;
    }

    bool StandardOutputIsTerminal() override { return isatty(STDOUT_FILENO) != 0; }
};

}  // namespace

int RunHost(const std::vector<std::string>& arguments)
{
    // A reader that went away (`| head -c1`, a transcript's pipe) makes a
    // write fail with EPIPE, which the run reports with status 5, instead of
    // killing the program, possibly with the terminal still taken over.
    std::signal(SIGPIPE, SIG_IGN);
    LinuxHost platform;
    return RunHostOn(platform, arguments);
}

}  // namespace ilt
