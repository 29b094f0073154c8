// The floors' SQLite file layer: the least a read-only reader of a design database must do, with
// the client's open flags (read-only, immutable, by URI). The main database is opened once and
// read whole into memory in as few calls as its size allows: a file of up to 64 KiB costs an open,
// one read and a close; a larger one a status query and one read more. No lock, no status query
// by path, no look beside the file. Everything else is the platform's "unix" layer.
#pragma once

#include <string>

namespace bench {

// The layer's name for sqlite3_open_v2, registered at the first call.
const char* FloorVfsName();

// The URI the client opens: the path percent-encoded, read-only and immutable.
std::string ImmutableUri(const std::string& path);

}  // namespace bench
