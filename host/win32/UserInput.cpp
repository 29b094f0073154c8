// A person's actions on real windows.
#include "UserInput.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "WindowQuery.h"

namespace ilt::win32 {
namespace {

// What keeps a person from working the control `id` of class `className`.
std::string Unusable(HWND window, int id, const char* className, HWND& control)
{
    control = GetDlgItem(window, id);
    if (control == nullptr)
        return "no control with id " + std::to_string(id);
    const std::string actual = ClassNameOf(control);
    if (lstrcmpiA(actual.c_str(), className) != 0)
        return "control " + std::to_string(id) + " is a " + actual + ", not a " + className;
    if (!IsWindowVisible(control))
        return "control " + std::to_string(id) + " is hidden";
    return std::string();
}

// The names of a path's folders: "D:\\lib\\x\\" => D:, lib, x.
std::vector<std::string> PathComponents(const std::string& path)
{
    std::vector<std::string> components;
    std::string component;
    for (const char c : path + "\\") {
        if (c != '\\' && c != '/') {
            component += c;
        } else if (!component.empty()) {
            components.push_back(component);
            component.clear();
        }
    }
    return components;
}

// The tree item next to `item` in the direction `relation` (TVGN_CHILD, TVGN_NEXT), or null.
HTREEITEM TreeItem(HWND tree, HTREEITEM item, WPARAM relation)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::string ItemText(HWND tree, HTREEITEM item)
{
    char text[MAX_PATH + 1] = "";
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

LPARAM PointParameter(const RECT& rect)
{
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

}  // namespace

std::string ClickButton(HWND window, int id, bool greyedTakesClick)
{
    HWND button = nullptr;
    const std::string why = Unusable(window, id, "Button", button);
    if (!why.empty())
        return why;
    // Sent, BM_CLICK would press even a disabled button; a person's click does not.
    if (!IsWindowEnabled(button))
        return greyedTakesClick ? std::string() : "control " + std::to_string(id) + " is disabled";
    PostMessageA(button, BM_CLICK, 0, 0);
    return std::string();
}

std::string PickComboEntry(HWND dialog, int comboId, int index)
{
    HWND combo = nullptr;
    std::string why = Unusable(dialog, comboId, "ComboBox", combo);
    if (why.empty() && !IsWindowEnabled(combo))
        why = "control " + std::to_string(comboId) + " is disabled";
    if (!why.empty())
        return why;
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(combo, &info) || info.hwndList == nullptr)
        return "control " + std::to_string(comboId) + " has no drop-down list";

    // The click on the combo box: it takes the focus and drops its list.
    SetFocus(combo);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    // Scrolled into view if need be, the entry is clicked where it is shown.
    RECT client{};
    RECT item{};
    GetClientRect(info.hwndList, &client);
    SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.top < client.top || item.bottom > client.bottom) {
        SendMessageA(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    const LPARAM point = PointParameter(item);
    PostMessageA(info.hwndList, WM_MOUSEMOVE, 0, point);
    PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(info.hwndList, WM_LBUTTONUP, 0, point);
    return std::string();
}

void PressKey(HWND window, WPARAM key)
{
    HWND target = GetFocus();
    if (target == nullptr || (target != window && !IsChild(window, target)))
        target = window;
    const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scanCode << 16)));
    PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(1 | (scanCode << 16) | (3u << 30)));
}

void PressCloseBox(HWND window)
{
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) || (GetClassLongA(window, GCL_STYLE) & CS_NOCLOSE))
        return;
    if (HMENU menu = GetSystemMenu(window, FALSE)) {
        const UINT state = GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND);
        if (state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)))
            return;
    }
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::string HighlightFolder(HWND browser, const std::string& root, const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "there is no folder \"" + path + "\"";
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return "\"" + path + "\" is a file, not a folder";
    if (root.empty()) {
        // What the browser answers is not its success (Wine answers 0 either
        // way): the caller sees the highlight reach the browser's callback.
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
        return std::string();
    }

    const std::vector<std::string> rootFolders = PathComponents(root);
    const std::vector<std::string> folders = PathComponents(path);
    const bool underRoot =
        folders.size() >= rootFolders.size() &&
        std::equal(rootFolders.begin(), rootFolders.end(), folders.begin(),
                   [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; });
    if (!underRoot)
        return "\"" + path + "\" is not under the browser's root \"" + root + "\"";
    const HWND tree = FindDescendantOfClass(browser, "SysTreeView32");
    HTREEITEM item = TreeItem(tree, nullptr, TVGN_ROOT);
    for (std::size_t i = rootFolders.size(); i < folders.size() && item != nullptr; ++i) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = TreeItem(tree, item, TVGN_CHILD);
        while (child != nullptr && lstrcmpiA(ItemText(tree, child).c_str(), folders[i].c_str()) != 0)
            child = TreeItem(tree, child, TVGN_NEXT);
        item = child;
    }
    if (item == nullptr)
        return "the browser's tree shows no folder \"" + path + "\"";
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return std::string();
}

}  // namespace ilt::win32
