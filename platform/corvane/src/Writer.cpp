// Writer of "2005" layout templates: Layout/Corvane.cvn and the three files that are never read.

#include <standin/corvane_writer.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "FileDescriptor.h"

#if defined(_WIN32)
#include <direct.h>
#include <io.h>

#include "WidePath.h"
#else
#include <unistd.h>
#endif

namespace standin::corvane {
namespace {

constexpr const char* kUnreadFiles[] = {"Tamsett.tms", "Halloway.hlw", "Dunmere.dnm"};

#if defined(_WIN32)
// Paths in the ANSI code page, as the reader takes them.
constexpr char kSeparator = '\\';

int MakeDirectory(const std::string& path) { return ::_wmkdir(::corvane::WidePath(path).c_str()); }

bool IsDirectory(const std::string& path)
{
    struct _stat64 info {};
    return ::_wstat64(::corvane::WidePath(path).c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFDIR;
}

int CreateForWriting(const std::string& path)
{
    // Binary: the text is written byte for byte, with "\n" line ends, as on Linux.
    return ::_wopen(::corvane::WidePath(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int WriteSome(int fd, const char* data, std::size_t size)
{
    return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}
#else
constexpr char kSeparator = '/';

int MakeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777); }

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int CreateForWriting(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

ssize_t WriteSome(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
#endif

void SetError(std::string* error, const std::string& what, const std::string& path)
{
    if (error != nullptr)
        *error = what + " " + path + ": " + std::strerror(errno);
}

bool MakeFolder(const std::string& path, std::string* error)
{
    if (MakeDirectory(path) == 0)
        return true;
    if (errno == EEXIST && IsDirectory(path))
        return true;
    if (errno == EEXIST)
        errno = ENOTDIR;
    SetError(error, "cannot create folder", path);
    return false;
}

bool WriteWholeFile(const std::string& path, const std::string& text, std::string* error)
{
    ::corvane::FileDescriptor file(CreateForWriting(path));
    if (!file.valid()) {
        SetError(error, "cannot create", path);
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const auto got = WriteSome(file.get(), text.data() + written, text.size() - written);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            SetError(error, "cannot write", path);
            return false;
        }
        written += static_cast<std::size_t>(got);
    }
    if (!file.Close()) {
        SetError(error, "cannot write", path);
        return false;
    }
    return true;
}

}  // namespace

std::string FormatCorvane(const Description& description)
{
    std::string text =
        "; Job preferences of a \"2005\" layout template.\n"
        "; Layer Type: 0 plane, 1 signal, 2 dielectric. Number: the layer's number in its name.\n"
        "[Corvane]\n";
    if (description.version)
        text += "Version = " + std::to_string(*description.version) + "\n";
    if (!description.omitLayerCount) {
        const int count = description.layerCount.value_or(static_cast<int>(description.layers.size()));
        text += "LayerCount = " + std::to_string(count) + "\n";
    }
    for (std::size_t i = 0; i < description.layers.size(); ++i) {
        const LayerDescription& layer = description.layers[i];
        if (layer.omitSection)
            continue;
        text += "\n[Layer " + std::to_string(i + 1) + "]\n";
        if (layer.type)
            text += "Type = " + std::to_string(*layer.type) + "\n";
        if (layer.number)
            text += "Number = " + std::to_string(*layer.number) + "\n";
    }
    if (!description.extraLines.empty())
        text += "\n";
    for (const std::string& line : description.extraLines)
        text += line + "\n";
    return text;
}

bool Write2005Template(const std::string& nativeTemplateFolder, const Description& description, std::string* error)
{
    const std::string layoutFolder = nativeTemplateFolder + kSeparator + "Layout";
    if (!MakeFolder(nativeTemplateFolder, error) || !MakeFolder(layoutFolder, error))
        return false;
    if (!WriteWholeFile(layoutFolder + kSeparator + "Corvane.cvn", FormatCorvane(description), error))
        return false;
    for (const char* name : kUnreadFiles) {
        if (!WriteWholeFile(layoutFolder + kSeparator + name, "", error))
            return false;
    }
    return true;
}

}  // namespace standin::corvane
