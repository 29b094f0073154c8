// Writing a template into its folder on Linux: DIR opened one folder at a
// time, staging beside the old template, then moving the new files into place
// relative to folders opened without following links.

#include "TemplateFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

#include "CurrentFolder.h"
#include "FileDescriptor.h"
#include "Interruption.h"
#include "TemplateParts.h"

namespace layouttool {
namespace {

constexpr char kStagingPrefix[] = ".layout-template-tool-";

std::string Reason() { return std::strerror(errno); }

// --- Walking to DIR -------------------------------------------------------

// The names of a path's folders, "." and empty ones left out ("a//./b" =>
// a, b); ".." stays, for the file system to resolve as the dialog's queries do.
std::vector<std::string> NamesOf(const std::string& path)
{
    std::vector<std::string> names;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string name = path.substr(start, end - start);
        if (!name.empty() && name != ".")
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

// "is a symbolic link to 'nowhere', which does not exist": what a link to
// nothing is, which the file system reports as missing.
std::string DanglingLink(int folder, const std::string& name)
{
    std::string target(4096, '\0');
    const ssize_t length = ::readlinkat(folder, name.c_str(), target.data(), target.size());
    target.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return "is a symbolic link to '" + target + "', which does not exist";
}

// Opens the folder `path`, one folder at a time from the current folder (or
// "/"), making the missing ones; records those it made in *made. DIR itself
// is opened for reading, the folders on the way only as places.
bool OpenFolder(const std::string& path, const std::string& shownFolder, FileDescriptor& folder,
                std::vector<std::pair<FileDescriptor, std::string>>& made, std::string& error)
{
    const std::vector<std::string> names = NamesOf(path);
    const bool absolute = !path.empty() && path[0] == '/';
    const int readable = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
    const int place = O_PATH | O_DIRECTORY | O_CLOEXEC;
    FileDescriptor current(::open(absolute ? "/" : ".", names.empty() ? readable : place));
    if (!current.Valid()) {
        error = shownFolder + ": cannot be opened: " + Reason();
        return false;
    }
    std::string shownSoFar = absolute ? "/" : "";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const bool last = i + 1 == names.size();
        shownSoFar += (shownSoFar.empty() || shownSoFar.back() == '/' ? "" : "/") + name;
        struct stat info {};
        if (::fstatat(current.Get(), name.c_str(), &info, 0) != 0) {
            if (errno != ENOENT) {
                error = shownFolder + ": cannot be queried: " + Reason();
                return false;
            }
            struct stat link {};
            if (::fstatat(current.Get(), name.c_str(), &link, AT_SYMLINK_NOFOLLOW) == 0) {
                const std::string dangling = DanglingLink(current.Get(), name);
                error = last ? shownFolder + ": " + dangling
                             : shownFolder + ": cannot create the folder: " + shownSoFar + " " + dangling;
                return false;
            }
            if (::mkdirat(current.Get(), name.c_str(), 0777) != 0) {
                error = shownFolder + ": cannot create the folder: " + Reason();
                return false;
            }
            made.emplace_back(FileDescriptor(::fcntl(current.Get(), F_DUPFD_CLOEXEC, 0)), name);
        } else if (!S_ISDIR(info.st_mode)) {
            error = last ? shownFolder + ": exists and is not a folder"
                         : shownFolder + ": cannot create the folder: " + std::strerror(ENOTDIR);
            return false;
        }
        FileDescriptor next(::openat(current.Get(), name.c_str(), last ? readable : place));
        if (!next.Valid()) {
            error = shownFolder + ": cannot be opened: " + Reason();
            return false;
        }
        current = std::move(next);
    }
    folder = std::move(current);
    return true;
}

// Opens the folder `name` in `parent` without following a link. No handle
// and no error when there is none; false with *error when it is a link,
// something else than a folder, or cannot be opened.
bool OpenPart(int parent, const std::string& shownParent, const char* name, FileDescriptor& handle, std::string& error)
{
    struct stat info {};
    if (::fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return true;
        error = shownParent + "/" + name + ": cannot be queried: " + Reason();
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        error =
            shownParent + "/" + name + ": is a symbolic link; --force writes nothing through a link (remove it first)";
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = shownParent + "/" + name + ": exists and is not a folder";
        return false;
    }
    handle = FileDescriptor(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!handle.Valid()) {
        error = shownParent + "/" + name + ": cannot be opened: " + Reason();
        return false;
    }
    return true;
}

// A written file that is a folder cannot be replaced by one.
bool CheckReplaceable(int folder, const std::string& shownFolder, const TemplatePart& part, std::string& error)
{
    std::vector<const char*> names = part.files;
    names.insert(names.end(), part.extras.begin(), part.extras.end());
    for (const char* name : names) {
        struct stat info {};
        if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode)) {
            error = shownFolder + "/" + part.folder + "/" + name + ": is a folder; cannot replace it";
            return false;
        }
    }
    return true;
}

// Removes `name` in `folder` (a link itself, not what it points to); a file
// that is not there is no failure.
bool RemoveEntry(int folder, const char* name, std::string& error)
{
    if (::unlinkat(folder, name, 0) == 0 || errno == ENOENT)
        return true;
    error = std::string(name) + ": cannot remove: " + Reason();
    return false;
}

// --- Staging folders ------------------------------------------------------

// Removes the staging folder `name` of DIR: the files this tool writes in it,
// their folders and the staging folder itself, each only when that leaves
// nothing else behind. Safe in a signal handler: no allocation, only system
// calls that are.
void RemoveStaging(int folder, const char* name) noexcept
{
    const int staging = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (staging >= 0) {
        for (const TemplatePart* part : {&k2007Part, &k2005Part}) {
            const int partFolder = ::openat(staging, part->folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (partFolder < 0)
                continue;
            for (const char* file : part->files)
                ::unlinkat(partFolder, file, 0);
            for (const char* file : part->extras)
                ::unlinkat(partFolder, file, 0);
            ::close(partFolder);
            ::unlinkat(staging, part->folder, AT_REMOVEDIR);
        }
        ::close(staging);
    }
    ::unlinkat(folder, name, AT_REMOVEDIR);
}

bool IsStagingName(const char* name)
{
    const std::size_t prefix = sizeof kStagingPrefix - 1;
    return std::strncmp(name, kStagingPrefix, prefix) == 0 && std::strlen(name) == prefix + kStagingSuffixLength;
}

// Locks the folder `handle` for this run; false when another live run holds it.
bool Lock(const FileDescriptor& handle) { return ::flock(handle.Get(), LOCK_EX | LOCK_NB) == 0; }

// Removes the staging folders in DIR that no live run holds: left by a run
// that was killed outright. One that holds anything else stays.
void RemoveStaleStaging(int folder)
{
    const int listingHandle = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = listingHandle >= 0 ? ::fdopendir(listingHandle) : nullptr;
    if (listing == nullptr) {
        if (listingHandle >= 0)
            ::close(listingHandle);
        return;
    }
    // Each stays locked until it is removed, so that a run that has just
    // made it, and not yet locked it, notices (MakeStaging).
    std::vector<std::pair<std::string, FileDescriptor>> stale;
    while (const dirent* entry = ::readdir(listing)) {
        if (!IsStagingName(entry->d_name))
            continue;
        FileDescriptor staging(::openat(folder, entry->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (staging.Valid() && Lock(staging))
            stale.emplace_back(entry->d_name, std::move(staging));
    }
    ::closedir(listing);
    for (const auto& [name, locked] : stale)
        RemoveStaging(folder, name.c_str());
}

// Whether DIR holds anything; false with *error when it cannot be listed.
bool HoldsAnything(int folder, bool& holds, std::string& error)
{
    const int listingHandle = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = listingHandle >= 0 ? ::fdopendir(listingHandle) : nullptr;
    if (listing == nullptr) {
        error = Reason();
        if (listingHandle >= 0)
            ::close(listingHandle);
        return false;
    }
    holds = false;
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            holds = true;
            break;
        }
    }
    const bool listed = errno == 0;
    if (!listed)
        error = Reason();
    ::closedir(listing);
    return listed;
}

// A fresh staging folder in DIR, made, opened and locked; false with errno.
bool MakeStaging(int folder, FileDescriptor& staging, std::string& name)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = kStagingPrefix;
        for (std::size_t i = 0; i < kStagingSuffixLength; ++i)
            name += kLetters[pick(entropy)];
        if (::mkdirat(folder, name.c_str(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        staging = FileDescriptor(::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        // Another run may have taken it for stale in the moment before the
        // lock, and removed it: it must still be the folder made here.
        struct stat opened {};
        struct stat named {};
        if (staging.Valid() && Lock(staging) && ::fstat(staging.Get(), &opened) == 0 &&
            ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && opened.st_dev == named.st_dev &&
            opened.st_ino == named.st_ino)
            return true;
        staging = FileDescriptor();
    }
    errno = EEXIST;
    return false;
}

class PosixTemplateWrite : public TemplateWrite {
public:
    static std::unique_ptr<PosixTemplateWrite> Begin(const std::string& folder, const std::string& shownFolder,
                                                     TemplateFormat format, bool replace, std::string& error);
    ~PosixTemplateWrite() override;

    bool InStaging(const std::function<bool(const std::string& stagingFolder)>& step) override;
    std::string AsWrittenInFolder(std::string message) const override;
    bool Commit(std::string& error) override;

    // What an interruption removes; only calls that are safe in a signal
    // handler.
    void RemoveOnInterrupt() const noexcept;

private:
    // A folder that Begin made: the folder it was made in, and its name.
    struct MadeFolder {
        FileDescriptor parent;
        std::string name;
    };

    TemplateFormat m_format = TemplateFormat::k2007;
    std::string m_shownFolder;
    std::vector<MadeFolder> m_made;  // outermost first
    FileDescriptor m_folderHandle;
    FileDescriptor m_keyinOskel;  // DIR/keyin.oskel when it exists
    FileDescriptor m_layout;      // DIR/Layout when it exists
    FileDescriptor m_staging;     // locked while this run lives
    std::string m_stagingName;
    bool m_committed = false;
};

void CleanUpInterruptedWrite(const void* write) { static_cast<const PosixTemplateWrite*>(write)->RemoveOnInterrupt(); }

std::unique_ptr<PosixTemplateWrite> PosixTemplateWrite::Begin(const std::string& folder, const std::string& shownFolder,
                                                              TemplateFormat format, bool replace, std::string& error)
{
    // Nothing made here may be left behind by an interruption: it waits
    // until the clean-up knows of it.
    const HeldInterruptions held;
    std::unique_ptr<PosixTemplateWrite> write(new PosixTemplateWrite);
    write->m_format = format;
    write->m_shownFolder = shownFolder;

    std::vector<std::pair<FileDescriptor, std::string>> made;
    const bool opened = OpenFolder(folder, shownFolder, write->m_folderHandle, made, error);
    for (auto& [parent, name] : made)
        write->m_made.push_back({std::move(parent), std::move(name)});
    if (!opened)
        return nullptr;
    const int handle = write->m_folderHandle.Get();

    if (write->m_made.empty()) {
        RemoveStaleStaging(handle);
        bool holds = false;
        std::string reason;
        if (!HoldsAnything(handle, holds, reason)) {
            error = shownFolder + ": cannot be listed: " + reason;
            return nullptr;
        }
        if (holds && !replace) {
            error = shownFolder + ": already exists and is not empty (--force replaces the template in it)";
            return nullptr;
        }
    }

    if (!OpenPart(handle, shownFolder, k2007Part.folder, write->m_keyinOskel, error) ||
        !OpenPart(handle, shownFolder, k2005Part.folder, write->m_layout, error))
        return nullptr;
    if ((write->m_keyinOskel.Valid() && !CheckReplaceable(write->m_keyinOskel.Get(), shownFolder, k2007Part, error)) ||
        (write->m_layout.Valid() && !CheckReplaceable(write->m_layout.Get(), shownFolder, k2005Part, error)))
        return nullptr;

    // Inside DIR, so that the moves stay on one file system. A folder of a
    // template holds nothing else that discovery looks at.
    if (!MakeStaging(handle, write->m_staging, write->m_stagingName)) {
        error = shownFolder + ": cannot make a folder to write the template in: " + Reason();
        return nullptr;
    }
    SetInterruptCleanUp(CleanUpInterruptedWrite, write.get());
    return write;
}

PosixTemplateWrite::~PosixTemplateWrite()
{
    const HeldInterruptions held;
    if (m_staging.Valid())
        RemoveStaging(m_folderHandle.Get(), m_stagingName.c_str());
    // Folders made for the template go again when it was not written, the
    // innermost first, each only when empty.
    if (!m_committed)
        for (auto made = m_made.rbegin(); made != m_made.rend(); ++made)
            ::unlinkat(made->parent.Get(), made->name.c_str(), AT_REMOVEDIR);
    SetInterruptCleanUp(nullptr, nullptr);
}

void PosixTemplateWrite::RemoveOnInterrupt() const noexcept
{
    if (m_staging.Valid())
        RemoveStaging(m_folderHandle.Get(), m_stagingName.c_str());
    if (!m_committed)
        for (auto made = m_made.rbegin(); made != m_made.rend(); ++made)
            ::unlinkat(made->parent.Get(), made->name.c_str(), AT_REMOVEDIR);
}

bool PosixTemplateWrite::InStaging(const std::function<bool(const std::string& stagingFolder)>& step)
{
    // Written and read back relative to DIR itself, however long its path.
    const CurrentFolderIn inFolder(m_folderHandle.Get());
    return inFolder.Entered() && step(m_stagingName);
}

std::string PosixTemplateWrite::AsWrittenInFolder(std::string message) const
{
    for (std::size_t at = message.find(m_stagingName); at != std::string::npos; at = message.find(m_stagingName, at))
        message.replace(at, m_stagingName.size(), m_shownFolder);
    return message;
}

bool PosixTemplateWrite::Commit(std::string& error)
{
    // Moved in whole, or not at all.
    const HeldInterruptions held;
    const TemplatePart& part = PartOf(m_format);
    const int folder = m_folderHandle.Get();
    FileDescriptor& existing = m_format == TemplateFormat::k2007 ? m_keyinOskel : m_layout;
    const auto fail = [&](const std::string& what) {
        error = m_shownFolder + ": cannot move the new template into place: " + what;
        return false;
    };

    if (!existing.Valid()) {
        // The whole folder moves in at once; over anything that has appeared
        // since Begin (a link, a folder) the move fails.
        if (::renameat(m_staging.Get(), part.folder, folder, part.folder) != 0)
            return fail(std::string(part.folder) + ": " + Reason());
    } else {
        FileDescriptor source(::openat(m_staging.Get(), part.folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!source.Valid())
            return fail(std::string(part.folder) + ": " + Reason());
        std::string problem;
        for (const char* extra : part.extras)
            if (!RemoveEntry(existing.Get(), extra, problem))
                return fail(problem);
        for (const char* name : part.files)
            if (::renameat(source.Get(), name, existing.Get(), name) != 0)
                return fail(std::string(part.folder) + "/" + name + ": " + Reason());
    }
    m_committed = true;

    // The other format's files go, the marker first; their folder goes when
    // that leaves it empty.
    const TemplatePart& other = OtherPart(m_format);
    FileDescriptor& old = m_format == TemplateFormat::k2007 ? m_layout : m_keyinOskel;
    if (old.Valid()) {
        std::vector<const char*> names(other.files.rbegin(), other.files.rend());
        names.insert(names.end(), other.extras.begin(), other.extras.end());
        for (const char* name : names) {
            std::string problem;
            if (!RemoveEntry(old.Get(), name, problem)) {
                error = m_shownFolder + "/" + other.folder + "/" + problem;
                return false;
            }
        }
        old.Close();
        ::unlinkat(folder, other.folder, AT_REMOVEDIR);  // a folder that still holds something stays
    }
    return true;
}

}  // namespace

std::unique_ptr<TemplateWrite> TemplateWrite::Begin(const std::string& folder, const std::string& shownFolder,
                                                    TemplateFormat format, bool replace, std::string& error)
{
    return PosixTemplateWrite::Begin(folder, shownFolder, format, replace, error);
}

}  // namespace layouttool
