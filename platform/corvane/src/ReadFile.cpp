// Reading of Corvane.cvn from disk: opened read-only, size checked on the open file before
// anything is read, then parsed from memory. Nothing is created, changed or locked.
//
// On Linux the caller's Windows path is translated by the crt stand-in; on Windows it is used as it
// is, in the ANSI code page.

#include "Document.h"

#include <CorvanePI.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

#include "FileDescriptor.h"

#if defined(_WIN32)
#include <io.h>

#include "WidePath.h"
#else
#include <unistd.h>

#include <standin/crt.h>
#endif

namespace corvane {
namespace {

constexpr auto kLimit = static_cast<std::size_t>(CORVANE_MAX_FILE_SIZE);

#if defined(_WIN32)

long OpenFailureStatus(int error)
{
    switch (error) {
    case ENOENT:
    case ENAMETOOLONG: return CORVANE_E_FILE_NOT_FOUND;
    case EACCES:  // the run-time's answer for a folder, too: told apart by the caller
    default: return CORVANE_E_FILE_UNREADABLE;
    }
}

int ReadSome(int fd, char* buffer, std::size_t size)
{
    return ::_read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

#else

long OpenFailureStatus(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return CORVANE_E_FILE_NOT_FOUND;
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV: return CORVANE_E_NOT_A_FILE;
    default: return CORVANE_E_FILE_UNREADABLE;
    }
}

ssize_t ReadSome(int fd, char* buffer, std::size_t size) { return ::read(fd, buffer, size); }

#endif

// Reads to the end, refusing more than the size limit (the file may grow after fstat).
long ReadAll(int fd, std::size_t expectedSize, std::string* text)
{
    text->resize(expectedSize + 1);  // one byte more tells growth from the end
    std::size_t total = 0;
    for (;;) {
        if (total == text->size()) {
            if (total > kLimit)
                return CORVANE_E_FILE_TOO_LARGE;
            text->resize(std::min(kLimit + 1, total * 2 + 1));
        }
        const auto got = ReadSome(fd, text->data() + total, text->size() - total);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return CORVANE_E_FILE_UNREADABLE;
        }
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    if (total > kLimit)
        return CORVANE_E_FILE_TOO_LARGE;
    text->resize(total);
    return CORVANE_S_OK;
}

}  // namespace

#if defined(_WIN32)

long ReadDocumentFile(const std::string& callerPath, CorvaneDocument* document)
{
    const std::wstring path = WidePath(callerPath);
    if (path.empty())
        return CORVANE_E_FILE_NOT_FOUND;

    // The run-time refuses to open a folder (EACCES); its status tells it from a file that is
    // there but cannot be read.
    struct _stat64 info {};
    if (::_wstat64(path.c_str(), &info) != 0)
        return OpenFailureStatus(errno);
    if ((info.st_mode & _S_IFMT) != _S_IFREG)
        return CORVANE_E_NOT_A_FILE;

    const FileDescriptor file(::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT));
    if (!file.valid())
        return OpenFailureStatus(errno);
    if (::_fstat64(file.get(), &info) != 0)
        return CORVANE_E_FILE_UNREADABLE;
    if ((info.st_mode & _S_IFMT) != _S_IFREG)
        return CORVANE_E_NOT_A_FILE;
    if (info.st_size > CORVANE_MAX_FILE_SIZE)
        return CORVANE_E_FILE_TOO_LARGE;

    std::string text;
    const long status = ReadAll(file.get(), static_cast<std::size_t>(info.st_size), &text);
    if (status != CORVANE_S_OK)
        return status;
    return ParseDocument(text, document);
}

#else

long ReadDocumentFile(const std::string& callerPath, CorvaneDocument* document)
{
    const std::string nativePath = standin::ToNativePath(callerPath);
    if (nativePath.empty())
        return CORVANE_E_FILE_NOT_FOUND;
    // O_NONBLOCK: opening a named pipe must not wait for a writer; it is refused below anyway.
    const FileDescriptor file(::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.valid())
        return OpenFailureStatus(errno);

    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return CORVANE_E_FILE_UNREADABLE;
    if (!S_ISREG(info.st_mode))
        return CORVANE_E_NOT_A_FILE;
    if (info.st_size > CORVANE_MAX_FILE_SIZE)
        return CORVANE_E_FILE_TOO_LARGE;

    std::string text;
    const long status = ReadAll(file.get(), static_cast<std::size_t>(info.st_size), &text);
    if (status != CORVANE_S_OK)
        return status;
    return ParseDocument(text, document);
}

#endif

}  // namespace corvane
