// _findfirst, _findnext, _findclose: a directory search over POSIX opendir/readdir.
//
// A search lists the folder named by the pattern's leading part and returns the entries whose names
// match its last component (see wildcard.h), in the order readdir delivers them, "." and ".."
// included wherever the file system reports them but at a drive root, where Windows has none.
// Windows' listing carries each entry's attributes; readdir carries its kind, and a record is
// filled from that alone (records.h), without a status query per entry, which on a network share
// would be a round trip per entry that Windows does not make. Only an entry whose kind readdir
// does not give, or a symbolic link, is asked its status (a link is followed, unless it dangles). A
// search in a file ("D:\notes.txt\*.*") fails with EINVAL, one in a missing folder with ENOENT. An entry whose name
// does not fit the record's 260-byte name field is left out, never cut short. On Linux every name is at most NAME_MAX
// (255) bytes, so none is ever left out here.
//
// A handle is a number standing for a search object that the handle table owns until _findclose.
// Numbers are never reused, so a closed or made-up handle is refused with EINVAL. _findnext at the
// end returns -1 with ENOENT and leaves the record as it was.
//
// Not implemented: "X:" alone or a pattern ending in a separator as a search for the folder's own
// entry (both fail with ENOENT), failures of _findnext other than the end of the listing, and a
// record's size, times and read-only attribute (see records.h).
#include <io.h>

#include "drives.h"
#include "hooks.h"
#include "records.h"
#include "wildcard.h"

#include <standin/crt.h>

#include <dirent.h>
#include <sys/stat.h>
#include <fcntl.h>

#include <algorithm>
#include <cstring>
#include <atomic>
#include <cerrno>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirPtr = std::unique_ptr<DIR, DirCloser>;

std::atomic<standin::ListingOrder> listingOrder{standin::ListingOrder::FileSystem};

// An entry as readdir reports it: its name and its kind (DT_DIR, DT_REG, ..., DT_UNKNOWN).
struct Listed {
    std::string name;
    unsigned char kind = DT_UNKNOWN;
};

class Search {
public:
    Search(DirPtr dir, crt::NamePattern pattern, bool driveRoot)
        : m_dir(std::move(dir)), m_pattern(std::move(pattern)), m_driveRoot(driveRoot)
    {
        const standin::ListingOrder order = listingOrder.load();
        if (order == standin::ListingOrder::FileSystem)
            return;
        while (const dirent* entry = readdir(m_dir.get()))
            m_ordered.push_back(Listed{entry->d_name, entry->d_type});
        std::sort(m_ordered.begin(), m_ordered.end(), [](const Listed& a, const Listed& b) { return a.name < b.name; });
        if (order == standin::ListingOrder::Descending)
            std::reverse(m_ordered.begin(), m_ordered.end());
        m_presorted = true;
    }

    // The next matching entry into `record`; false, record untouched, when there is none left.
    bool Next(_finddata_t& record)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        while (!m_finished) {
            const char* name = nullptr;
            unsigned char kind = DT_UNKNOWN;
            if (!NextEntry(name, kind)) {
                m_finished = true;
                break;
            }
            if (!m_pattern.Matches(name) || (m_driveRoot && IsDotEntry(name)))
                continue;
            bool folder = kind == DT_DIR;
            if ((kind == DT_UNKNOWN || kind == DT_LNK) && !IsFolder(name, folder))
                continue;
            if (crt::FillListedRecord(name, folder, record))
                return true;
        }
        return false;
    }

private:
    static bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

    bool NextEntry(const char*& name, unsigned char& kind)
    {
        if (m_presorted) {
            if (m_nextOrdered == m_ordered.size())
                return false;
            const Listed& entry = m_ordered[m_nextOrdered++];
            name = entry.name.c_str();
            kind = entry.kind;
            return true;
        }
        const dirent* entry = readdir(m_dir.get());
        if (entry == nullptr)
            return false;
        name = entry->d_name;
        kind = entry->d_type;
        return true;
    }

    // Whether an entry is a folder, from its status, following a symbolic link unless it
    // dangles; false when the entry has vanished since readdir reported it.
    bool IsFolder(const char* name, bool& folder) const
    {
        const int descriptor = dirfd(m_dir.get());
        struct stat status;
        if (fstatat(descriptor, name, &status, 0) != 0 && fstatat(descriptor, name, &status, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        folder = S_ISDIR(status.st_mode);
        return true;
    }

    std::mutex m_mutex;
    DirPtr m_dir;
    crt::NamePattern m_pattern;
    bool m_driveRoot = false;  // a drive root lists no "." or ".."
    bool m_finished = false;
    bool m_presorted = false;
    std::vector<Listed> m_ordered;  // all entries, when a fixed listing order is chosen
    std::size_t m_nextOrdered = 0;
};

class SearchTable {
public:
    intptr_t Add(std::shared_ptr<Search> search)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const intptr_t handle = ++m_lastHandle;
        m_searches.emplace(handle, std::move(search));
        return handle;
    }

    std::shared_ptr<Search> Find(intptr_t handle) const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_searches.find(handle);
        return found == m_searches.end() ? nullptr : found->second;
    }

    bool Remove(intptr_t handle)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_searches.erase(handle) != 0;
    }

    std::size_t Size() const
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_searches.size();
    }

private:
    mutable std::mutex m_mutex;
    intptr_t m_lastHandle = 0;
    // Shared so that a _findnext running while another thread closes the handle finishes safely.
    std::unordered_map<intptr_t, std::shared_ptr<Search>> m_searches;
};

SearchTable& Searches()
{
    static SearchTable table;
    return table;
}

// A pattern split into the folder to list and the last component to match:
// "D:\t\*.*" => {"D:\t\", "*.*"}; "D:*" => {"D:", "*"}; "*.*" => {"", "*.*"}.
struct SplitPattern {
    std::string folder;
    std::string name;
};

SplitPattern Split(const std::string& pattern)
{
    const std::size_t start = crt::HasDriveDesignator(pattern) ? 2 : 0;
    const std::size_t separator = pattern.find_last_of("\\/");
    if (separator == std::string::npos || separator < start)
        return {pattern.substr(0, start), pattern.substr(start)};
    return {pattern.substr(0, separator + 1), pattern.substr(separator + 1)};
}

// Windows' errno for a search that cannot start: ENOENT when the folder is not there, EINVAL for
// the rest (an unreadable folder included).
int FindFirstErrno(int posixError)
{
    switch (posixError) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return ENOENT;
    case ENOMEM: return ENOMEM;
    default: return EINVAL;
    }
}

// "D:", "D:\" (and "D:\\", "D:/"): the root of a drive.
bool IsDriveRoot(const std::string& folder)
{
    return crt::HasDriveDesignator(folder) && folder.find_first_not_of("\\/", 2) == std::string::npos;
}

// The errno of a search whose folder opendir refused with ENOTDIR: EINVAL when the folder is a
// file (Windows' ERROR_DIRECTORY), ENOENT when a part of the way is.
int NotAFolderErrno(const std::string& nativeFolder)
{
    struct stat status;
    std::string path = nativeFolder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) ? EINVAL : ENOENT;
}

}  // namespace

extern "C" intptr_t _findfirst(const char* pattern, struct _finddata_t* record)
{
    const auto counted = crt::CountCall(crt::Call::FindFirst);
    if (pattern == nullptr || record == nullptr) {
        errno = EINVAL;
        return -1;
    }
    crt::LogPath(crt::Call::FindFirst, pattern);
    if (counted) {
        errno = *counted;
        return -1;
    }
    if (const auto fault = crt::FindFirstFault(pattern)) {
        errno = *fault;
        return -1;
    }

    const SplitPattern split = Split(pattern);
    const auto folder = crt::TranslatePath(split.folder.empty() ? "." : split.folder);
    if (!folder || split.name.empty()) {
        errno = ENOENT;
        return -1;
    }
    DirPtr dir(opendir(folder->c_str()));
    if (!dir) {
        errno = errno == ENOTDIR ? NotAFolderErrno(*folder) : FindFirstErrno(errno);
        return -1;
    }

    auto search = std::make_shared<Search>(std::move(dir), crt::NamePattern(split.name), IsDriveRoot(split.folder));
    if (!search->Next(*record)) {
        errno = ENOENT;
        return -1;
    }
    return Searches().Add(std::move(search));
}

extern "C" int _findnext(intptr_t handle, struct _finddata_t* record)
{
    const auto counted = crt::CountCall(crt::Call::FindNext);
    const std::shared_ptr<Search> search = Searches().Find(handle);
    if (!search || record == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (counted) {
        errno = *counted;
        return -1;
    }
    if (!search->Next(*record)) {
        errno = ENOENT;
        return -1;
    }
    return 0;
}

extern "C" int _findclose(intptr_t handle)
{
    (void)crt::CountCall(crt::Call::FindClose);
    if (!Searches().Remove(handle)) {
        errno = EINVAL;
        return -1;
    }
    return 0;
}

namespace standin {

std::size_t OpenFindHandles() { return Searches().Size(); }

}  // namespace standin

void standin::SetListingOrder(ListingOrder order) { listingOrder.store(order); }
