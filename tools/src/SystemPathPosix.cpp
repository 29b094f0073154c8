// Command-line paths in the system's form, and a template folder's name, on Linux.

#include "SystemPath.h"

#include <dirent.h>
#include <fcntl.h>
#include <standin/crt.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "FileDescriptor.h"

namespace layouttool {
namespace {

std::string Reason() { return std::strerror(errno); }

// The name under which the folder `nativePath` is listed in the folder above
// it, found by comparing device and inode; "" when none is (a root).
bool NameInParent(const std::string& nativePath, std::string& name, std::string& error)
{
    const FileDescriptor folder(::open(nativePath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    struct stat self {};
    if (!folder.Valid() || ::fstat(folder.Get(), &self) != 0) {
        error = "cannot be opened: " + Reason();
        return false;
    }
    const int parent = ::openat(folder.Get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = parent >= 0 ? ::fdopendir(parent) : nullptr;
    if (listing == nullptr) {
        error = "the folder above it cannot be read: " + Reason();
        if (parent >= 0)
            ::close(parent);
        return false;
    }
    name.clear();
    while (const dirent* entry = ::readdir(listing)) {
        const std::string candidate = entry->d_name;
        struct stat info {};
        if (candidate == "." || candidate == ".." ||
            ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (info.st_dev == self.st_dev && info.st_ino == self.st_ino) {
            name = candidate;
            break;
        }
    }
    ::closedir(listing);
    return true;
}

}  // namespace

std::string WithoutTrailingSeparators(std::string nativePath)
{
    while (nativePath.size() > 1 && nativePath.back() == '/')
        nativePath.pop_back();
    return nativePath;
}

std::string ToSystemPath(const std::string& nativePath)
{
    // No drive is mapped in this process, so only the separators change.
    return standin::FromNativePath(WithoutTrailingSeparators(nativePath));
}

std::string NativeOf(const std::string& systemPath) { return standin::ToNativePath(systemPath); }

std::string SelectListingOrder(const std::string& order)
{
    if (order == "filesystem")
        standin::SetListingOrder(standin::ListingOrder::FileSystem);
    else if (order == "ascending")
        standin::SetListingOrder(standin::ListingOrder::Ascending);
    else if (order == "descending")
        standin::SetListingOrder(standin::ListingOrder::Descending);
    else
        return "--listing-order: expected filesystem, ascending or descending, got '" + order + "'";
    return std::string();
}

bool LocateTemplate(const std::string& nativePath, TemplateLocation& location, std::string& error)
{
    const std::string path = WithoutTrailingSeparators(nativePath);
    const std::size_t separator = path.rfind('/');
    const std::string last = separator == std::string::npos ? path : path.substr(separator + 1);
    if (!last.empty() && last != "." && last != "..") {
        location.name = last;
        location.templatesFolder = separator == std::string::npos ? "."
                                   : separator == 0               ? "/"
                                                                  : path.substr(0, separator);
        return true;
    }
    std::string name;
    if (!last.empty() && !NameInParent(path, name, error))
        return false;
    if (name.empty()) {
        error = "a template is a sub-folder of a layout-templates folder";
        return false;
    }
    location.name = name;
    location.templatesFolder = path + "/..";
    return true;
}

}  // namespace layouttool
