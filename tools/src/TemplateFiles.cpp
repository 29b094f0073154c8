// Writing a template into its folder: staging beside the old template, then
// moving the new files into place relative to folders opened without
// following links.

#include "TemplateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

namespace layouttool {
namespace {

namespace fs = std::filesystem;

struct Part {
    const char* folder;               // in DIR
    std::vector<const char*> files;   // what this tool writes there, in the order they are moved in
    std::vector<const char*> extras;  // what SQLite may have left beside them
};

// The marker comes last when the 2007 template moves in and goes first when
// it goes, so the folder never reads as 2007 without its database.
const Part k2007Part{"keyin.oskel", {"design.db", "sids"}, {"design.db-journal", "design.db-wal", "design.db-shm"}};
const Part k2005Part{"Layout", {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"}, {}};

const Part& PartOf(TemplateFormat format) { return format == TemplateFormat::k2007 ? k2007Part : k2005Part; }
const Part& OtherPart(TemplateFormat format) { return format == TemplateFormat::k2007 ? k2005Part : k2007Part; }

std::string Reason() { return std::strerror(errno); }

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
bool CheckReplaceable(int folder, const std::string& shownFolder, const Part& part, std::string& error)
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

}  // namespace

std::unique_ptr<TemplateWrite> TemplateWrite::Begin(const fs::path& folder, const std::string& shownFolder,
                                                    TemplateFormat format, bool replace, std::string& error)
{
    std::unique_ptr<TemplateWrite> write(new TemplateWrite);
    write->m_format = format;
    write->m_folder = folder;
    write->m_shownFolder = shownFolder;

    std::error_code code;
    const fs::file_status status = fs::status(folder, code);
    if (code && code != std::errc::no_such_file_or_directory && code != std::errc::not_a_directory) {
        error = shownFolder + ": cannot be queried: " + code.message();
        return nullptr;
    }
    if (fs::exists(status) && !fs::is_directory(status)) {
        error = shownFolder + ": exists and is not a folder";
        return nullptr;
    }
    if (!fs::exists(status)) {
        fs::path top = folder;
        while (top.has_parent_path() && top.parent_path() != top && !fs::exists(top.parent_path(), code))
            top = top.parent_path();
        fs::create_directories(folder, code);
        if (code) {
            error = shownFolder + ": cannot create the folder: " + code.message();
            return nullptr;
        }
        write->m_createdTop = top;
    } else {
        const bool empty = fs::is_empty(folder, code);
        if (code) {
            error = shownFolder + ": cannot be listed: " + code.message();
            return nullptr;
        }
        if (!empty && !replace) {
            error = shownFolder + ": already exists and is not empty (--force replaces the template in it)";
            return nullptr;
        }
    }

    write->m_folderHandle = FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!write->m_folderHandle.Valid()) {
        error = shownFolder + ": cannot be opened: " + Reason();
        return nullptr;
    }
    const int handle = write->m_folderHandle.Get();
    if (!OpenPart(handle, shownFolder, k2007Part.folder, write->m_keyinOskel, error) ||
        !OpenPart(handle, shownFolder, k2005Part.folder, write->m_layout, error))
        return nullptr;
    if ((write->m_keyinOskel.Valid() && !CheckReplaceable(write->m_keyinOskel.Get(), shownFolder, k2007Part, error)) ||
        (write->m_layout.Valid() && !CheckReplaceable(write->m_layout.Get(), shownFolder, k2005Part, error)))
        return nullptr;

    // Inside DIR, so that the moves stay on one file system. A folder of a
    // template holds nothing else that discovery looks at.
    std::string staging = (folder / ".layout-template-tool-XXXXXX").string();
    if (::mkdtemp(staging.data()) == nullptr) {
        error = shownFolder + ": cannot make a folder to write the template in: " + Reason();
        return nullptr;
    }
    write->m_staging = staging;
    return write;
}

TemplateWrite::~TemplateWrite()
{
    std::error_code ignored;
    if (!m_staging.empty())
        fs::remove_all(m_staging, ignored);
    if (!m_committed && m_createdTop)
        fs::remove_all(*m_createdTop, ignored);
}

std::string TemplateWrite::AsWrittenInFolder(std::string message) const
{
    const std::string staging = m_staging.string();
    for (std::size_t at = message.find(staging); at != std::string::npos; at = message.find(staging, at))
        message.replace(at, staging.size(), m_shownFolder);
    return message;
}

bool TemplateWrite::Commit(std::string& error)
{
    const Part& part = PartOf(m_format);
    const int folder = m_folderHandle.Get();
    FileDescriptor staged(::open(m_staging.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    FileDescriptor& existing = m_format == TemplateFormat::k2007 ? m_keyinOskel : m_layout;
    const auto fail = [&](const std::string& what) {
        error = m_shownFolder + ": cannot move the new template into place: " + what;
        return false;
    };
    if (!staged.Valid())
        return fail(m_staging.string() + ": " + Reason());

    if (!existing.Valid()) {
        // The whole folder moves in at once; over anything that has appeared
        // since Begin (a link, a folder) the move fails.
        if (::renameat(staged.Get(), part.folder, folder, part.folder) != 0)
            return fail(std::string(part.folder) + ": " + Reason());
    } else {
        FileDescriptor source(::openat(staged.Get(), part.folder, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
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
    const Part& other = OtherPart(m_format);
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

}  // namespace layouttool
