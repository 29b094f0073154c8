// Stand-in-only queries of the shell: leak counters for tests and the state of
// an open folder browser for displays.  Real Windows has no such header.
//
// The folder browser as the user meets it (through a Display):
//   Highlight(path)   highlights the folder `path`, written as the system writes
//                     paths ("D:\lib\4L", "\srv\lib") or as a native absolute path
//                     ("/srv/lib"); it must exist, be a folder and lie under the
//                     browser's root, otherwise the action is rejected.
//   HighlightVirtual  highlights an item without a file-system path: the desktop
//                     itself when the browser is rooted there, otherwise a
//                     virtual item named "Network".
//   Click(IDOK)/Enter OK: the browser returns the highlighted item.  While OK is
//                     disabled both are ignored, as Windows ignores a click on a
//                     greyed button: the action is used up and nothing happens.
//   Click(IDCANCEL), Escape, Close, input running out: the browser returns NULL.
// Highlighting the item that is already highlighted changes nothing and sends
// no notification, as a click on the selected tree item does on Windows.
//
// What the browser tells the display:
//   FolderBrowserOpened  caption = lpszTitle, text = the root's path ("" for the
//                        desktop); before the callback hears BFFM_INITIALIZED.
//   EnableOk             text = the highlighted item's path ("" when it has none),
//                        enabled; once for each BFFM_ENABLEOK the callback sends.
//                        The browser's own setting of OK at each new selection
//                        is not reported: BrowserState or the OK button tells it.
//   WindowShown/Hidden,  as for any dialog box: the browser is one, and it ends
//   DialogEnded          with IDOK or IDCANCEL.
#pragma once

#include <standin/display.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace standin {

// Item id lists made by the shell and not yet freed (through IMalloc::Free,
// CoTaskMemFree or ILFree).
STANDIN_API std::size_t LiveItemIdLists();
// References to the shell allocator handed out by SHGetMalloc (and AddRef) and
// not yet released; negative after more releases than references.
STANDIN_API long ShellAllocatorReferences();
// References to the desktop folder handed out by SHGetDesktopFolder (and
// AddRef, QueryInterface) and not yet released.
STANDIN_API long ShellFolderReferences();
// Calls of IMalloc::Free, CoTaskMemFree or ILFree with a pointer that the
// shell allocator did not hand out or that was freed already (each such call is
// otherwise ignored).
STANDIN_API std::size_t InvalidShellFrees();

// What an open folder browser shows.
struct FolderBrowserState {
    std::string title;                    // BROWSEINFOA::lpszTitle
    std::string root;                     // the root folder's path; "" for the desktop
    std::vector<std::string> topFolders;  // the tree's top level: the root, or for the
                                          // desktop every mapped drive ("D:\") and "\"
    std::string highlighted;              // the highlighted item's path; "" when it has none
    std::string highlightedName;          // its display name ("4L", "D:", "Desktop")
    bool okEnabled = false;
    UINT flags = 0;  // BROWSEINFOA::ulFlags
};

// The state of the folder browser `browser`; nothing when it is not one.
STANDIN_API std::optional<FolderBrowserState> BrowserState(HWND browser);

}  // namespace standin
