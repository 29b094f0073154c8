// The probe of one sub-folder: verdicts, the format test and the calls made
// to the design-database client.

#include "DiscoveryFixture.h"
#include "standin/oskel.h"
#include "templates/TemplateFormats.h"

namespace discovery_test {
namespace {

using namespace standin::oskel;
using Calls = std::vector<std::string>;

class ProbeTest : public DiscoveryTest {
protected:
    // The verdict on name, and whether the callback ran exactly when valid.
    TemplateProbeResult Probe(const std::string& name)
    {
        int accepted = 0;
        const TemplateProbeResult result = ProbeTemplateFolder(Element(name), [&] { ++accepted; });
        EXPECT_EQ(accepted, result.IsValid() ? 1 : 0);
        return result;
    }
};

TEST_F(ProbeTest, VerdictsOf2007Folders)
{
    Make2007("good");
    fs::create_directories(Native("nodb/keyin.oskel"));
    MakeFile("nodb/keyin.oskel/sids");
    MakeFile("corrupt/keyin.oskel/sids");
    MakeFile("corrupt/keyin.oskel/design.db", "SQLite format 3 but not really");
    Make2007("nosnapshot", Description{{SnapshotDescription{"pcb", {{"PCB", DesignDescription{}}}}}});
    Make2007("noconfig", Description{{SnapshotDescription{"PCB", {{"PCB ", DesignDescription{}}}}}});
    // No design and no layers are needed: only snapshot and configuration are read.
    Make2007("nodesign", Description{{SnapshotDescription{"PCB", {{"PCB", std::nullopt}}}}});
    Make2005("bothbad");
    MakeFile("bothbad/keyin.oskel/sids");

    EXPECT_EQ(Probe("good").verdict, TemplateVerdict::Valid);
    EXPECT_EQ(Probe("nodb").verdict, TemplateVerdict::DatabaseDoesNotOpen);
    EXPECT_EQ(Probe("corrupt").verdict, TemplateVerdict::DatabaseDoesNotOpen);
    EXPECT_EQ(Probe("nosnapshot").verdict, TemplateVerdict::NoSnapshotPCB);
    EXPECT_EQ(Probe("noconfig").verdict, TemplateVerdict::NoConfigPCB);
    EXPECT_EQ(Probe("nodesign").verdict, TemplateVerdict::Valid);
    EXPECT_EQ(Probe("bothbad").verdict, TemplateVerdict::DatabaseDoesNotOpen)
        << "a marked folder is never tried as 2005";
}

TEST_F(ProbeTest, VerdictsOf2005Folders)
{
    Make2005("good");
    Make2005("nodunmere", {"Dunmere.dnm"});
    Make2005("tamsettfolder", {"Tamsett.tms"});
    fs::create_directories(Native("tamsettfolder/Layout/Tamsett.tms"));
    Make2005("twomissing", {"Corvane.cvn", "Halloway.hlw"});
    fs::create_directories(Native("nolayout"));
    // sids as a folder is no marker: the folder is probed as a 2005 template.
    Make2005("sidsfolder");
    fs::create_directories(Native("sidsfolder/keyin.oskel/sids"));

    EXPECT_EQ(Probe("good").verdict, TemplateVerdict::Valid);
    EXPECT_EQ(Probe("sidsfolder").verdict, TemplateVerdict::Valid);
    const std::pair<const char*, const char*> rejected[] = {
        {"nodunmere", "Dunmere.dnm"},
        {"tamsettfolder", "Tamsett.tms"},
        {"twomissing", "Corvane.cvn"},  // the first in test order
        {"nolayout", "Tamsett.tms"},
    };
    for (const auto& [name, file] : rejected) {
        SCOPED_TRACE(name);
        const TemplateProbeResult result = Probe(name);
        EXPECT_EQ(result.verdict, TemplateVerdict::MissingFile);
        EXPECT_EQ(result.missingFile, file);
    }
    EXPECT_EQ(CallLog(), Calls{}) << "2005 folders make no database call";
    EXPECT_EQ(DescribeProbeResult(Probe("nodunmere")), "2005: Layout\\Dunmere.dnm is missing or not a file");
}

TEST_F(ProbeTest, FormatTestIsTheMarkerFileAlone)
{
    Make2007("marked");
    MakeFile("markeronly/keyin.oskel/sids");
    fs::create_directories(Native("sidsfolder/keyin.oskel/sids"));
    Make2005("plain");
    fs::create_directories(Native("empty"));
    const auto formatOf = [&](const std::string& folder) { return std::string(FormatOfTemplate(folder).label); };
    EXPECT_EQ(formatOf(Element("marked")), "2007");
    EXPECT_EQ(formatOf(Element("markeronly")), "2007");
    EXPECT_EQ(formatOf(Element("sidsfolder")), "2005");
    EXPECT_EQ(formatOf(Element("plain")), "2005");
    EXPECT_EQ(formatOf(Element("empty")), "2005") << "2005 takes every folder of no other format";
    EXPECT_EQ(formatOf(m_layoutFolder + "/marked/"), "2007") << "the path is normalised";
    // A probe answers in the format the test chose.
    EXPECT_EQ(ProbeTemplateFolder(Element("markeronly")).format, &kFormat2007);
    EXPECT_EQ(ProbeTemplateFolder(Element("sidsfolder")).format, &kFormat2005);
}

TEST_F(ProbeTest, CallsOfAValid2007ProbeAndWhenTheCallerTakesNote)
{
    Make2007("4L");
    Calls seenWhenAccepted;
    const TemplateProbeResult result = ProbeTemplateFolder(Element("4L"), [&] { seenWhenAccepted = CallLog(); });
    EXPECT_EQ(result.verdict, TemplateVerdict::Valid);
    EXPECT_EQ(seenWhenAccepted, (Calls{"OpenOskel", "GetSnapshotByName", "GetTrelConfig"}))
        << "the caller takes note before the database is closed";
    EXPECT_EQ(CallLog(), (Calls{"OpenOskel", "GetSnapshotByName", "GetTrelConfig", "CloseOskel", "~OskelPI"}));

    const std::vector<CallRecord> records = CallRecords();
    EXPECT_EQ(records[0].argument, Element("4L") + "\\keyin.oskel");
    EXPECT_EQ(records[0].clientLabel, "Quillet_LT");
    EXPECT_EQ(records[1].argument, "PCB");
    EXPECT_EQ(records[2].argument, "PCB");
}

TEST_F(ProbeTest, ARejected2007ProbeEndsWithoutClosing)
{
    Make2007("nosnapshot", Description{{SnapshotDescription{"Other", {}}}});
    Make2007("noconfig", Description{{SnapshotDescription{"PCB", {}}}});
    MakeFile("nodb/keyin.oskel/sids");

    Probe("nodb");
    EXPECT_EQ(CallLog(), (Calls{"OpenOskel", "~OskelPI"}));
    ResetCallLog();
    Probe("nosnapshot");
    EXPECT_EQ(CallLog(), (Calls{"OpenOskel", "GetSnapshotByName", "~OskelPI"}));
    ResetCallLog();
    Probe("noconfig");
    EXPECT_EQ(CallLog(), (Calls{"OpenOskel", "GetSnapshotByName", "GetTrelConfig", "~OskelPI"}));
    EXPECT_EQ(OpenConnectionCount(), 0u) << "destroying the client ended the connection";
}

TEST_F(ProbeTest, FailingClientCallsRejectTheFolder)
{
    Make2007("4L");
    for (const char* operation : {"OpenOskel", "GetSnapshotByName", "GetTrelConfig"}) {
        SCOPED_TRACE(operation);
        FailCall(operation);
        EXPECT_FALSE(Probe("4L").IsValid());
        ClearFailures();
    }
    // CloseOskel's result is not looked at.
    FailCall("CloseOskel");
    EXPECT_TRUE(Probe("4L").IsValid());
}

}  // namespace
}  // namespace discovery_test
