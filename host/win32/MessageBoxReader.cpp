// What a message box shows, read from its window.
#include "MessageBoxReader.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "dialogstate/Controls.h"
#include "WindowQuery.h"

namespace ilt::win32 {
namespace {

bool IsMessageBoxButton(int id) { return (id >= IDOK && id <= IDNO) || id == IDTRYAGAIN || id == IDCONTINUE; }

// The MB_* button set of the buttons shown, by their ids.
UINT ButtonsStyle(const std::set<int>& ids)
{
    const std::pair<std::set<int>, UINT> kinds[] = {
        {{IDOK}, MB_OK},
        {{IDOK, IDCANCEL}, MB_OKCANCEL},
        {{IDABORT, IDRETRY, IDIGNORE}, MB_ABORTRETRYIGNORE},
        {{IDYES, IDNO, IDCANCEL}, MB_YESNOCANCEL},
        {{IDYES, IDNO}, MB_YESNO},
        {{IDRETRY, IDCANCEL}, MB_RETRYCANCEL},
        {{IDCANCEL, IDTRYAGAIN, IDCONTINUE}, MB_CANCELTRYCONTINUE},
    };
    for (const auto& [buttons, style] : kinds) {
        if (buttons == ids)
            return style;
    }
    return MB_OK;
}

// The MB_ICON* of the icon shown: the system's shared icons are one handle each.
UINT IconStyle(HICON icon)
{
    if (icon == nullptr)
        return 0;
    const std::pair<LPCSTR, UINT> icons[] = {
        {IDI_HAND, MB_ICONHAND},
        {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_ASTERISK, MB_ICONASTERISK},
    };
    for (const auto& [name, style] : icons) {
        if (LoadIconA(nullptr, name) == icon)
            return style;
    }
    return MB_USERICON;
}

struct Child {
    HWND hwnd;
    std::string className;
    LONG style;
};

std::vector<Child> ChildrenOf(HWND window)
{
    std::vector<Child> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back({child, ClassNameOf(child), GetWindowLongA(child, GWL_STYLE)});
    return children;
}

bool IsClass(const Child& child, const char* name) { return lstrcmpiA(child.className.c_str(), name) == 0; }

}  // namespace

bool LooksLikeMessageBox(HWND window)
{
    if (ClassNameOf(window) != "#32770")
        return false;
    bool hasButton = false;
    for (const Child& child : ChildrenOf(window)) {
        if (IsClass(child, "Button"))
            hasButton = hasButton || IsMessageBoxButton(GetDlgCtrlID(child.hwnd));
        else if (!IsClass(child, "Static"))
            return false;
    }
    return hasButton;
}

MessageBoxContent ReadMessageBox(HWND box)
{
    MessageBoxContent content;
    std::set<int> ids;
    std::vector<std::pair<LONG, int>> buttonsFromLeft;  // x, id
    int defaultId = 0;
    HICON icon = nullptr;
    for (const Child& child : ChildrenOf(box)) {
        if (!(child.style & WS_VISIBLE))
            continue;
        if (IsClass(child, "Button")) {
            const int id = GetDlgCtrlID(child.hwnd);
            if (!IsMessageBoxButton(id))
                continue;
            ids.insert(id);
            RECT rect{};
            GetWindowRect(child.hwnd, &rect);
            buttonsFromLeft.emplace_back(rect.left, id);
            if (SendMessageA(child.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
                defaultId = id;
        } else if (IsClass(child, "Static")) {
            if ((child.style & SS_TYPEMASK) == SS_ICON)
                icon = reinterpret_cast<HICON>(SendMessageA(child.hwnd, STM_GETICON, 0, 0));
            else if (content.text.empty())
                content.text = WindowText(child.hwnd);
        }
    }
    std::sort(buttonsFromLeft.begin(), buttonsFromLeft.end());
    UINT defaultButton = 0;
    for (std::size_t i = 0; i < buttonsFromLeft.size(); ++i) {
        if (buttonsFromLeft[i].second == defaultId)
            defaultButton = static_cast<UINT>(i) << 8;
    }
    content.style = ButtonsStyle(ids) | IconStyle(icon) | (defaultButton & MB_DEFMASK);
    return content;
}

}  // namespace ilt::win32
