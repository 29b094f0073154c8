// Absurdly large templates: how long the dialog is held, and how much heap it takes, when a pick
// in the drop-down reaches a template of hundreds of thousands of layers. Run by
// `ilt_bench --large-design[=LAYERS,...]`; not part of the timed table.
#pragma once

#include <vector>

#include "Fixtures.h"

namespace bench {

// Writes a 2007 and a 2005 template of each size into the library "large" and shows each once in a
// live dialog (wall and CPU time, then heap in a second run). Prints a table; answers 0.
int RunLargeDesignCases(FixtureRoot& root, const std::vector<int>& layerCounts);

}  // namespace bench
