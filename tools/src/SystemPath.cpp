// Native command-line paths to the system's backslash form.

#include "SystemPath.h"

#include <standin/crt.h>

#include <filesystem>

namespace layouttool {

std::string AbsoluteNativePath(const std::string& nativePath)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(nativePath, error);
    if (error)
        absolute = nativePath;  // no current folder: leave the path as given
    std::string path = absolute.lexically_normal().string();
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string ToSystemPath(const std::string& nativePath)
{
    // No drive is mapped in this process, so the path keeps no drive and
    // only its separators change.
    return standin::FromNativePath(AbsoluteNativePath(nativePath));
}

}  // namespace layouttool
