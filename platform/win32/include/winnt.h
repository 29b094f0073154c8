/* Base types, language identifiers and resource-name helpers (subset of winnt.h).
 *
 * Types are those of 64-bit Windows: LONG and DWORD are 32 bits, pointers and the
 * *_PTR types 64 bits.  WCHAR is a 16-bit UTF-16 code unit, as on Windows; in C++
 * it is char16_t, so wide literals are written u"..." (L"..." is 32-bit here).
 *
 * Safe to include from resource scripts: under RC_INVOKED only macros remain.
 */
#pragma once

#ifndef RC_INVOKED
#include <stddef.h>
#include <stdint.h>
#endif

#define WINAPI
#define WINAPIV
#define CALLBACK
#define APIENTRY
#define STDMETHODCALLTYPE
#define CONST const
#define VOID  void
#define FAR
#define NEAR

#ifdef __cplusplus
#define WIN32_EXTERN_C    extern "C"
#define WIN32_BEGIN_DECLS extern "C" {
#define WIN32_END_DECLS   }
#else
#define WIN32_EXTERN_C extern
#define WIN32_BEGIN_DECLS
#define WIN32_END_DECLS
#endif

/* The stand-in libraries export their API the way a DLL does. */
#define DECLSPEC_IMPORT __attribute__((visibility("default")))
#define DECLSPEC_EXPORT __attribute__((visibility("default")))
#define WINBASEAPI      DECLSPEC_IMPORT
#define WINUSERAPI      DECLSPEC_IMPORT
#define WINCOMMCTRLAPI  DECLSPEC_IMPORT

#define UNREFERENCED_PARAMETER(P)          ((void)(P))
#define DBG_UNREFERENCED_PARAMETER(P)      ((void)(P))
#define DBG_UNREFERENCED_LOCAL_VARIABLE(V) ((void)(V))

#define TEXT(quote)   quote
#define __TEXT(quote) quote

/* Languages (only those the project's resources and callers use). */
#define LANG_NEUTRAL        0x00
#define LANG_INVARIANT      0x7f
#define LANG_ENGLISH        0x09
#define SUBLANG_NEUTRAL     0x00
#define SUBLANG_DEFAULT     0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_ENGLISH_US  0x01
#define SUBLANG_ENGLISH_UK  0x02
#define MAKELANGID(p, s)    ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid)     ((WORD)(lgid) >> 10)

#ifndef RC_INVOKED

typedef void* PVOID;
typedef void* HANDLE;
typedef HANDLE* PHANDLE;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef short SHORT;
typedef unsigned short USHORT;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef int64_t LONG64;
typedef uint64_t ULONG64;
typedef uint64_t DWORD64;
#ifdef __cplusplus
typedef char16_t WCHAR;
#else
typedef uint16_t WCHAR;
#endif

typedef CHAR *PCHAR, *LPCH, *PCH, *NPSTR, *LPSTR, *PSTR;
typedef const CHAR *LPCCH, *PCCH, *LPCSTR, *PCSTR;
typedef WCHAR *PWCHAR, *LPWCH, *PWCH, *NWPSTR, *LPWSTR, *PWSTR;
typedef const WCHAR *LPCWCH, *PCWCH, *LPCWSTR, *PCWSTR;
typedef char TCHAR, *PTCHAR;
typedef LPSTR LPTSTR, PTSTR;
typedef LPCSTR LPCTSTR, PCTSTR;

typedef LONG HRESULT;
typedef uint32_t LCID;
typedef uint16_t LANGID;
typedef uint8_t BOOLEAN;

/* basetsd.h */
typedef intptr_t INT_PTR, *PINT_PTR;
typedef uintptr_t UINT_PTR, *PUINT_PTR;
typedef intptr_t LONG_PTR, *PLONG_PTR;
typedef uintptr_t ULONG_PTR, *PULONG_PTR;
typedef ULONG_PTR DWORD_PTR, *PDWORD_PTR;
typedef ULONG_PTR SIZE_T, *PSIZE_T;
typedef LONG_PTR SSIZE_T, *PSSIZE_T;

#define DECLARE_HANDLE(name) \
    struct name##__ { \
        int unused; \
    }; \
    typedef struct name##__* name

#endif /* RC_INVOKED */
