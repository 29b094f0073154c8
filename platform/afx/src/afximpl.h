// Helpers shared by the class library's source files; not part of its API.
#pragma once

#include <afxwin.h>

// The window that owns a modal window opened for pParent: pParent's window,
// or the active window when there is no parent, outside any child window.
HWND AfxGetSafeOwner(CWnd* pParent);

// Frees the temporary CWnd objects of windows that no longer exist, and
// detaches attached objects whose window went without their seeing its
// WM_NCDESTROY.
void AfxSweepHandleMaps();

// The window whose control notifications are not dispatched while its
// UpdateData runs (NULL: none).
extern HWND afxLockoutNotifyWindow;
