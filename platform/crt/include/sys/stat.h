/*
 * <sys/stat.h>: the C run-time's _stat over POSIX, added to the system's own <sys/stat.h>.
 *
 * The record's time fields: glibc spells st_atime, st_mtime and st_ctime as macros for
 * st_atim.tv_sec and so on, and every source that includes the system header gets them. So where
 * those macros exist, struct _stat holds three one-member structs st_atim, st_mtim, st_ctim whose
 * member is tv_sec: `record.st_mtime` then reads a time_t at the place Windows has it, and neither
 * the system's macros nor the system's struct stat are touched. Without the macros (strict ISO C
 * without POSIX 2008) the fields are plain time_t members named as on Windows.
 *
 * Not implemented: the sized and wide variants (_stat32, _stat64, _stati64, _wstat...), _fstat,
 * and the non-underscore S_IF* names (the system header already defines them, with the same
 * values for folders and regular files).
 */
#pragma once
/* Lets the GCC extension #include_next through -pedantic, as in any system header. */
#pragma GCC system_header

#include_next <sys/stat.h>
#include <time.h>

#ifndef _ACRTIMP
#define _ACRTIMP __attribute__((visibility("default")))
#endif

#define _S_IFMT   0xF000
#define _S_IFDIR  0x4000
#define _S_IFCHR  0x2000
#define _S_IFIFO  0x1000
#define _S_IFREG  0x8000
#define _S_IREAD  0x0100
#define _S_IWRITE 0x0080
#define _S_IEXEC  0x0040

#ifdef __cplusplus
extern "C" {
#endif

#if defined(st_atime)
#if !defined(__GLIBC__)
#error "struct _stat relies on glibc's st_atime macro (st_atim.tv_sec)"
#endif
struct _stat_time {
    time_t tv_sec;
};
#endif

/* Field types as Windows declares them (_dev_t, _ino_t, _off_t = long: 64 bits on this host). */
struct _stat {
    unsigned int st_dev;
    unsigned short st_ino;
    unsigned short st_mode;
    short st_nlink;
    short st_uid;
    short st_gid;
    unsigned int st_rdev;
    long st_size;
#if defined(st_atime)
    struct _stat_time st_atim;
    struct _stat_time st_mtim;
    struct _stat_time st_ctim;
#else
    time_t st_atime;
    time_t st_mtime;
    time_t st_ctime;
#endif
};

_ACRTIMP int _stat(const char* path, struct _stat* record);

#ifdef __cplusplus
}
#endif
