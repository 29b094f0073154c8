// The run-time's records: a search's (_finddata_t) from what a listing tells, a status query's
// (_stat) from POSIX file status.
//
// Windows sets the archive attribute on files, reports a folder's size as 0, and repeats the
// owner's read/write/execute bits of st_mode for group and others. Here:
//   - a name starting with '.' (other than "." and "..") is hidden, as Wine shows dot files;
//   - in a status record, the creation time is the POSIX status-change time: struct stat has no
//     creation time;
//   - a file is executable when its owner may execute it (Windows decides by the extension);
//   - st_ino, st_uid and st_gid are 0, st_dev and st_rdev the drive number, as on Windows.
// Not implemented: _A_SYSTEM; in a search record the size, the times and _A_RDONLY, which a POSIX
// listing does not carry (Windows' does); in a status record any type bits other than folder,
// regular file, character device and pipe (a socket or block device has none).
#include "records.h"

#include <climits>
#include <cstring>

namespace crt {
namespace {

unsigned short TypeBits(mode_t mode)
{
    if (S_ISDIR(mode))
        return _S_IFDIR;
    if (S_ISREG(mode))
        return _S_IFREG;
    if (S_ISCHR(mode))
        return _S_IFCHR;
    if (S_ISFIFO(mode))
        return _S_IFIFO;
    return 0;
}

bool IsWritable(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

}  // namespace

bool FillListedRecord(std::string_view name, bool folder, _finddata_t& record)
{
    if (name.size() + 1 > sizeof record.name)
        return false;

    unsigned attrib = folder ? _A_SUBDIR : _A_ARCH;
    if (!name.empty() && name.front() == '.' && name != "." && name != "..")
        attrib |= _A_HIDDEN;

    record.attrib = attrib;
    record.time_create = -1;
    record.time_access = -1;
    record.time_write = -1;
    record.size = 0;
    std::memcpy(record.name, name.data(), name.size());
    record.name[name.size()] = '\0';
    return true;
}

void FillStatRecord(const struct stat& status, unsigned driveIndex, struct _stat& record)
{
    unsigned short mode = TypeBits(status.st_mode) | _S_IREAD;
    if (IsWritable(status.st_mode))
        mode |= _S_IWRITE;
    if (S_ISDIR(status.st_mode) || (S_ISREG(status.st_mode) && (status.st_mode & S_IXUSR)))
        mode |= _S_IEXEC;
    mode |= static_cast<unsigned short>(((mode & 0700) >> 3) | ((mode & 0700) >> 6));

    record = {};
    record.st_dev = driveIndex;
    record.st_rdev = driveIndex;
    record.st_mode = mode;
    record.st_nlink = static_cast<short>(status.st_nlink > SHRT_MAX ? SHRT_MAX : status.st_nlink);
    record.st_size = S_ISDIR(status.st_mode) ? 0 : static_cast<long>(status.st_size);
    record.st_atime = status.st_atim.tv_sec;
    record.st_mtime = status.st_mtim.tv_sec;
    record.st_ctime = status.st_ctim.tv_sec;
}

}  // namespace crt
