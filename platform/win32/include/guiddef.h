/* Globally unique identifiers: GUID, IID, CLSID and their comparison (subset of guiddef.h).
 *
 * Not implemented: DEFINE_GUID/INITGUID, FMTID and the C forms of REFIID (C++ only).
 */
#pragma once

#include <winnt.h>

#ifndef EXTERN_C
#ifdef __cplusplus
#define EXTERN_C extern "C"
#else
#define EXTERN_C extern
#endif
#endif

#ifndef RC_INVOKED

#include <string.h>

typedef struct _GUID {
    ULONG Data1;
    USHORT Data2;
    USHORT Data3;
    UCHAR Data4[8];
} GUID, *LPGUID;
typedef const GUID* LPCGUID;
typedef GUID IID, *LPIID;
typedef GUID CLSID, *LPCLSID;

#ifdef __cplusplus
#define REFGUID  const GUID&
#define REFIID   const IID&
#define REFCLSID const IID&

inline int IsEqualGUID(REFGUID a, REFGUID b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b) != 0; }
inline bool operator!=(REFGUID a, REFGUID b) { return !(a == b); }
#define IsEqualIID(a, b)   IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)
#endif

#endif /* RC_INVOKED */
