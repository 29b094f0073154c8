// NativeFiles.cpp - the client's own file queries, for POSIX and for Windows.

#include "NativeFiles.h"

#if defined(_WIN32)
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <standin/crt.h>
#endif

namespace standin::oskel::detail {
namespace {

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : m_descriptor(descriptor) {}
    ~FileDescriptor()
    {
#if defined(_WIN32)
        if (m_descriptor >= 0)
            ::_close(m_descriptor);
#else
        if (m_descriptor >= 0)
            ::close(m_descriptor);
#endif
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_descriptor; }

private:
    int m_descriptor;
};

std::string PercentEncoded(const std::string& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~' || byte == '/';
        if (unreserved) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

#if defined(_WIN32)

// The caller's ANSI path as UTF-16; "" when it does not convert.
std::wstring Wide(const std::string& path)
{
    if (path.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

// SQLite takes file names in UTF-8.
std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                          nullptr);
    return text;
}

bool Status(const std::string& path, struct _stat64& status)
{
    const std::wstring wide = Wide(path);
    return !wide.empty() && ::_wstat64(wide.c_str(), &status) == 0;
}

}  // namespace

std::string NativeFolder(const std::string& callerPath) { return callerPath; }

std::string NativeChild(const std::string& folder, const char* name) { return folder + '\\' + name; }

bool HasData(const std::string& path)
{
    struct _stat64 status {};
    return Status(path, status) && status.st_size > 0;
}

std::optional<unsigned char> FirstByteOfRegularFile(const std::string& path)
{
    const std::wstring wide = Wide(path);
    if (wide.empty())
        return std::nullopt;
    const FileDescriptor file(::_wopen(wide.c_str(), _O_RDONLY | _O_BINARY));
    struct _stat64 status {};
    unsigned char first = 0;
    if (file.Get() < 0 || ::_fstat64(file.Get(), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG ||
        ::_read(file.Get(), &first, 1) != 1)
        return std::nullopt;
    return first;
}

std::string ImmutableUri(const std::string& path)
{
    // "file:///D:/lib/x.db" for a drive path, "file:////server/share/x.db"
    // for a network path: SQLite's Windows layer turns the slashes back.
    std::string utf8 = Utf8(Wide(path));
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
    }
    const bool hasDrive = utf8.size() >= 2 && utf8[1] == ':';
    return "file:" +
           std::string(hasDrive                        ? "///"
                       : utf8.compare(0, 2, "//") == 0 ? "//"
                                                       : "") +
           PercentEncoded(utf8) + "?immutable=1";
}

#else  // POSIX

}  // namespace

std::string NativeFolder(const std::string& callerPath) { return standin::ToNativePath(callerPath); }

std::string NativeChild(const std::string& folder, const char* name) { return folder + '/' + name; }

bool HasData(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && status.st_size > 0;
}

std::optional<unsigned char> FirstByteOfRegularFile(const std::string& path)
{
    // O_NONBLOCK: opening a FIFO without it would wait for a writer forever.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat status {};
    unsigned char first = 0;
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        ::pread(file.Get(), &first, 1, 0) != 1)
        return std::nullopt;
    return first;
}

std::string ImmutableUri(const std::string& path) { return "file:" + PercentEncoded(path) + "?immutable=1"; }

#endif

}  // namespace standin::oskel::detail
