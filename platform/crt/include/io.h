/*
 * <io.h>: the C run-time's directory search (_findfirst, _findnext, _findclose) over POSIX.
 *
 * Patterns are Windows paths; they are translated to native paths inside _findfirst (see
 * <standin/crt.h>). Names are matched byte for byte: Linux file names are case-sensitive, so
 * "*.TXT" does not find "a.txt" here although it would on Windows.
 *
 * Not implemented: the sized variants (_findfirst32, _findfirst64i32, _findfirsti64...), the wide
 * variants (_wfindfirst...), the low-level file functions (_open, _access, _read...), 8.3 short
 * names, and the invalid-parameter handler (bad arguments return -1 with errno EINVAL, as they do
 * on Windows when the handler returns).
 */
#pragma once

#include <stdint.h>
#include <time.h>

#ifndef _ACRTIMP
#define _ACRTIMP __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* File attributes reported in _finddata_t.attrib. */
#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH   0x20

/* Windows declares it unsigned long, which is 32 bits there and 64 bits on this LP64 host. */
typedef unsigned long _fsize_t;

struct _finddata_t {
    unsigned attrib;
    time_t time_create;
    time_t time_access;
    time_t time_write;
    _fsize_t size;
    char name[260];
};

_ACRTIMP intptr_t _findfirst(const char* pattern, struct _finddata_t* record);
_ACRTIMP int _findnext(intptr_t handle, struct _finddata_t* record);
_ACRTIMP int _findclose(intptr_t handle);

#ifdef __cplusplus
}
#endif
