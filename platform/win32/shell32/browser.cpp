// Folder browser: SHBrowseForFolderA, a modal dialog of class "#32770" in
// which the user highlights a folder under a root and takes it with OK.
//
// Windows' rules kept here: the browser calls its callback with
// BFFM_INITIALIZED (lParam NULL) and then BFFM_SELCHANGED for the first
// selection, the root, and again at each change of selection, with an id list
// that it frees itself once the callback returns.  Before the callback hears
// of a new selection the browser sets OK for it: with BIF_RETURNONLYFSDIRS OK
// is greyed on an item outside the file system, otherwise enabled.
// BFFM_ENABLEOK (lParam non-zero enables, wParam unused) then lets the callback
// decide; only the callback's BFFM_ENABLEOK is reported to the display (EnableOk).  OK returns a new id list of the
// highlighted item, which the caller frees through the shell allocator, and writes its display name (MAX_PATH bytes at
// most) to pszDisplayName; Cancel, Escape and the close box return NULL.  A NULL pidlRoot roots the browser at the
// desktop.
//
// Not implemented: the tree view itself (displays draw the tree from
// BrowserState; a focusable static with the tree's id stands in its place, so
// Enter works as with the tree focused), BIF_STATUSTEXT and
// BFFM_SETSTATUSTEXTA, BIF_EDITBOX and BIF_VALIDATE, the new dialog style,
// BFFM_SETOKTEXT and BFFM_SETEXPANDED, BIF_BROWSEINCLUDEFILES
// (only folders can be highlighted), icons (iImage is set to 0), a root that is
// a virtual item (the browser is rooted at the desktop instead).
#include "display_private.h"
#include "shell32.h"
#include "text.h"

#include <dlgtemplate/DialogTemplate.h>
#include <standin/crt.h>
#include <standin/shell.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace win32 {
namespace {

using shell::Item;

constexpr int kTreeId = 0x3741;  // Windows' ids of the tree and the title
constexpr int kTitleId = 0x3742;
constexpr char kVirtualItemName[] = "Network";

struct Browser {
    explicit Browser(const BROWSEINFOA& parameters) : info(parameters) {}

    const BROWSEINFOA& info;
    HWND hwnd = nullptr;
    Item root;
    Item highlighted;
    bool announced = false;  // the callback has heard of `highlighted`
};

std::map<HWND, Browser*>& OpenBrowsers()
{
    static std::map<HWND, Browser*> browsers;
    return browsers;
}

Browser* FindBrowser(HWND hwnd)
{
    const auto found = OpenBrowsers().find(hwnd);
    return found == OpenBrowsers().end() ? nullptr : found->second;
}

std::string RootPath(const Browser& browser)
{
    return browser.root.kind == Item::Kind::FileSystem ? browser.root.text : std::string();
}

std::string PathOf(const Item& item) { return item.kind == Item::Kind::FileSystem ? item.text : std::string(); }

// The item without a file-system path that the user can highlight: the
// desktop at the top of a desktop-rooted tree, else a virtual item.
Item VirtualItem(const Browser& browser)
{
    if (browser.root.kind == Item::Kind::Desktop)
        return Item{};
    return Item{Item::Kind::Virtual, kVirtualItemName};
}

void EnableOk(Browser& browser, bool enable)
{
    EnableWindow(GetDlgItem(browser.hwnd, IDOK), enable ? TRUE : FALSE);
    standin::Event event;
    event.kind = standin::Event::Kind::EnableOk;
    event.hwnd = browser.hwnd;
    event.text = PathOf(browser.highlighted);
    event.enabled = enable;
    NotifyDisplay(event);
}

void Select(Browser& browser, const Item& item)
{
    if (browser.announced && item == browser.highlighted)
        return;
    browser.highlighted = item;
    browser.announced = true;
    const HWND hwnd = browser.hwnd;
    const bool valid = !(browser.info.ulFlags & BIF_RETURNONLYFSDIRS) || item.kind == Item::Kind::FileSystem;
    EnableWindow(GetDlgItem(hwnd, IDOK), valid ? TRUE : FALSE);
    if (!browser.info.lpfn || !IsWindow(hwnd))
        return;
    // Without an id list (the allocator failed) there is no item to tell of.
    LPITEMIDLIST list = shell::MakeIdList(item);
    if (!list)
        return;
    browser.info.lpfn(hwnd, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(list), browser.info.lParam);
    shell::FreeBlock(list);
}

// The folder a path names, if the user may highlight it here; `why` says why not.
std::optional<Item> FolderUnderRoot(const Browser& browser, const std::string& path, std::string& why)
{
    std::string canonical;
    if (FAILED(shell::CanonicalPath(path, canonical))) {
        why = "\"" + path + "\" is not an absolute path";
        return std::nullopt;
    }
    switch (shell::Probe(canonical)) {
    case shell::Existence::Missing: why = "there is no folder \"" + canonical + "\""; return std::nullopt;
    case shell::Existence::File: why = "\"" + canonical + "\" is a file, not a folder"; return std::nullopt;
    case shell::Existence::Folder: break;
    }
    if (!shell::IsUnder(canonical, RootPath(browser))) {
        why = "\"" + canonical + "\" is not under the browser's root \"" + RootPath(browser) + "\"";
        return std::nullopt;
    }
    return Item{Item::Kind::FileSystem, canonical};
}

// BFFM_SETSELECTIONA: lParam is a path when wParam is TRUE, else an id list.
// Windows ignores an item that is not in the tree.
LRESULT SetSelection(Browser& browser, WPARAM isPath, LPARAM lParam)
{
    std::optional<Item> item;
    std::string why;
    if (isPath) {
        if (const auto* path = reinterpret_cast<LPCSTR>(lParam))
            item = FolderUnderRoot(browser, path, why);
    } else if (const std::optional<Item> listed = shell::ReadIdList(reinterpret_cast<LPCITEMIDLIST>(lParam))) {
        if (listed->kind == Item::Kind::FileSystem)
            item = FolderUnderRoot(browser, listed->text, why);
        else if (*listed == VirtualItem(browser))
            item = listed;
    }
    if (!item)
        return FALSE;
    Select(browser, *item);
    return TRUE;
}

ActionOutcome TakeAction(Browser& browser, const standin::Action& action, std::string& why);

BOOL Initialize(HWND hwnd, Browser& browser)
{
    browser.hwnd = hwnd;
    OpenBrowsers()[hwnd] = &browser;
    SetActionHandler(hwnd, [&browser](HWND, const standin::Action& action, std::string& why) {
        return TakeAction(browser, action, why);
    });

    standin::Event opened;
    opened.kind = standin::Event::Kind::FolderBrowserOpened;
    opened.hwnd = hwnd;
    opened.caption = browser.info.lpszTitle ? browser.info.lpszTitle : "";
    opened.text = RootPath(browser);
    NotifyDisplay(opened);

    if (browser.info.lpfn)
        browser.info.lpfn(hwnd, BFFM_INITIALIZED, 0, browser.info.lParam);
    // The root is the first selection, unless the callback chose another.
    if (IsWindow(hwnd))
        Select(browser, browser.highlighted);
    return TRUE;  // the focus goes to the tree
}

BOOL Command(HWND hwnd, WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        if (IsWindowEnabled(GetDlgItem(hwnd, IDOK)))
            EndDialog(hwnd, IDOK);
        return TRUE;
    case IDCANCEL: EndDialog(hwnd, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK BrowserProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Browser* browser = message == WM_INITDIALOG ? reinterpret_cast<Browser*>(lParam) : FindBrowser(hwnd);
    if (!browser)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG: return Initialize(hwnd, *browser);
    case WM_COMMAND: return Command(hwnd, wParam);
    case BFFM_ENABLEOK: EnableOk(*browser, lParam != 0); return TRUE;
    case BFFM_SETSELECTIONA:
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, SetSelection(*browser, wParam, lParam));
        return TRUE;
    case WM_NCDESTROY:
        OpenBrowsers().erase(hwnd);
        RemoveActionHandler(hwnd);
        return FALSE;
    default: return FALSE;
    }
}

// The user's actions that only a browser understands; the dialog manager
// carries out the rest (Enter skips a disabled default button by itself).
ActionOutcome TakeAction(Browser& browser, const standin::Action& action, std::string& why)
{
    using Kind = standin::Action::Kind;
    switch (action.kind) {
    case Kind::Highlight: {
        const std::string& path = action.text;
        const std::optional<Item> item =
            FolderUnderRoot(browser, !path.empty() && path[0] == '/' ? standin::FromNativePath(path) : path, why);
        if (!item)
            return ActionOutcome::Rejected;
        Select(browser, *item);
        return ActionOutcome::Done;
    }
    case Kind::HighlightVirtual: Select(browser, VirtualItem(browser)); return ActionOutcome::Done;
    case Kind::Click:
        // A click on the greyed OK button goes nowhere.
        if (action.control == IDOK && !IsWindowEnabled(GetDlgItem(browser.hwnd, IDOK)))
            return ActionOutcome::Done;
        return ActionOutcome::NotMine;
    default: return ActionOutcome::NotMine;
    }
}

std::vector<uint8_t> BuildTemplate(LPCSTR title)
{
    constexpr uint16_t kButton = 0x0080;
    constexpr uint16_t kStatic = 0x0082;
    constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
    using dlgtemplate::Control;
    dlgtemplate::DialogTemplate t;
    t.extended = true;
    t.version = 1;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK | DS_CENTER;
    t.cx = 227;
    t.cy = 234;
    t.caption = "Browse For Folder";
    t.pointSize = 8;
    t.weight = 400;  // FW_NORMAL
    t.charset = 1;
    t.typeface = "MS Shell Dlg";
    t.items.push_back(Control(kStatic, kTitleId, title ? title : "", kShown | SS_LEFT, 7, 7, 213, 24));
    t.items.push_back(
        Control(kStatic, kTreeId, "", kShown | SS_LEFT | WS_BORDER | WS_TABSTOP | WS_GROUP, 7, 34, 213, 171));
    t.items.push_back(
        Control(kButton, IDOK, "OK", kShown | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 116, 213, 50, 14));
    t.items.push_back(Control(kButton, IDCANCEL, "Cancel", kShown | BS_PUSHBUTTON | WS_TABSTOP, 170, 213, 50, 14));
    return dlgtemplate::WriteDialogTemplate(t, Utf8ToUtf16);
}

// Copies a display name into a MAX_PATH buffer, cut at a character boundary.
void CopyDisplayName(const std::string& name, LPSTR buffer)
{
    std::size_t count = std::min(name.size(), static_cast<std::size_t>(MAX_PATH - 1));
    if (count < name.size()) {
        while (count > 0 && (static_cast<unsigned char>(name[count]) & 0xC0) == 0x80)
            --count;
    }
    std::memcpy(buffer, name.data(), count);
    buffer[count] = '\0';
}

Item RootOf(PCIDLIST_ABSOLUTE list)
{
    const std::optional<Item> root = shell::ReadIdList(list);
    return root && root->kind == Item::Kind::FileSystem ? *root : Item{};
}

}  // namespace
}  // namespace win32

using namespace win32;

PIDLIST_ABSOLUTE STDAPICALLTYPE SHBrowseForFolderA(LPBROWSEINFOA info)
{
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Browser browser(*info);
    browser.root = RootOf(info->pidlRoot);
    browser.highlighted = browser.root;

    const std::vector<uint8_t> bytes = BuildTemplate(info->lpszTitle);
    const INT_PTR result = DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                                   info->hwndOwner, BrowserProc, reinterpret_cast<LPARAM>(&browser));
    if (result != IDOK)
        return nullptr;
    if (info->pszDisplayName)
        CopyDisplayName(shell::DisplayName(browser.highlighted), info->pszDisplayName);
    info->iImage = 0;
    return shell::MakeIdList(browser.highlighted);
}

std::optional<standin::FolderBrowserState> standin::BrowserState(HWND hwnd)
{
    const Browser* browser = FindBrowser(hwnd);
    if (!browser)
        return std::nullopt;
    FolderBrowserState state;
    state.title = browser->info.lpszTitle ? browser->info.lpszTitle : "";
    state.root = RootPath(*browser);
    state.topFolders = state.root.empty() ? shell::DesktopTopFolders() : std::vector<std::string>{state.root};
    state.highlighted = PathOf(browser->highlighted);
    state.highlightedName = shell::DisplayName(browser->highlighted);
    state.okEnabled = IsWindowEnabled(GetDlgItem(hwnd, IDOK)) != FALSE;
    state.flags = browser->info.ulFlags;
    return state;
}
