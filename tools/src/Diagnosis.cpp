// Explaining an unopenable design database from the file's 100-byte SQLite
// header and the files beside it (never opening it as a database), an
// unreadable job-preferences file by the status of its client, a missing
// file by what the file system says, and a stack-up that stops by walking
// the design's layers.

#include "Diagnosis.h"

#include <CorvanePI.h>
#include <OskelPI.h>
#include <standin/corvane.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>

#include "Description.h"
#include "FileStatus.h"
#include "JobPreferencesText.h"
#include "SystemPath.h"
#include "pathutil/PathUtil.h"

namespace layouttool {
namespace {

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
bool ReadStart(const std::string& path, unsigned char* buffer, std::size_t size, std::size_t& got)
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

// Why keyin.oskel\sids of a folder that holds keyin.oskel is no regular
// file; "" when there is no keyin.oskel.
std::string MarkerProblem(const std::string& folder)
{
    const std::string keyinOskel = JoinNative(folder, "keyin.oskel");
    if (!EntryExists(keyinOskel))
        return std::string();
    const std::string sids = JoinNative(keyinOskel, "sids");
    const FileStatus marker = StatusOf(sids);
    if (marker.found)
        return marker.kind == FileKind::File ? std::string()
                                             : "keyin.oskel\\sids is " + KindName(marker.kind) + ", not a file";
    switch (marker.error) {
    case EACCES: return "keyin.oskel cannot be searched (" + marker.reason + ")";
    case ENOTDIR: return "keyin.oskel is not a folder";
    case ENOENT: return EntryExists(sids) ? "keyin.oskel\\sids is a link to nothing" : "keyin.oskel holds no sids";
    default: return "keyin.oskel\\sids: " + marker.reason;
    }
}

// Why Layout\<file> is not found as a regular file.
std::string MissingFileProblem(const std::string& folder, const std::string& file)
{
    const std::string shown = "Layout\\" + file;
    const std::string layout = JoinNative(folder, "Layout");
    const std::string path = JoinNative(layout, file);
    const FileStatus status = StatusOf(path);
    if (status.found)
        return status.kind == FileKind::File ? shown + " is a file, yet the dialog's query of it failed"
                                             : shown + " is " + KindName(status.kind);
    switch (status.error) {
    case EACCES: {
        const FileStatus layoutStatus = StatusOf(layout);
        return layoutStatus.found || layoutStatus.error != EACCES ? "Layout cannot be searched: " + status.reason
                                                                  : "the folder cannot be searched: " + status.reason;
    }
    case ENOTDIR: return "Layout is not a folder";
    case ENOENT:
        if (!EntryExists(layout))
            return "there is no Layout folder";
        if (!StatusOf(layout).found)
            return "Layout is a link to nothing";
        return EntryExists(path) ? shown + " is a link to nothing" : shown + " does not exist";
    default: return shown + ": " + status.reason;
    }
}

}  // namespace

std::string FolderProblem(const std::string& nativeFolder)
{
    if (const char wildcard = WildcardIn(nativeFolder))
        return WildcardProblem("path", wildcard);
    const FileStatus status = StatusOf(nativeFolder);
    if (!status.found) {
        switch (status.error) {
        case ENOENT: return "no such folder";
        case ENOTDIR: return "no such folder (a part of its path is not a folder)";
        default: return "cannot be reached: " + status.reason;
        }
    }
    return status.kind == FileKind::Folder ? std::string() : "not a folder";
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
    const FileStatus keyinOskel = StatusOf(JoinNative(nativeTemplateFolder, "keyin.oskel"));
    if (!keyinOskel.found && keyinOskel.error == EACCES)
        return "the folder cannot be searched: " + keyinOskel.reason;
    const std::string marker = MarkerProblem(nativeTemplateFolder);
    const std::string missing = MissingFileProblem(nativeTemplateFolder, result.missingFile);
    return marker.empty() ? missing : marker + ", so the folder is read as a 2005 template; " + missing;
}

std::string DiagnoseNonFolder(const std::string& nativePath)
{
    const std::string name = LastName(nativePath);
    if (const char wildcard = WildcardIn(name))
        return WildcardProblem("name", wildcard);
    const std::string dropped = NameDroppedBySystem(name);
    if (!dropped.empty())
        return dropped;
    if (!StatusOf(nativePath).found && EntryExists(nativePath))
        return "a link to nothing";
    return std::string();
}

std::string DiagnoseLayers(const std::string& nativeTemplateFolder)
{
    std::string databasePath = ToSystemPath(JoinNative(nativeTemplateFolder, "keyin.oskel"));
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
    const std::string database = JoinNative(JoinNative(nativeTemplateFolder, "keyin.oskel"), "design.db");
    const std::string shown = "keyin.oskel\\design.db";

    const FileStatus status = StatusOf(database);
    if (!status.found)
        return shown + " is missing";
    if (status.kind != FileKind::File)
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
    // Only a regular file can be a journal: reading a FIFO would wait for a writer.
    unsigned char first = 0;
    std::size_t firstGot = 0;
    const std::string wal = database + "-wal";
    if (!rollbackMode && StatusOf(wal).kind == FileKind::File && ReadStart(wal, &first, 1, firstGot) && firstGot == 1)
        return "keyin.oskel\\design.db-wal is not empty: the database is being written or was not closed";
    const std::string journal = database + "-journal";
    if (!walMode && StatusOf(journal).kind == FileKind::File && ReadStart(journal, &first, 1, firstGot) &&
        firstGot == 1 && first != 0)
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
    const std::string nativePath = NativeOf(path);
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
