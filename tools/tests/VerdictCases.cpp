// Every verdict, reason and note of `check`, each made once.

#include "VerdictCases.h"

#include <standin/corvane.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "TemplateFixtures.h"
#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;
using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

const std::string kNotOpened = ": 2007: keyin.oskel\\sids is present, but the design database does not open (";
const std::string kNoTamsett = ": 2005: Layout\\Tamsett.tms is missing or not a file (";
const std::string kAs2005 = ", so the folder is read as a 2005 template; there is no Layout folder)";
const std::string kNoStackup = "\n     note: the dialog shows no stack-up for it: ";
const std::string kNoRows = "\n     note: the dialog shows no rows for it: ";

void WriteGood2007(const fs::path& folder) { Write2007(folder, PcbDescription({ConductorLayer(1, "TOP", 1)})); }

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary);
    file << bytes;
}

// A good 2005 template whose `file` in Layout is replaced by what `make` makes.
std::function<void(const fs::path&)> With2005File(const char* file, std::function<void(const fs::path&)> make)
{
    return [file, make](const fs::path& folder) {
        Write2005(folder);
        fs::remove(folder / "Layout" / file);
        make(folder / "Layout" / file);
    };
}

// A folder whose keyin.oskel holds `make`'s sids (or, with a null `make`, none).
std::function<void(const fs::path&)> WithMarker(std::function<void(const fs::path&)> make)
{
    return [make](const fs::path& folder) {
        fs::create_directories(folder / "keyin.oskel");
        if (make)
            make(folder / "keyin.oskel/sids");
    };
}

// A 2007 template whose one conductor layer lacks what `drop` takes away.
std::function<void(const fs::path&)> WithLayer(std::function<void(standin::oskel::LayerDescription&)> drop)
{
    return [drop](const fs::path& folder) {
        standin::oskel::LayerDescription layer = ConductorLayer(1, "TOP", 1);
        drop(layer);
        Write2007(folder, PcbDescription({layer}));
    };
}

std::function<void(const fs::path&)> With2005Lines(int layerCount, std::vector<std::string> lines)
{
    return [layerCount, lines](const fs::path& folder) { Write2005Lines(folder, layerCount, lines); };
}

#if defined(_WIN32)
// Windows has no FIFOs, devices, sockets or links to nothing to make here:
// the cases that need them are Linux's own.
void MakeFifo(const fs::path&) {}
void MakeSocket(const fs::path&) {}
void MakeLoop(const fs::path&) {}
void MakeDangling(const fs::path&) {}

// Files held open without sharing while `check` runs, as another program
// holds them; ReleaseHeldFiles lets them go.
std::vector<HANDLE>& HeldFiles()
{
    static std::vector<HANDLE> held;
    return held;
}

void HoldWithoutSharing(const fs::path& path)
{
    HeldFiles().push_back(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
}

// A folder whose name Windows would cut from a path given to it: made
// through the \\?\ form, which takes names as they are.
void MakeFolderNamedExactly(const fs::path& path)
{
    ::CreateDirectoryW((L"\\\\?\\" + fs::absolute(path).wstring()).c_str(), nullptr);
}
#else
void MakeFifo(const fs::path& path) { ::mkfifo(path.c_str(), 0600); }
void MakeLoop(const fs::path& path) { fs::create_symlink(path.filename(), path); }
void MakeDangling(const fs::path& path) { fs::create_symlink("nowhere", path); }
#endif

// The cases only Linux can make: FIFOs, devices, sockets, links, names
// holding a wildcard, and folders that cannot be searched.
const char* const kLinuxOnly[] = {"15-layout-dangling", "18-cvn-fifo", "19-cvn-device", "20-cvn-socket",
                                  "21-dnm-dangling",    "22-hlw-loop", "24-sids-fifo",  "26-sids-dangling",
                                  "28-sids-loop",       "broken",      "star*",         "wild?"};

std::vector<VerdictCase> AllVerdictCases()
{
    const std::string range = " is out of range (-2147483648 to 2147483647)";
    std::vector<VerdictCase> cases = {
        {"00-ok-2007", WriteGood2007, "OK   00-ok-2007 (2007)"},
        {"01-ok-2005", [](const fs::path& f) { Write2005(f); }, "OK   01-ok-2005 (2005)"},
        // The design database does not open.
        {"02-db-missing", WithMarker([](const fs::path& p) { WriteFile(p, ""); }),
         "SKIP 02-db-missing" + kNotOpened + "keyin.oskel\\design.db is missing)"},
        {"03-db-folder",
         [](const fs::path& f) {
             WithMarker([](const fs::path& p) { WriteFile(p, ""); })(f);
             fs::create_directory(f / "keyin.oskel/design.db");
         },
         "SKIP 03-db-folder" + kNotOpened + "keyin.oskel\\design.db is not a file)"},
        {"04-db-text",
         [](const fs::path& f) {
             WithMarker([](const fs::path& p) { WriteFile(p, ""); })(f);
             WriteFile(f / "keyin.oskel/design.db", "just text, no database\n");
         },
         "SKIP 04-db-text" + kNotOpened + "keyin.oskel\\design.db is not an SQLite 3 database)"},
        {"05-db-foreign",
         [](const fs::path& f) {
             WriteGood2007(f);
             PatchHeader(f / "keyin.oskel/design.db", 68, 7);
         },
         "SKIP 05-db-foreign" + kNotOpened +
             "keyin.oskel\\design.db: its application id is 7, not 1330860876 (not a design database))"},
        {"06-db-newer",
         [](const fs::path& f) {
             WriteGood2007(f);
             PatchHeader(f / "keyin.oskel/design.db", 60, 2);
         },
         "SKIP 06-db-newer" + kNotOpened + "keyin.oskel\\design.db: its format version 2 is newer than 1)"},
        {"07-db-older",
         [](const fs::path& f) {
             WriteGood2007(f);
             PatchHeader(f / "keyin.oskel/design.db", 60, 0);
         },
         "SKIP 07-db-older" + kNotOpened + "keyin.oskel\\design.db: its format version is 0, only 1 is read)"},
        {"08-db-wal",
         [](const fs::path& f) {
             WriteGood2007(f);
             // In WAL mode (file format numbers 2 and 2 at 18; 20 and 21 kept: 0, 64).
             PatchHeader(f / "keyin.oskel/design.db", 18, 0x02020040);
             WriteFile(f / "keyin.oskel/design.db-wal", "pages");
         },
         "SKIP 08-db-wal" + kNotOpened +
             "keyin.oskel\\design.db-wal is not empty: the database is being written or was not closed)"},
        {"09-db-journal",
         [](const fs::path& f) {
             WriteGood2007(f);
             WriteFile(f / "keyin.oskel/design.db-journal", "\xd9\xd5\x05\xf9 hot");
         },
         "SKIP 09-db-journal" + kNotOpened + "keyin.oskel\\design.db-journal holds an unfinished write)"},
        {"10-db-tables",
         [](const fs::path& f) {
             WriteGood2007(f);
             // Page size 768, which is no power of two.
             std::fstream database(f / "keyin.oskel/design.db", std::ios::in | std::ios::out | std::ios::binary);
             database.seekp(16);
             database.write("\x03\x00", 2);
         },
         "SKIP 10-db-tables" + kNotOpened +
             "keyin.oskel\\design.db: its tables do not match the format, or it is damaged)"},
        // The database opens, without what discovery asks of it.
        {"11-no-snapshot",
         [](const fs::path& f) {
             Write2007(f, {{{"Board", {{"PCB", standin::oskel::DesignDescription{}}}}}});
         },
         "SKIP 11-no-snapshot: 2007: the design database holds no snapshot \"PCB\""},
        {"12-no-config",
         [](const fs::path& f) {
             Write2007(f, {{{"PCB", {{"Board", standin::oskel::DesignDescription{}}}}}});
         },
         "SKIP 12-no-config: 2007: snapshot \"PCB\" holds no Trel configuration \"PCB\""},
        // A file of Layout is missing or not a file.
        {"13-empty", [](const fs::path& f) { fs::create_directory(f); },
         "SKIP 13-empty" + kNoTamsett + "there is no Layout folder)"},
        {"14-layout-file",
         [](const fs::path& f) {
             fs::create_directory(f);
             WriteFile(f / "Layout", "");
         },
         "SKIP 14-layout-file" + kNoTamsett + "Layout is not a folder)"},
        {"15-layout-dangling",
         [](const fs::path& f) {
             fs::create_directory(f);
             MakeDangling(f / "Layout");
         },
         "SKIP 15-layout-dangling" + kNoTamsett + "Layout is a link to nothing)"},
        {"16-tms-missing", With2005File("Tamsett.tms", [](const fs::path&) {}),
         "SKIP 16-tms-missing" + kNoTamsett + "Layout\\Tamsett.tms does not exist)"},
        {"17-cvn-folder", With2005File("Corvane.cvn", [](const fs::path& p) { fs::create_directory(p); }),
         "SKIP 17-cvn-folder: 2005: Layout\\Corvane.cvn is missing or not a file (Layout\\Corvane.cvn is a folder)"},
        {"18-cvn-fifo", With2005File("Corvane.cvn", MakeFifo),
         "SKIP 18-cvn-fifo: 2005: Layout\\Corvane.cvn is missing or not a file (Layout\\Corvane.cvn is a FIFO)"},
        {"19-cvn-device", With2005File("Corvane.cvn", [](const fs::path& p) { fs::create_symlink("/dev/null", p); }),
         "SKIP 19-cvn-device: 2005: Layout\\Corvane.cvn is missing or not a file (Layout\\Corvane.cvn is a device)"},
        {"20-cvn-socket", With2005File("Corvane.cvn", MakeSocket),
         "SKIP 20-cvn-socket: 2005: Layout\\Corvane.cvn is missing or not a file (Layout\\Corvane.cvn is a socket)"},
        {"21-dnm-dangling", With2005File("Dunmere.dnm", MakeDangling),
         "SKIP 21-dnm-dangling: 2005: Layout\\Dunmere.dnm is missing or not a file (Layout\\Dunmere.dnm is a link to "
         "nothing)"},
        {"22-hlw-loop", With2005File("Halloway.hlw", MakeLoop),
         "SKIP 22-hlw-loop: 2005: Layout\\Halloway.hlw is missing or not a file (Layout\\Halloway.hlw: Too many "
         "levels of symbolic links)"},
        // A keyin.oskel that did not make the folder a 2007 template.
        {"23-keyin-file",
         [](const fs::path& f) {
             fs::create_directory(f);
             WriteFile(f / "keyin.oskel", "");
         },
         "SKIP 23-keyin-file" + kNoTamsett + "keyin.oskel is not a folder" + kAs2005},
        {"24-sids-fifo", WithMarker(MakeFifo),
         "SKIP 24-sids-fifo" + kNoTamsett + "keyin.oskel\\sids is a FIFO, not a file" + kAs2005},
        {"25-sids-folder", WithMarker([](const fs::path& p) { fs::create_directory(p); }),
         "SKIP 25-sids-folder" + kNoTamsett + "keyin.oskel\\sids is a folder, not a file" + kAs2005},
        {"26-sids-dangling", WithMarker(MakeDangling),
         "SKIP 26-sids-dangling" + kNoTamsett + "keyin.oskel\\sids is a link to nothing" + kAs2005},
        {"27-no-sids", WithMarker(nullptr), "SKIP 27-no-sids" + kNoTamsett + "keyin.oskel holds no sids" + kAs2005},
        {"28-sids-loop", WithMarker(MakeLoop),
         "SKIP 28-sids-loop" + kNoTamsett + "keyin.oskel\\sids: Too many levels of symbolic links" + kAs2005},
        // Listed, but the stack-up cannot be shown.
        {"30-nodesign",
         [](const fs::path& f) {
             Write2007(f, {{{"PCB", {{"PCB", std::nullopt}}}}});
         },
         "OK   30-nodesign (2007)" + kNoStackup + "it says \"Can't read TREL design from database.\""},
        {"31-nolayers", [](const fs::path& f) { Write2007(f, PcbDescription({})); },
         "OK   31-nolayers (2007)" + kNoStackup +
             "it says \"Layout template \"31-nolayers\" doesn't have any layers.\""},
        {"32-nokind", WithLayer([](standin::oskel::LayerDescription& l) { l.type.reset(); }),
         "OK   32-nokind (2007)" + kNoStackup + "the design's layer 1 has no readable kind"},
        {"33-noname", WithLayer([](standin::oskel::LayerDescription& l) { l.name.reset(); }),
         "OK   33-noname (2007)" + kNoStackup + "the design's layer 1 has no readable name"},
        {"34-nometal", WithLayer([](standin::oskel::LayerDescription& l) { l.metalNumber.reset(); }),
         "OK   34-nometal (2007)" + kNoStackup + "the design's layer 1 has no readable metal-layer number"},
        {"35-badcvn", [](const fs::path& f) { Write2005(f, {"[Corvane]"}); },
         "OK   35-badcvn (2005)" + kNoStackup +
             "Layout\\Corvane.cvn: " + standin::corvane::DescribeStatus(CORVANE_E_DUPLICATE_SECTION)},
        // Shown, without rows.
        {"40-dielectric-2007",
         [](const fs::path& f) { Write2007(f, PcbDescription({standin::oskel::OtherLayer(1, 1, "C")})); },
         "OK   40-dielectric-2007 (2007)" + kNoRows + "none of its layers is a conductor layer"},
        {"41-dielectric-2005", With2005Lines(2, {"[Layer 1]", "Type = 2", "[Layer 2]", "Type = 7", "Number = 1"}),
         "OK   41-dielectric-2005 (2005)" + kNoRows + "none of its layers is a signal or plane layer"},
        {"42-number-range", With2005Lines(1, {"[Layer 1]", "Type = 1", "Number = 2147483648"}),
         "OK   42-number-range (2005)" + kNoRows + "layer 1 is a signal layer, but its Number '2147483648'" + range},
        {"43-number-word", With2005Lines(1, {"[layer 1]", "TYPE = 0", "number: x2 ; top"}),
         "OK   43-number-word (2005)" + kNoRows + "layer 1 is a plane layer, but its Number 'x2' is not an integer"},
        {"44-no-number", With2005Lines(1, {"[Layer 1]", "Type = 1"}),
         "OK   44-no-number (2005)" + kNoRows + "layer 1 is a signal layer, but it has no Number"},
        {"45-type-range", With2005Lines(1, {"[Layer 1]", "Type = -99999999999", "Number = 1"}),
         "OK   45-type-range (2005)" + kNoRows + "layer 1's Type '-99999999999'" + range},
        {"46-no-type", With2005Lines(1, {"[Layer 1]", "Number = 1"}),
         "OK   46-no-type (2005)" + kNoRows + "layer 1 has no Type"},
        {"47-no-section", With2005Lines(2, {}),
         "OK   47-no-section (2005)" + kNoRows + "LayerCount is 2, but there is no [Layer 1] section"},
        {"48-no-layers", With2005Lines(0, {}), "OK   48-no-layers (2005)" + kNoRows + "its LayerCount is 0"},
        // Entries that are no folders to the dialog.
        {"broken", MakeDangling, "FILE broken: ignored, not a folder: a link to nothing", true},
        {"readme.txt", [](const fs::path& p) { WriteFile(p, "hello"); }, "FILE readme.txt: ignored, not a folder",
         true},
        {"star*", [](const fs::path& f) { fs::create_directory(f); },
         "FILE star*: ignored, not a folder to the dialog: its name holds '*', which the dialog's file queries refuse",
         true},
        {"wild?", [](const fs::path& f) { Write2005(f); },
         "FILE wild?: ignored, not a folder to the dialog: its name holds '?', which the dialog's file queries refuse",
         true},
    };

    // Reasons that show where permissions apply to the tool.
    const auto closing = [](const char* inside, const std::function<void(const fs::path&)>& write) {
        return [inside, write](const fs::path& f) {
            write(f);
            fs::permissions(f / inside, fs::perms::none);
        };
    };
    const std::vector<VerdictCase> permissions = {
        {"p1-unsearchable", closing("", [](const fs::path& f) { Write2005(f); }),
         "SKIP p1-unsearchable" + kNoTamsett + "the folder cannot be searched: Permission denied)"},
        {"p2-keyin-closed", closing("keyin.oskel", WriteGood2007),
         "SKIP p2-keyin-closed" + kNoTamsett + "keyin.oskel cannot be searched (Permission denied)" + kAs2005},
        {"p3-layout-closed", closing("Layout", [](const fs::path& f) { Write2005(f); }),
         "SKIP p3-layout-closed" + kNoTamsett + "Layout cannot be searched: Permission denied)"},
        {"p4-db-unreadable", closing("keyin.oskel/design.db", WriteGood2007),
         "SKIP p4-db-unreadable" + kNotOpened + "keyin.oskel\\design.db cannot be read: Permission denied)"},
    };
    for (VerdictCase entry : permissions) {
        entry.needsPermissions = true;
        cases.push_back(std::move(entry));
    }
#if defined(_WIN32)
    const std::string noStackup = "the dialog shows no stack-up for it: ";
    const std::vector<VerdictCase> windows = {
        // Held open by another program without sharing: _stat still answers,
        // so discovery lists the 2005 template, whose file does not load; the
        // design database does not open.
        {"50-cvn-held",
         [](const fs::path& f) {
             Write2005(f);
             HoldWithoutSharing(f / "Layout/Corvane.cvn");
         },
         "OK   50-cvn-held (2005)" + kNoStackup +
             "Layout\\Corvane.cvn: " + standin::corvane::DescribeStatus(CORVANE_E_FILE_UNREADABLE)},
        {"51-db-held",
         [](const fs::path& f) {
             WriteGood2007(f);
             HoldWithoutSharing(f / "keyin.oskel/design.db");
         },
         "SKIP 51-db-held" + kNotOpened + "keyin.oskel\\design.db cannot be read: Permission denied)"},
        // Names that Windows cuts, and one its ANSI code page cannot write.
        {"blank ", MakeFolderNamedExactly,
         "FILE blank : ignored, not a folder to the dialog: its name ends in a blank, which Windows drops from a "
         "path: the dialog's file queries look for 'blank' instead",
         true},
        {"dot.", MakeFolderNamedExactly,
         "FILE dot.: ignored, not a folder to the dialog: its name ends in a dot, which Windows drops from a path: "
         "the dialog's file queries look for 'dot' instead",
         true},
        {"\xc5\x81\xc3\xb3"
         "d\xc5\xba",
         [](const fs::path& f) { fs::create_directory(f); },
         "FILE ?\xc3\xb3"
         "d?: ignored, not a folder to the dialog: its name holds characters that the ANSI code page "
         "(1252) cannot write, and the dialog's paths are written in it: the dialog could never open it",
         true},
    };
    cases.insert(cases.end(), windows.begin(), windows.end());
#endif
    return cases;
}

}  // namespace

std::vector<VerdictCase> VerdictCasesHere()
{
    std::vector<VerdictCase> cases = AllVerdictCases();
#if defined(_WIN32)
    for (const char* linuxOnly : kLinuxOnly)
        cases.erase(std::remove_if(cases.begin(), cases.end(),
                                   [&](const VerdictCase& entry) { return entry.name == linuxOnly; }),
                    cases.end());
    cases.erase(
        std::remove_if(cases.begin(), cases.end(), [](const VerdictCase& entry) { return entry.needsPermissions; }),
        cases.end());
#endif
    return cases;
}

std::vector<VerdictCase> MakeVerdictCases(const fs::path& lib, bool permissions)
{
    fs::create_directories(lib);
    std::vector<VerdictCase> made;
    for (const VerdictCase& entry : VerdictCasesHere()) {
        if (entry.needsPermissions != permissions)
            continue;
        entry.make(lib / fs::u8path(entry.name));
        made.push_back(entry);
    }
    return made;
}

std::string CheckOutput(const std::vector<VerdictCase>& cases, const std::vector<std::string>& order)
{
    std::string folders;
    std::string files;
    std::size_t folderCount = 0;
    std::size_t listed = 0;
    for (const std::string& name : order) {
        for (const VerdictCase& entry : cases) {
            if (entry.name != name)
                continue;
            (entry.file ? files : folders) += entry.lines + "\n";
            if (!entry.file) {
                ++folderCount;
                listed += entry.lines.rfind("OK ", 0) == 0 ? 1 : 0;
            }
        }
    }
    return folders + files + std::to_string(listed) + " of " + std::to_string(folderCount) +
           (folderCount == 1 ? " sub-folder is" : " sub-folders are") + " listed by the dialog\n";
}

std::vector<std::string> ListingOrder(const fs::path& folder)
{
    std::vector<std::string> names;
#if defined(_WIN32)
    // The system's own order (NTFS and Wine: by name).
    WIN32_FIND_DATAW entry;
    const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = fs::path(entry.cFileName).u8string();
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileW(search, &entry));
    ::FindClose(search);
#else
    // The order --listing-order ascending gives.
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
#endif
    return names;
}

void ReleaseHeldFiles()
{
#if defined(_WIN32)
    for (const HANDLE handle : HeldFiles())
        ::CloseHandle(handle);
    HeldFiles().clear();
#endif
}

void RestorePermissions(const fs::path& lib)
{
    for (const char* inside : {"p1-unsearchable", "p2-keyin-closed/keyin.oskel", "p3-layout-closed/Layout",
                               "p4-db-unreadable/keyin.oskel/design.db"}) {
        std::error_code ignored;
        fs::permissions(lib / inside, fs::perms::owner_all, ignored);
    }
}

}  // namespace layouttool::testing
