// Temporary folders for the tests of both builds.
//
// TempFolder: a fresh native folder below the system's temporary folder, removed with everything in
// it on destruction. With Medium::Memory it lies on a memory file system where the machine has one
// (/dev/shm, Linux): for tests that make and remove many entries.
//
// A test that needs the system to reach its folder by a drive designator takes a TempDrive
// (TempDrive.h, Linux) or a MappedFolder or TestDrive (MappedFolder.h, both builds).
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace testsupport {

namespace fs = std::filesystem;

#if defined(_WIN32)
// A path in the ANSI code page as a native path, and back.
inline fs::path NativePath(const std::string& ansi)
{
    if (ansi.empty())
        return fs::path();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return fs::path(wide);
}

inline std::string AnsiPath(const fs::path& path)
{
    const std::wstring& wide = path.native();
    if (wide.empty())
        return std::string();
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), length, nullptr, nullptr);
    return ansi;
}
#else
inline fs::path NativePath(const std::string& bytes) { return fs::path(bytes); }
inline std::string AnsiPath(const fs::path& path) { return path.string(); }
#endif

// Writes `contents` to the file `path`, making the folders above it; throws when it cannot.
inline void WriteFileAt(const fs::path& path, const std::string& contents)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
    if (!fs::is_regular_file(path))
        throw std::runtime_error("cannot create " + AnsiPath(path));
}

// Removes everything below `root` (tests may leave read-only entries behind), and `root` itself
// unless keepRoot.
inline void RemoveTree(const fs::path& root, bool keepRoot)
{
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root, ignored))
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    if (!keepRoot) {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
        return;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(root, ignored))
        fs::remove_all(entry.path(), ignored);
}

class TempFolder {
public:
    enum class Medium { Disk, Memory };

    explicit TempFolder(const std::string& prefix = "ilt-test", Medium medium = Medium::Disk)
        : m_root(MakeUniqueFolder(prefix, medium))
    {}
    ~TempFolder() { RemoveTree(m_root, false); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Root() const { return m_root; }

    // The native path of `relative` (written with '/') below the folder.
    fs::path Native(const std::string& relative = std::string()) const
    {
        return relative.empty() ? m_root : (m_root / NativePath(relative)).make_preferred();
    }

    // Makes the folder `relative` and the folders above it; its native path.
    fs::path MakeFolder(const std::string& relative) const
    {
        const fs::path path = Native(relative);
        fs::create_directories(path);
        return path;
    }

    // Writes the file `relative` holding `contents`; its native path.
    fs::path MakeFile(const std::string& relative, const std::string& contents = "x") const
    {
        const fs::path path = Native(relative);
        WriteFileAt(path, contents);
        return path;
    }

private:
    // A fresh folder below the temporary folder, named prefix and something unique.
    static fs::path MakeUniqueFolder(const std::string& prefix, Medium medium)
    {
#if defined(_WIN32)
        (void)medium;
        const fs::path base = fs::temp_directory_path();
        const std::string stem = prefix + "-" + std::to_string(::GetCurrentProcessId()) + "-";
        for (unsigned attempt = 0; attempt < 100000; ++attempt) {
            const fs::path candidate = (base / (stem + std::to_string(attempt))).make_preferred();
            std::error_code error;
            if (fs::create_directory(candidate, error))
                return candidate;
            if (error)
                throw std::runtime_error("cannot create a folder in " + AnsiPath(base) + ": " + error.message());
        }
        throw std::runtime_error("no free name for a temporary folder in " + AnsiPath(base));
#else
        const bool inMemory = medium == Medium::Memory && ::access("/dev/shm", W_OK) == 0;
        const fs::path base = inMemory ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed for " + pattern);
        return pattern;
#endif
    }

    fs::path m_root;
};

}  // namespace testsupport
