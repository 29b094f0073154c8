// libilt_fs_latency: preloaded (LD_PRELOAD) into the benchmark program, it counts the calls by
// which a process reaches the file system and makes each of them take longer, as on a network
// share where every call is a round trip to the server.
//
// Interposed: open, openat, close, read, pread, stat, lstat, fstat, fstatat, statx, access,
// faccessat, readlink, opendir, fdopendir, closedir (each also in its 64-bit name). A listing's
// reads (readdir) are not: the C library fetches many entries a call. Calls that the C library
// makes within itself do not pass through here either.
//
// Controls, found by the program with dlsym: ilt_fs_shim_set(latency in microseconds, counting
// on), ilt_fs_shim_calls(), ilt_fs_shim_reset(), and the calls by kind: ilt_fs_shim_kinds(),
// ilt_fs_shim_kind_name(kind), ilt_fs_shim_kind_calls(kind). Nothing is counted or slowed until
// the first set.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <ctime>

namespace {

// The kinds of calls counted apart.
enum Kind { kOpen, kRead, kClose, kStatusByPath, kStatusOfOpenFile, kOpenListing, kCloseListing, kKinds };
const char* const kKindNames[kKinds] = {
    "open",
    "read",
    "close",
    "status by path (stat, lstat, fstatat, statx, access, readlink)",
    "status of an open file (fstat)",
    "open a listing (opendir)",
    "close a listing (closedir)",
};

std::atomic<long> latencyMicroseconds{0};
std::atomic<bool> counting{false};
std::atomic<unsigned long> calls{0};
std::atomic<unsigned long> callsOfKind[kKinds];

// One round trip: counted, and the latency waited out (errno kept).
void RoundTrip(Kind kind)
{
    if (!counting.load(std::memory_order_relaxed))
        return;
    calls.fetch_add(1, std::memory_order_relaxed);
    callsOfKind[kind].fetch_add(1, std::memory_order_relaxed);
    const long latency = latencyMicroseconds.load(std::memory_order_relaxed);
    if (latency <= 0)
        return;
    const int saved = errno;
    // A sleep overshoots by some tens of microseconds: sleep to shortly before the end, then wait.
    constexpr long kSpinNanoseconds = 150000;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long until = now.tv_sec * 1000000000LL + now.tv_nsec + latency * 1000LL;
    if (latency * 1000LL > kSpinNanoseconds) {
        const long long wake = until - kSpinNanoseconds;
        const timespec at{static_cast<time_t>(wake / 1000000000LL), static_cast<long>(wake % 1000000000LL)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        }
    }
    do {
        clock_gettime(CLOCK_MONOTONIC, &now);
    } while (now.tv_sec * 1000000000LL + now.tv_nsec < until);
    errno = saved;
}

template <typename Function>
Function Next(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

#define ILT_REAL(name) static const auto real = Next<decltype(&::name)>(#name)

extern "C" {

__attribute__((visibility("default"))) void ilt_fs_shim_set(long microseconds, int count)
{
    latencyMicroseconds.store(microseconds);
    counting.store(count != 0);
}

__attribute__((visibility("default"))) unsigned long ilt_fs_shim_calls() { return calls.load(); }

__attribute__((visibility("default"))) void ilt_fs_shim_reset()
{
    calls.store(0);
    for (std::atomic<unsigned long>& count : callsOfKind)
        count.store(0);
}

__attribute__((visibility("default"))) int ilt_fs_shim_kinds() { return kKinds; }

__attribute__((visibility("default"))) const char* ilt_fs_shim_kind_name(int kind)
{
    return kind >= 0 && kind < kKinds ? kKindNames[kind] : "";
}

__attribute__((visibility("default"))) unsigned long ilt_fs_shim_kind_calls(int kind)
{
    return kind >= 0 && kind < kKinds ? callsOfKind[kind].load() : 0;
}

// open and openat take a mode only when they may create.
static mode_t ModeOf(int flags, va_list arguments)
{
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

int open(const char* path, int flags, ...)
{
    ILT_REAL(open);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    RoundTrip(kOpen);
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    ILT_REAL(open64);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    RoundTrip(kOpen);
    return real(path, flags, mode);
}

int openat(int folder, const char* path, int flags, ...)
{
    ILT_REAL(openat);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    RoundTrip(kOpen);
    return real(folder, path, flags, mode);
}

int openat64(int folder, const char* path, int flags, ...)
{
    ILT_REAL(openat64);
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    RoundTrip(kOpen);
    return real(folder, path, flags, mode);
}

int close(int descriptor)
{
    ILT_REAL(close);
    RoundTrip(kClose);
    return real(descriptor);
}

ssize_t read(int descriptor, void* buffer, size_t size)
{
    ILT_REAL(read);
    RoundTrip(kRead);
    return real(descriptor, buffer, size);
}

ssize_t pread(int descriptor, void* buffer, size_t size, off_t offset)
{
    ILT_REAL(pread);
    RoundTrip(kRead);
    return real(descriptor, buffer, size, offset);
}

ssize_t pread64(int descriptor, void* buffer, size_t size, off64_t offset)
{
    ILT_REAL(pread64);
    RoundTrip(kRead);
    return real(descriptor, buffer, size, offset);
}

int stat(const char* path, struct stat* status)
{
    ILT_REAL(stat);
    RoundTrip(kStatusByPath);
    return real(path, status);
}

int stat64(const char* path, struct stat64* status)
{
    ILT_REAL(stat64);
    RoundTrip(kStatusByPath);
    return real(path, status);
}

int lstat(const char* path, struct stat* status)
{
    ILT_REAL(lstat);
    RoundTrip(kStatusByPath);
    return real(path, status);
}

int lstat64(const char* path, struct stat64* status)
{
    ILT_REAL(lstat64);
    RoundTrip(kStatusByPath);
    return real(path, status);
}

int fstat(int descriptor, struct stat* status)
{
    ILT_REAL(fstat);
    RoundTrip(kStatusOfOpenFile);
    return real(descriptor, status);
}

int fstat64(int descriptor, struct stat64* status)
{
    ILT_REAL(fstat64);
    RoundTrip(kStatusOfOpenFile);
    return real(descriptor, status);
}

int fstatat(int folder, const char* path, struct stat* status, int flags)
{
    ILT_REAL(fstatat);
    RoundTrip(kStatusByPath);
    return real(folder, path, status, flags);
}

int fstatat64(int folder, const char* path, struct stat64* status, int flags)
{
    ILT_REAL(fstatat64);
    RoundTrip(kStatusByPath);
    return real(folder, path, status, flags);
}

int statx(int folder, const char* path, int flags, unsigned int mask, struct statx* status)
{
    ILT_REAL(statx);
    RoundTrip(kStatusByPath);
    return real(folder, path, flags, mask, status);
}

int access(const char* path, int mode)
{
    ILT_REAL(access);
    RoundTrip(kStatusByPath);
    return real(path, mode);
}

int faccessat(int folder, const char* path, int mode, int flags)
{
    ILT_REAL(faccessat);
    RoundTrip(kStatusByPath);
    return real(folder, path, mode, flags);
}

ssize_t readlink(const char* path, char* buffer, size_t size)
{
    ILT_REAL(readlink);
    RoundTrip(kStatusByPath);
    return real(path, buffer, size);
}

DIR* opendir(const char* path)
{
    ILT_REAL(opendir);
    RoundTrip(kOpenListing);
    return real(path);
}

DIR* fdopendir(int descriptor)
{
    ILT_REAL(fdopendir);
    RoundTrip(kOpenListing);
    return real(descriptor);
}

int closedir(DIR* folder)
{
    ILT_REAL(closedir);
    RoundTrip(kCloseListing);
    return real(folder);
}

}  // extern "C"
