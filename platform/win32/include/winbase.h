/* Kernel functions: last error, modules and resources (subset of winbase.h / libloaderapi.h).
 *
 * A module handle (HMODULE/HINSTANCE) is the base address of a loaded ELF object;
 * NULL stands for the main executable.  Each object carries its compiled resources
 * (.res) in an allocated ELF note named "WIN32RES".
 */
#pragma once

#include <windef.h>
#include <winerror.h>

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH  2
#define DLL_THREAD_DETACH  3

#define GET_MODULE_HANDLE_EX_FLAG_PIN                0x00000001
#define GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT 0x00000002
#define GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS       0x00000004

#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE     MAKEINTRESOURCEA
#define IS_INTRESOURCE(r)   ((((ULONG_PTR)(r)) >> 16) == 0)
#define MAKEINTATOM(i)      ((LPSTR)((ULONG_PTR)((WORD)(i))))

#ifndef RC_INVOKED

WIN32_BEGIN_DECLS

WINBASEAPI DWORD WINAPI GetLastError(void);
WINBASEAPI void WINAPI SetLastError(DWORD dwErrCode);

WINBASEAPI HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName);
WINBASEAPI BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule);
WINBASEAPI DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

WINBASEAPI HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
WINBASEAPI HRSRC WINAPI FindResourceExA(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
WINBASEAPI HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
WINBASEAPI LPVOID WINAPI LockResource(HGLOBAL hResData);
WINBASEAPI DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

WINBASEAPI int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);

WIN32_END_DECLS

#define GetModuleHandle   GetModuleHandleA
#define GetModuleHandleEx GetModuleHandleExA
#define GetModuleFileName GetModuleFileNameA
#define FindResource      FindResourceA
#define FindResourceEx    FindResourceExA

#endif /* RC_INVOKED */
