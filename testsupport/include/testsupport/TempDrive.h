// TempDrive (Linux): a TempFolder mapped as a drive of the run-time stand-in while it lives, so that
// the system reaches its root as "X:\". Unmapped on destruction, before the folder goes.
//
// The Windows build cannot map a drive per test (under Wine, DefineDosDevice reports success but
// maps nothing): tests of both builds take a MappedFolder or TestDrive (MappedFolder.h).
#pragma once

#if defined(_WIN32)
#error "TempDrive maps drives of the run-time stand-in: on Windows take MappedFolder or TestDrive"
#endif

#include <standin/crt.h>

#include <string>

#include "testsupport/TempFolder.h"

namespace testsupport {

class TempDrive {
public:
    using Medium = TempFolder::Medium;

    explicit TempDrive(char letter, const std::string& prefix = "ilt-test", Medium medium = Medium::Disk)
        : m_folder(prefix, medium), m_letter(letter)
    {
        standin::MapDrive(m_letter, m_folder.Root().string());
    }
    ~TempDrive() { standin::UnmapDrive(m_letter); }
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    char Letter() const { return m_letter; }
    const fs::path& Root() const { return m_folder.Root(); }
    fs::path Native(const std::string& relative = std::string()) const { return m_folder.Native(relative); }
    fs::path MakeFolder(const std::string& relative) const { return m_folder.MakeFolder(relative); }
    fs::path MakeFile(const std::string& relative, const std::string& contents = "x") const
    {
        return m_folder.MakeFile(relative, contents);
    }

private:
    TempFolder m_folder;
    char m_letter;
};

}  // namespace testsupport
