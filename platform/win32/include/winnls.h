/* Code-page conversion and string comparison (subset of winnls.h / stringapiset.h).
 *
 * The ANSI code page of this system is UTF-8: CP_ACP and CP_UTF8 convert from
 * UTF-8 to UTF-16.
 *
 * Not declared: the conversion back (WideCharToMultiByte), GetACP.
 */
#pragma once

#include <windef.h>

#define CP_ACP        0
#define CP_OEMCP      1
#define CP_THREAD_ACP 3
#define CP_UTF8       65001

#define MB_PRECOMPOSED       0x00000001
#define MB_COMPOSITE         0x00000002
#define MB_USEGLYPHCHARS     0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008

/* CompareString */
#define LOCALE_USER_DEFAULT   0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define NORM_IGNORECASE       0x00000001
#define CSTR_LESS_THAN        1
#define CSTR_EQUAL            2
#define CSTR_GREATER_THAN     3

#ifndef RC_INVOKED

WIN32_BEGIN_DECLS

WINBASEAPI int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCCH lpMultiByteStr, int cbMultiByte,
                                          LPWSTR lpWideCharStr, int cchWideChar);
WINBASEAPI int WINAPI CompareStringW(LCID Locale, DWORD dwCmpFlags, LPCWCH lpString1, int cchCount1, LPCWCH lpString2,
                                     int cchCount2);

WIN32_END_DECLS

#endif /* RC_INVOKED */
