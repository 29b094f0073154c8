// The run-time's records (_finddata_t, _stat) filled from POSIX file status.
//
// Windows reports a folder's size as 0, sets the archive attribute on files, and repeats the
// owner's read/write/execute bits of st_mode for group and others. Here:
//   - a name starting with '.' (other than "." and "..") is hidden, as Wine shows dot files;
//   - an entry nobody may write to is read-only;
//   - the creation time is the POSIX status-change time: struct stat has no creation time;
//   - a file is executable when its owner may execute it (Windows decides by the extension);
//   - st_ino, st_uid and st_gid are 0, st_dev and st_rdev the drive number, as on Windows.
// Not implemented: _A_SYSTEM, and any type bits other than folder, regular file, character device
// and pipe (a socket or block device has none).
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

bool FillFindRecord(std::string_view name, const struct stat& status, _finddata_t& record)
{
    if (name.size() + 1 > sizeof record.name)
        return false;

    unsigned attrib = S_ISDIR(status.st_mode) ? _A_SUBDIR : _A_ARCH;
    if (!IsWritable(status.st_mode))
        attrib |= _A_RDONLY;
    if (!name.empty() && name.front() == '.' && name != "." && name != "..")
        attrib |= _A_HIDDEN;

    record.attrib = attrib;
    record.time_create = status.st_ctim.tv_sec;
    record.time_access = status.st_atim.tv_sec;
    record.time_write = status.st_mtim.tv_sec;
    record.size = S_ISDIR(status.st_mode) ? 0 : static_cast<_fsize_t>(status.st_size);
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
