// CCorvane::Load: finding and reading the file, INI syntax, and the [Corvane] checks.

#include "TestSupport.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>

#include <testsupport/PermissionsApply.h>
#endif

namespace corvane_test {
namespace {

const std::string kHeader = "[Corvane]\nVersion = 1\n";

TEST_F(CorvaneTest, LoadsThroughTheSystemsPathWithBackslashes)
{
    // On Linux the folder is a drive of the run-time stand-in ("D:\lib\..."), on Windows a real one.
    m_folder.MakeFile("lib/6L/Layout/Corvane.cvn", kHeader + "LayerCount = 3\n");
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Load(m_folder.Path("lib/6L/Layout/Corvane.cvn").c_str(), 1)}, Status{CORVANE_S_OK});
    int count = -1;
    EXPECT_EQ(db.GetLayerCount(&count), CORVANE_S_OK);
    EXPECT_EQ(count, 3);
    db.Close();
}

TEST_F(CorvaneTest, FileThatCannotBeReadFailsLoad)
{
    struct Case {
        std::string path;
        long expected;
    };
    std::vector<Case> cases = {
        {Text(m_folder.Native("missing.cvn")), CORVANE_E_FILE_NOT_FOUND},
        {Text(m_folder.Native("missing/Corvane.cvn")), CORVANE_E_FILE_NOT_FOUND},
        {"Q:\\unmapped\\Corvane.cvn", CORVANE_E_FILE_NOT_FOUND},
        {"", CORVANE_E_FILE_NOT_FOUND},
        {Text(m_folder.Native()), CORVANE_E_NOT_A_FILE},
    };
#if !defined(_WIN32)
    const fs::path pipe = m_folder.Native("pipe.cvn");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    cases.push_back({pipe.string(), CORVANE_E_NOT_A_FILE});  // refused without waiting for a writer
    cases.push_back({"/dev/null", CORVANE_E_NOT_A_FILE});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CCorvane db;
        ASSERT_EQ(db.Init(), CORVANE_S_OK);
        EXPECT_EQ(Status{db.Load(c.path.c_str(), 1)}, Status{c.expected});
        db.Close();
    }
#if defined(_WIN32)
    // The null device is refused before anything is read (read, it would be an empty file).
    // Under Wine the run-time's status query does not find it.
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    const long status = db.Load("NUL", 1);
    EXPECT_TRUE(status == CORVANE_E_NOT_A_FILE || status == CORVANE_E_FILE_NOT_FOUND) << Status{status};
#endif
}

TEST_F(CorvaneTest, UnreadableFileFailsLoad)
{
    const fs::path file = m_folder.Native("Corvane.cvn");
    WriteBytes(file, kHeader);
#if defined(_WIN32)
    // Another program holds the file open and shares it with no one.
    const HANDLE holder = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
#else
    fs::permissions(file, fs::perms::none);
    const testsupport::PermissionsApply permissionsApply;
#endif
    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Load(Text(file).c_str(), 1)}, Status{CORVANE_E_FILE_UNREADABLE});
#if defined(_WIN32)
    ::CloseHandle(holder);
#endif
}

// A valid file padded with comment lines to exactly `size` bytes.
std::string ValidFileOfSize(std::size_t size)
{
    std::string text = kHeader + "LayerCount = 0\n";
    const std::string line = "; " + std::string(97, 'p') + "\n";  // 100 bytes
    text.reserve(size);
    while (text.size() + line.size() <= size)
        text += line;
    text += ";" + std::string(size - text.size() - 1, 'q');  // the last line has no line end
    return text;
}

TEST_F(CorvaneTest, SixteenMebibytesIsTheLargestFileRead)
{
    EXPECT_EQ(Status{LoadText(ValidFileOfSize(CORVANE_MAX_FILE_SIZE))}, Status{CORVANE_S_OK});
    EXPECT_EQ(Status{LoadText(ValidFileOfSize(CORVANE_MAX_FILE_SIZE + 1))}, Status{CORVANE_E_FILE_TOO_LARGE});
}

TEST_F(CorvaneTest, IniSyntax)
{
    ExpectLoadStatuses({
        {"minimal", kHeader, CORVANE_S_OK},
        {"CR LF line ends", "[Corvane]\r\nVersion = 1\r\n", CORVANE_S_OK},
        {"byte-order mark", "\xEF\xBB\xBF" + kHeader, CORVANE_S_OK},
        {"comments and blank lines", "; c\n# c\n\n[Corvane] ; c\nVersion = 1 ; c\n", CORVANE_S_OK},
        {"colon as separator", "[Corvane]\nVersion: 1\n", CORVANE_S_OK},
        {"tabs", "\t[Corvane]\t\nVersion\t=\t1\t\n", CORVANE_S_OK},
        {"line without separator", kHeader + "LayerCount 3\n", CORVANE_E_SYNTAX},
        {"unclosed header", "[Corvane\nVersion = 1\n", CORVANE_E_SYNTAX},
        {"empty name", kHeader + "= 3\n", CORVANE_E_SYNTAX},
        {"comment inside a header", "[Corv ;ane]\nVersion = 1\n", CORVANE_E_SYNTAX},
    });
}

TEST_F(CorvaneTest, RepeatedSectionsAndKeys)
{
    ExpectLoadStatuses({
        {"section", kHeader + "[Layer 1]\nType = 1\n[Layer 1]\nNumber = 1\n", CORVANE_E_DUPLICATE_SECTION},
        {"empty sections", kHeader + "[Layer 1]\n[Layer 1]\n", CORVANE_E_DUPLICATE_SECTION},
        {"section in another case", kHeader + "[CORVANE]\n", CORVANE_E_DUPLICATE_SECTION},
        {"section with blanks", kHeader + "[Layer 1]\n[ layer 1 ]\n", CORVANE_E_DUPLICATE_SECTION},
        {"unknown section", kHeader + "[Notes]\n[notes]\n", CORVANE_E_DUPLICATE_SECTION},
        {"key", kHeader + "Version = 1\n", CORVANE_E_DUPLICATE_KEY},
        {"key in another case", kHeader + "LayerCount = 1\nLAYERCOUNT = 1\n", CORVANE_E_DUPLICATE_KEY},
        {"unknown key", kHeader + "[Notes]\nx = 1\nX = 2\n", CORVANE_E_DUPLICATE_KEY},
        {"same key in two sections", kHeader + "[Layer 1]\nType = 1\n[Layer 2]\nType = 1\n", CORVANE_S_OK},
    });
}

// Lines inih would cut, join or split are refused rather than read as another value.
TEST_F(CorvaneTest, BytesAndLengthsInihWouldMisread)
{
    const std::string longest = "; " + std::string(CORVANE_MAX_LINE - 2, 'x') + "\n";
    const std::string digits300(300, '7');
    ExpectLoadStatuses({
        {"NUL byte",
         kHeader + std::string("LayerCount = 1\0"
                               "2\n",
                               17),
         CORVANE_E_BAD_BYTE},
        {"NUL in a comment", std::string("; \0\n", 4) + kHeader, CORVANE_E_BAD_BYTE},
        {"control byte", kHeader + "LayerCount = 1\x1b\n", CORVANE_E_BAD_BYTE},
        {"DEL", kHeader + "LayerCount = 1\x7f\n", CORVANE_E_BAD_BYTE},
        {"lone CR", "[Corvane]\rVersion = 1\n", CORVANE_E_BAD_BYTE},
        {"bytes above 0x7F", kHeader + "; \xC3\xA9\xFF\n[Notes \xE2\x82\xAC]\nk\xC3\xA9 = v\xFE\n", CORVANE_S_OK},
        {"longest line", kHeader + longest, CORVANE_S_OK},
        {"longest line with CR LF", kHeader + longest.substr(0, longest.size() - 1) + "\r\n", CORVANE_S_OK},
        {"line one byte longer", kHeader + "x" + longest, CORVANE_E_LINE_TOO_LONG},
        {"long value", kHeader + "LayerCount = " + digits300 + "\n", CORVANE_E_LINE_TOO_LONG},
        {"long line before a repeat", kHeader + "; " + digits300 + "\nVersion = 1\n", CORVANE_E_LINE_TOO_LONG},
        {"section name of 48", kHeader + "[" + std::string(48, 's') + "]\n", CORVANE_S_OK},
        {"section name of 49", kHeader + "[" + std::string(49, 's') + "]\nk = 1\n", CORVANE_E_NAME_TOO_LONG},
        // inih would keep "Corvane" and 42 blanks of this name.
        {"name cut to a known one", "[Corvane" + std::string(42, ' ') + "x]\nVersion = 1\n", CORVANE_E_NAME_TOO_LONG},
    });
}

TEST_F(CorvaneTest, IndentedLinesAreNotContinuations)
{
    ASSERT_EQ(Status{LoadText("[Corvane]\n  Version = 1\n  LayerCount = 2\n")}, Status{CORVANE_S_OK});
    int count = 0;
    EXPECT_EQ(m_db->GetLayerCount(&count), CORVANE_S_OK);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Status{LoadText(kHeader + "LayerCount = 2\n   3\n")}, Status{CORVANE_E_SYNTAX});
}

TEST_F(CorvaneTest, FirstFailureInTheFileDecides)
{
    ExpectLoadStatuses({
        {"syntax before repeat", "garbage\n" + kHeader + "Version = 1\n", CORVANE_E_SYNTAX},
        {"repeat before syntax", kHeader + "Version = 1\ngarbage\n", CORVANE_E_DUPLICATE_KEY},
        {"repeat before bad byte", kHeader + "Version = 1\n\x01\n", CORVANE_E_DUPLICATE_KEY},
        {"bad byte before repeat", kHeader + "\x01\nVersion = 1\n", CORVANE_E_BAD_BYTE},
        {"syntax before bad byte", "garbage\n\x01\n" + kHeader, CORVANE_E_SYNTAX},
        {"syntax error rather than a missing [Corvane]", "garbage\n", CORVANE_E_SYNTAX},
    });
}

TEST_F(CorvaneTest, CorvaneSectionAndVersion)
{
    ExpectLoadStatuses({
        {"empty file", "", CORVANE_E_NO_CORVANE_SECTION},
        {"no [Corvane]", "[Layer 1]\nType = 1\n", CORVANE_E_NO_CORVANE_SECTION},
        {"keys before any section", "Version = 1\n", CORVANE_E_NO_CORVANE_SECTION},
        {"name in another case", "[cORVANE]\nvERSION = 1\n", CORVANE_S_OK},
        {"empty [Corvane]", "[Corvane]\n", CORVANE_E_VERSION_INVALID},
        {"no Version", "[Corvane]\nLayerCount = 1\n", CORVANE_E_VERSION_INVALID},
        {"empty Version", "[Corvane]\nVersion =\n", CORVANE_E_VERSION_INVALID},
        {"Version 1.0", "[Corvane]\nVersion = 1.0\n", CORVANE_E_VERSION_INVALID},
        {"Version 0x1", "[Corvane]\nVersion = 0x1\n", CORVANE_E_VERSION_INVALID},
        {"Version +1", "[Corvane]\nVersion = +1\n", CORVANE_S_OK},
        {"Version 2", "[Corvane]\nVersion = 2\n", CORVANE_E_VERSION_UNSUPPORTED},
        {"Version 0", "[Corvane]\nVersion = 0\n", CORVANE_E_VERSION_UNSUPPORTED},
        {"unknown keys and sections", kHeader + "Owner = x\n[Notes]\ntext = y\n[Layer 01]\nType = q\n", CORVANE_S_OK},
        {"keys before any section ignored", "Version = 7\n" + kHeader, CORVANE_S_OK},
    });
}

TEST_F(CorvaneTest, LoadOpensNothingForWriting)
{
    const fs::path folder = m_folder.Native("Layout");
    fs::create_directory(folder);
    const fs::path file = folder / "Corvane.cvn";
    WriteBytes(file, kHeader + "LayerCount = 1\n[Layer 1]\nType = 1\nNumber = 1\n");
    const auto modified = fs::last_write_time(file);
    const auto size = fs::file_size(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

    CCorvane db;
    ASSERT_EQ(db.Init(), CORVANE_S_OK);
    EXPECT_EQ(Status{db.Load(Text(file).c_str(), 1)}, Status{CORVANE_S_OK});
    db.Close();

    EXPECT_EQ(fs::last_write_time(file), modified);
    EXPECT_EQ(fs::file_size(file), size);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(Text(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{"Corvane.cvn"});
}

}  // namespace
}  // namespace corvane_test
