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
    : listener_(listener),
      patch_(module, "shell32.dll", "SHBrowseForFolderA", reinterpret_cast<void*>(&BrowseWatch::Browse))
{
    activeWatch = this;
}

BrowseWatch::~BrowseWatch() { activeWatch = nullptr; }

LPITEMIDLIST WINAPI BrowseWatch::Browse(LPBROWSEINFOA info)
{
    BrowseWatch* const watch = activeWatch;
    const auto original = reinterpret_cast<BrowseFunction>(watch != nullptr ? watch->patch_.Original() : nullptr);
    if (original == nullptr)
        return SHBrowseForFolderA(info);
    if (info == nullptr)
        return original(info);

    watch->root_ = info->pidlRoot != nullptr ? PathOfIdList(info->pidlRoot) : std::string();
    watch->listener_.BrowserOpening(info->lpszTitle != nullptr ? info->lpszTitle : "", watch->root_);
    // The same call, with the watch's callback in front of the caller's.
    CallerCallback caller{info->lpfn, info->lParam};
    BROWSEINFOA watched = *info;
    watched.lpfn = &BrowseWatch::Callback;
    watched.lParam = reinterpret_cast<LPARAM>(&caller);
    LPITEMIDLIST chosen = original(&watched);
    info->iImage = watched.iImage;
    watch->browser_ = nullptr;
    watch->root_.clear();
    watch->highlighted_.clear();
    return chosen;
}

int CALLBACK BrowseWatch::Callback(HWND hwnd, UINT message, LPARAM lParam, LPARAM data)
{
    BrowseWatch* const watch = activeWatch;
    if (watch != nullptr) {
        if (message == BFFM_INITIALIZED)
            watch->browser_ = hwnd;
        if (message == BFFM_SELCHANGED) {
            watch->browser_ = hwnd;
            watch->highlighted_ = PathOfIdList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            ++watch->selectionChanges_;
        }
    }
    const auto* caller = reinterpret_cast<const CallerCallback*>(data);
    if (caller->function == nullptr)
        return 0;
    if (watch != nullptr)
        ++watch->callbackDepth_;
    const int result = caller->function(hwnd, message, lParam, caller->data);
    if (watch != nullptr && activeWatch == watch)
        --watch->callbackDepth_;
    return result;
}

}  // namespace ilt::win32
