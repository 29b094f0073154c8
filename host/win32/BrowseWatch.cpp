// What the folder browser was opened with and what it highlights.
#include "BrowseWatch.h"

namespace ilt::win32 {
namespace {

BrowseWatch* activeWatch = nullptr;

using BrowseFunction = LPITEMIDLIST(WINAPI*)(LPBROWSEINFOA);

// The caller's callback, called on from the watch's.
struct CallerCallback {
    BFFCALLBACK function;
    LPARAM data;
};

}  // namespace

std::string PathOfIdList(LPCITEMIDLIST idList)
{
    char path[MAX_PATH] = "";
    if (idList == nullptr || !SHGetPathFromIDListA(idList, path))
        return std::string();
    return path;
}

BrowseWatch::BrowseWatch(HMODULE module, Listener& listener)
    : m_listener(listener),
      m_patch(module, "shell32.dll", "SHBrowseForFolderA", reinterpret_cast<void*>(&BrowseWatch::Browse))
{
    activeWatch = this;
}

BrowseWatch::~BrowseWatch() { activeWatch = nullptr; }

LPITEMIDLIST WINAPI BrowseWatch::Browse(LPBROWSEINFOA info)
{
    BrowseWatch* const watch = activeWatch;
    const auto original = reinterpret_cast<BrowseFunction>(watch != nullptr ? watch->m_patch.Original() : nullptr);
    if (original == nullptr)
        return SHBrowseForFolderA(info);
    if (info == nullptr)
        return original(info);

    watch->m_root = info->pidlRoot != nullptr ? PathOfIdList(info->pidlRoot) : std::string();
    watch->m_listener.BrowserOpening(info->lpszTitle != nullptr ? info->lpszTitle : "", watch->m_root);
    // The same call, with the watch's callback in front of the caller's.
    CallerCallback caller{info->lpfn, info->lParam};
    BROWSEINFOA watched = *info;
    watched.lpfn = &BrowseWatch::Callback;
    watched.lParam = reinterpret_cast<LPARAM>(&caller);
    LPITEMIDLIST chosen = original(&watched);
    info->iImage = watched.iImage;
    watch->m_browser = nullptr;
    watch->m_root.clear();
    watch->m_highlighted.clear();
    return chosen;
}

int CALLBACK BrowseWatch::Callback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data)
{
    BrowseWatch* const watch = activeWatch;
    if (watch != nullptr) {
        if (message == BFFM_INITIALIZED)
            watch->m_browser = hwnd;
        if (message == BFFM_SELCHANGED) {
            watch->m_browser = hwnd;
            watch->m_highlighted = PathOfIdList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            ++watch->m_selectionChanges;
        }
    }
    const auto* caller = reinterpret_cast<const CallerCallback*>(data);
    if (caller->function == nullptr)
        return 0;
    if (watch != nullptr)
        ++watch->m_callbackDepth;
    const int result = caller->function(hwnd, message, lParam, caller->data);
    if (watch != nullptr && activeWatch == watch)
        --watch->m_callbackDepth;
    return result;
}

}  // namespace ilt::win32
