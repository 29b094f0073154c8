// Path rules of the desktop folder: which names parse, their canonical form,
// and what they name on disk through the run-time's drive map.
//
// Windows' desktop folder parses an absolute path of an existing item, with or
// without a trailing backslash. A name that names nothing fails with
// HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND): a missing item, a relative name
// (looked for among the desktop's items), a ".." or "." component (taken as
// a name) and the empty component of a doubled backslash. Forward slashes
// ("c:/") and a drive without its backslash ("c:lib") are E_INVALIDARG. Here
// a rooted path without a drive ("\srv\lib") is absolute too: it names the
// native folder of the same path, as in the C run-time stand-in.
//
// Not implemented: UNC paths (\\server\share), the \\?\ prefix, names of
// virtual folders ("::{GUID}"), URLs, stripping of trailing dots and spaces,
// case-insensitive names (the native file system decides).
#include "shell32.h"

#include <standin/crt.h>

#include <sys/stat.h>

namespace win32::shell {
namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsForbiddenInName(unsigned char c)
{
    return c < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' || c == '*';
}

bool IsValidComponent(const std::string& name)
{
    for (const char c : name) {
        if (IsForbiddenInName(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// No item is named so: the name parses but finds nothing.
bool NamesNothing(const std::string& name) { return name.empty() || name == "." || name == ".."; }

}  // namespace

HRESULT CanonicalPath(const std::string& text, std::string& canonical)
{
    if (text.empty() || text.find('/') != std::string::npos)
        return E_INVALIDARG;
    std::string root;
    std::string rest;
    if (text.size() >= 2 && IsDriveLetter(text[0]) && text[1] == ':') {
        root = std::string(1, static_cast<char>(text[0] & ~0x20)) + ":\\";
        if (text.size() == 2) {
            canonical = root;
            return S_OK;
        }
        if (text[2] != '\\')
            return E_INVALIDARG;  // "X:name" is relative to the drive's current folder
        rest = text.substr(3);
    } else if (text[0] == '\\') {
        root = "\\";
        rest = text.substr(1);
        if (!rest.empty() && rest[0] == '\\')
            return E_INVALIDARG;  // "\\server": UNC paths are not implemented
    } else {
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);  // relative: no such item on the desktop
    }
    if (!rest.empty() && rest.back() == '\\')
        rest.pop_back();  // one trailing backslash is allowed
    if (rest.empty()) {
        canonical = root;
        return S_OK;
    }
    std::string path = root;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = rest.find('\\', start);
        const std::string name = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!IsValidComponent(name))
            return E_INVALIDARG;
        if (NamesNothing(name))
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        if (path.size() > root.size())
            path += '\\';
        path += name;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    canonical = path;
    return S_OK;
}

Existence Probe(const std::string& canonical)
{
    const std::string native = standin::ToNativePath(canonical);
    struct stat record;
    if (native.empty() || ::stat(native.c_str(), &record) != 0)
        return Existence::Missing;
    return S_ISDIR(record.st_mode) ? Existence::Folder : Existence::File;
}

bool IsUnder(const std::string& path, const std::string& root)
{
    if (root.empty() || path == root)
        return true;
    if (path.size() <= root.size() || path.compare(0, root.size(), root) != 0)
        return false;
    return root.back() == '\\' || path[root.size()] == '\\';
}

std::vector<std::string> DesktopTopFolders()
{
    std::vector<std::string> folders;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string drive = std::string(1, letter) + ":\\";
        if (!standin::ToNativePath(drive).empty())
            folders.push_back(drive);
    }
    folders.push_back("\\");
    return folders;
}

}  // namespace win32::shell
