// The parts of the user interface a script acts on.
#include "WindowRole.h"

#include "dialog/resource.h"

namespace ilt {

const char* DescribeRole(WindowRole role)
{
    switch (role) {
    case WindowRole::Dialog: return "the dialog";
    case WindowRole::MessageBox: return "a message box";
    case WindowRole::FolderBrowser: return "the folder browser";
    case WindowRole::Other: break;
    }
    return "a window";
}

bool IsImportDialog(HWND window)
{
    return window != nullptr && IsWindow(window) && GetDlgItem(window, IDC_COMBO1) != nullptr &&
           GetDlgItem(window, IDC_STACKUP_LIST) != nullptr;
}

}  // namespace ilt
