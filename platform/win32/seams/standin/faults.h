// Stand-in-only failure seams of the shell, the icon loader and window
// creation, for fault sweeps.  Real Windows has no such header.
//
// Every call of a seam is counted from the last ResetWin32Calls(), failed ones
// included.  A registered failure makes the call after the first
// `succeedingCalls` ones fail; with FaultSpan::Once only that call, with
// FaultSpan::FromThenOn every later one too, until ClearWin32Faults().  A
// failed call answers as Windows does when it runs out of memory:
//   ShGetMalloc          SHGetMalloc: E_OUTOFMEMORY, *ppMalloc = NULL
//   ShGetDesktopFolder   SHGetDesktopFolder: E_OUTOFMEMORY, *ppshf = NULL
//   ParseDisplayName     IShellFolder::ParseDisplayName: E_OUTOFMEMORY, *ppidl = NULL
//   ShGetPathFromIdList  SHGetPathFromIDListA: FALSE, an empty path
//   LoadImage            LoadImageA: NULL, ERROR_NOT_ENOUGH_MEMORY
//   CreateWindow         CreateWindowExA, and so every dialog, control, message
//                        box and folder browser made through it: NULL,
//                        ERROR_NOT_ENOUGH_MEMORY; no message reaches the window
//   ShellAllocation      a block of the shell allocator (IMalloc::Alloc,
//                        CoTaskMemAlloc, the item id lists the shell makes): NULL
// The state is process-wide and guarded by a lock.
#pragma once

#include <standin/crt.h>  // FaultSpan
#include <standin/display.h>

#include <cstddef>

namespace standin {

enum class Win32Call {
    ShGetMalloc,
    ShGetDesktopFolder,
    ParseDisplayName,
    ShGetPathFromIdList,
    LoadImage,
    CreateWindow,
    ShellAllocation,
};

STANDIN_API void FailWin32Call(Win32Call call, std::size_t succeedingCalls, FaultSpan span = FaultSpan::Once);
STANDIN_API void ClearWin32Faults();

// Calls of `call` since the last ResetWin32Calls().
STANDIN_API std::size_t Win32Calls(Win32Call call);
STANDIN_API void ResetWin32Calls();

// Windows that exist, the desktop not counted.
STANDIN_API std::size_t LiveWindowCount();

}  // namespace standin
