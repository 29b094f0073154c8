// The exact paths that discovery and the readers hand the run-time's file
// queries and the design-database client: each built from the folder and a
// suffix written with '/', and normalised before it is used.

#include <list>

#include "DiscoveryFixture.h"
#include "standin/oskel.h"
#include "templates/TemplateDiscovery.h"
#include "templates/TemplateFormats.h"
#include "testsupport/FileQueryLog.h"

namespace discovery_test {
namespace {

using Log = std::vector<std::string>;

using QueryPaths = DiscoveryTest;

TEST_F(QueryPaths, DiscoveryQueriesTheWalkTheMarkersAndTheFourFiles)
{
    Make2007("4L");
    Make2005("6L");
    Make2005("old", {"Corvane.cvn"});
    const std::string folder = m_layoutFolder;  // D:\lib\Templates\Layout on Linux
    // The walk, then each entry's status, then each candidate's probe, in listing order.
    const std::vector<std::string> order = InListingOrder({"4L", "6L", "old"});
    Log expected{"_stat " + folder, "_stat " + folder, "_findfirst " + folder + "\\*.*"};
    for (const std::string& name : order)
        expected.push_back("_stat " + folder + "\\" + name);
    for (const std::string& name : order) {
        const std::string element = folder + "\\" + name;
        expected.push_back("_stat " + element + "\\keyin.oskel\\sids");
        if (name == "4L")
            continue;  // the database is opened by the client
        for (const char* file : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"}) {
            expected.push_back("_stat " + element + "\\Layout\\" + file);
            if (name == "old" && std::string(file) == "Corvane.cvn")
                break;  // the first missing file ends the probe
        }
    }

    const testsupport::FileQueryLog log;
    ASSERT_TRUE(log.Working());
    std::list<std::string> names;
    ASSERT_TRUE(FindLayoutTemplates(folder, names));
    EXPECT_EQ(log.Paths(), expected);
    ASSERT_FALSE(standin::oskel::CallRecords().empty());
    EXPECT_EQ(standin::oskel::CallRecords()[0].argument, folder + "\\4L\\keyin.oskel") << "the database folder";
}

TEST_F(QueryPaths, TheFormatTestAndTheReadersNormaliseWhatTheyAreGiven)
{
    Make2007("4L");
    Make2005("6L");
    // A folder as a caller may hold it: with forward slashes.
    std::string given = m_layoutFolder;
    for (char& c : given)
        c = c == '\\' ? '/' : c;

    {
        const testsupport::FileQueryLog log;
        EXPECT_STREQ(FormatOfTemplate(given + "/4L").label, "2007");
        EXPECT_EQ(log.Paths(), Log{"_stat " + m_layoutFolder + "\\4L\\keyin.oskel\\sids"});
    }

    struct NoOutput : StackupOutput {
        void AppendRow(const StackupRow&) override {}
        void ShowMessage(const char*) override {}
        Oskel::ContainerT<const Oskel::ITrelDesign>& Design() override { return design; }
        Oskel::ContainerT<const Oskel::ITrelDesign> design;
    } output;
    standin::oskel::ResetCallLog();
    kFormat2007.readStackup(given, "4L", output);
    EXPECT_EQ(standin::oskel::CallRecords().at(0).argument, m_layoutFolder + "\\4L\\keyin.oskel");

    const testsupport::FileQueryLog log;
    kFormat2005.probe(given + "/6L", AcceptedCallback());
    EXPECT_EQ(log.Paths(), (Log{
                               "_stat " + m_layoutFolder + "\\6L\\Layout\\Tamsett.tms",
                               "_stat " + m_layoutFolder + "\\6L\\Layout\\Corvane.cvn",
                               "_stat " + m_layoutFolder + "\\6L\\Layout\\Halloway.hlw",
                               "_stat " + m_layoutFolder + "\\6L\\Layout\\Dunmere.dnm",
                           }));
}

}  // namespace
}  // namespace discovery_test
