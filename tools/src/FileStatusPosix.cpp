// File status on Linux: stat(2) and lstat(2).

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "FileStatus.h"

namespace layouttool {

FileStatus StatusOf(const std::string& path)
{
    FileStatus status;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        status.error = errno;
        status.reason = std::strerror(errno);
        return status;
    }
    status.found = true;
    status.kind = S_ISREG(info.st_mode)                            ? FileKind::File
                  : S_ISDIR(info.st_mode)                          ? FileKind::Folder
                  : S_ISFIFO(info.st_mode)                         ? FileKind::Fifo
                  : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? FileKind::Device
                  : S_ISSOCK(info.st_mode)                         ? FileKind::Socket
                                                                   : FileKind::Other;
    return status;
}

bool EntryExists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

std::string ListingProblem(const std::string& path)
{
    DIR* listing = ::opendir(path.c_str());
    if (listing == nullptr)
        return std::strerror(errno);
    ::closedir(listing);
    return std::string();
}

std::string NameDroppedBySystem(const std::string&) { return std::string(); }

std::vector<std::pair<std::string, std::string>> NamesOutsideCodePage(const std::string&) { return {}; }

std::string JoinNative(const std::string& first, const std::string& second)
{
    if (first.empty() || first.back() == '/')
        return first + second;
    return first + "/" + second;
}

std::string LastName(const std::string& path)
{
    const std::size_t separator = path.rfind('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace layouttool
