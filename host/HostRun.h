// The run of import-layout-template that the Linux and the Windows host share:
// the command line, the script and transcript files, the exit status and what
// is printed. What differs between the two (how drives are mapped, how the
// dialog is shown and who works it) comes from the platform's HostPlatform.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Options.h"
#include "Script.h"
#include "Transcript.h"

namespace ilt {

struct DialogOutcome {
    INT_PTR result = -1;  // what DoModal returned
    std::string path;     // what GetLayoutTemplatePath then returned
};

// What a run of the dialog tells besides its outcome.
struct PlayReport {
    std::string scriptError;    // "FILE:LINE: what went wrong", or ""
    int firstUnplayedLine = 0;  // the first step not played, or 0
    std::string notice;         // said on standard error after the run, or ""
};

class HostPlatform {
public:
    virtual ~HostPlatform() = default;

    // Carries out --drive and --listing-order. False, with the usage error in
    // `error`, when it cannot.
    virtual bool Prepare(const Options& options, std::string& error) = 0;
    // Whether a run without --script can go on, a person working the dialog.
    virtual bool PersonCanWork(std::string& error) = 0;
    // The central library of a run that names none.
    virtual std::string SampleLibrary() = 0;
    // Constructs the dialog on `centralLibrary`, runs DoModal with `script`
    // played (null: a person works it), asks for the path and destroys
    // the dialog; the events until DoModal returns go to `transcript` (null: no
    // transcript). False, with a usage error, when the dialog cannot be offered
    // to anyone.
    virtual bool RunDialog(const std::string& centralLibrary, std::unique_ptr<ScriptReader> script,
                           TranscriptWriter* transcript, DialogOutcome& outcome, PlayReport& report,
                           std::string& error) = 0;
    // The dialog's path as printed without --raw.
    virtual std::string NativePath(const std::string& path) = 0;
    virtual bool StandardOutputIsTerminal() = 0;
};

// Runs the program with the arguments after its name; returns the exit status.
int RunHostOn(HostPlatform& platform, const std::vector<std::string>& arguments);

}  // namespace ilt
