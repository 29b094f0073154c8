// _stat: the status of a file or folder named by a Windows path, answered by POSIX stat(2).
//
// Windows accepts a trailing backslash on a folder and refuses it on a file; so does POSIX, once the
// backslash is a slash. Windows reports every failure to find the path as ENOENT, refuses wildcards
// in the path, and fails a drive that does not exist.
//
// Not implemented: the MAX_PATH limit (long paths are queried as they are) and the EOVERFLOW of
// the 32-bit size variants (st_size is 64 bits here).
#include <sys/stat.h>

#include "drives.h"
#include "hooks.h"
#include "records.h"

#include <cerrno>
#include <cstring>

namespace {

// Windows' errno for a failed query: "not found" covers every way the path can miss.
int StatErrno(int posixError)
{
    switch (posixError) {
    case EACCES:
    case ENOMEM: return posixError;
    default: return ENOENT;
    }
}

}  // namespace

extern "C" int _stat(const char* path, struct _stat* record)
{
    const auto counted = crt::CountCall(crt::Call::Stat);
    if (path == nullptr || record == nullptr) {
        errno = EINVAL;
        return -1;
    }
    crt::LogPath(crt::Call::Stat, path);
    if (counted) {
        errno = *counted;
        return -1;
    }
    if (const auto fault = crt::StatFault(path)) {
        errno = *fault;
        return -1;
    }
    if (std::strpbrk(path, "?*") != nullptr) {
        errno = ENOENT;
        return -1;
    }
    const auto nativePath = crt::TranslatePath(path);
    if (!nativePath) {
        errno = ENOENT;
        return -1;
    }

    struct stat status;
    if (::stat(nativePath->c_str(), &status) != 0) {
        errno = StatErrno(errno);
        return -1;
    }
    crt::FillStatRecord(status, crt::DriveIndex(path), *record);
    return 0;
}
