// Discovery under faults only the Linux build can make: status queries and
// directory searches of the run-time stand-in that fail in the middle of a
// scan, sub-folders the run-time reports gone, database or marker files that
// are no files at all (links, FIFOs, devices), and a folder of 100,000 entries.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <list>

#include "RobustnessFixture.h"
#include "pathutil/PathUtil.h"
#include "standin/crt.h"
#include "standin/oskel.h"
#include "testsupport/TempDrive.h"
#include "templates/TemplateDiscovery.h"
#include "templates/TemplateFormats.h"

namespace discovery_test {
namespace {

TEST_F(RobustnessTest, FailingQueriesInsideOneSubFolderRejectOnlyThatOne)
{
    Make2007("a");
    Make2005("b");
    Make2007("c");
    Make2005("d");
    standin::SetListingOrder(standin::ListingOrder::Ascending);

    // a's marker cannot be queried: a is probed as 2005, and has no Layout.
    standin::FailStat(Element("a\\keyin.oskel\\sids"));
    // b's third file cannot be queried.
    standin::FailStat(Element("b\\Layout\\Halloway.hlw"), EIO);
    EXPECT_EQ(Found(), (Names{"c", "d"}));
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 1u) << "only c's database is opened";
    EXPECT_TRUE(HasLayoutTemplates(m_layoutFolder));
}

TEST_F(RobustnessTest, FailingQueriesOfTheFolderItselfGiveFalse)
{
    Make2005("6L");
    const Names kept{"kept"};

    // The folder's own listing fails: the walk holds only the folder itself.
    standin::FailFindFirst(m_layoutFolder);
    Names names = kept;
    EXPECT_FALSE(FindLayoutTemplates(m_layoutFolder, names));
    EXPECT_FALSE(HasLayoutTemplates(m_layoutFolder + "\\"));
    EXPECT_EQ(names, kept);

    // Its status cannot be read, with or without a trailing backslash.
    standin::ClearFaults();
    standin::FailStat(m_layoutFolder);
    EXPECT_FALSE(FindLayoutTemplates(m_layoutFolder + "\\", names));
    EXPECT_FALSE(HasLayoutTemplates(m_layoutFolder));
    EXPECT_EQ(names, kept);

    standin::ClearFaults();
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder, names));
}

TEST_F(RobustnessTest, SubFoldersTheRunTimeReportsGone)
{
    Make2007("a");
    Make2005("b");
    Make2007("c");
    Make2005("d");
    standin::SetListingOrder(standin::ListingOrder::Ascending);

    // Within one scan, the run-time reports the folders as gone: "vanished"
    // answers the status query of the sub-folder itself (so it is taken for a
    // file), or only the queries inside it.
    for (const char* path : {"a", "a\\"})
        standin::FailStat(Element(path), ENOENT);
    for (const char* path : {"c\\keyin.oskel\\sids", "c\\Layout\\Tamsett.tms"})
        standin::FailStat(Element(path), ENOENT);
    EXPECT_EQ(Found(), (Names{"b", "d"}));
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 0u);
}

TEST_F(RobustnessTest, DatabaseAndMarkerFilesThatAreNoRegularFiles)
{
    const auto marked = [&](const std::string& name) {
        fs::create_directories(Native(name + "/keyin.oskel"));
        MakeFile(name + "/keyin.oskel/sids");
        return Native(name + "/keyin.oskel/design.db");
    };
    fs::create_directories(marked("dbfolder"));
    fs::create_symlink("design.db", marked("dbloop"));
    fs::create_symlink("nowhere.db", marked("dbdangling"));
    std::ofstream(marked("dbempty")).flush();
    ASSERT_EQ(::mkfifo(marked("dbfifo").c_str(), 0600), 0);  // opening it would wait for a writer
    fs::create_symlink("/dev/zero", marked("dbdevice"));
    fs::create_symlink("/", marked("dbroot"));

    // Markers that are no files make the folder a 2005 candidate.
    Make2005("sidsloop");
    fs::create_directories(Native("sidsloop/keyin.oskel"));
    fs::create_symlink("sids", Native("sidsloop/keyin.oskel/sids"));
    Make2005("sidsfifo");
    fs::create_directories(Native("sidsfifo/keyin.oskel"));
    ASSERT_EQ(::mkfifo(Native("sidsfifo/keyin.oskel/sids").c_str(), 0600), 0);
    // 2005 files that are no regular files.
    Make2005("cvndevice", {"Corvane.cvn"});
    fs::create_symlink("/dev/null", Native("cvndevice/Layout/Corvane.cvn"));
    // A valid database beside a FIFO named like its journal: no journal at all.
    Make2007("fifojournal");
    ASSERT_EQ(::mkfifo(Native("fifojournal/keyin.oskel/design.db-journal").c_str(), 0600), 0);
    // Sub-folders that are links: a loop and a link to a valid template.
    fs::create_symlink("folderloop", Native("folderloop"));
    Make2007("good");
    fs::create_symlink(Native("good"), Native("linked"));

    for (const char* name : {"dbfolder", "dbloop", "dbdangling", "dbempty", "dbfifo", "dbdevice", "dbroot"})
        EXPECT_EQ(ProbeTemplateFolder(Element(name)).verdict, TemplateVerdict::DatabaseDoesNotOpen) << name;
    for (const char* name : {"sidsloop", "sidsfifo"})
        EXPECT_EQ(ProbeTemplateFolder(Element(name)).verdict, TemplateVerdict::Valid) << name;
    EXPECT_EQ(ProbeTemplateFolder(Element("cvndevice")).missingFile, "Corvane.cvn");

    EXPECT_EQ(Found(), Listed({"sidsloop", "sidsfifo", "fifojournal", "good", "linked"}));
}

TEST_F(RobustnessTest, FolderOfAHundredThousandEntries)
{
    // Empty files are cheap to make; a thousand empty sub-folders are probed
    // and rejected; three templates lie among them.
    constexpr int kEntries = 100000;
    constexpr int kFolders = 1000;
    const testsupport::TempDrive drive('E', "discovery-big", testsupport::TempDrive::Medium::Memory);
    ASSERT_FALSE(drive.Root().empty());
    const std::string folder = drive.Root().string();
    for (int i = 0; i < kEntries - kFolders - 3; ++i) {
        const std::string path = folder + "/entry" + std::to_string(i) + ".txt";
        const int file = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0) << path;
        ::close(file);
    }
    for (int i = 0; i < kFolders; ++i)
        ASSERT_EQ(::mkdir((folder + "/empty" + std::to_string(i)).c_str(), 0755), 0);
    std::string error;
    for (const char* name : {"t1", "t3"}) {
        ASSERT_TRUE(standin::oskel::WriteOskel(folder + "/" + name + "/keyin.oskel", standin::oskel::PcbDescription({}),
                                               &error))
            << error;
    }
    fs::create_directories(drive.Root() / "t2" / "Layout");
    for (const char* file : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"})
        std::ofstream(drive.Root() / "t2" / "Layout" / file).flush();

    const std::vector<std::string> entries = ListDirectory("E:\\");
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kEntries));  // a drive root has no "." or ".."
    Names expected;
    for (const std::string& entry : entries) {
        if (entry.size() == 2 && entry[0] == 't')
            expected.push_back(entry);
    }

    Names names;
    EXPECT_TRUE(FindLayoutTemplates("E:\\", names));
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(HasLayoutTemplates("E:"));
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 4u);
}

}  // namespace
}  // namespace discovery_test
