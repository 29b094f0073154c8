/* COM base: the interfaces of unknwn.h and objidl.h (subset of objbase.h /
 * combaseapi.h).
 *
 * Not implemented: the task allocator's functions (CoTaskMemAlloc and the like:
 * the shell allocator, IMalloc from SHGetMalloc, serves instead),
 * CoInitialize/CoCreateInstance and the rest of COM activation, apartments,
 * marshalling; the `interface` keyword macro.
 */
#pragma once

#include <unknwn.h>
#include <objidl.h>
