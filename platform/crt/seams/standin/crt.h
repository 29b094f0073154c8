// Stand-in-only controls of the C run-time's file queries; real Windows has none of them.
//
// Drive map: the system's paths carry drive designators ("D:\lib"). A drive names the native folder
// mapped to it, like `subst`; an unmapped drive names nothing. Translation of a Windows path, done
// inside _stat and _findfirst at the last moment:
//   every backslash becomes '/';
//   a leading "X:" (letter in either case) is replaced by the folder mapped to X; a bare "X:",
//   "X:\" and the drive-relative "X:name" all start at that folder's top (there is no per-drive
//   current folder here);
//   a path without a drive stays as it is: "\srv\lib" is the absolute "/srv/lib", "lib" is relative.
//
// Fault injection: a failure is registered for a Windows path and stays until ClearFaults().
// Paths are compared after turning '\' into '/' and upper-casing the drive letter; nothing else is
// normalised, so "D:\t" and "D:\t\" are different paths (the retry of a query with a trailing
// backslash can be told apart from the first query).
//   FailStat(p): _stat(p) fails.
//   FailFindFirst(p): _findfirst(q) fails when q equals p, or when p names the folder that q
//   searches: "D:\t" and "D:\t\" both fail "D:\t\*.*" and "D:\t\*", "D:" and "D:\" fail "D:\*.*".
//
// All of it is process-wide and guarded by a mutex; the counters are atomic.
#pragma once

#include <cerrno>
#include <cstddef>
#include <string>
#include <vector>

#define STANDIN_CRT_API __attribute__((visibility("default")))

namespace standin {

// Maps drive `letter` (A-Z, either case) to an absolute native folder, replacing an earlier mapping.
// Throws std::invalid_argument for another letter or a folder that is not absolute.
STANDIN_CRT_API void MapDrive(char letter, const std::string& nativeFolder);
STANDIN_CRT_API void UnmapDrive(char letter);
STANDIN_CRT_API void UnmapAllDrives();

// The native path that _stat/_findfirst query for `windowsPath`; "" when its drive is unmapped.
//   "D:\lib\4L" => "<D's folder>/lib/4L"      "D:" => "<D's folder>"      "d:\" => "<D's folder>/"
//   "\srv\lib" => "/srv/lib"                  "lib\4L" => "lib/4L"        "Q:\x" (unmapped) => ""
STANDIN_CRT_API std::string ToNativePath(const std::string& windowsPath);

// A native path in the form the system uses. Under a mapped folder (the longest one when mappings
// nest) it gets that drive; otherwise slashes become backslashes. Runs of '/' count as one.
//   "<D's folder>/lib/4L" => "D:\lib\4L"      "<D's folder>" => "D:\"      "/srv/lib" => "\srv\lib"
STANDIN_CRT_API std::string FromNativePath(const std::string& nativePath);

// Makes _stat(windowsPath) fail with errno `error` (EACCES: what an unreadable folder gives).
STANDIN_CRT_API void FailStat(const std::string& windowsPath, int error = EACCES);
// Makes _findfirst fail with errno `error` (EINVAL: what Windows gives for a folder it cannot read).
STANDIN_CRT_API void FailFindFirst(const std::string& windowsPathOrPattern, int error = EINVAL);

// Counted faults, whatever the path: the call of `call` after the next `succeedingCalls` ones fails
// with errno `error`; with FaultSpan::FromThenOn every later call fails too. A failed _findnext
// ends its search early, as a listing cut off by the network does; the search stays open until
// _findclose. One counted fault per kind of call; a new one replaces it.
enum class CrtCall { Stat, FindFirst, FindNext };
enum class FaultSpan { Once, FromThenOn };
STANDIN_CRT_API void FailCallAfter(CrtCall call, std::size_t succeedingCalls, int error = EIO,
                                   FaultSpan span = FaultSpan::Once);
// Removes every fault, by path and counted.
STANDIN_CRT_API void ClearFaults();

// Calls made since the last ResetCallCounts(), failed ones included.
struct CrtCallCounts {
    std::size_t stat = 0;
    std::size_t findfirst = 0;
    std::size_t findnext = 0;
    std::size_t findclose = 0;
};
STANDIN_CRT_API CrtCallCounts CallCounts();
STANDIN_CRT_API void ResetCallCounts();

// The paths of the file-system queries, in the order they are made, as the caller passed them:
// "_stat D:\lib\4L" and "_findfirst D:\lib\*.*" (failed queries too). Recording starts empty
// with StartPathLog() and ends with StopPathLog(), which gives the storage back.
STANDIN_CRT_API void StartPathLog();
STANDIN_CRT_API void StopPathLog();
STANDIN_CRT_API std::vector<std::string> PathLog();

// Order in which directory searches deliver entries. The file system's own order is the default;
// tests that depend on discovery order choose a fixed one instead, since the order readdir gives
// differs between file systems (hash order on ext4). "." and ".." sort like any other name.
enum class ListingOrder { FileSystem, Ascending, Descending };
STANDIN_CRT_API void SetListingOrder(ListingOrder order);

// Searches started by _findfirst and not yet closed with _findclose.
STANDIN_CRT_API std::size_t OpenFindHandles();

}  // namespace standin
