/* Common controls: the list view in report mode and window subclassing (subset of commctrl.h).
 *
 * Not declared: image lists, header control messages, the other common controls,
 * Unicode (W) structures, InitCommonControls, GetWindowSubclass.
 */
#pragma once

#include <windows.h>

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES      0x00000004
#define ICC_TAB_CLASSES      0x00000008
#define ICC_UPDOWN_CLASS     0x00000010
#define ICC_PROGRESS_CLASS   0x00000020
#define ICC_HOTKEY_CLASS     0x00000040
#define ICC_ANIMATE_CLASS    0x00000080
#define ICC_WIN95_CLASSES    0x000000FF
#define ICC_DATE_CLASSES     0x00000100
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_USEREX_CLASSES   0x00000200
#define ICC_COOL_CLASSES     0x00000400
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_LINK_CLASS       0x00008000

/* List view window class */
#define WC_LISTVIEWA "SysListView32"
#define WC_LISTVIEW  WC_LISTVIEWA
#define WC_COMBOBOXA "ComboBox"
#define WC_COMBOBOX  WC_COMBOBOXA

/* List view styles */
#define LVS_ICON            0x0000
#define LVS_REPORT          0x0001
#define LVS_SMALLICON       0x0002
#define LVS_LIST            0x0003
#define LVS_TYPEMASK        0x0003
#define LVS_SINGLESEL       0x0004
#define LVS_SHOWSELALWAYS   0x0008
#define LVS_SORTASCENDING   0x0010
#define LVS_SORTDESCENDING  0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP     0x0080
#define LVS_AUTOARRANGE     0x0100
#define LVS_EDITLABELS      0x0200
#define LVS_OWNERDATA       0x1000
#define LVS_NOSCROLL        0x2000
#define LVS_TYPESTYLEMASK   0xfc00
#define LVS_ALIGNTOP        0x0000
#define LVS_ALIGNLEFT       0x0800
#define LVS_ALIGNMASK       0x0c00
#define LVS_OWNERDRAWFIXED  0x0400
#define LVS_NOCOLUMNHEADER  0x4000
#define LVS_NOSORTHEADER    0x8000

#define LVS_EX_GRIDLINES     0x00000001
#define LVS_EX_FULLROWSELECT 0x00000020

/* List view messages */
#define LVM_FIRST                    0x1000
#define LVM_GETITEMCOUNT             (LVM_FIRST + 4)
#define LVM_GETITEMA                 (LVM_FIRST + 5)
#define LVM_SETITEMA                 (LVM_FIRST + 6)
#define LVM_INSERTITEMA              (LVM_FIRST + 7)
#define LVM_DELETEITEM               (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS           (LVM_FIRST + 9)
#define LVM_GETNEXTITEM              (LVM_FIRST + 12)
#define LVM_GETCOLUMNA               (LVM_FIRST + 25)
#define LVM_SETCOLUMNA               (LVM_FIRST + 26)
#define LVM_INSERTCOLUMNA            (LVM_FIRST + 27)
#define LVM_DELETECOLUMN             (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH           (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH           (LVM_FIRST + 30)
#define LVM_GETHEADER                (LVM_FIRST + 31)
#define LVM_SETITEMSTATE             (LVM_FIRST + 43)
#define LVM_GETITEMSTATE             (LVM_FIRST + 44)
#define LVM_GETITEMTEXTA             (LVM_FIRST + 45)
#define LVM_SETITEMTEXTA             (LVM_FIRST + 46)
#define LVM_SETITEMCOUNT             (LVM_FIRST + 47)
#define LVM_GETSELECTEDCOUNT         (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETITEMW                 (LVM_FIRST + 75)
#define LVM_SETITEMW                 (LVM_FIRST + 76)
#define LVM_INSERTITEMW              (LVM_FIRST + 77)
#define LVM_GETCOLUMNW               (LVM_FIRST + 95)
#define LVM_SETCOLUMNW               (LVM_FIRST + 96)
#define LVM_INSERTCOLUMNW            (LVM_FIRST + 97)
#define LVM_GETITEMTEXTW             (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW             (LVM_FIRST + 116)
#define LVM_GETITEM                  LVM_GETITEMA
#define LVM_SETITEM                  LVM_SETITEMA
#define LVM_INSERTITEM               LVM_INSERTITEMA
#define LVM_GETCOLUMN                LVM_GETCOLUMNA
#define LVM_SETCOLUMN                LVM_SETCOLUMNA
#define LVM_INSERTCOLUMN             LVM_INSERTCOLUMNA
#define LVM_GETITEMTEXT              LVM_GETITEMTEXTA
#define LVM_SETITEMTEXT              LVM_SETITEMTEXTA

/* LVITEM masks and states */
#define LVIF_TEXT        0x00000001
#define LVIF_IMAGE       0x00000002
#define LVIF_PARAM       0x00000004
#define LVIF_STATE       0x00000008
#define LVIF_INDENT      0x00000010
#define LVIF_NORECOMPUTE 0x00000800
#define LVIS_FOCUSED     0x0001
#define LVIS_SELECTED    0x0002
#define LVIS_CUT         0x0004
#define LVIS_DROPHILITED 0x0008
#define LVNI_ALL         0x0000
#define LVNI_FOCUSED     0x0001
#define LVNI_SELECTED    0x0002

/* LVCOLUMN masks and formats */
#define LVCF_FMT           0x0001
#define LVCF_WIDTH         0x0002
#define LVCF_TEXT          0x0004
#define LVCF_SUBITEM       0x0008
#define LVCF_IMAGE         0x0010
#define LVCF_ORDER         0x0020
#define LVCFMT_LEFT        0x0000
#define LVCFMT_RIGHT       0x0001
#define LVCFMT_CENTER      0x0002
#define LVCFMT_JUSTIFYMASK 0x0003

#define LPSTR_TEXTCALLBACKA ((LPSTR)-1L)
#define I_IMAGECALLBACK     (-1)

/* List view notifications */
#define NM_FIRST           (0U - 0U)
#define NM_CLICK           (NM_FIRST - 2)
#define NM_DBLCLK          (NM_FIRST - 3)
#define LVN_FIRST          (0U - 100U)
#define LVN_ITEMCHANGING   (LVN_FIRST - 0)
#define LVN_ITEMCHANGED    (LVN_FIRST - 1)
#define LVN_INSERTITEM     (LVN_FIRST - 2)
#define LVN_DELETEITEM     (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)

#ifndef RC_INVOKED

typedef struct tagINITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

typedef struct tagLVCOLUMNA {
    UINT mask;
    int fmt;
    int cx;
    LPSTR pszText;
    int cchTextMax;
    int iSubItem;
    int iImage;
    int iOrder;
} LVCOLUMNA, *LPLVCOLUMNA;
typedef LVCOLUMNA LVCOLUMN, *LPLVCOLUMN;

typedef struct tagLVITEMA {
    UINT mask;
    int iItem;
    int iSubItem;
    UINT state;
    UINT stateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
    int iIndent;
} LVITEMA, *LPLVITEMA;
typedef LVITEMA LVITEM, *LPLVITEM;

typedef struct tagNMLISTVIEW {
    NMHDR hdr;
    int iItem;
    int iSubItem;
    UINT uNewState;
    UINT uOldState;
    UINT uChanged;
    POINT ptAction;
    LPARAM lParam;
} NMLISTVIEW, *LPNMLISTVIEW;

typedef LRESULT(CALLBACK* SUBCLASSPROC)(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR uIdSubclass,
                                        DWORD_PTR dwRefData);

WIN32_BEGIN_DECLS

WINCOMMCTRLAPI BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);

WINCOMMCTRLAPI BOOL WINAPI SetWindowSubclass(HWND hWnd, SUBCLASSPROC pfnSubclass, UINT_PTR uIdSubclass,
                                             DWORD_PTR dwRefData);
WINCOMMCTRLAPI BOOL WINAPI RemoveWindowSubclass(HWND hWnd, SUBCLASSPROC pfnSubclass, UINT_PTR uIdSubclass);
WINCOMMCTRLAPI LRESULT WINAPI DefSubclassProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

WIN32_END_DECLS

#define ListView_GetItemCount(hwnd)      (int)SendMessageA((hwnd), LVM_GETITEMCOUNT, 0, 0L)
#define ListView_InsertItem(hwnd, pitem) (int)SendMessageA((hwnd), LVM_INSERTITEMA, 0, (LPARAM)(const LVITEMA*)(pitem))
#define ListView_DeleteItem(hwnd, i)     (BOOL) SendMessageA((hwnd), LVM_DELETEITEM, (WPARAM)(int)(i), 0L)
#define ListView_DeleteAllItems(hwnd)    (BOOL) SendMessageA((hwnd), LVM_DELETEALLITEMS, 0, 0L)
#define ListView_InsertColumn(hwnd, iCol, pcol) \
    (int)SendMessageA((hwnd), LVM_INSERTCOLUMNA, (WPARAM)(int)(iCol), (LPARAM)(const LVCOLUMNA*)(pcol))
#define ListView_GetColumn(hwnd, iCol, pcol) \
    (BOOL) SendMessageA((hwnd), LVM_GETCOLUMNA, (WPARAM)(int)(iCol), (LPARAM)(LVCOLUMNA*)(pcol))

#endif /* RC_INVOKED */
