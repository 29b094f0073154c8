// import-layout-template: the host application's part.
#include "Host.h"

#include <standin/crt.h>
#include <standin/display.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "Options.h"
#include "Script.h"
#include "ScriptPlayer.h"
#include "Transcript.h"
#include "TranscriptDisplay.h"
#include "dialog/ImportLayoutTemplateDlg.h"
#include "safetext/StandardOutput.h"
#include "terminal/TerminalDisplay.h"
#include "terminal/TerminalText.h"

namespace ilt {
namespace {

namespace fs = std::filesystem;

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

// The sample library: built beside the program, or installed in the data
// folder beside the program's folder.
std::string SampleLibrary()
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

// The dialog's path as a native path; as it is when its drive is not mapped.
std::string NativePath(const std::string& path)
{
  const std::string native = standin::ToNativePath(path);
  return native.empty() ? path : native;
}

struct DialogOutcome
{
  INT_PTR result = -1;
  std::string path;
};

// What the host application does: construct, DoModal, ask for the path, destroy.
DialogOutcome RunDialog(const std::string& centralLibrary, standin::Display& display, TranscriptWriter* transcript)
{
  DialogOutcome outcome;
  CImportLayoutTemplateDlg dialog(centralLibrary.c_str(), "", "", nullptr);
  {
    const standin::ScopedDisplay installed(display);
    outcome.result = dialog.DoModal();
  }
  const CString path = dialog.GetLayoutTemplatePath();
  outcome.path.assign(path.GetString(), static_cast<std::size_t>(path.GetLength()));
  if (transcript != nullptr) {
    transcript->End(outcome.result);
    transcript->Path(outcome.path);
  }
  return outcome;
}

bool MapDrives(const std::vector<DriveMapping>& drives, std::string& error)
{
  for (const DriveMapping& drive : drives) {
    std::error_code failure;
    const fs::path folder = fs::absolute(drive.folder, failure);
    if (failure) {
      error = "--drive " + std::string(1, drive.letter) + "=" + drive.folder + ": " + failure.message();
      return false;
    }
    try {
      standin::MapDrive(drive.letter, folder.string());
    } catch (const std::invalid_argument& refused) {
      error = "--drive " + std::string(1, drive.letter) + "=" + drive.folder + ": " + refused.what();
      return false;
    }
  }
  return true;
}

// Whether writing the transcript would overwrite the script: the same name,
// or another name of the same file.
bool TranscriptIsTheScript(const Options& options)
{
  if (!options.scriptPath || !options.transcriptPath || *options.scriptPath == "-")
    return false;
  std::error_code unknown;
  return *options.scriptPath == *options.transcriptPath ||
         fs::equivalent(*options.scriptPath, *options.transcriptPath, unknown);
}

// Closes the transcript file; false, with the reason, when a line of it was lost.
bool CloseTranscript(std::ofstream& file, const TranscriptWriter& writer, std::string& reason)
{
  errno = 0;
  file.close();
  int error = writer.WriteError();
  if (error == 0 && file.fail())
    error = errno != 0 ? errno : EIO;
  if (error == 0)
    return true;
  reason = std::strerror(error);
  return false;
}

int Run(const std::vector<std::string>& arguments)
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
  if (!MapDrives(options.drives, error))
    return UsageError(error);
  standin::SetListingOrder(options.listingOrder == "ascending"    ? standin::ListingOrder::Ascending
                           : options.listingOrder == "descending" ? standin::ListingOrder::Descending
                                                                  : standin::ListingOrder::FileSystem);

  if (TranscriptIsTheScript(options))
    return UsageError("--transcript: '" + *options.transcriptPath + "' is the script itself");

  std::optional<Script> script;
  if (options.scriptPath) {
    script.emplace();
    switch (LoadScript(*options.scriptPath, *script, error)) {
    case LoadResult::Loaded: break;
    case LoadResult::Unreadable: return UsageError(error);
    case LoadResult::Malformed: Complain(error); return kExitScript;
    }
  } else if (!isatty(STDIN_FILENO)) {
    return UsageError("standard input is not a terminal: give --script FILE to run without one");
  }

  std::ofstream transcriptFile;
  std::unique_ptr<TranscriptWriter> transcript;
  if (options.transcriptPath) {
    errno = 0;
    transcriptFile.open(*options.transcriptPath, std::ios::binary | std::ios::trunc);
    if (!transcriptFile)
      return UsageError("cannot write the transcript '" + *options.transcriptPath +
                        "': " + std::strerror(errno != 0 ? errno : EIO));
    transcript = std::make_unique<TranscriptWriter>(transcriptFile);
  }

  const std::string centralLibrary = options.centralLibrary ? *options.centralLibrary : SampleLibrary();
  const std::string scriptOrigin = script ? script->origin : std::string();
  DialogOutcome outcome;
  std::string scriptError;
  int firstUnplayedLine = 0;
  bool terminalClosed = false;
  if (script) {
    ScriptPlayer player(std::move(*script));
    std::optional<TranscriptDisplay> recorded;
    if (transcript)
      recorded.emplace(player, *transcript);
    outcome = RunDialog(centralLibrary, recorded ? static_cast<standin::Display&>(*recorded) : player,
                        transcript.get());
    scriptError = player.Error();
    firstUnplayedLine = player.FirstUnplayedLine();
  } else {
    // The terminal is given back before anything is printed.
    std::unique_ptr<TerminalDisplay> terminal = TerminalDisplay::Open(error);
    if (!terminal)
      return UsageError(error);
    std::optional<TranscriptDisplay> recorded;
    if (transcript)
      recorded.emplace(*terminal, *transcript);
    outcome = RunDialog(centralLibrary, recorded ? static_cast<standin::Display&>(*recorded) : *terminal,
                        transcript.get());
    terminalClosed = terminal->InputEnded();
  }

  if (transcript && !CloseTranscript(transcriptFile, *transcript, error)) {
    if (!scriptError.empty())
      Complain(scriptError);
    Complain("cannot write the transcript '" + *options.transcriptPath + "': " + error);
    return kExitOutput;
  }
  if (!scriptError.empty()) {
    Complain(scriptError);
    return kExitScript;
  }
  if (firstUnplayedLine > 0)
    Complain("warning: " + scriptOrigin + ":" + std::to_string(firstUnplayedLine) +
             ": this and the later actions were not used: the dialog had ended");
  if (terminalClosed)
    Complain("the terminal gave no more input: the dialog was cancelled");

  switch (outcome.result) {
  case IDOK: {
    std::string shown = options.raw ? outcome.path : NativePath(outcome.path);
    // A terminal never gets the control characters a file name may hold.
    if (isatty(STDOUT_FILENO))
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

}  // namespace

int RunHost(const std::vector<std::string>& arguments)
{
  // A path that did not reach standard output must not look like a success.
  StandardOutputCheck output;
  const int status = Run(arguments);
  std::string reason;
  if (!output.Close(reason)) {
    Complain("cannot write the result to standard output: " + reason);
    return kExitOutput;
  }
  return status;
}

}  // namespace ilt
