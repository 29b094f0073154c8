// import-layout-template.exe: the host application's part on Windows, done as
// the host does it: construct the dialog, DoModal, GetLayoutTemplatePath,
// destroy it. The dialog is a real window: a person works it, or the script
// player does (WindowPlayer).
#include "Host.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

#include "Options.h"
#include "Script.h"
#include "SubstDrives.h"
#include "Transcript.h"
#include "WindowPlayer.h"
#include "dialog/ImportLayoutTemplateDlg.h"
#include "safetext/ControlFree.h"

namespace ilt {
namespace {

constexpr char kProgram[] = "import-layout-template";

void Complain(const std::string& message)
{
  std::cerr << kProgram << ": " << ControlFree(message) << '\n';
}

int UsageError(const std::string& message)
{
  Complain(message);
  std::cerr << "Try '" << kProgram << " --help' for more information.\n";
  return kExitUsage;
}

// The sample library built beside the program.
std::string SampleLibrary()
{
  char program[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string library(program, length < MAX_PATH ? length : 0);
  const std::size_t separator = library.find_last_of("\\/");
  library.erase(separator == std::string::npos ? 0 : separator + 1);
  for (const char c : std::string(ILT_SAMPLE_LIBRARY))
    library += c == '/' ? '\\' : c;
  return library;
}

struct DialogOutcome
{
  INT_PTR result = -1;
  std::string path;
};

// What the host application does: construct, DoModal, ask for the path, destroy.
DialogOutcome RunDialog(const std::string& centralLibrary, TranscriptWriter* transcript)
{
  DialogOutcome outcome;
  CImportLayoutTemplateDlg dialog(centralLibrary.c_str(), "", "", nullptr);
  outcome.result = dialog.DoModal();
  const CString path = dialog.GetLayoutTemplatePath();
  outcome.path.assign(path.GetString(), static_cast<std::size_t>(path.GetLength()));
  if (transcript != nullptr) {
    transcript->End(outcome.result);
    transcript->Path(outcome.path);
  }
  return outcome;
}

}  // namespace

int RunHost(const std::vector<std::string>& arguments)
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
  // Listings come in the file system's order; Windows has no other.
  if (options.listingOrder != "filesystem")
    return UsageError("--listing-order " + options.listingOrder +
                      ": only 'filesystem' is available on Windows (folders list in the file system's order)");
  win32::SubstDrives drives;
  for (const DriveMapping& drive : options.drives) {
    if (!drives.Map(drive, error))
      return UsageError(error);
  }

  std::optional<Script> script;
  if (options.scriptPath) {
    script.emplace();
    switch (LoadScript(*options.scriptPath, *script, error)) {
    case LoadResult::Loaded: break;
    case LoadResult::Unreadable: return UsageError(error);
    case LoadResult::Malformed: Complain(error); return kExitScript;
    }
  }

  std::ofstream transcriptFile;
  std::unique_ptr<TranscriptWriter> transcript;
  if (options.transcriptPath) {
    transcriptFile.open(*options.transcriptPath, std::ios::binary | std::ios::trunc);
    if (!transcriptFile)
      return UsageError("cannot write the transcript '" + *options.transcriptPath + "'");
    transcript = std::make_unique<TranscriptWriter>(transcriptFile);
  }

  const std::string centralLibrary = options.centralLibrary ? *options.centralLibrary : SampleLibrary();
  const std::string scriptOrigin = script ? script->origin : std::string();
  DialogOutcome outcome;
  std::string scriptError;
  int firstUnplayedLine = 0;
  {
    // Without a script, a person works the dialog; the player only watches.
    win32::WindowPlayer player(std::move(script), transcript.get(), GetModuleHandleA("ImportLayoutTemplate.dll"));
    outcome = RunDialog(centralLibrary, transcript.get());
    scriptError = player.Error();
    firstUnplayedLine = player.FirstUnplayedLine();
  }

  if (!scriptError.empty()) {
    Complain(scriptError);
    return kExitScript;
  }
  if (firstUnplayedLine > 0)
    Complain("warning: " + scriptOrigin + ":" + std::to_string(firstUnplayedLine) +
             ": this and the later actions were not used: the dialog had ended");

  switch (outcome.result) {
  case IDOK: {
    // On Windows the dialog's path is the native path.
    std::string shown = outcome.path;
    if (_isatty(_fileno(stdout)))
      shown = ControlFree(shown);
    std::cout << shown << '\n' << std::flush;
    return kExitOk;
  }
  case IDCANCEL:
    return kExitCancelled;
  default:
    Complain("the dialog could not be shown (DoModal returned " + std::to_string(outcome.result) + ")");
    return kExitNoDialog;
  }
}

}  // namespace ilt
