// host-application: shows the Import Layout Template dialog as a circuit-board
// design application does, and prints the path of the template the user chose.
//
//   host-application CENTRAL_LIBRARY
//
// The dialog is shown twice, once made with each constructor. Exit status: 0
// when both ended with OK, 1 when one was cancelled, 2 on a usage error, 4 when
// a dialog could not be shown at all.

#include <afxwin.h>

#include <cstdio>

#include "dialog/ImportLayoutTemplateDlg.h"

namespace {

// Construct, DoModal, on IDOK GetLayoutTemplatePath; the caller destroys it.
INT_PTR ChooseLayoutTemplate(CImportLayoutTemplateDlg& dialog)
{
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK) {
        const CString path = dialog.GetLayoutTemplatePath();
        std::printf("%s\n", static_cast<LPCSTR>(path));
    } else if (result == -1) {
        std::fprintf(stderr, "host-application: the dialog could not be shown\n");
    }
    return result;
}

int ExitStatus(INT_PTR result) { return result == IDOK ? 0 : result == IDCANCEL ? 1 : 4; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: host-application CENTRAL_LIBRARY\n");
        return 2;
    }
    const char* const centralLibrary = argv[1];

    // With the application's two texts, which the dialog holds for it...
    int worst = 0;
    {
        CImportLayoutTemplateDlg dialog(centralLibrary, "", "", nullptr);
        const int status = ExitStatus(ChooseLayoutTemplate(dialog));
        worst = status > worst ? status : worst;
    }
    // ...and with the application's handle to the design's blocks.
    {
        Oskel::MutableContainerT<Oskel::IBlock> blocks;
        CImportLayoutTemplateDlg dialog(centralLibrary, blocks, nullptr);
        const int status = ExitStatus(ChooseLayoutTemplate(dialog));
        worst = status > worst ? status : worst;
    }
    std::fflush(stdout);
    return worst;
}
