// The cases ilt_bench times, registered with Google Benchmark: discovery and its floor, the
// dialog's start-up, and the two stack-up readers beside theirs; and what they measure, for the
// heap counts that are taken outside the timed runs.
#pragma once

#include <functional>
#include <string>

#include "Fixtures.h"
#include "HeapCounter.h"
#include "Options.h"

namespace bench {

// "what/n": the name of a case of size n.
std::string Name(const char* what, int n);

// What the discovery cases run once: FindLayoutTemplates and HasLayoutTemplates of the library of
// n templates, and the floor's scan of its folder (keeping the names, or only counting them).
int OurFind(int n);
bool OurHas(int n);
int Floor(const FixtureRoot& root, int n, bool keepNames);

// Runs f once and measures the heap it used.
HeapUse MeasureHeap(const std::function<void()>& f);

// Discovery and the floor must agree on what a library holds, name for name and in order; throws
// when they do not.
void CheckLibrary(const FixtureRoot& root, int n, const LibraryCounts& counts);

void RegisterDiscovery(const FixtureRoot& root, int n, const Options& options);
void RegisterStartUp(const FixtureRoot& root, int n, const Options& options);
void RegisterReaders(const FixtureRoot& root, const Options& options);

}  // namespace bench
