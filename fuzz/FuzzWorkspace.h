// A scratch folder for one fuzzing process, mapped as drive F: so that the
// system under test sees it through Windows paths ("F:\lib\..."). It is made
// on first use and removed when the process exits normally.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <testsupport/TempDrive.h>

namespace fuzz {

class Workspace {
public:
    // The process's workspace.
    static Workspace& Get();

    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    // Native path of `relative` (written with '/') inside the workspace.
    std::string Native(const std::string& relative) const;

    // Replaces the file `relative` by `size` bytes of `data`, making its folders.
    void Write(const std::string& relative, const std::uint8_t* data, std::size_t size) const;
    // The whole contents of the file `relative`.
    std::string Read(const std::string& relative) const;
    // The names in the folder `relative`, sorted, without "." and "..".
    std::vector<std::string> Entries(const std::string& relative) const;

private:
    Workspace() = default;
    testsupport::TempDrive m_drive{'F', "ilt-fuzz"};
};

// Reports a broken invariant and aborts, which libFuzzer records as a crash
// with the input that caused it.
[[noreturn]] void Fail(const std::string& what);

}  // namespace fuzz
