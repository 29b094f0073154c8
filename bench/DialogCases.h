// The dialog through the scripted display: start-up from DoModal to the first stack-up shown, and
// the stack-up display of one template, repeated inside a live dialog.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace bench {

struct StartUpRun {
    double seconds = 0;         // from DoModal to the loop's first wait, the stack-up shown
    double cpuSeconds = 0;      // the CPU time of the thread in that span
    std::string firstTemplate;  // the template selected at start-up
    std::string error;          // empty when start-up showed the dialog without a message
};

// Runs the dialog on centralLibrary and ends it with Escape once it waits for input.
StartUpRun RunStartUp(const std::string& centralLibrary);

// A dialog that start-up has shown.
struct ShownDialog {
    // Shows a template's stack-up as a pick in the drop-down does; the rows shown, or -1 when the
    // display failed.
    std::function<int(const std::string& templateName)> displayStackUp;
    HWND stackupList = nullptr;
    std::string selectedTemplate;
};

// Runs the dialog on centralLibrary, calls body once it is shown, then ends it with Escape.
// Returns an error, empty when all went well.
std::string WithShownDialog(const std::string& centralLibrary,
                            const std::function<void(const ShownDialog& dialog)>& body);

}  // namespace bench
