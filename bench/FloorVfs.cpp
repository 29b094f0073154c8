// The floors' SQLite file layer over POSIX.
#include "FloorVfs.h"

#include <sqlite3.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <new>
#include <vector>

namespace bench {
namespace {

constexpr long long kFirstRead = 64 * 1024;

struct WholeFile {
    int descriptor = -1;
    bool loaded = false;
    bool failed = false;
    std::vector<unsigned char> bytes;
};

struct FileObject {
    sqlite3_file base;
    WholeFile* file;
};

WholeFile& FileOf(sqlite3_file* file) { return *reinterpret_cast<FileObject*>(file)->file; }

// One read of the first 64 KiB; only a file that fills it is asked its size and read to the end.
bool Load(WholeFile& file)
{
    if (file.loaded || file.failed)
        return file.loaded;
    file.failed = true;
    file.bytes.resize(kFirstRead);
    ssize_t got = ::pread(file.descriptor, file.bytes.data(), file.bytes.size(), 0);
    if (got < 0)
        return false;
    if (got == kFirstRead) {
        struct stat status {};
        if (::fstat(file.descriptor, &status) != 0 || !S_ISREG(status.st_mode))
            return false;
        file.bytes.resize(static_cast<std::size_t>(status.st_size));
        const ssize_t rest =
            ::pread(file.descriptor, file.bytes.data() + kFirstRead, file.bytes.size() - kFirstRead, kFirstRead);
        if (rest < 0)
            return false;
        got += rest;
    }
    file.bytes.resize(static_cast<std::size_t>(got));
    file.loaded = true;
    file.failed = false;
    return true;
}

int Close(sqlite3_file* file)
{
    FileObject* object = reinterpret_cast<FileObject*>(file);
    ::close(object->file->descriptor);
    delete object->file;
    object->file = nullptr;
    return SQLITE_OK;
}

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset)
{
    WholeFile& whole = FileOf(file);
    if (!Load(whole))
        return SQLITE_IOERR_READ;
    const long long size = static_cast<long long>(whole.bytes.size());
    const long long available = std::max(0LL, std::min<long long>(amount, size - offset));
    if (available > 0)
        std::memcpy(buffer, whole.bytes.data() + offset, static_cast<std::size_t>(available));
    if (available == amount)
        return SQLITE_OK;
    std::memset(static_cast<char*>(buffer) + available, 0, static_cast<std::size_t>(amount - available));
    return SQLITE_IOERR_SHORT_READ;
}

int Write(sqlite3_file*, const void*, int, sqlite3_int64) { return SQLITE_READONLY; }
int Truncate(sqlite3_file*, sqlite3_int64) { return SQLITE_READONLY; }
int Sync(sqlite3_file*, int) { return SQLITE_OK; }
int FileSize(sqlite3_file* file, sqlite3_int64* size)
{
    WholeFile& whole = FileOf(file);
    if (!Load(whole))
        return SQLITE_IOERR_FSTAT;
    *size = static_cast<sqlite3_int64>(whole.bytes.size());
    return SQLITE_OK;
}
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

const sqlite3_io_methods kMethods = {
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
    nullptr,
    nullptr,
    nullptr,
};

sqlite3_vfs* Unix(sqlite3_vfs* vfs) { return static_cast<sqlite3_vfs*>(vfs->pAppData); }

int Open(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    if ((flags & SQLITE_OPEN_MAIN_DB) == 0 || name == nullptr)
        return Unix(vfs)->xOpen(Unix(vfs), name, file, flags, outFlags);
    FileObject* object = reinterpret_cast<FileObject*>(file);
    object->base.pMethods = nullptr;
    const int descriptor = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return SQLITE_CANTOPEN;
    object->file = new (std::nothrow) WholeFile;
    if (object->file == nullptr) {
        ::close(descriptor);
        return SQLITE_NOMEM;
    }
    object->file->descriptor = descriptor;
    object->base.pMethods = &kMethods;
    if (outFlags != nullptr)
        *outFlags = SQLITE_OPEN_READONLY;
    return SQLITE_OK;
}

int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out)
{
    const std::size_t length = std::strlen(name);
    if (name[0] == '/' && length < static_cast<std::size_t>(size)) {
        std::memcpy(out, name, length + 1);
        return SQLITE_OK;
    }
    return Unix(vfs)->xFullPathname(Unix(vfs), name, size, out);
}

sqlite3_vfs* Register()
{
    sqlite3_initialize();
    sqlite3_vfs* unix = sqlite3_vfs_find("unix");
    static sqlite3_vfs vfs = *unix;
    vfs.iVersion = 2;  // no system-call table
    vfs.szOsFile = std::max(static_cast<int>(sizeof(FileObject)), unix->szOsFile);
    vfs.zName = "bench-floor";
    vfs.pAppData = unix;
    vfs.pNext = nullptr;
    vfs.xOpen = Open;
    vfs.xFullPathname = FullPathname;
    sqlite3_vfs_register(&vfs, 0);
    return &vfs;
}

}  // namespace

const char* FloorVfsName()
{
    static sqlite3_vfs* const vfs = Register();
    return vfs->zName;
}

std::string ImmutableUri(const std::string& path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::strchr("-._~/", c) != nullptr) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0x0F];
        }
    }
    return uri + "?immutable=1";
}

}  // namespace bench
