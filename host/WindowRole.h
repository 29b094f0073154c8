// The parts of the user interface a script acts on, named for messages: the
// Import Layout Template dialog, a message box, the folder browser.
#pragma once

#include <windows.h>

namespace ilt {

enum class WindowRole { Dialog, MessageBox, FolderBrowser, Other };

// "the dialog", "a message box", "the folder browser", "a window": for messages.
const char* DescribeRole(WindowRole role);

// Whether `window` is the Import Layout Template dialog (it holds the template
// drop-down and the stack-up list).
bool IsImportDialog(HWND window);

}  // namespace ilt
