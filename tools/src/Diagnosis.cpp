// Explaining an unopenable design database from the file's 100-byte SQLite
// header and the files beside it (never opening it as a database), an
// unreadable job-preferences file by the status of its client, a missing
// file by what the file system says, and a stack-up that stops by walking
// the design's layers.

#include "Diagnosis.h"

#include <CorvanePI.h>
#include <standin/corvane.h>
#include <standin/crt.h>
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include <OskelPI.h>

#include "Description.h"
#include "JobPreferencesText.h"
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
    if (!file)
        return false;
    file.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(size));
    got = static_cast<std::size_t>(file.gcount());
    return !file.bad();
}

// The character of `text` that the C run-time's file queries take for a
// wildcard and refuse in a path, or 0.
char WildcardIn(const std::string& text)
{
    const std::size_t at = text.find_first_of("?*");
    return at == std::string::npos ? '\0' : text[at];
}

std::string WildcardProblem(const char* what, char wildcard)
{
    return std::string("its ") + what + " holds '" + wildcard + "', which the dialog's file queries refuse";
}

// "a folder", "a FIFO", ...: what a file that is not a regular file is.
std::string KindOf(const struct stat& info)
{
    if (S_ISDIR(info.st_mode))
        return "a folder";
    if (S_ISFIFO(info.st_mode))
        return "a FIFO";
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "a device";
    if (S_ISSOCK(info.st_mode))
        return "a socket";
    if (S_ISREG(info.st_mode))
        return "a file";
    return "no file";
}

bool Stat(const fs::path& path, struct stat& info) { return ::stat(path.c_str(), &info) == 0; }
bool Exists(const fs::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// Why keyin.oskel\sids of a folder that holds keyin.oskel is no regular
// file; "" when there is no keyin.oskel.
std::string MarkerProblem(const fs::path& folder)
{
    const fs::path keyinOskel = folder / "keyin.oskel";
    if (!Exists(keyinOskel))
        return std::string();
    struct stat info {};
    if (Stat(keyinOskel / "sids", info))
        return S_ISREG(info.st_mode) ? std::string() : "keyin.oskel\\sids is " + KindOf(info) + ", not a file";
    switch (errno) {
    case EACCES: return std::string("keyin.oskel cannot be searched (") + std::strerror(EACCES) + ")";
    case ENOTDIR: return "keyin.oskel is not a folder";
    case ENOENT:
        return Exists(keyinOskel / "sids") ? "keyin.oskel\\sids is a link to nothing" : "keyin.oskel holds no sids";
    default: return std::string("keyin.oskel\\sids: ") + std::strerror(errno);
    }
}

// Why Layout\<file> is not found as a regular file.
std::string MissingFileProblem(const fs::path& folder, const std::string& file)
{
    const std::string shown = "Layout\\" + file;
    const fs::path layout = folder / "Layout";
    struct stat info {};
    if (Stat(layout / file, info))
        return S_ISREG(info.st_mode) ? shown + " is a file, yet the dialog's query of it failed"
                                     : shown + " is " + KindOf(info);
    const int error = errno;
    switch (error) {
    case EACCES:
        return Stat(layout, info) || errno != EACCES
                   ? std::string("Layout cannot be searched: ") + std::strerror(error)
                   : std::string("the folder cannot be searched: ") + std::strerror(error);
    case ENOTDIR: return "Layout is not a folder";
    case ENOENT:
        if (!Exists(layout))
            return "there is no Layout folder";
        if (!Stat(layout, info))
            return "Layout is a link to nothing";
        return Exists(layout / file) ? shown + " is a link to nothing" : shown + " does not exist";
    default: return shown + ": " + std::strerror(error);
    }
}

}  // namespace

std::string FolderProblem(const std::string& nativeFolder)
{
    if (const char wildcard = WildcardIn(nativeFolder))
        return WildcardProblem("path", wildcard);
    struct stat info {};
    if (!Stat(nativeFolder, info)) {
        switch (errno) {
        case ENOENT: return "no such folder";
        case ENOTDIR: return "no such folder (a part of its path is not a folder)";
        default: return std::string("cannot be reached: ") + std::strerror(errno);
        }
    }
    return S_ISDIR(info.st_mode) ? std::string() : "not a folder";
}

std::string DiagnoseRejection(const std::string& nativeTemplateFolder, const TemplateProbeResult& result)
{
    if (result.verdict == TemplateVerdict::DatabaseDoesNotOpen)
        return DiagnoseDatabase(nativeTemplateFolder);
    if (result.verdict != TemplateVerdict::MissingFile)
        return std::string();

    const std::string folderProblem = FolderProblem(nativeTemplateFolder);
    if (!folderProblem.empty())
        return folderProblem;
    const fs::path folder(nativeTemplateFolder);
    struct stat info {};
    if (!Stat(folder / "keyin.oskel", info) && errno == EACCES)
        return std::string("the folder cannot be searched: ") + std::strerror(EACCES);
    const std::string marker = MarkerProblem(folder);
    const std::string missing = MissingFileProblem(folder, result.missingFile);
    return marker.empty() ? missing : marker + ", so the folder is read as a 2005 template; " + missing;
}

std::string DiagnoseNonFolder(const std::string& nativePath)
{
    if (const char wildcard = WildcardIn(fs::path(nativePath).filename().string()))
        return WildcardProblem("name", wildcard);
    struct stat info {};
    if (!Stat(nativePath, info) && Exists(nativePath))
        return "a link to nothing";
    return std::string();
}

std::string DiagnoseLayers(const std::string& nativeTemplateFolder)
{
    std::string databasePath = standin::FromNativePath(nativeTemplateFolder + "/keyin.oskel");
    NormalizePath(databasePath);
    Oskel::OskelPI client;
    Oskel::ProjectData project;
    project.m_databasePath = databasePath.c_str();
    project.m_clientLabel = "layout-template-tool";
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    Oskel::IteratorT<const Oskel::ITrelLayer> layers;
    if (!client.OpenOskel(project) || !client.GetSnapshotByName(snapshot, Oskel::String("PCB")) ||
        !(*snapshot).GetTrelConfig(config, Oskel::String("PCB")) || !(*config).GetTrelDesign(design) ||
        !(*design).GetIterLayers(layers))
        return std::string();  // the reader says so itself

    // The same reads, in the same order, as the reader's.
    for (int number = 1; layers.IsValid(); ++layers, ++number) {
        const std::string layer = "the design's layer " + std::to_string(number);
        Oskel::ELayerType kind{};
        if (!(*layers).GetType(kind))
            return layer + " has no readable kind";
        if (kind != static_cast<Oskel::ELayerType>(0))
            continue;
        Oskel::String name;
        if (!(*layers).GetName(name))
            return layer + " has no readable name";
        int metalNumber = 0;
        if (!(*layers).GetMetallicLayerNumber(metalNumber))
            return layer + " has no readable metal-layer number";
    }
    return std::string();
}

std::string DiagnoseDatabase(const std::string& nativeTemplateFolder)
{
    const fs::path database = fs::path(nativeTemplateFolder) / "keyin.oskel" / "design.db";
    const std::string shown = "keyin.oskel\\design.db";

    std::error_code code;
    const fs::file_status status = fs::status(database, code);
    if (!fs::exists(status))
        return shown + " is missing";
    if (!fs::is_regular_file(status))
        return shown + " is not a file";

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

    // As the client, only the file of the database's journal mode (the file
    // format numbers at 18 and 19: 1 and 1 rollback, 2 and 2 WAL; both for others).
    const bool rollbackMode = header[18] == 1 && header[19] == 1;
    const bool walMode = header[18] == 2 && header[19] == 2;
    const fs::path wal = database.string() + "-wal";
    if (!rollbackMode && fs::is_regular_file(wal, code) && fs::file_size(wal, code) > 0)
        return "keyin.oskel\\design.db-wal is not empty: the database is being written or was not closed";
    // Only a regular file can be a journal: reading a FIFO would wait for a writer.
    const fs::path journal = database.string() + "-journal";
    unsigned char journalStart = 0;
    std::size_t journalGot = 0;
    if (!walMode && fs::is_regular_file(journal, code) && ReadStart(journal, &journalStart, 1, journalGot) &&
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
    if (status == CORVANE_S_OK)
        return std::string();
    return "Layout\\Corvane.cvn: " + standin::corvane::DescribeStatus(status);
}

std::string DiagnoseNoRows2005(const std::string& templateFolder)
{
    std::string path = templateFolder + "/Layout/Corvane.cvn";
    NormalizePath(path);
    const std::string nativePath = standin::ToNativePath(path);
    CCorvane database;
    int count = 0;
    if (database.Init() != CORVANE_S_OK)
        return DiagnoseJobPreferences(templateFolder);
    if (database.Load(path.c_str(), 1) != CORVANE_S_OK || database.GetLayerCount(&count) != CORVANE_S_OK) {
        database.Close();
        return DiagnoseJobPreferences(templateFolder);
    }
    // The value the client would not give, and why it is none.
    const auto refused = [&](int index, const char* key) {
        const std::optional<std::string> text = JobPreferencesValue(nativePath, "Layer " + std::to_string(index), key);
        return text ? "'" + *text + "' " + NotAnInt(*text) : std::string("is not an integer");
    };

    // The same reads, in the same order, as the reader's.
    std::string why;
    for (int index = 1; index <= count && why.empty(); ++index) {
        const std::string layer = "layer " + std::to_string(index);
        CCorvaneLayer record;
        if (const long status = database.FindLayer(&record, index); status != CORVANE_S_OK) {
            why = status == CORVANE_E_NO_SUCH_LAYER
                      ? "LayerCount is " + std::to_string(count) + ", but there is no [Layer " + std::to_string(index) +
                            "] section"
                      : layer + ": " + standin::corvane::DescribeStatus(status);
            continue;
        }
        CCorvaneLayer::eLayerType type{};
        if (const long status = record.GetLayerTypeValue(&type); status != CORVANE_S_OK) {
            why =
                status == CORVANE_E_KEY_MISSING ? layer + " has no Type" : layer + "'s Type " + refused(index, "Type");
            continue;
        }
        if (type != CCorvaneLayer::eLayerSignal && type != CCorvaneLayer::eLayerPlane)
            continue;
        const std::string kind = type == CCorvaneLayer::eLayerSignal ? " is a signal layer" : " is a plane layer";
        int number = 0;
        if (const long status = record.GetLayerNumber(&number); status != CORVANE_S_OK)
            why = layer + kind + ", but " +
                  (status == CORVANE_E_KEY_MISSING ? std::string("it has no Number")
                                                   : "its Number " + refused(index, "Number"));
    }
    database.Close();
    if (count == 0)
        return "its LayerCount is 0";
    return why.empty() ? "none of its layers is a signal or plane layer" : why;
}

}  // namespace layouttool
