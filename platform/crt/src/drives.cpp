// Drive map of the run-time stand-in: drive letters standing for native folders, like `subst`.
//
// Not implemented: per-drive current folders ("D:name" starts at the drive's top), UNC paths
// (\\server\share reaches the native path //server/share), the \\?\ and \\.\ prefixes, and the
// stripping of trailing dots and spaces from names that Windows does.
#include "drives.h"

#include <standin/crt.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

namespace crt {
namespace {

constexpr std::size_t kDriveCount = 26;

class DriveMap {
public:
    void Map(std::size_t drive, std::string folder)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_folders[drive] = std::move(folder);
    }

    void Unmap(std::size_t drive)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_folders[drive].reset();
    }

    void UnmapAll()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_folders.fill(std::nullopt);
    }

    std::optional<std::string> Folder(std::size_t drive) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_folders[drive];
    }

    // Appends the folder of `drive` to `out`, with room for `extra` more characters; false when
    // the drive is not mapped. Every query translates a path: this copies the folder once.
    bool AppendFolder(std::size_t drive, std::size_t extra, std::string& out) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_folders[drive])
            return false;
        out.reserve(out.size() + m_folders[drive]->size() + extra);
        out.append(*m_folders[drive]);
        return true;
    }

    std::array<std::optional<std::string>, kDriveCount> Snapshot() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_folders;
    }

private:
    mutable std::mutex m_mutex;
    std::array<std::optional<std::string>, kDriveCount> m_folders;
};

DriveMap& Drives()
{
    static DriveMap drives;
    return drives;
}

bool IsDriveLetter(char letter) { return (letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'); }

std::size_t DriveSlot(char letter)
{
    return static_cast<std::size_t>(std::toupper(static_cast<unsigned char>(letter)) - 'A');
}

// "/a//b/" => "/a/b/": POSIX treats a run of slashes as one.
std::string CollapseSlashes(std::string_view path)
{
    std::string collapsed;
    collapsed.reserve(path.size());
    for (const char c : path) {
        if (c == '/' && !collapsed.empty() && collapsed.back() == '/')
            continue;
        collapsed.push_back(c);
    }
    return collapsed;
}

// "/a/b/" => "/a/b"; the root "/" stays.
std::string WithoutTrailingSlashes(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// Whether `path` is `folder` or lies below it; both collapsed, `folder` without trailing slash.
bool IsUnder(const std::string& path, const std::string& folder)
{
    if (path.compare(0, folder.size(), folder) != 0)
        return false;
    return path.size() == folder.size() || folder == "/" || path[folder.size()] == '/';
}

}  // namespace

bool HasDriveDesignator(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// Windows resolves "." and ".." by the text of a path, and ".." at a drive's top stays there, so a
// drive path never leads out of the folder mapped to the drive: "D:\..\x" is "D:\x". Runs of
// separators become one; a leading and a trailing separator are kept.
std::string ResolveDots(std::string_view rest)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        const std::string_view part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved = !rest.empty() && IsSeparator(rest.front()) ? "/" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved.push_back('/');
        resolved.append(parts[i]);
    }
    if (!parts.empty() && IsSeparator(rest.back()))
        resolved.push_back('/');
    return resolved;
}

bool HasDotComponent(std::string_view rest)
{
    for (std::size_t start = 0; start < rest.size();) {
        std::size_t end = start;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        const std::string_view part = rest.substr(start, end - start);
        if (part == "." || part == "..")
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::optional<std::string> TranslatePath(std::string_view windowsPath)
{
    std::string nativePath;
    std::string_view rest = windowsPath;
    std::string resolvedRest;
    if (HasDriveDesignator(windowsPath)) {
        rest.remove_prefix(2);
        if (HasDotComponent(rest)) {
            resolvedRest = ResolveDots(rest);
            rest = resolvedRest;
        }
        if (!Drives().AppendFolder(DriveSlot(windowsPath[0]), rest.size() + 1, nativePath))
            return std::nullopt;
        if (rest.empty())
            return nativePath;
        if (nativePath == "/")
            nativePath.clear();
        if (rest.front() != '/' && rest.front() != '\\')
            nativePath.push_back('/');
    }
    const std::size_t restStart = nativePath.size();
    nativePath.append(rest);
    std::replace(nativePath.begin() + static_cast<std::ptrdiff_t>(restStart), nativePath.end(), '\\', '/');
    return nativePath;
}

unsigned DriveIndex(std::string_view windowsPath)
{
    return HasDriveDesignator(windowsPath) ? static_cast<unsigned>(DriveSlot(windowsPath[0])) : 0;
}

}  // namespace crt

namespace standin {

void MapDrive(char letter, const std::string& nativeFolder)
{
    if (!crt::IsDriveLetter(letter))
        throw std::invalid_argument("MapDrive: not a drive letter");
    if (nativeFolder.empty() || nativeFolder.front() != '/')
        throw std::invalid_argument("MapDrive: the folder must be an absolute native path");
    crt::Drives().Map(crt::DriveSlot(letter), crt::WithoutTrailingSlashes(crt::CollapseSlashes(nativeFolder)));
}

void UnmapDrive(char letter)
{
    if (crt::IsDriveLetter(letter))
        crt::Drives().Unmap(crt::DriveSlot(letter));
}

void UnmapAllDrives() { crt::Drives().UnmapAll(); }

std::string ToNativePath(const std::string& windowsPath)
{
    return crt::TranslatePath(windowsPath).value_or(std::string());
}

std::string FromNativePath(const std::string& nativePath)
{
    const std::string path = crt::CollapseSlashes(nativePath);
    const auto folders = crt::Drives().Snapshot();

    std::optional<std::size_t> best;
    for (std::size_t drive = 0; drive < folders.size(); ++drive) {
        if (folders[drive] && crt::IsUnder(path, *folders[drive]) &&
            (!best || folders[drive]->size() > folders[*best]->size()))
            best = drive;
    }

    std::string windowsPath;
    std::string_view rest = path;
    if (best) {
        windowsPath = {static_cast<char>('A' + *best), ':'};
        rest.remove_prefix(*folders[*best] == "/" ? 0 : folders[*best]->size());
        if (rest.empty())
            rest = "/";
    }
    windowsPath.append(rest);
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
}

}  // namespace standin
