// What a folder tree holds, for tests that prove that something only read it.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

// Every entry below `folder` by its path relative to it: its type, permissions and modification
// time and, for a file, its size and contents. Links are not followed.
inline std::map<std::string, std::string> RecordTree(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (auto entry = fs::recursive_directory_iterator(folder); entry != fs::recursive_directory_iterator(); ++entry) {
        const fs::file_status status = entry->symlink_status();
        std::ostringstream state;
        state << static_cast<int>(status.type()) << ' ' << static_cast<unsigned>(status.permissions()) << ' '
              << entry->last_write_time().time_since_epoch().count();
        if (status.type() == fs::file_type::regular) {
            std::ifstream file(entry->path(), std::ios::binary);
            state << ' ' << entry->file_size() << ' ' << file.rdbuf();
        }
        entries[entry->path().lexically_relative(folder).string()] = state.str();
    }
    return entries;
}

// The entries below `root` named like a database's side files (-journal, -wal, -shm).
inline std::vector<std::string> SideFiles(const std::filesystem::path& root)
{
    std::vector<std::string> found;
    for (const std::filesystem::directory_entry& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        for (const std::string suffix : {"-journal", "-wal", "-shm"}) {
            if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                found.push_back(entry.path().string());
        }
    }
    return found;
}

}  // namespace testsupport
