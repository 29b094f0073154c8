/* Shell functions: the shell allocator, the desktop folder, paths of item id
 * lists and the folder browser (subset of shlobj.h / shlobj_core.h).
 *
 * Item id lists made here hold the item's path in our own encoding; they are
 * allocated by the shell allocator (SHGetMalloc) and freed by the caller
 * through it.
 *
 * Not implemented: the W forms, SHGetFolderPath and special folders, the
 * IL* helpers (ILFree among them), SHParseDisplayName, the new-style browser
 * (BIF_NEWDIALOGSTYLE, BIF_EDITBOX and the other BIF_ flags are accepted and
 * ignored, except BIF_RETURNONLYFSDIRS).
 */
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shtypes.h>
#include <shobjidl.h>

/* SHBrowseForFolder flags. */
#define BIF_RETURNONLYFSDIRS   0x00000001
#define BIF_DONTGOBELOWDOMAIN  0x00000002
#define BIF_STATUSTEXT         0x00000004
#define BIF_RETURNFSANCESTORS  0x00000008
#define BIF_EDITBOX            0x00000010
#define BIF_VALIDATE           0x00000020
#define BIF_NEWDIALOGSTYLE     0x00000040
#define BIF_USENEWUI           (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
#define BIF_BROWSEINCLUDEURLS  0x00000080
#define BIF_UAHINT             0x00000100
#define BIF_NONEWFOLDERBUTTON  0x00000200
#define BIF_NOTRANSLATETARGETS 0x00000400
#define BIF_BROWSEFORCOMPUTER  0x00001000
#define BIF_BROWSEFORPRINTER   0x00002000
#define BIF_BROWSEINCLUDEFILES 0x00004000
#define BIF_SHAREABLE          0x00008000

/* Notifications from the browser to its callback. */
#define BFFM_INITIALIZED     1
#define BFFM_SELCHANGED      2
#define BFFM_VALIDATEFAILEDA 3
#define BFFM_IUNKNOWN        5

/* Messages from the callback to the browser. */
#define BFFM_SETSTATUSTEXTA (WM_USER + 100)
#define BFFM_ENABLEOK       (WM_USER + 101)
#define BFFM_SETSELECTIONA  (WM_USER + 102)
#define BFFM_SETOKTEXT      (WM_USER + 105)
#define BFFM_SETEXPANDED    (WM_USER + 106)

#define BFFM_SETSTATUSTEXT  BFFM_SETSTATUSTEXTA
#define BFFM_SETSELECTION   BFFM_SETSELECTIONA
#define BFFM_VALIDATEFAILED BFFM_VALIDATEFAILEDA

#ifndef RC_INVOKED

#define SHSTDAPI        EXTERN_C DECLSPEC_IMPORT HRESULT STDAPICALLTYPE
#define SHSTDAPI_(type) EXTERN_C DECLSPEC_IMPORT type STDAPICALLTYPE

typedef int(CALLBACK* BFFCALLBACK)(HWND hwnd, UINT uMsg, LPARAM lParam, LPARAM lpData);

typedef struct _browseinfoA {
    HWND hwndOwner;
    PCIDLIST_ABSOLUTE pidlRoot;
    LPSTR pszDisplayName;
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
} BROWSEINFOA, *PBROWSEINFOA, *LPBROWSEINFOA;

typedef BROWSEINFOA BROWSEINFO;
typedef PBROWSEINFOA PBROWSEINFO;
typedef LPBROWSEINFOA LPBROWSEINFO;

#ifdef __cplusplus
SHSTDAPI SHGetMalloc(IMalloc** ppMalloc);
SHSTDAPI SHGetDesktopFolder(IShellFolder** ppshf);
#endif
SHSTDAPI_(BOOL) SHGetPathFromIDListA(PCIDLIST_ABSOLUTE pidl, LPSTR pszPath);
SHSTDAPI_(PIDLIST_ABSOLUTE) SHBrowseForFolderA(LPBROWSEINFOA lpbi);

#define SHGetPathFromIDList SHGetPathFromIDListA
#define SHBrowseForFolder   SHBrowseForFolderA

#endif /* RC_INVOKED */
