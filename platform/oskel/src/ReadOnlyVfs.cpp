// ReadOnlyVfs.cpp - the client's read-only SQLite file layer.

#include "ReadOnlyVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace standin::oskel::detail {
namespace {

constexpr char kVfsName[] = "oskel-readonly";
#if defined(_WIN32)
constexpr char kPlatformVfs[] = "win32";
#else
constexpr char kPlatformVfs[] = "unix";
#endif

// Large enough that a small database comes in one read, small enough to cost
// one round trip on a share.
constexpr sqlite3_int64 kBlockSize = 64 * 1024;

// ---- the database file, per platform --------------------------------------

#if defined(_WIN32)

class NativeFile {
public:
    NativeFile() = default;
    ~NativeFile()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_handle);
    }
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // Opens a regular file for reading, letting others read, write and
    // delete it meanwhile; its size in `size` (the open's answer carries it).
    bool Open(const char* utf8Path, std::optional<sqlite3_int64>& size)
    {
        const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, nullptr, 0);
        if (length <= 0)
            return false;
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8Path, -1, wide.data(), length);
        m_handle = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        BY_HANDLE_FILE_INFORMATION information;
        if (m_handle == INVALID_HANDLE_VALUE || ::GetFileType(m_handle) != FILE_TYPE_DISK ||
            !::GetFileInformationByHandle(m_handle, &information) ||
            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return false;
        m_size = static_cast<sqlite3_int64>((static_cast<unsigned long long>(information.nFileSizeHigh) << 32) |
                                            information.nFileSizeLow);
        size = m_size;
        return true;
    }

    std::optional<sqlite3_int64> RegularFileSize() const { return m_size; }

    // Bytes read at offset (fewer only at the end of the file); -1 on failure.
    long long ReadAt(void* buffer, long long amount, sqlite3_int64 offset) const
    {
        long long done = 0;
        while (done < amount) {
            OVERLAPPED at{};
            const unsigned long long position = static_cast<unsigned long long>(offset + done);
            at.Offset = static_cast<DWORD>(position & 0xFFFFFFFFu);
            at.OffsetHigh = static_cast<DWORD>(position >> 32);
            DWORD got = 0;
            if (!::ReadFile(m_handle, static_cast<char*>(buffer) + done, static_cast<DWORD>(amount - done), &got, &at))
                return ::GetLastError() == ERROR_HANDLE_EOF ? done : -1;
            if (got == 0)
                break;
            done += got;
        }
        return done;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
    sqlite3_int64 m_size = 0;
};

#else

class NativeFile {
public:
    NativeFile() = default;
    ~NativeFile()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // O_NONBLOCK: a FIFO opens at once instead of waiting for a writer. The
    // size is left unknown: the first read tells it (below).
    bool Open(const char* path, std::optional<sqlite3_int64>&)
    {
        m_descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        return m_descriptor >= 0;
    }

    // The size of a regular file; nothing for anything else.
    std::optional<sqlite3_int64> RegularFileSize() const
    {
        struct stat status {};
        if (::fstat(m_descriptor, &status) != 0 || !S_ISREG(status.st_mode))
            return std::nullopt;
        return static_cast<sqlite3_int64>(status.st_size);
    }

    // Bytes read at offset; -1 on failure. A read of a regular file comes
    // short only at the file's end: asking again to be told so would cost a
    // call more.
    long long ReadAt(void* buffer, long long amount, sqlite3_int64 offset) const
    {
        for (;;) {
            const ssize_t got =
                ::pread(m_descriptor, buffer, static_cast<std::size_t>(amount), static_cast<off_t>(offset));
            if (got >= 0)
                return got;
            if (errno != EINTR)
                return -1;
        }
    }

private:
    int m_descriptor = -1;
};

#endif

// ---- the file object SQLite holds -----------------------------------------

// The state of one open database, built in the memory SQLite hands to xOpen
// and destroyed by xClose.
//
// On POSIX the size is learnt without a status query of its own where it
// can be: the first block is read whole, and a block that comes short is the
// whole file (a database of up to 64 KiB costs an open, one read and a
// close). Only a file that fills the first block is asked its status, which
// also refuses anything that is not a regular file. A folder, FIFO or socket
// fails the first read (EISDIR, ESPIPE); a device that answers short is read
// as that much data, which holds no database.
struct DatabaseFile {
    NativeFile file;
    std::optional<sqlite3_int64> size;  // unknown until the first block is read
    std::vector<unsigned char> block;   // the last block read
    sqlite3_int64 blockStart = -1;      // its offset; -1 while none is held
};

struct FileObject {
    sqlite3_file base;  // first: SQLite sees a sqlite3_file
    DatabaseFile* state;
};

DatabaseFile& StateOf(sqlite3_file* file) { return *reinterpret_cast<FileObject*>(file)->state; }

// Fills what a read could not with zeros, as SQLite requires of a short read.
int ShortRead(void* buffer, int amount, long long got)
{
    std::memset(static_cast<char*>(buffer) + got, 0, static_cast<std::size_t>(amount - got));
    return SQLITE_IOERR_SHORT_READ;
}

int Close(sqlite3_file* file)
{
    FileObject* object = reinterpret_cast<FileObject*>(file);
    if (object->state != nullptr) {
        object->state->~DatabaseFile();
        sqlite3_free(object->state);
        object->state = nullptr;
    }
    return SQLITE_OK;
}

// Holds the block that starts at `start`; false when it cannot be read.
bool LoadBlock(DatabaseFile& state, sqlite3_int64 start)
{
    if (state.blockStart == start)
        return true;
    state.blockStart = -1;
    const sqlite3_int64 wanted = state.size ? std::min(kBlockSize, *state.size - start) : kBlockSize;
    state.block.resize(static_cast<std::size_t>(wanted));
    const long long got = state.file.ReadAt(state.block.data(), static_cast<long long>(state.block.size()), start);
    if (got < 0)
        return false;
    state.block.resize(static_cast<std::size_t>(got));
    state.blockStart = start;
    return true;
}

// Learns the file's size: from the first block when it comes short, else
// from the file's status.
bool KnowSize(DatabaseFile& state)
{
    if (state.size)
        return true;
    if (!LoadBlock(state, 0))
        return false;
    if (static_cast<sqlite3_int64>(state.block.size()) < kBlockSize)
        state.size = static_cast<sqlite3_int64>(state.block.size());
    else
        state.size = state.file.RegularFileSize();
    return state.size.has_value();
}

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    DatabaseFile& state = StateOf(file);
    if (amount <= 0)
        return SQLITE_OK;
    if (!KnowSize(state))
        return SQLITE_IOERR_READ;
    if (offset >= *state.size)
        return ShortRead(buffer, amount, 0);

    const sqlite3_int64 start = offset - offset % kBlockSize;
    if (offset + amount > start + kBlockSize) {
        // Across a block boundary: read as asked.
        const long long got = state.file.ReadAt(buffer, amount, offset);
        if (got < 0)
            return SQLITE_IOERR_READ;
        return got < amount ? ShortRead(buffer, amount, got) : SQLITE_OK;
    }
    if (!LoadBlock(state, start))
        return SQLITE_IOERR_READ;
    const long long within = offset - start;
    const long long available =
        std::max(0LL, std::min<long long>(amount, static_cast<long long>(state.block.size()) - within));
    if (available > 0)
        std::memcpy(buffer, state.block.data() + within, static_cast<std::size_t>(available));
    return available < amount ? ShortRead(buffer, amount, available) : SQLITE_OK;
}

int Write(sqlite3_file*, const void*, int, sqlite3_int64) { return SQLITE_READONLY; }
int Truncate(sqlite3_file*, sqlite3_int64) { return SQLITE_READONLY; }
int Sync(sqlite3_file*, int) { return SQLITE_OK; }

int FileSize(sqlite3_file* file, sqlite3_int64* size)
{
    DatabaseFile& state = StateOf(file);
    if (!KnowSize(state))
        return SQLITE_IOERR_FSTAT;
    *size = *state.size;
    return SQLITE_OK;
}

// Opened immutable: nothing is locked, nothing is reserved.
int Lock(sqlite3_file*, int) { return SQLITE_OK; }
int Unlock(sqlite3_file*, int) { return SQLITE_OK; }
int CheckReservedLock(sqlite3_file*, int* reserved)
{
    *reserved = 0;
    return SQLITE_OK;
}
int FileControl(sqlite3_file*, int, void*) { return SQLITE_NOTFOUND; }
int SectorSize(sqlite3_file*) { return 4096; }
int DeviceCharacteristics(sqlite3_file*) { return SQLITE_IOCAP_IMMUTABLE; }

const sqlite3_io_methods kDatabaseMethods = {
    1,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    nullptr,
    nullptr,
    nullptr,
    nullptr,  // version 2: no shared memory
    nullptr,
    nullptr,  // version 3: no memory mapping
};

// ---- the VFS ----------------------------------------------------------------

sqlite3_vfs* Platform(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    // Temporary files are the platform layer's; it fits in the space SQLite gives.
    if ((flags & SQLITE_OPEN_MAIN_DB) == 0 || name == nullptr)
        return Platform(vfs)->xOpen(Platform(vfs), name, file, flags, outFlags);

    FileObject* object = reinterpret_cast<FileObject*>(file);
    object->base.pMethods = nullptr;  // xClose is not called for a failed open
    object->state = nullptr;
    if ((flags & (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_DELETEONCLOSE)) != 0)
        return SQLITE_CANTOPEN;

    void* memory = sqlite3_malloc(static_cast<int>(sizeof(DatabaseFile)));
    if (memory == nullptr)
        return SQLITE_NOMEM;
    DatabaseFile* state = new (memory) DatabaseFile;
    if (!state->file.Open(name, state->size)) {
        state->~DatabaseFile();
        sqlite3_free(memory);
        return SQLITE_CANTOPEN;
    }
    object->state = state;
    object->base.pMethods = &kDatabaseMethods;
    if (outFlags != nullptr)
        *outFlags = SQLITE_OPEN_READONLY;
    return SQLITE_OK;
}

int Delete(sqlite3_vfs* vfs, const char* name, int syncDirectory)
{
    return Platform(vfs)->xDelete(Platform(vfs), name, syncDirectory);
}

int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result)
{
    return Platform(vfs)->xAccess(Platform(vfs), name, flags, result);
}

int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out)
{
#if !defined(_WIN32)
    // The client names its databases by absolute paths: taken as they are,
    // without the platform layer's status query of every component.
    const std::size_t length = std::strlen(name);
    if (name[0] == '/' && length < static_cast<std::size_t>(size)) {
        std::memcpy(out, name, length + 1);
        return SQLITE_OK;
    }
#endif
    return Platform(vfs)->xFullPathname(Platform(vfs), name, size, out);
}

void* DlOpen(sqlite3_vfs* vfs, const char* name) { return Platform(vfs)->xDlOpen(Platform(vfs), name); }
void DlError(sqlite3_vfs* vfs, int size, char* out) { Platform(vfs)->xDlError(Platform(vfs), size, out); }
void (*DlSym(sqlite3_vfs* vfs, void* library, const char* symbol))(void)
{
    return Platform(vfs)->xDlSym(Platform(vfs), library, symbol);
}
void DlClose(sqlite3_vfs* vfs, void* library) { Platform(vfs)->xDlClose(Platform(vfs), library); }
int Randomness(sqlite3_vfs* vfs, int size, char* out) { return Platform(vfs)->xRandomness(Platform(vfs), size, out); }
int Sleep(sqlite3_vfs* vfs, int microseconds) { return Platform(vfs)->xSleep(Platform(vfs), microseconds); }
int CurrentTime(sqlite3_vfs* vfs, double* now) { return Platform(vfs)->xCurrentTime(Platform(vfs), now); }
int GetLastError(sqlite3_vfs* vfs, int size, char* out)
{
    return Platform(vfs)->xGetLastError ? Platform(vfs)->xGetLastError(Platform(vfs), size, out) : 0;
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now)
{
    sqlite3_vfs* platform = Platform(vfs);
    if (platform->iVersion >= 2 && platform->xCurrentTimeInt64 != nullptr)
        return platform->xCurrentTimeInt64(platform, now);
    double days = 0;
    const int result = platform->xCurrentTime(platform, &days);
    *now = static_cast<sqlite3_int64>(days * 86400000.0);
    return result;
}

// Registered once, never unregistered: connections may outlive any owner.
sqlite3_vfs* Register()
{
    if (sqlite3_initialize() != SQLITE_OK)
        return nullptr;
    sqlite3_vfs* platform = sqlite3_vfs_find(kPlatformVfs);
    if (platform == nullptr)
        return nullptr;
    static sqlite3_vfs vfs{};
    vfs.iVersion = 2;
    vfs.szOsFile = std::max(static_cast<int>(sizeof(FileObject)), platform->szOsFile);
    vfs.mxPathname = platform->mxPathname;
    vfs.zName = kVfsName;
    vfs.pAppData = platform;
    vfs.xOpen = Open;
    vfs.xDelete = Delete;
    vfs.xAccess = Access;
    vfs.xFullPathname = FullPathname;
    vfs.xDlOpen = DlOpen;
    vfs.xDlError = DlError;
    vfs.xDlSym = DlSym;
    vfs.xDlClose = DlClose;
    vfs.xRandomness = Randomness;
    vfs.xSleep = Sleep;
    vfs.xCurrentTime = CurrentTime;
    vfs.xGetLastError = GetLastError;
    vfs.xCurrentTimeInt64 = CurrentTimeInt64;
    return sqlite3_vfs_register(&vfs, 0) == SQLITE_OK ? &vfs : nullptr;
}

}  // namespace

const char* ReadOnlyVfsName()
{
    static sqlite3_vfs* const vfs = Register();
    return vfs != nullptr ? vfs->zName : nullptr;
}

}  // namespace standin::oskel::detail
