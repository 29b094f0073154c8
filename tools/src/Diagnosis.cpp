// Explaining an unopenable design database from the file's 100-byte SQLite
// header and the files beside it (never opening it as a database), and an
// unreadable job-preferences file by the status of its client.

#include "Diagnosis.h"

#include <CorvanePI.h>
#include <standin/corvane.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "pathutil/PathUtil.h"

namespace layouttool {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kApplicationId = 1330860876;
constexpr std::uint32_t kFormatVersion = 1;
constexpr char kSqliteMagic[] = "SQLite format 3";  // with its NUL: the first 16 bytes

using Header = std::array<unsigned char, 100>;

std::uint32_t BigEndian32(const Header& header, std::size_t offset)
{
    return (std::uint32_t{header[offset]} << 24) | (std::uint32_t{header[offset + 1]} << 16) |
           (std::uint32_t{header[offset + 2]} << 8) | std::uint32_t{header[offset + 3]};
}

// Reads up to `size` bytes of the file's start; false when it cannot be read.
bool ReadStart(const fs::path& path, unsigned char* buffer, std::size_t size, std::size_t& got)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(size));
    got = static_cast<std::size_t>(file.gcount());
    return !file.bad();
}

}  // namespace

std::string DiagnoseDatabase(const std::string& nativeTemplateFolder)
{
    const fs::path database = fs::path(nativeTemplateFolder) / "keyin.oskel" / "design.db";
    const std::string shown = "keyin.oskel\\design.db";

    std::error_code code;
    const fs::file_status status = fs::status(database, code);
    if (!fs::exists(status)) return shown + " is missing";
    if (!fs::is_regular_file(status)) return shown + " is not a file";

    Header header{};
    std::size_t got = 0;
    if (!ReadStart(database, header.data(), header.size(), got))
        return shown + " cannot be read: " + std::strerror(errno);
    if (got < header.size() || std::memcmp(header.data(), kSqliteMagic, sizeof kSqliteMagic) != 0)
        return shown + " is not an SQLite 3 database";

    const std::uint32_t applicationId = BigEndian32(header, 68);
    if (applicationId != kApplicationId)
        return shown + ": its application id is " + std::to_string(applicationId) + ", not " +
               std::to_string(kApplicationId) + " (not a design database)";
    const std::uint32_t version = BigEndian32(header, 60);
    if (version > kFormatVersion)
        return shown + ": its format version " + std::to_string(version) + " is newer than " +
               std::to_string(kFormatVersion);
    if (version != kFormatVersion)
        return shown + ": its format version is " + std::to_string(version) + ", only " +
               std::to_string(kFormatVersion) + " is read";

    const fs::path wal = database.string() + "-wal";
    if (fs::is_regular_file(wal, code) && fs::file_size(wal, code) > 0)
        return "keyin.oskel\\design.db-wal is not empty: the database is being written or was not closed";
    // Only a regular file can be a journal: reading a FIFO would wait for a writer.
    const fs::path journal = database.string() + "-journal";
    unsigned char journalStart = 0;
    std::size_t journalGot = 0;
    if (fs::is_regular_file(journal, code) && ReadStart(journal, &journalStart, 1, journalGot) &&
        journalGot == 1 && journalStart != 0)
        return "keyin.oskel\\design.db-journal holds an unfinished write";

    return shown + ": its tables do not match the format, or it is damaged";
}

std::string DiagnoseJobPreferences(const std::string& templateFolder)
{
    std::string path = templateFolder + "/Layout/Corvane.cvn";
    NormalizePath(path);
    CCorvane database;
    long status = database.Init();
    if (status != CORVANE_S_OK)
        return "the job-preferences client does not start: " + standin::corvane::DescribeStatus(status);
    status = database.Load(path.c_str(), 1);
    if (status == CORVANE_S_OK) {
        int count = 0;
        status = database.GetLayerCount(&count);
    }
    database.Close();
    if (status == CORVANE_S_OK) return std::string();
    return "Layout\\Corvane.cvn: " + standin::corvane::DescribeStatus(status);
}

}  // namespace layouttool
