// Discovery under odd inputs on both builds: a design database failing after
// it opened, sub-folders that vanish between listing and probe, and names that
// stress the paths and the database URI.

#include <fstream>
#include <list>
#include <map>

#include "RobustnessFixture.h"
#include "pathutil/PathUtil.h"
#include "standin/oskel.h"
#include "templates/TemplateDiscovery.h"
#include "templates/TemplateFormats.h"

namespace discovery_test {
namespace {

TEST_F(RobustnessTest, DatabaseFailingAfterItOpenedRejectsOnlyItsFolder)
{
    Make2007("a");
    Make2007("b");
    Make2007("c");
    Make2005("d");
    // The first 2007 template in listing order passes; the two after it fail at the call.
    const std::string first = InListingOrder({"a", "b", "c"}).front();
    for (const char* call : {"OpenOskel", "GetSnapshotByName", "GetTrelConfig"}) {
        SCOPED_TRACE(call);
        standin::oskel::ClearFailures();
        standin::oskel::ResetCallLog();
        standin::oskel::FailCall(call, 1);
        EXPECT_EQ(Found(), Listed({first, "d"}));
        EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), 3u) << "the scan went on after each failure";
        EXPECT_EQ(standin::oskel::CallCount("CloseOskel"), 1u);
        EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
    }
}

TEST_F(RobustnessTest, SubFoldersRemovedAfterTheListing)
{
    Make2007("a");
    Make2005("b");
    Make2007("c");
    Make2005("d");

    // Really removed after the walk listed them: the probes that follow find
    // nothing, and a database removed under its marker does not open.
    std::list<std::string> folders;
    std::list<std::string> files;
    ASSERT_TRUE(CollectEntries(m_layoutFolder, folders, files));
    ASSERT_EQ(folders.size(), 5u);
    fs::remove_all(Native("a"));
    fs::remove_all(Native("b"));
    fs::remove(Native("c/keyin.oskel/design.db"));
    std::map<std::string, TemplateVerdict> verdicts;
    for (const std::string& element : folders) {
        if (element != m_layoutFolder)
            verdicts[element] = ProbeTemplateFolder(element).verdict;
    }
    const std::map<std::string, TemplateVerdict> expected{
        {Element("a"), TemplateVerdict::MissingFile},
        {Element("b"), TemplateVerdict::MissingFile},
        {Element("c"), TemplateVerdict::DatabaseDoesNotOpen},
        {Element("d"), TemplateVerdict::Valid},
    };
    EXPECT_EQ(verdicts, expected);
}

TEST_F(RobustnessTest, OddNamesAreFoundByteForByte)
{
    // Each as a template of both formats: a 2007 name also ends up in the
    // database file's URI, where '%', '#' and '?' mean something.
#if defined(_WIN32)
    // Names a Windows folder can have, in the ANSI code page (1252 under Wine); the longest that
    // still leaves room for keyin.oskel\design.db within MAX_PATH.
    const std::string::size_type longest = 258 - m_layoutFolder.size() - std::string("\\keyin.oskel\\design.db").size();
    const std::vector<std::string> odd{
        std::string(longest, 'n'),
        "100% %s%n%d #frag",
        "say 'cheese' & [please]",
        " leading spaces",
        "semi;colon,comma=equals+plus",
        "\xe9t\xe9 \xe0 l'\xfc",  // "été à l'ü"
        "~tilde.and.dots",
    };
    // Windows can create no folder whose name the run-time would read as something else.
    const std::vector<std::string> unreachable;
#else
    const std::vector<std::string> odd{
        std::string(255, 'n'),
        std::string(254, 'x') + "\xe9",  // 255 bytes ending in a cut character
        "\xff\xfe not UTF-8",
        "\xc3\x28",
        "100% %s%n%d #frag",
        "say \"cheese\" 'please'",
        "  spaces  ",
        "tab\tline\nend",
        std::string("\x01\x1f\x7f", 3),
        "\xc3\xbcnic\xc3\xb6"
        "de",
    };
    // Names that the run-time reads as something else: a backslash is a
    // separator, and '*' or '?' make a pattern that names no file.
    const std::vector<std::string> unreachable{"back\\slash", "star*", "what?"};
#endif
    std::vector<std::string> listed;
    for (const std::string& name : odd) {
        const std::string as2005 = name.size() < 255 ? name + "5" : name.substr(1) + "5";
        Make2005(as2005);
        Make2007(name);
        listed.push_back(as2005);
        listed.push_back(name);
    }
    for (const std::string& name : unreachable)
        Make2005(name);

    EXPECT_EQ(Found(), Listed(listed));
    EXPECT_EQ(standin::oskel::CallCount("OpenOskel"), odd.size());
    for (const std::string& name : unreachable)
        EXPECT_FALSE(ProbeTemplateFolder(Element(name)).IsValid()) << name;
}

}  // namespace
}  // namespace discovery_test
