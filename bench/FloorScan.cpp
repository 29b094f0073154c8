// The floor of template discovery on POSIX and SQLite.
#include "FloorScan.h"

#include "FloorVfs.h"

#include <sqlite3.h>

#include <dirent.h>
#include <sys/stat.h>

#include <cstring>

namespace bench {
namespace {

bool IsRegular(const std::string& path)
{
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool Lookup(sqlite3_stmt* statement, sqlite3_int64& id)
{
    if (statement == nullptr || sqlite3_step(statement) != SQLITE_ROW)
        return false;
    id = sqlite3_column_int64(statement, 0);
    return true;
}

bool Valid2007(const std::string& folder)
{
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(ImmutableUri(folder + "/keyin.oskel/design.db").c_str(), &db,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, FloorVfsName());
    bool valid = false;
    if (opened == SQLITE_OK) {
        sqlite3_stmt* snapshot = nullptr;
        sqlite3_stmt* config = nullptr;
        sqlite3_int64 snapshotId = 0;
        sqlite3_int64 configId = 0;
        sqlite3_prepare_v2(db, "SELECT id FROM snapshot WHERE name = ?1", -1, &snapshot, nullptr);
        if (snapshot != nullptr)
            sqlite3_bind_text(snapshot, 1, "PCB", 3, SQLITE_STATIC);
        if (Lookup(snapshot, snapshotId)) {
            sqlite3_prepare_v2(db, "SELECT id FROM trel_config WHERE snapshot_id = ?1 AND name = ?2", -1, &config,
                               nullptr);
            if (config != nullptr) {
                sqlite3_bind_int64(config, 1, snapshotId);
                sqlite3_bind_text(config, 2, "PCB", 3, SQLITE_STATIC);
            }
            valid = Lookup(config, configId);
        }
        sqlite3_finalize(config);
        sqlite3_finalize(snapshot);
    }
    sqlite3_close_v2(db);
    return valid;
}

bool Valid2005(const std::string& folder)
{
    for (const char* name : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"}) {
        if (!IsRegular(folder + "/Layout/" + name))
            return false;
    }
    return true;
}

}  // namespace

int FloorScan(const std::string& nativeFolder, std::vector<std::string>* names)
{
    DIR* dir = opendir(nativeFolder.c_str());
    if (dir == nullptr)
        return 0;
    int count = 0;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const std::string folder = nativeFolder + "/" + entry->d_name;
        struct stat status;
        if (::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
            continue;
        const bool valid = IsRegular(folder + "/keyin.oskel/sids") ? Valid2007(folder) : Valid2005(folder);
        if (valid) {
            ++count;
            if (names != nullptr)
                names->push_back(entry->d_name);
        }
    }
    closedir(dir);
    return count;
}

}  // namespace bench
