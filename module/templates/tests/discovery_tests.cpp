// FindLayoutTemplates and HasLayoutTemplates over real folders.

#include <list>

#include "DiscoveryFixture.h"
#include "standin/oskel.h"
#include "templates/TemplateDiscovery.h"
#include "testsupport/RunTime.h"
#include "testsupport/MappedFolder.h"

namespace discovery_test {
namespace {

using Names = std::list<std::string>;

std::list<std::string> AsList(const std::vector<std::string>& names) { return Names(names.begin(), names.end()); }

TEST_F(DiscoveryTest, WorkedExampleFindsBothFormatsInListingOrder)
{
    Make2007("4L");
    Make2005("old", {"Dunmere.dnm"});
    MakeFile("readme.txt", "not a template");
    Make2005("6L");

    Names names{"kept"};
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder, names));
    Names expected{"kept"};
    for (const std::string& name : InListingOrder({"4L", "6L"}))
        expected.push_back(name);
    EXPECT_EQ(names, expected) << "appended in listing order, nothing removed";
    EXPECT_TRUE(HasLayoutTemplates(m_layoutFolder));
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
}

TEST_F(DiscoveryTest, ListingOrderIsKeptNotSorted)
{
    const std::vector<std::string> valid{"6L", "4L", "10L", "b", "A", "2L", "8L", "z"};
    for (size_t i = 0; i < valid.size(); ++i) {
        if (i % 2 == 0)
            Make2005(valid[i]);
        else
            Make2007(valid[i]);
    }
    Names names;
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder, names));
    EXPECT_EQ(names, AsList(InListingOrder(valid)));
}

TEST_F(DiscoveryTest, NothingValidGivesFalse)
{
    Names names{"kept"};
    EXPECT_FALSE(FindLayoutTemplates(m_layoutFolder, names)) << "empty folder";
    EXPECT_FALSE(HasLayoutTemplates(m_layoutFolder));

    Make2005("partial", {"Corvane.cvn"});
    fs::create_directories(Native("emptyfolder"));
    EXPECT_FALSE(FindLayoutTemplates(m_layoutFolder, names)) << "invalid sub-folders only";
    EXPECT_FALSE(HasLayoutTemplates(m_layoutFolder));

    EXPECT_FALSE(FindLayoutTemplates(m_folder.Path("lib/missing"), names)) << "missing folder";
    EXPECT_FALSE(HasLayoutTemplates(m_folder.Path("lib/missing")));
    EXPECT_FALSE(FindLayoutTemplates("Q:\\unmapped", names));
    EXPECT_EQ(names, Names{"kept"});
}

TEST_F(DiscoveryTest, FilesAndDeeperTemplatesNeverCount)
{
    // Files named like template contents, directly in the folder.
    for (const char* file : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm", "sids", "design.db"})
        MakeFile(file);
    // Valid templates one level too deep.
    Make2005("group/inner2005");
    Make2007("group/inner2007");
    Names names;
    EXPECT_FALSE(FindLayoutTemplates(m_layoutFolder, names));
    EXPECT_TRUE(names.empty());

    // The folder given is itself no candidate, though it looks like both formats.
    const std::string inner = m_layoutFolder + "\\group\\inner2007";
    EXPECT_FALSE(HasLayoutTemplates(inner));
    Make2005("group/inner2007");
    EXPECT_FALSE(HasLayoutTemplates(inner));
    EXPECT_TRUE(HasLayoutTemplates(m_layoutFolder + "\\group"));
}

TEST_F(DiscoveryTest, AFolderGivenWithATrailingBackslashIsNoCandidateEither)
{
    Make2005("6L");
    // The layout-templates folder itself holds a complete 2005 template.
    Make2005("");
    Names names;
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder + "\\", names));
    EXPECT_EQ(names, Names{"6L"});
}

TEST_F(DiscoveryTest, ADriveRootAsTheLayoutTemplatesFolder)
{
    // The root holds a complete 2005 template itself, and one in 6L, as the shell reports the drive.
    const testsupport::TestDrive drive('E');
    Make2005At(drive.Native());
    Make2005At(drive.Native("6L"));
    Names names;
    // The walk starts from the bare drive "E:", which is never a template named "E:"; where the
    // run-time refuses to query a bare drive, the root cannot be walked at all.
    const bool bare = testsupport::runtime::kStatAnswersBareDrive;
    EXPECT_EQ(FindLayoutTemplates(drive.Path(), names), bare);
    EXPECT_EQ(names, bare ? Names{"6L"} : Names{});
    EXPECT_EQ(HasLayoutTemplates(drive.Path()), bare);
    EXPECT_EQ(HasLayoutTemplates(drive.Folder()), bare);
}

TEST_F(DiscoveryTest, EveryRejectedSubFolderIsSkippedAndTheScanGoesOn)
{
    // One of each kind of 2007 rejection, each followed in creation order by valid ones.
    fs::create_directories(Native("nodb/keyin.oskel"));
    MakeFile("nodb/keyin.oskel/sids");
    MakeFile("corrupt/keyin.oskel/sids");
    MakeFile("corrupt/keyin.oskel/design.db", std::string(2048, '\x5a'));
    Make2007("nosnapshot", standin::oskel::Description{{standin::oskel::SnapshotDescription{"Other", {}}}});
    Make2007("noconfig", standin::oskel::Description{{standin::oskel::SnapshotDescription{"PCB", {{"Other", {}}}}}});
    // A 2007 marker with a complete Layout folder but a database that does not open.
    Make2005("bothbad");
    MakeFile("bothbad/keyin.oskel/sids");
    Make2007("good2007");
    Make2005("good2005");

    Names names;
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder, names));
    EXPECT_EQ(names, AsList(InListingOrder({"good2007", "good2005"})));
    // Every candidate with a marker was opened; none stopped the scan.
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 6u);
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
}

TEST_F(DiscoveryTest, HasLayoutTemplatesProbesEverySubFolder)
{
    Make2007("a");
    Make2007("b");
    Make2007("c");
    EXPECT_TRUE(HasLayoutTemplates(m_layoutFolder));
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 3u) << "no early exit after the first valid one";
    EXPECT_EQ(standin::oskel::CallCount("CloseOskel"), 3u);
}

TEST_F(DiscoveryTest, DiscoveryWritesNothing)
{
    Make2007("4L");
    Make2007("nosnapshot", standin::oskel::Description{{standin::oskel::SnapshotDescription{"Other", {}}}});
    MakeFile("bad/keyin.oskel/sids");
    MakeFile("bad/keyin.oskel/design.db", "garbage");
    Make2005("6L");
    const auto before = RecordTree(m_root);
    Names names;
    EXPECT_TRUE(FindLayoutTemplates(m_layoutFolder, names));
    EXPECT_TRUE(HasLayoutTemplates(m_layoutFolder));
    EXPECT_EQ(RecordTree(m_root), before);
    EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{});
}

}  // namespace
}  // namespace discovery_test
