// Writer of "2005" layout templates: Layout/Corvane.cvn and the three files that are never read.

#include <standin/corvane_writer.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileDescriptor.h"

namespace standin::corvane {
namespace {

constexpr const char* kUnreadFiles[] = {"Tamsett.tms", "Halloway.hlw", "Dunmere.dnm"};

void SetError(std::string* error, const std::string& what, const std::string& path)
{
    if (error != nullptr) *error = what + " " + path + ": " + std::strerror(errno);
}

bool MakeFolder(const std::string& path, std::string* error)
{
    if (::mkdir(path.c_str(), 0777) == 0) return true;
    struct stat info {};
    if (errno == EEXIST && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    if (errno == EEXIST) errno = ENOTDIR;
    SetError(error, "cannot create folder", path);
    return false;
}

bool WriteWholeFile(const std::string& path, const std::string& text, std::string* error)
{
    ::corvane::FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!file.valid()) {
        SetError(error, "cannot create", path);
        return false;
    }
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t got = ::write(file.get(), text.data() + written, text.size() - written);
        if (got < 0 && errno == EINTR) continue;
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
    if (description.version) text += "Version = " + std::to_string(*description.version) + "\n";
    if (!description.omitLayerCount) {
        const int count = description.layerCount.value_or(static_cast<int>(description.layers.size()));
        text += "LayerCount = " + std::to_string(count) + "\n";
    }
    for (std::size_t i = 0; i < description.layers.size(); ++i) {
        const LayerDescription& layer = description.layers[i];
        if (layer.omitSection) continue;
        text += "\n[Layer " + std::to_string(i + 1) + "]\n";
        if (layer.type) text += "Type = " + std::to_string(*layer.type) + "\n";
        if (layer.number) text += "Number = " + std::to_string(*layer.number) + "\n";
    }
    if (!description.extraLines.empty()) text += "\n";
    for (const std::string& line : description.extraLines) text += line + "\n";
    return text;
}

bool Write2005Template(const std::string& nativeTemplateFolder, const Description& description,
                       std::string* error)
{
    const std::string layoutFolder = nativeTemplateFolder + "/Layout";
    if (!MakeFolder(nativeTemplateFolder, error) || !MakeFolder(layoutFolder, error)) return false;
    if (!WriteWholeFile(layoutFolder + "/Corvane.cvn", FormatCorvane(description), error)) return false;
    for (const char* name : kUnreadFiles) {
        if (!WriteWholeFile(layoutFolder + "/" + name, "", error)) return false;
    }
    return true;
}

}  // namespace standin::corvane
