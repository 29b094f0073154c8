/* Shell item identifiers and string returns (subset of shtypes.h).
 *
 * An item id list is a run of SHITEMIDs, each starting with its own size in
 * bytes (cb, which counts the cb field itself), ended by a zero cb.  The bytes
 * after cb belong to the folder that made the item; callers only copy, compare
 * and free them.  The empty list (a lone zero cb) is the desktop.
 *
 * Without STRICT_TYPED_ITEMIDS, as here, the absolute/relative/child forms are
 * all ITEMIDLIST.  Not implemented: STRICT_TYPED_ITEMIDS, the UNALIGNED forms
 * (the same types), SHELLDETAILS and the other column structures.
 */
#pragma once

#include <windef.h>

#define STRRET_WSTR   0x0000
#define STRRET_OFFSET 0x0001
#define STRRET_CSTR   0x0002

#ifndef RC_INVOKED

#pragma pack(push, 1)
typedef struct _SHITEMID {
    USHORT cb;
    BYTE abID[1];
} SHITEMID;
typedef SHITEMID* LPSHITEMID;
typedef const SHITEMID* LPCSHITEMID;

typedef struct _ITEMIDLIST {
    SHITEMID mkid;
} ITEMIDLIST;
#pragma pack(pop)

typedef ITEMIDLIST ITEMIDLIST_RELATIVE;
typedef ITEMIDLIST ITEMID_CHILD;
typedef ITEMIDLIST ITEMIDLIST_ABSOLUTE;

typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef ITEMIDLIST_ABSOLUTE* PIDLIST_ABSOLUTE;
typedef const ITEMIDLIST_ABSOLUTE* PCIDLIST_ABSOLUTE;
typedef const ITEMIDLIST_ABSOLUTE* PCUIDLIST_ABSOLUTE;
typedef ITEMIDLIST_RELATIVE* PIDLIST_RELATIVE;
typedef const ITEMIDLIST_RELATIVE* PCIDLIST_RELATIVE;
typedef const ITEMIDLIST_RELATIVE* PCUIDLIST_RELATIVE;
typedef ITEMID_CHILD* PITEMID_CHILD;
typedef const ITEMID_CHILD* PCITEMID_CHILD;
typedef const ITEMID_CHILD* PCUITEMID_CHILD;
typedef PCUITEMID_CHILD const* PCUITEMID_CHILD_ARRAY;

typedef struct _STRRET {
    UINT uType;
    union {
        LPWSTR pOleStr;
        UINT uOffset;
        char cStr[MAX_PATH];
    };
} STRRET, *LPSTRRET;

#endif /* RC_INVOKED */
