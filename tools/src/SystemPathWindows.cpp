// Command-line paths in the system's form, and a template folder's name, on
// Windows: paths as a Windows user types them (a drive letter, a UNC share,
// forward slashes, a trailing backslash), resolved by the system by their
// text.

#include <windows.h>

#include "SystemPath.h"
#include "WindowsText.h"

namespace layouttool {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The length of the path's root: "D:\" 3, "D:" 2, "\" 1, "\\server\share\" up
// to its share's separator, 0 for a relative path.
std::size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.size() >= 3 && IsSeparator(path[2]) ? 3 : 2;
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        // \\server\share: the root ends after the share's name.
        std::size_t end = path.find_first_of("\\/", 2);
        if (end != std::string::npos)
            end = path.find_first_of("\\/", end + 1);
        return end == std::string::npos ? path.size() : end;
    }
    return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

}  // namespace

std::string WithoutTrailingSeparators(std::string nativePath)
{
    const std::size_t root = RootLength(nativePath);
    while (nativePath.size() > root && IsSeparator(nativePath.back()))
        nativePath.pop_back();
    return nativePath;
}

std::string ToSystemPath(const std::string& nativePath)
{
    const std::string path = WithoutTrailingSeparators(nativePath);
    std::string system;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = IsSeparator(path[i]) ? '\\' : path[i];
        // Runs of separators are one, but for the two that open a UNC path.
        if (c == '\\' && i > 1 && !system.empty() && system.back() == '\\')
            continue;
        system += c;
    }
    return system;
}

std::string NativeOf(const std::string& systemPath) { return systemPath; }

std::string SelectListingOrder(const std::string& order)
{
    if (order == "filesystem")
        return std::string();
    if (order == "ascending" || order == "descending")
        return "--listing-order " + order +
               ": only 'filesystem' is available on Windows (folders list in the file system's order)";
    return "--listing-order: expected filesystem, got '" + order + "'";
}

bool LocateTemplate(const std::string& nativePath, TemplateLocation& location, std::string& error)
{
    // Windows resolves "." and ".." by the text of a path, as this does.
    const std::wstring wide = WideFromAnsi(ToSystemPath(nativePath));
    const DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(length, L'\0');
    if (length == 0 || ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr) == 0) {
        error = "cannot be resolved: " + SystemMessage(::GetLastError());
        return false;
    }
    full.resize(full.find(L'\0'));
    const std::string path = WithoutTrailingSeparators(AnsiFromWideLossy(full));
    const std::size_t root = RootLength(path);
    const std::size_t separator = path.find_last_of("\\/");
    if (path.size() <= root || separator == std::string::npos || separator + 1 >= path.size()) {
        error = "a template is a sub-folder of a layout-templates folder";
        return false;
    }
    location.name = path.substr(separator + 1);
    location.templatesFolder = separator + 1 <= root ? path.substr(0, root) : path.substr(0, separator);
    return true;
}

}  // namespace layouttool
