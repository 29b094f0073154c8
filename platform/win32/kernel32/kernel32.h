// Private interface of kernel32: the module table (loaded ELF objects as Win32
// modules), which the resources are found through.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace win32 {

struct ModuleInfo {
    HMODULE handle = nullptr;            // base address of the object (its ELF header)
    std::string path;                    // as the dynamic loader reports it; the executable's real path
    const uint8_t* resources = nullptr;  // contents of the WIN32RES note, if any
    size_t resourcesSize = 0;
};

// The loaded object whose base address is `module` (NULL: the executable).
std::optional<ModuleInfo> FindModule(HMODULE module);

}  // namespace win32
