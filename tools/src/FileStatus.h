// FileStatus.h - what the file system says of a path, as the tool's
// explanations need it, on both systems. Paths are native: Linux paths, or
// Windows paths in the ANSI code page (the module's own form).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace layouttool {

enum class FileKind { File, Folder, Fifo, Device, Socket, Other };

struct FileStatus {
    bool found = false;
    FileKind kind = FileKind::Other;
    // When not found: ENOENT (no such entry, or a link to nothing), ENOTDIR
    // (a part of the path is no folder), EACCES (a folder on the way cannot
    // be searched), ELOOP, ...; `reason` says it in words.
    int error = 0;
    std::string reason;
};

// The status of what `path` names, links followed.
FileStatus StatusOf(const std::string& path);

// Whether the entry `path` exists itself: a link to nothing does.
bool EntryExists(const std::string& path);

// Whether the entry `path` is a symbolic link (Windows: a reparse point, a
// junction or a symbolic link).
bool IsLink(const std::string& path);

// Why the folder `path` cannot be listed ("Permission denied"); "" when it can.
std::string ListingProblem(const std::string& path);

// Why the system reaches a name found in a listing under another name
// (Windows drops a trailing dot or blank from a path: "its name ends in a
// dot, which Windows drops from a path: the dialog's file queries look for
// '6L' instead"); "" for every other name, and always on Linux.
std::string NameDroppedBySystem(const std::string& name);

// The entries of the folder `path` (a system path) whose names the ANSI code
// page cannot write (Windows): each as the C run-time's listing gives it (with
// '?' or a look-alike letter for such characters), with its exact name in
// UTF-8. Empty on Linux, where the code page is UTF-8.
std::vector<std::pair<std::string, std::string>> NamesOutsideCodePage(const std::string& path);

// "a folder", "a FIFO", "a device", "a socket", "a file", "no file".
std::string KindName(FileKind kind);

// `first` and `second` joined with the system's separator.
std::string JoinNative(const std::string& first, const std::string& second);

// The part of a native path after its last separator.
std::string LastName(const std::string& path);

}  // namespace layouttool
