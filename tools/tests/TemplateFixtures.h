// TemplateFixtures.h - templates and broken templates made for the tool's
// tests with the clients' writers, and the file-system oddities around them.
#pragma once

#include <standin/corvane_writer.h>
#include <standin/oskel_writer.h>

#include <filesystem>
#include <string>
#include <vector>

namespace layouttool::testing {

// A 2007 template in `folder` holding `description`.
void Write2007(const std::filesystem::path& folder, const standin::oskel::Description& description);

// A 2005 template in `folder` with one signal layer and `extraLines` at the
// end of its Corvane.cvn.
void Write2005(const std::filesystem::path& folder, const std::vector<std::string>& extraLines = {});

// A 2005 template in `folder` whose Corvane.cvn declares `layerCount` layers
// and holds only `lines` after [Corvane], as written.
void Write2005Lines(const std::filesystem::path& folder, int layerCount, const std::vector<std::string>& lines);

// Overwrites four bytes of an SQLite header, big-endian.
void PatchHeader(const std::filesystem::path& database, std::streamoff offset, unsigned value);

#if !defined(_WIN32)
// A Unix socket at `path`.
void MakeSocket(const std::filesystem::path& path);
#endif

// The lines of `text`, sorted.
std::vector<std::string> SortedLines(const std::string& text);

}  // namespace layouttool::testing
