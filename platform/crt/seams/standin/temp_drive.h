// A temporary folder mapped as a drive, for tests: made on construction;
// unmapped, and removed with everything in it, on destruction.
#pragma once

#include <standin/crt.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace standin {

class TempDrive {
public:
    // Memory puts the folder on a memory file system where the machine has
    // one (/dev/shm): for tests that make and remove many entries.
    enum class Medium { Disk, Memory };

    explicit TempDrive(char letter, const std::string& prefix = "ilt-test", Medium medium = Medium::Disk)
        : m_letter(letter)
    {
        const bool inMemory = medium == Medium::Memory && ::access("/dev/shm", W_OK) == 0;
        const std::filesystem::path base =
            inMemory ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path();
        std::string pattern = (base / (prefix + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("TempDrive: mkdtemp failed for " + pattern);
        m_root = pattern;
        MapDrive(m_letter, m_root.string());
    }

    ~TempDrive()
    {
        UnmapDrive(m_letter);
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::filesystem::path& Root() const { return m_root; }

    // Native path of `relative` (written with '/') below the drive's folder.
    std::filesystem::path Native(const std::string& relative = std::string()) const
    {
        return relative.empty() ? m_root : m_root / relative;
    }

private:
    char m_letter;
    std::filesystem::path m_root;
};

}  // namespace standin
