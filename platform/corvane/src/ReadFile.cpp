// Reading of Corvane.cvn from disk: opened read-only, size checked on the open descriptor before
// anything is read, then parsed from memory. Nothing is created, changed or locked.

#include "Document.h"
#include "FileDescriptor.h"

#include <CorvanePI.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

long OpenFailureStatus(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return CORVANE_E_FILE_NOT_FOUND;
    case ENXIO:  // a socket, or a device without its driver
    case ENODEV:
        return CORVANE_E_NOT_A_FILE;
    default:
        return CORVANE_E_FILE_UNREADABLE;
    }
}

// Reads to the end, refusing more than the size limit (the file may grow after fstat).
long ReadAll(int fd, std::size_t expectedSize, std::string* text)
{
    constexpr auto kLimit = static_cast<std::size_t>(CORVANE_MAX_FILE_SIZE);
    text->resize(expectedSize + 1);  // one byte more tells growth from the end
    std::size_t total = 0;
    for (;;) {
        if (total == text->size()) {
            if (total > kLimit) return CORVANE_E_FILE_TOO_LARGE;
            text->resize(std::min(kLimit + 1, total * 2 + 1));
        }
        const ssize_t got = ::read(fd, text->data() + total, text->size() - total);
        if (got < 0) {
            if (errno == EINTR) continue;
            return CORVANE_E_FILE_UNREADABLE;
        }
        if (got == 0) break;
        total += static_cast<std::size_t>(got);
    }
    if (total > kLimit) return CORVANE_E_FILE_TOO_LARGE;
    text->resize(total);
    return CORVANE_S_OK;
}

}  // namespace

long ReadDocumentFile(const std::string& nativePath, CorvaneDocument* document)
{
    if (nativePath.empty()) return CORVANE_E_FILE_NOT_FOUND;
    // O_NONBLOCK: opening a named pipe must not wait for a writer; it is refused below anyway.
    const FileDescriptor file(
        ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.valid()) return OpenFailureStatus(errno);

    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return CORVANE_E_FILE_UNREADABLE;
    if (!S_ISREG(info.st_mode)) return CORVANE_E_NOT_A_FILE;
    if (info.st_size > CORVANE_MAX_FILE_SIZE) return CORVANE_E_FILE_TOO_LARGE;

    std::string text;
    const long status = ReadAll(file.get(), static_cast<std::size_t>(info.st_size), &text);
    if (status != CORVANE_S_OK) return status;
    return ParseDocument(text, document);
}

}  // namespace corvane
