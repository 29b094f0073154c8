// PathUtil.h: file-system path helpers.
//
// A path is a narrow string in the ANSI code page with the backslash as separator and an optional
// drive designator (D:). Only NormalizePath knows the forward slash; the other helpers treat it as
// an ordinary character. The helpers keep no state and report failure only through their result.
#pragma once

#include <list>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// String rules
// ---------------------------------------------------------------------------------------------

// Turns forward slashes into backslashes, then drops one trailing backslash unless the path is a
// drive root or consists of backslashes only. Changes `path` in place and returns it.
//   D:/lib/          => D:\lib
//   lib/Templates/L  => lib\Templates\L
//   D:\lib\\         => D:\lib\            (only one backslash is dropped)
//   D:               => D:
//   D:\              => D:\                (a drive root keeps its backslash)
//   D:/              => D:\                (a drive root keeps its backslash)
//   \\               => \\                 (backslashes only stay)
//   ""               => ""
std::string& NormalizePath(std::string& path);

// Splits a path into its parent folder and its last name; trailing backslashes never reach the
// name. `parent` and `name` are assigned.
//   D:\lib\Templates\4L => D:\lib\Templates, 4L
//   D:\lib\4L\\         => D:\lib,           4L
//   D:\lib              => D:,               lib
//   \lib                => \,                lib
//   \\lib               => \\,               lib
//   lib                 => "",               lib
//   \\                  => \\,               ""
//   ""                  => "",               ""
void SplitPath(const std::string& path, std::string& parent, std::string& name);

// Joins two parts with exactly one backslash between them.
//   D:\lib\ + \4L   => D:\lib\4L
//   D:\ + lib       => D:\lib
//   \\srv\ + lib\   => \\srv\lib\          (outer backslashes stay)
//   "" + 4L         => 4L
//   lib + ""        => lib
//   \ + lib         => \lib                (a part of backslashes only holds the separator)
//   \\ + srv        => \\srv
//   lib + \         => lib\                 (a part of backslashes only holds the separator)
std::string JoinPath(const std::string& first, const std::string& second);

// ---------------------------------------------------------------------------------------------
// File-system queries
// ---------------------------------------------------------------------------------------------

// Whether the path names a regular file; one status query.
//   D:\lib\a.txt (file)   => true
//   D:\lib (folder)       => false
//   D:\missing            => false
bool IsFile(const std::string& path);

// Whether the path names a folder. When the status query fails and the path does not end in a
// backslash, the path with one backslash appended is queried once more.
//   D:\lib (folder)                           => true
//   D:\lib\ (folder)                          => true
//   D:\lib\a.txt (file)                       => false
//   D:\lib (query fails, D:\lib\ answers)     => true
//   ""                                        => false   (no retry)
bool IsDirectory(const std::string& path);

// Whether the folder holds nothing but "." and "..". A path that cannot be listed (a missing
// folder, a file) counts as empty. The search ends at the first other entry.
//   D:\empty               => true
//   D:\lib (holds .hidden) => false
//   D:\missing             => true
bool IsEmptyDirectory(const std::string& path);

// The bare names of all entries of a folder in the order the directory search delivers them,
// "." and ".." included wherever the file system reports them; empty when the search fails.
//   D:\lib   => searches D:\lib\*.*   => {".", "..", "4L", "notes.txt"} (file-system order)
//   D:\      => searches D:\*.*
//   ""       => searches *.*
//   D:\a.txt => {}
std::vector<std::string> ListDirectory(const std::string& path);

// Walks a folder one level deep: appends the folder itself and then its sub-folders to `folders`,
// its other entries to `files`, each as the folder's path joined with the entry's name. The root
// is taken less one trailing backslash, unless it is backslashes only. A root that is a file is
// appended to `files`. Sub-folders are listed, never entered. Returns
// false, leaving both lists as they were, when the root cannot be queried.
//   D:\t\ (holds 4L\, a.txt)  => true,  folders += {D:\t, D:\t\4L}, files += {D:\t\a.txt}
//   D:\ (holds lib\)          => true,  folders += {D:, D:\lib}
//   D:\t\a.txt                => true,  files += {D:\t\a.txt}
//   \ (holds srv\)            => true,  folders += {\, \srv}
//   D:\missing                => false, nothing appended
bool CollectEntries(const std::string& root, std::list<std::string>& folders, std::list<std::string>& files);
