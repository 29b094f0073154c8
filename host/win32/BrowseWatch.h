// What the folder browser was opened with and what it highlights, learnt by
// watching the module's call of SHBrowseForFolderA (its import entry): the
// browser's window shows display names only, while the transcript records the
// root's path and the path of each folder the browser's callback is asked about.
//
// One watch at a time in a process; it lives on the dialog's thread.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "importpatch/ImportPatch.h"

namespace ilt::win32 {

class BrowseWatch {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        // SHBrowseForFolderA is called; `root` is "" when rooted at the desktop.
        virtual void BrowserOpening(const std::string& title, const std::string& root) = 0;
    };

    BrowseWatch(HMODULE module, Listener& listener);
    ~BrowseWatch();
    BrowseWatch(const BrowseWatch&) = delete;
    BrowseWatch& operator=(const BrowseWatch&) = delete;

    // False when the module does not import SHBrowseForFolderA.
    bool Installed() const { return m_patch.Installed(); }

    // The open browser's window (known from its BFFM_INITIALIZED), or null.
    HWND Browser() const { return m_browser; }
    // The open browser's root folder, or "" when it is rooted at the desktop.
    const std::string& Root() const { return m_root; }
    // The item of the browser's last BFFM_SELCHANGED: its file-system path, or
    // "" for an item without one; SelectionChanges() counts them.
    const std::string& Highlighted() const { return m_highlighted; }
    int SelectionChanges() const { return m_selectionChanges; }
    // Whether the caller's callback is running.
    bool InCallback() const { return m_callbackDepth > 0; }

private:
    static LPITEMIDLIST WINAPI Browse(LPBROWSEINFOA info);
    static int CALLBACK Callback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data);

    Listener& m_listener;
    ImportPatch m_patch;
    HWND m_browser = nullptr;
    std::string m_root;
    std::string m_highlighted;
    int m_selectionChanges = 0;
    int m_callbackDepth = 0;
};

// The file-system path of an item id list; "" when it has none.
std::string PathOfIdList(LPCITEMIDLIST idList);

}  // namespace ilt::win32
