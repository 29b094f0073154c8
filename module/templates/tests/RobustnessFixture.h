// Fixture of the discovery robustness tests: every search and every
// connection must be ended whatever failed.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "DiscoveryFixture.h"
#include "standin/oskel.h"
#include "templates/TemplateDiscovery.h"

#if !defined(_WIN32)
#include "standin/crt.h"
#endif

namespace discovery_test {

using Names = std::list<std::string>;

class RobustnessTest : public DiscoveryTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
#if !defined(_WIN32)
        EXPECT_EQ(standin::OpenFindHandles(), 0u);
        standin::ClearFaults();
        standin::SetListingOrder(standin::ListingOrder::FileSystem);
#endif
        DiscoveryTest::TearDown();
    }

    // Those of names that are entries of the layout-templates folder, in listing order.
    Names Listed(const std::vector<std::string>& names) const
    {
        const std::vector<std::string> ordered = InListingOrder(names);
        return Names(ordered.begin(), ordered.end());
    }

    Names Found()
    {
        Names names;
        FindLayoutTemplates(m_layoutFolder, names);
        return names;
    }
};

}  // namespace discovery_test
