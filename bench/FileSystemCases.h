// File-system round trips of discovery, counted and slowed by the preloaded shim
// (libilt_fs_latency): the calls one template of each format costs, and discovery of 1,000
// templates on a share where each call takes a given latency, each beside its floor.
#pragma once

#include "Fixtures.h"

namespace bench {

// True when the shim is preloaded into this process.
bool FileSystemShimLoaded();

// Runs the cases and prints their table; 0 on success.
int RunFileSystemCases(FixtureRoot& root, long latencyMicroseconds, int repetitions);

}  // namespace bench
