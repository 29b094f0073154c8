// File status on Windows: a handle opened for its attributes only (reparse
// points followed), and the entry's own attributes.

#include <windows.h>

#include <cerrno>

#include "FileStatus.h"
#include "WindowsText.h"

namespace layouttool {
namespace {

// Whether some folder above `path` is a file, which Windows reports as a
// path that is not found.
bool PartIsFile(const std::wstring& path)
{
    for (std::size_t separator = path.find_last_of(L"\\/"); separator != std::wstring::npos && separator > 0;
         separator = path.find_last_of(L"\\/", separator - 1)) {
        const DWORD attributes = ::GetFileAttributesW(path.substr(0, separator).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }
    return false;
}

}  // namespace

FileStatus StatusOf(const std::string& path)
{
    FileStatus status;
    const std::wstring wide = WideFromAnsi(path);
    const HANDLE handle =
        ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_NAME: status.error = ENOENT; break;
        case ERROR_PATH_NOT_FOUND: status.error = PartIsFile(wide) ? ENOTDIR : ENOENT; break;
        case ERROR_DIRECTORY: status.error = ENOTDIR; break;
        case ERROR_ACCESS_DENIED: status.error = EACCES; break;
        case ERROR_CANT_RESOLVE_FILENAME: status.error = ELOOP; break;
        default: status.error = EIO;
        }
        status.reason = status.error == EIO ? SystemMessage(error) : ErrnoText(status.error);
        return status;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const BOOL known = ::GetFileInformationByHandle(handle, &information);
    const DWORD type = ::GetFileType(handle);
    ::CloseHandle(handle);
    status.found = true;
    if (!known)
        status.kind = FileKind::Other;
    else if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        status.kind = FileKind::Folder;
    else if (type == FILE_TYPE_DISK)
        status.kind = FileKind::File;
    else if (type == FILE_TYPE_PIPE)
        status.kind = FileKind::Fifo;
    else if (type == FILE_TYPE_CHAR)
        status.kind = FileKind::Device;
    else
        status.kind = FileKind::Other;
    return status;
}

bool EntryExists(const std::string& path)
{
    return ::GetFileAttributesW(WideFromAnsi(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsLink(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(WideFromAnsi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

std::string ListingProblem(const std::string& path)
{
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(WideFromAnsi(JoinNative(path, "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_ACCESS_DENIED ? ErrnoText(EACCES) : SystemMessage(error);
    }
    ::FindClose(search);
    return std::string();
}

std::string NameDroppedBySystem(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || (name.back() != '.' && name.back() != ' '))
        return std::string();
    std::string reached = name;
    while (!reached.empty() && (reached.back() == '.' || reached.back() == ' '))
        reached.pop_back();
    return std::string("its name ends in ") + (name.back() == '.' ? "a dot" : "a blank") +
           ", which Windows drops from a path: the dialog's file queries look for '" + reached + "' instead";
}

std::vector<std::pair<std::string, std::string>> NamesOutsideCodePage(const std::string& path)
{
    std::vector<std::pair<std::string, std::string>> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW(WideFromAnsi(JoinNative(path, "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = entry.cFileName;
        if (!AnsiFromWide(name)) {
            // The C run-time's listing converts as the system does by
            // default: look-alike letters where it has them, '?' elsewhere.
            char converted[MAX_PATH * 2] = {};
            ::WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, converted, sizeof converted, nullptr, nullptr);
            names.emplace_back(converted, Utf8FromWide(name));
        }
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
    return names;
}

std::string JoinNative(const std::string& first, const std::string& second)
{
    if (first.empty() || first.back() == '\\' || first.back() == '/' || (first.size() == 2 && first[1] == ':'))
        return first + second;
    return first + "\\" + second;
}

std::string LastName(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace layouttool
