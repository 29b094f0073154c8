/* COM base: the interfaces of unknwn.h and objidl.h and the task allocator
 * functions (subset of objbase.h / combaseapi.h).
 *
 * The task allocator is the shell allocator: CoTaskMemAlloc, IMalloc from
 * SHGetMalloc and the item id lists of the shell all use one heap, as on Windows.
 *
 * Not implemented: CoInitialize/CoCreateInstance and the rest of COM activation,
 * apartments, marshalling; the `interface` keyword macro.
 */
#pragma once

#include <unknwn.h>
#include <objidl.h>

#ifndef RC_INVOKED

#define WINOLEAPI        EXTERN_C DECLSPEC_IMPORT HRESULT STDAPICALLTYPE
#define WINOLEAPI_(type) EXTERN_C DECLSPEC_IMPORT type STDAPICALLTYPE

WINOLEAPI_(LPVOID) CoTaskMemAlloc(SIZE_T cb);
WINOLEAPI_(LPVOID) CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
WINOLEAPI_(void) CoTaskMemFree(LPVOID pv);

#endif /* RC_INVOKED */
