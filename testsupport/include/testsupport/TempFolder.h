// Fixture folders for tests that run on both builds, named the way the system names paths
// (backslashes, a drive designator, the ANSI code page).
//
// TempFolder: a fresh folder, removed with everything in it on destruction. On Linux it is mapped as
// a drive of the run-time stand-in, so the system reaches it as "D:\..."; on Windows it lies in the
// user's temporary folder and the system reaches it by its own path ("C:\users\...\Temp\...").
//
// TestDrive: a drive whose root the test owns. On Linux a fresh folder mapped as a drive. On Windows
// the drive that the environment variable ILT_TEST_DRIVE names, which the test run maps to a fresh,
// empty folder (scripts/wine-run --drive: under Wine, DefineDosDevice reports success but maps
// nothing); what the test made there is removed on destruction.
#pragma once

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#else
#include <standin/crt.h>
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
    const int length = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), length, nullptr,
                          nullptr);
    return ansi;
}
#else
inline fs::path NativePath(const std::string& bytes) { return fs::path(bytes); }
inline std::string AnsiPath(const fs::path& path) { return path.string(); }
#endif

// What TempFolder and TestDrive have in common: a native folder and the system's name for it.
class FixtureFolder {
public:
    FixtureFolder(const FixtureFolder&) = delete;
    FixtureFolder& operator=(const FixtureFolder&) = delete;

    // The native path of `relative` (written with '/') below the folder.
    fs::path Native(const std::string& relative = std::string()) const
    {
        return relative.empty() ? m_native : (m_native / NativePath(relative)).make_preferred();
    }

    // The system's path of `relative` (written with '/'): the folder, a backslash, and relative
    // with backslashes. Path() is the folder with a trailing backslash ("D:\" on Linux).
    std::string Path(const std::string& relative = std::string()) const
    {
        std::string path = m_system + '\\' + relative;
        for (char& c : path)
            c = c == '/' ? '\\' : c;
        return path;
    }

    // The folder itself as the system names it, without a trailing backslash ("D:" on Linux).
    const std::string& Folder() const { return m_system; }

    void MakeFolder(const std::string& relative) const { fs::create_directories(Native(relative)); }

    void MakeFile(const std::string& relative, const std::string& contents = "x") const
    {
        const fs::path path = Native(relative);
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << contents;
        if (!fs::is_regular_file(path))
            throw std::runtime_error("cannot create " + AnsiPath(path));
    }

protected:
    FixtureFolder() = default;
    ~FixtureFolder() = default;

    // Removes everything below the folder (tests may leave read-only entries behind); the folder
    // itself too unless keepFolder.
    void RemoveAll(bool keepFolder) const
    {
        std::error_code ignored;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(m_native, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        if (!keepFolder) {
            fs::permissions(m_native, fs::perms::owner_all, fs::perm_options::add, ignored);
            fs::remove_all(m_native, ignored);
            return;
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(m_native, ignored))
            fs::remove_all(entry.path(), ignored);
    }

    // A fresh folder below the temporary folder, named prefix and something unique.
    static fs::path MakeUniqueFolder(const std::string& prefix)
    {
#if defined(_WIN32)
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
        std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed for " + pattern);
        return pattern;
#endif
    }

    fs::path m_native;
    std::string m_system;
};

class TempFolder : public FixtureFolder {
public:
    // linuxDrive: the drive letter it is mapped as on Linux.
    explicit TempFolder(const std::string& prefix = "ilt-test", char linuxDrive = 'D')
    {
        m_native = MakeUniqueFolder(prefix);
#if defined(_WIN32)
        (void)linuxDrive;
        m_system = AnsiPath(m_native);
#else
        m_letter = linuxDrive;
        standin::MapDrive(m_letter, m_native.string());
        m_system = std::string{m_letter, ':'};
#endif
    }

    ~TempFolder()
    {
#if !defined(_WIN32)
        standin::UnmapDrive(m_letter);
#endif
        RemoveAll(false);
    }

private:
#if !defined(_WIN32)
    char m_letter = 'D';
#endif
};

class TestDrive : public FixtureFolder {
public:
    // linuxLetter: the drive letter on Linux; on Windows the letter is the test run's.
    explicit TestDrive(char linuxLetter = 'E')
    {
#if defined(_WIN32)
        (void)linuxLetter;
        const char* given = std::getenv("ILT_TEST_DRIVE");
        if (given == nullptr || std::string(given).size() != 1 || !std::isalpha(static_cast<unsigned char>(*given)))
            throw std::runtime_error("ILT_TEST_DRIVE must name a drive letter mapped to an empty folder "
                                     "(ctest does it with scripts/wine-run --drive)");
        m_letter = static_cast<char>(std::toupper(static_cast<unsigned char>(*given)));
        m_native = fs::path(std::string{m_letter, ':', '\\'});
        if (!IsEmptyRoot(m_native))
            throw std::runtime_error(std::string("drive ") + m_letter + ": is not mapped to an empty folder");
#else
        m_letter = linuxLetter;
        m_native = MakeUniqueFolder("ilt-drive");
        standin::MapDrive(m_letter, m_native.string());
#endif
        m_system = std::string{m_letter, ':'};
    }

    ~TestDrive()
    {
#if defined(_WIN32)
        RemoveAll(true);
#else
        standin::UnmapDrive(m_letter);
        RemoveAll(false);
#endif
    }

    char Letter() const { return m_letter; }

private:
#if defined(_WIN32)
    // Whether the drive root exists and holds nothing. (std::filesystem::is_empty cannot tell:
    // a search of an empty drive root finds not even "." and "..", which it takes for an error.)
    static bool IsEmptyRoot(const fs::path& root)
    {
        if (!fs::is_directory(root))
            return false;
        WIN32_FIND_DATAW entry;
        const HANDLE search = ::FindFirstFileW((root / L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE)
            return ::GetLastError() == ERROR_FILE_NOT_FOUND;
        bool empty = true;
        do
            empty = empty && (std::wstring(entry.cFileName) == L"." || std::wstring(entry.cFileName) == L"..");
        while (::FindNextFileW(search, &entry));
        ::FindClose(search);
        return empty;
    }
#endif

    char m_letter = 'E';
};

}  // namespace testsupport
