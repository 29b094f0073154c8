// The dialog run of the fuzz targets, with the checks that nothing of it is
// left behind.

#include "DialogRun.h"

#include <standin/crt.h>
#include <standin/display.h>
#include <standin/oskel.h>
#include <standin/shell.h>

#include <string>

#include "FuzzWorkspace.h"
#include "dialog/ImportLayoutTemplateDlg.h"

namespace fuzz {

void RunDialogWithoutInput(const char* central)
{
    standin::ScriptedDisplay display;
    INT_PTR result = 0;
    {
        const standin::ScopedDisplay installed(display);
        CImportLayoutTemplateDlg dialog(central, "", "");
        result = dialog.DoModal();
    }
    if (result != IDCANCEL)
        Fail("the dialog ended with " + std::to_string(result) + " instead of IDCANCEL");
    if (standin::OpenFindHandles() != 0)
        Fail("a directory search was left open");
    if (standin::LiveItemIdLists() != 0 || standin::ShellAllocatorReferences() != 0)
        Fail("an item id list or the shell allocator was left behind");
    if (standin::oskel::OpenConnectionCount() != 0)
        Fail("a design-database connection was left open");
}

}  // namespace fuzz
