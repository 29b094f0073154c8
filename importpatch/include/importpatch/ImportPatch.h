// Redirects one function that a loaded module imports from a DLL: the entry
// for it in the module's import address table points at a replacement for the
// patch's lifetime. Other modules' calls are not affected.
#pragma once

#include <windows.h>

namespace ilt::win32 {

class ImportPatch {
public:
    // Patches `module`'s import of `function` from `dll` (the DLL's name is
    // compared case-insensitively). Installed() tells whether it was found.
    ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Installed() const { return m_slot != nullptr; }
    // What the entry pointed at before: the function to call on.
    void* Original() const { return m_original; }

private:
    void** m_slot = nullptr;
    void* m_original = nullptr;
};

}  // namespace ilt::win32
