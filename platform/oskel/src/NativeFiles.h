// NativeFiles.h - the file queries the client makes itself, beside SQLite,
// on a path of this platform: on Linux a POSIX path (the crt stand-in's
// translation of the caller's), on Windows the caller's path in the ANSI code
// page. None of them creates, changes or locks anything.
#pragma once

#include <optional>
#include <string>

namespace standin::oskel::detail {

// The path of the keyin.oskel folder that the caller names, in this
// platform's form; "" when it names nothing (an unmapped drive on Linux).
std::string NativeFolder(const std::string& callerPath);
// folder, a separator of this platform, and name.
std::string NativeChild(const std::string& folder, const char* name);

// True when something of that name exists with at least one byte of data.
bool HasData(const std::string& path);
// The first byte of a regular file; nothing when the file is missing, empty,
// unreadable or no regular file (a FIFO is never opened in a way that waits).
std::optional<unsigned char> FirstByteOfRegularFile(const std::string& path);

// The URI by which SQLite opens path read-only and immutable; everything but
// unreserved characters and '/' is percent-encoded, so '?', '#' and '%' in a
// folder name stay part of the path.
std::string ImmutableUri(const std::string& path);

}  // namespace standin::oskel::detail
