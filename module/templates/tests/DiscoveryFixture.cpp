// Fixture of the discovery tests.

#include "DiscoveryFixture.h"

#include <algorithm>
#include <fstream>

#include "pathutil/PathUtil.h"
#include "standin/corvane.h"
#include "standin/oskel.h"

namespace discovery_test {

using namespace standin::oskel;

void DiscoveryTest::SetUp()
{
    fs::create_directories(Native());
    ClearFailures();
    ResetCallLog();
    standin::corvane::ClearFailures();
    standin::corvane::ResetCallLog();
}

void DiscoveryTest::TearDown()
{
    ClearFailures();
    standin::corvane::ClearFailures();
}

fs::path DiscoveryTest::Native(const std::string& relative) const
{
    return m_folder.Native(relative.empty() ? "lib/Templates/Layout" : "lib/Templates/Layout/" + relative);
}

void DiscoveryTest::Make2007(const std::string& relative, const Description& description)
{
    std::string error;
    ASSERT_TRUE(WriteOskel(testsupport::AnsiPath(Native(relative) / "keyin.oskel"), description, &error)) << error;
}

void DiscoveryTest::Make2007(const std::string& relative)
{
    Make2007(relative, PcbDescription({ConductorLayer(1, "TOP", 1, std::string("SIGNAL")),
                                       ConductorLayer(2, "BOTTOM", 2, std::string("SIGNAL"))}));
}

void DiscoveryTest::Make2005(const std::string& relative, const std::vector<std::string>& missing)
{
    Make2005At(Native(relative), missing);
}

void DiscoveryTest::Make2005(const std::string& relative, const standin::corvane::Description& description)
{
    std::string error;
    ASSERT_TRUE(standin::corvane::Write2005Template(testsupport::AnsiPath(Native(relative)), description, &error))
        << error;
}

void Make2005At(const fs::path& folder, const std::vector<std::string>& missing)
{
    const fs::path layout = folder / "Layout";
    fs::create_directories(layout);
    for (const char* file : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"}) {
        if (std::find(missing.begin(), missing.end(), file) == missing.end())
            std::ofstream(layout / file).flush();
    }
}

void DiscoveryTest::MakeFile(const std::string& relative, const std::string& contents)
{
    fs::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative)) << contents;
}

std::vector<std::string> DiscoveryTest::InListingOrder(const std::vector<std::string>& names) const
{
    std::vector<std::string> ordered;
    for (const std::string& entry : ListDirectory(m_layoutFolder)) {
        if (std::find(names.begin(), names.end(), entry) != names.end())
            ordered.push_back(entry);
    }
    return ordered;
}

}  // namespace discovery_test
