// ReadOnlyVfs.h - the SQLite file layer by which the client opens design
// databases: a VFS of its own over the platform's ("unix" or "win32").
//
// The database file itself it opens and reads on its own, read-only and
// never waiting (a FIFO opens at once and is refused, like anything that is
// not a regular file), its contents read in blocks of 64 KiB, the last block
// kept: the header and the first pages a lookup needs come in one read. The
// file's size is taken once: from that first read when it comes short (the
// whole of a small database), otherwise from the file's status. On a network share each call
// is a round trip, so the platform layer's resolving of every component of
// the path, its repeated status queries and its small reads are what an open
// costs there. Everything else (temporary files, time, randomness) is the
// platform layer's.
#pragma once

namespace standin::oskel::detail {

// The VFS's name for sqlite3_open_v2, registered at the first call; null
// when the platform's own layer cannot be found (SQLite's default is used).
const char* ReadOnlyVfsName();

}  // namespace standin::oskel::detail
