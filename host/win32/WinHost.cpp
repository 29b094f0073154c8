// import-layout-template.exe: the host application's part on Windows. The
// dialog is a real window: a person works it, or the script player does
// (WindowPlayer), as a person would.
#include "Host.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "HostRun.h"
#include "SubstDrives.h"
#include "WindowPlayer.h"
#include "dialog/ImportLayoutTemplateDlg.h"

namespace ilt {
namespace {

// What the host application does: construct, DoModal, ask for the path, destroy.
DialogOutcome ShowDialog(const std::string& centralLibrary)
{
    DialogOutcome outcome;
    CImportLayoutTemplateDlg dialog(centralLibrary.c_str(), "", "", nullptr);
    outcome.result = dialog.DoModal();
    const CString path = dialog.GetLayoutTemplatePath();
    outcome.path.assign(path.GetString(), static_cast<std::size_t>(path.GetLength()));
    return outcome;
}

// `relative` ("examples/SampleLibrary") as a Windows path in the program's folder.
std::string BesideProgram(const std::string& relative)
{
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string path(program, length < MAX_PATH ? length : 0);
    const std::size_t separator = path.find_last_of("\\/");
    path.erase(separator == std::string::npos ? 0 : separator + 1);
    for (const char c : relative)
        path += c == '/' ? '\\' : c;
    return path;
}

class WindowsHost : public HostPlatform {
public:
    bool Prepare(const Options& options, std::string& error) override
    {
        // Folder listings come in the file system's order; Windows has no other.
        if (options.listingOrder != "filesystem") {
            error = "--listing-order " + options.listingOrder +
                    ": only 'filesystem' is available on Windows (folders list in the file system's order)";
            return false;
        }
        for (const DriveMapping& drive : options.drives) {
            if (!m_drives.Map(drive, error))
                return false;
        }
        return true;
    }

    // The dialog is a window: a person at the desktop works it, no terminal needed.
    bool PersonCanWork(std::string&) override { return true; }

    // Built beside the program, or installed in the data folder beside the program's folder.
    std::string SampleLibrary() override
    {
        const std::string built = BesideProgram(ILT_SAMPLE_LIBRARY);
        const DWORD attributes = GetFileAttributesA(built.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return built;
        char installed[MAX_PATH];
        const std::string relative = BesideProgram(ILT_INSTALLED_SAMPLE_LIBRARY);
        const DWORD length = GetFullPathNameA(relative.c_str(), MAX_PATH, installed, nullptr);
        return length > 0 && length < MAX_PATH ? std::string(installed, length) : relative;
    }

    bool RunDialog(const std::string& centralLibrary, std::unique_ptr<ScriptReader> script,
                   TranscriptWriter* transcript, DialogOutcome& outcome, PlayReport& report, std::string&) override
    {
        // Without a script the player only watches a person, for the transcript.
        win32::WindowPlayer player(std::move(script), transcript, GetModuleHandleA("ImportLayoutTemplate.dll"));
        outcome = ShowDialog(centralLibrary);
        report.scriptError = player.Error();
        report.firstUnplayedLine = player.FirstUnplayedLine();
        return true;
    }

    // On Windows the dialog's path is the native path.
    std::string NativePath(const std::string& path) override { return path; }

    bool StandardOutputIsTerminal() override { return _isatty(_fileno(stdout)) != 0; }

private:
    win32::SubstDrives m_drives;
};

}  // namespace

int RunHost(const std::vector<std::string>& arguments)
{
    WindowsHost platform;
    return RunHostOn(platform, arguments);
}

}  // namespace ilt
