// import-layout-template: the host application's part, done as the host does
// it: construct the dialog, DoModal, GetLayoutTemplatePath, destroy it.
#pragma once

#include <string>
#include <vector>

namespace ilt {

// Exit statuses.
enum ExitStatus : int {
    kExitOk = 0,         // the dialog ended with IDOK; the path was printed
    kExitCancelled = 1,  // the dialog ended with IDCANCEL
    kExitUsage = 2,      // a usage error
    kExitScript = 3,     // a script error
    kExitNoDialog = 4,   // the dialog could not be shown at all
    kExitOutput = 5,     // the result or the transcript could not be written
};

// Runs the program with the arguments after its name; returns the exit status.
int RunHost(const std::vector<std::string>& arguments);

}  // namespace ilt
