// Preparing a folder to receive a template: creating it, or clearing the
// files of an earlier template in it without touching anything else.

#include "TemplateFiles.h"

#include <system_error>
#include <vector>

namespace layouttool {
namespace {

namespace fs = std::filesystem;

// Every file this tool writes, and what SQLite may have left beside
// design.db; the folders keyin.oskel and Layout are removed only when empty.
const char* const kWrittenFiles[] = {
    "keyin.oskel/sids",        "keyin.oskel/design.db",  "keyin.oskel/design.db-journal",
    "keyin.oskel/design.db-wal", "keyin.oskel/design.db-shm", "Layout/Tamsett.tms",
    "Layout/Corvane.cvn",      "Layout/Halloway.hlw",    "Layout/Dunmere.dnm",
};
const char* const kWrittenFolders[] = {"keyin.oskel", "Layout"};

bool RemoveWrittenFiles(const fs::path& folder, const std::string& shownFolder, std::string& error)
{
    // Check all before removing any, so a refusal leaves the folder as it was.
    std::vector<fs::path> present;
    for (const char* name : kWrittenFiles) {
        std::error_code code;
        const fs::path path = folder / name;
        const fs::file_status status = fs::symlink_status(path, code);
        if (!fs::exists(status)) continue;
        if (fs::is_directory(status)) {
            error = shownFolder + "/" + name + ": is a folder; cannot replace it";
            return false;
        }
        present.push_back(path);
    }
    for (const fs::path& path : present) {
        std::error_code code;
        if (!fs::remove(path, code) && code) {
            error = path.string() + ": cannot remove: " + code.message();
            return false;
        }
    }
    for (const char* name : kWrittenFolders) {
        std::error_code ignored;  // a folder that still holds something stays
        if (fs::is_directory(fs::symlink_status(folder / name, ignored)) && fs::is_empty(folder / name, ignored))
            fs::remove(folder / name, ignored);
    }
    return true;
}

}  // namespace

bool PrepareTemplateFolder(const fs::path& folder, const std::string& shownFolder, bool replace,
                           std::optional<fs::path>& createdTop, std::string& error)
{
    std::error_code code;
    const fs::file_status status = fs::status(folder, code);
    if (code && code != std::errc::no_such_file_or_directory && code != std::errc::not_a_directory) {
        error = shownFolder + ": cannot be queried: " + code.message();
        return false;
    }
    if (fs::exists(status)) {
        if (!fs::is_directory(status)) {
            error = shownFolder + ": exists and is not a folder";
            return false;
        }
        const bool empty = fs::is_empty(folder, code);
        if (code) {
            error = shownFolder + ": cannot be listed: " + code.message();
            return false;
        }
        if (empty) return true;
        if (!replace) {
            error = shownFolder + ": already exists and is not empty (--force replaces the template in it)";
            return false;
        }
        return RemoveWrittenFiles(folder, shownFolder, error);
    }

    fs::path top = folder;
    while (top.has_parent_path() && top.parent_path() != top && !fs::exists(top.parent_path(), code))
        top = top.parent_path();
    fs::create_directories(folder, code);
    if (code) {
        error = shownFolder + ": cannot create the folder: " + code.message();
        return false;
    }
    createdTop = top;
    return true;
}

void CleanUpFailedWrite(const fs::path& folder, const std::optional<fs::path>& createdTop)
{
    std::error_code ignored;
    if (createdTop) {
        fs::remove_all(*createdTop, ignored);
        return;
    }
    std::string unused;
    RemoveWrittenFiles(folder, folder.string(), unused);
}

}  // namespace layouttool
