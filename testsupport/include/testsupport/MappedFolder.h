// Fixture folders for tests that run on both builds, named the way the system names paths
// (backslashes, a drive designator, the ANSI code page).
//
// MappedFolder: a fresh TempFolder. On Linux it is a TempDrive, so the system reaches it as
// "D:\..."; on Windows the system reaches it by its own path ("C:\users\...\Temp\...").
//
// TestDrive: a drive whose root the test owns. On Linux a TempDrive. On Windows the drive that the
// environment variable ILT_TEST_DRIVE names, which the test run maps to a fresh, empty folder
// (scripts/wine-run --drive: under Wine, DefineDosDevice reports success but maps nothing); what
// the test made there is removed on destruction.
#pragma once

#include <cctype>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "testsupport/TempFolder.h"
#if !defined(_WIN32)
#include "testsupport/TempDrive.h"
#endif

namespace testsupport {

// What MappedFolder and TestDrive have in common: a native folder and the system's name for it.
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
        WriteFileAt(Native(relative), contents);
    }

protected:
    FixtureFolder() = default;
    ~FixtureFolder() = default;

    fs::path m_native;
    std::string m_system;
};

class MappedFolder : public FixtureFolder {
public:
    // linuxDrive: the drive letter it is mapped as on Linux.
    explicit MappedFolder(const std::string& prefix = "ilt-test", char linuxDrive = 'D')
    {
#if defined(_WIN32)
        (void)linuxDrive;
        m_folder = std::make_unique<TempFolder>(prefix);
        m_native = m_folder->Root();
        m_system = AnsiPath(m_native);
#else
        m_folder = std::make_unique<TempDrive>(linuxDrive, prefix);
        m_native = m_folder->Root();
        m_system = std::string{linuxDrive, ':'};
#endif
    }

private:
#if defined(_WIN32)
    std::unique_ptr<TempFolder> m_folder;
#else
    std::unique_ptr<TempDrive> m_folder;
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
            throw std::runtime_error(
                "ILT_TEST_DRIVE must name a drive letter mapped to an empty folder "
                "(ctest does it with scripts/wine-run --drive)");
        m_letter = static_cast<char>(std::toupper(static_cast<unsigned char>(*given)));
        m_native = fs::path(std::string{m_letter, ':', '\\'});
        if (!IsEmptyRoot(m_native))
            throw std::runtime_error(std::string("drive ") + m_letter + ": is not mapped to an empty folder");
#else
        m_letter = linuxLetter;
        m_drive = std::make_unique<TempDrive>(linuxLetter, "ilt-drive");
        m_native = m_drive->Root();
#endif
        m_system = std::string{m_letter, ':'};
    }

    ~TestDrive()
    {
#if defined(_WIN32)
        RemoveTree(m_native, true);
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
#else
    std::unique_ptr<TempDrive> m_drive;
#endif

    char m_letter = 'E';
};

}  // namespace testsupport
