// What only Windows has: paths as a Windows user types them (drive letters,
// forward slashes, a trailing backslash, a drive's root, names in the ANSI
// code page and names outside it, UNC paths), junctions and symbolic links
// (reparse points) in a template under --force, read-only files, names that
// Windows cuts, files held open without sharing, and the staging folders'
// locks.

#include <windows.h>

#include <gtest/gtest.h>

#include "TemplateFixtures.h"
#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

bool IsReparsePoint(const fs::path& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Makes `link` a symbolic link to `target`. Under Wine, CreateSymbolicLinkW
// reports success and makes nothing, and FSCTL_SET_REPARSE_POINT (a
// junction) is not supported; a Unix symbolic link is what Wine shows as a
// reparse point (one to a folder; one to a file looks like the file), so it
// is made by the Unix `ln`, which Wine starts like any program. False when
// neither way makes a link.
bool MakeLink(const fs::path& link, const fs::path& target, bool folder)
{
    const DWORD flags =
        (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), flags) && IsReparsePoint(link))
        return true;
    using UnixName = char*(CDECL*)(LPCWSTR);
    const FARPROC found = ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(found));
    if (unixName == nullptr)
        return false;
    char* unixLink = unixName(fs::absolute(link).c_str());
    char* unixTarget = unixName(fs::absolute(target).c_str());
    if (unixLink == nullptr || unixTarget == nullptr)
        return false;
    std::wstring command =
        L"Z:\\bin\\ln -s \"" + fs::u8path(unixTarget).wstring() + L"\" \"" + fs::u8path(unixLink).wstring() + L"\"";
    ::HeapFree(::GetProcessHeap(), 0, unixLink);
    ::HeapFree(::GetProcessHeap(), 0, unixTarget);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::WaitForSingleObject(process.hProcess, 30000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine passes on neither a Unix program's end nor its exit status: the
    // link is looked for until it is there.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(50);
    }
    return false;
}

// A file held open by "another program", without sharing, while it lives.
class HeldFile {
public:
    explicit HeldFile(const fs::path& path)
        : m_handle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr))
    {}
    ~HeldFile() { ::CloseHandle(m_handle); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool Held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

class Windows : public ::testing::Test {
protected:
    ToolRun Run(const std::vector<std::string>& arguments) { return RunTool(arguments, m_work.Root()); }
    // The work folder's path as a Windows user types it: "D:\work-12-0".
    std::string Typed(const std::string& relative = std::string()) const
    {
        return SystemPathOf(m_work.Root()) + (relative.empty() ? "" : "\\" + relative);
    }

    WorkFolder m_work;
};

TEST_F(Windows, PathsAsAWindowsUserTypesThem)
{
    // A drive letter, forward slashes, a trailing backslash, a relative path.
    ToolRun run = Run({"create", "2007", Typed("lib\\Templates\\Layout\\4L"), "--layer", "conductor TOP metal=1"});
    EXPECT_EQ(0, run.status) << run.err;
    std::string slashes = Typed("lib/Templates/Layout/6L");
    for (char& c : slashes)
        c = c == '\\' ? '/' : c;
    run = Run({"create", "2005", slashes, "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    run = Run({"create", "2005", Typed("lib\\Templates\\Layout\\8L\\"), "--layer", "plane 2"});
    EXPECT_EQ(0, run.status) << run.err;
    run = Run({"create", "2005", "lib\\Templates\\Layout\\10L", "--layer", "signal 3"});
    EXPECT_EQ(0, run.status) << run.err;

    for (const std::string& folder :
         {Typed("lib\\Templates\\Layout"), Typed("lib\\Templates\\Layout\\"), std::string("lib/Templates/Layout"),
          std::string("lib\\Templates\\Layout\\..\\Layout")}) {
        SCOPED_TRACE(folder);
        run = Run({"check", folder});
        EXPECT_EQ(0, run.status) << run.err;
        // Wine lists a folder by name, as NTFS does.
        EXPECT_EQ(
            "OK   10L (2005)\n"
            "OK   4L (2007)\n"
            "OK   6L (2005)\n"
            "OK   8L (2005)\n"
            "4 of 4 sub-folders are listed by the dialog\n",
            run.out);
    }
    run = Run({"show", Typed("lib\\Templates\\Layout\\8L\\")});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2005\n1\tPLANE_2\tPlane\n", run.out);
    run = Run({"show", "lib/Templates/Layout/4L/."});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2007\n1\tTOP\t\n", run.out);

    // A central library names its layout-templates folder as Windows writes it.
    run = Run({"check", Typed("lib")});
    EXPECT_EQ(Typed("lib") + ": a central library, whose layout templates the dialog takes from " +
                  Typed("lib\\Templates\\Layout") + ": check that folder\n",
              run.err);
}

TEST_F(Windows, ADrivesRootAndAUncPath)
{
    // The dialog's walk asks the C run-time for the bare drive "D:", which it
    // does not find: a drive's root cannot be a layout-templates folder.
    const std::string root = Typed().substr(0, 3);
    ToolRun run = Run({"check", root});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ(root + ": the dialog cannot list it: its walk asks the C run-time for the bare drive '" +
                  root.substr(0, 2) + "', which it does not find\n",
              run.err);
    run = Run({"show", root});
    EXPECT_EQ(1, run.status);

    // A UNC path is taken as a path; the system answers for it.
    run = Run({"check", "\\\\nowhere.invalid\\share\\lib"});
    EXPECT_EQ(2, run.status);
    EXPECT_EQ(0u, run.err.find("\\\\nowhere.invalid\\share\\lib: ")) << run.err;
    run = Run({"create", "2005", "\\\\nowhere.invalid\\share\\lib\\6L", "--layer", "signal 1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(0u, run.err.find("\\\\nowhere.invalid\\share\\lib\\6L: ")) << run.err;
}

TEST_F(Windows, NamesInTheAnsiCodePageAndNamesOutsideIt)
{
    // An accented Latin name is written in code page 1252, as the dialog reads it.
    ToolRun run = Run({"create", "2005", "lib/Caf\xc3\xa9", "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("lib/Caf\xc3\xa9: 2005 template with 1 layer, 1 listed by the dialog\n", AnsiToUtf8(run.out));
    run = Run({"show", "lib/Caf\xc3\xa9"});
    EXPECT_EQ(0, run.status) << run.err;

    // One it cannot write is refused, and nothing is made.
    run = Run({"create", "2005",
               "lib/\xc5\x81\xc3\xb3"
               "d\xc5\xba",
               "--layer", "signal 1"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "lib/?\xc3\xb3"
        "d?: its path holds characters that the ANSI code page (1252) cannot write, and the "
        "dialog's paths are written in it: the dialog could never open it\n",
        AnsiToUtf8(run.err));
    EXPECT_FALSE(fs::exists(m_work.Root() / fs::u8path("lib/\xc5\x81\xc3\xb3"
                                                       "d\xc5\xba")));

    // check names such a folder, exactly in its JSON.
    fs::create_directory(m_work.Root() / fs::u8path("lib/\xc5\x81\xc3\xb3"
                                                    "d\xc5\xba"));
    run = Run({"check", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "OK   Caf\xc3\xa9 (2005)\n"
        "FILE ?\xc3\xb3"
        "d?: ignored, not a folder to the dialog: its name holds characters that the ANSI code "
        "page (1252) cannot write, and the dialog's paths are written in it: the dialog could never open it\n"
        "1 of 1 sub-folder is listed by the dialog\n",
        AnsiToUtf8(run.out));
    run = Run({"check", "--json", "lib"});
    EXPECT_NE(std::string::npos, run.out.find("\"name\": \"\xc5\x81\xc3\xb3"
                                              "d\xc5\xba\""))
        << run.out;
    run = Run({"show",
               "lib/\xc5\x81\xc3\xb3"
               "d\xc5\xba"});
    EXPECT_EQ(1, run.status);
    const std::string refused =
        "lib/?\xc3\xb3"
        "d?: its path holds characters that the ANSI code page (1252) cannot write, and "
        "the dialog's paths are written in it: the dialog could never open it\n";
    EXPECT_EQ(refused, AnsiToUtf8(run.err));
    // As JSON: the exact path, the same words, and the message as well.
    run = Run({"show", "--json",
               "lib/\xc5\x81\xc3\xb3"
               "d\xc5\xba"});
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.out.find("\"folder\": \"lib/\xc5\x81\xc3\xb3"
                                              "d\xc5\xba\""))
        << run.out;
    EXPECT_NE(std::string::npos, run.out.find("\"error\": \"its path holds characters")) << run.out;
    EXPECT_EQ(refused, AnsiToUtf8(run.err));

    // Only filesystem order is there to choose.
    run = Run({"check", "--listing-order", "ascending", "lib"});
    EXPECT_EQ(2, run.status);
}

TEST_F(Windows, ForceWritesNothingThroughAJunctionOrSymbolicLink)
{
    ASSERT_EQ(0, Run({"create", "2007", "elsewhere/A", "--layer", "conductor A metal=1"}).status);
    WriteTextFile(m_work.Root() / "elsewhere/precious", "keep me");
    fs::create_directory(m_work.Root() / "T");
    if (!MakeLink(m_work.Root() / "T/keyin.oskel", m_work.Root() / "elsewhere/A/keyin.oskel", true) ||
        !IsReparsePoint(m_work.Root() / "T/keyin.oskel")) {
        // Under Wine a Unix link always can be made; on Windows a link
        // needs the privilege or developer mode.
        ASSERT_FALSE(UnderWine()) << "no reparse point could be made under Wine";
        GTEST_SKIP() << "no reparse point can be made here";
    }
    const std::string before = ReadTextFile(m_work.Root() / "elsewhere/A/keyin.oskel/design.db");
    for (const std::string format : {"2007", "2005"}) {
        SCOPED_TRACE(format);
        const ToolRun run =
            Run({"create", format, "T", "--force", "--layer", format == "2007" ? "conductor X metal=1" : "plane 9"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(
            "T\\keyin.oskel: is a junction or symbolic link; --force writes nothing through a link (remove it "
            "first)\n",
            run.err);
    }
    EXPECT_EQ(before, ReadTextFile(m_work.Root() / "elsewhere/A/keyin.oskel/design.db"));

    // A file of the template that is a link is replaced as a link.
    ASSERT_EQ(0, Run({"create", "2005", "U", "--layer", "signal 1"}).status);
    fs::remove(m_work.Root() / "U/Layout/Corvane.cvn");
    ASSERT_TRUE(MakeLink(m_work.Root() / "U/Layout/Corvane.cvn", m_work.Root() / "elsewhere/precious", false));
    const ToolRun run = Run({"create", "2005", "U", "--force", "--layer", "plane 3"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_NE(std::string::npos, ReadTextFile(m_work.Root() / "U/Layout/Corvane.cvn").find("Type = 0"));
    EXPECT_EQ("keep me", ReadTextFile(m_work.Root() / "elsewhere/precious"));
    EXPECT_EQ("format: 2005\n1\tPLANE_3\tPlane\n", Run({"show", "U"}).out);
}

TEST_F(Windows, ForceReplacesNoReadOnlyFileAndNoFileHeldOpen)
{
    ASSERT_EQ(0, Run({"create", "2005", "T", "--layer", "signal 1"}).status);
    const fs::path corvane = m_work.Root() / "T/Layout/Corvane.cvn";
    const std::string before = ReadTextFile(corvane);

    ASSERT_TRUE(::SetFileAttributesW(corvane.c_str(), FILE_ATTRIBUTE_READONLY));
    ToolRun run = Run({"create", "2005", "T", "--force", "--layer", "plane 2"});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "T\\Layout\\Corvane.cvn: is read-only; --force replaces no read-only file (clear its read-only "
        "attribute first)\n",
        run.err);
    ::SetFileAttributesW(corvane.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(before, ReadTextFile(corvane));

    {
        const HeldFile held(corvane);
        ASSERT_TRUE(held.Held());
        run = Run({"create", "2007", "T", "--force", "--layer", "conductor A metal=1"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(
            "T\\Layout\\Corvane.cvn: is open in another program, which shares it with nobody; it cannot be "
            "replaced now\n",
            run.err);
        EXPECT_FALSE(fs::exists(m_work.Root() / "T/keyin.oskel"));

        // The dialog lists the template, but cannot read its stack-up.
        run = Run({"show", "T"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ(
            "T: Can't display the stackup. (Layout\\Corvane.cvn: CORVANE_E_FILE_UNREADABLE: the file cannot be "
            "read)\n",
            run.err);
        run = Run({"check", "."});
        EXPECT_EQ(0, run.status) << run.err;
        EXPECT_EQ(
            "OK   T (2005)\n"
            "     note: the dialog finds it first and closes with \"Can't display the stackup.\": "
            "Layout\\Corvane.cvn: CORVANE_E_FILE_UNREADABLE: the file cannot be read\n"
            "1 of 1 sub-folder is listed by the dialog\n",
            run.out);
    }
    EXPECT_EQ(before, ReadTextFile(corvane));
    run = Run({"create", "2005", "T", "--force", "--layer", "plane 2"});
    EXPECT_EQ(0, run.status) << run.err;
}

TEST_F(Windows, NamesThatWindowsCutsAreNotTheirFolders)
{
    // "7L." and "8L " are listed, but every path to them reaches "7L" and
    // "8L", which are not there.
    ASSERT_EQ(0, Run({"create", "2005", "lib/6L", "--layer", "signal 1"}).status);
    for (const wchar_t* name : {L"7L.", L"8L "})
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + m_work.Root().wstring() + L"\\lib\\" + name).c_str(), nullptr));
    ToolRun run = Run({"show", "lib/7L."});
    EXPECT_EQ(1, run.status);
    EXPECT_EQ(
        "lib/7L.: the dialog does not list it: 2005: Layout\\Tamsett.tms is missing or not a file (no such "
        "folder)\n",
        run.err);

    run = Run({"check", "lib"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "OK   6L (2005)\n"
        "FILE 7L.: ignored, not a folder to the dialog: its name ends in a dot, which Windows drops from a path: "
        "the dialog's file queries look for '7L' instead\n"
        "FILE 8L : ignored, not a folder to the dialog: its name ends in a blank, which Windows drops from a "
        "path: the dialog's file queries look for '8L' instead\n"
        "1 of 1 sub-folder is listed by the dialog\n",
        run.out);
}

TEST_F(Windows, StaleStagingFoldersGoUnlessTheirRunLives)
{
    fs::create_directories(m_work.Root() / "T/.layout-template-tool-Stale1/Layout");
    WriteTextFile(m_work.Root() / "T/.layout-template-tool-Stale1/Layout/Corvane.cvn", "");
    fs::create_directories(m_work.Root() / "U/.layout-template-tool-Alive1");
    WriteTextFile(m_work.Root() / "U/.layout-template-tool-Alive1/.lock", "");

    // A staging folder whose lock is gone is a killed run's: it goes.
    ToolRun run = Run({"create", "2005", "T", "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_FALSE(fs::exists(m_work.Root() / "T/.layout-template-tool-Stale1"));

    // One whose lock is held open stays, and keeps the folder from being empty.
    {
        const HeldFile lock(m_work.Root() / "U/.layout-template-tool-Alive1/.lock");
        ASSERT_TRUE(lock.Held());
        run = Run({"create", "2005", "U", "--layer", "signal 1"});
        EXPECT_EQ(1, run.status);
        EXPECT_EQ("U: already exists and is not empty (--force replaces the template in it)\n", run.err);
    }
    run = Run({"create", "2005", "U", "--layer", "signal 1"});
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_FALSE(fs::exists(m_work.Root() / "U/.layout-template-tool-Alive1"));
}

}  // namespace
}  // namespace layouttool::testing
