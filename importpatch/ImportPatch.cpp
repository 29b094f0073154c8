// Redirects one function that a loaded module imports from a DLL.
#include "importpatch/ImportPatch.h"

#include <cstring>

namespace ilt::win32 {
namespace {

// Writes a pointer into the import address table, which the loader may have
// left read-only.
bool WriteSlot(void** slot, void* value)
{
    DWORD previous = 0;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &previous))
        return false;
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), previous, &previous);
    return true;
}

// The import address table entry of `function` from `dll` in `module`, or nothing.
void** FindSlot(HMODULE module, const char* dll, const char* function)
{
    auto* const base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    for (auto* descriptor = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0)
            continue;
        // The names are in the lookup table; the addresses the loader bound are in the address table.
        const DWORD lookup =
            descriptor->OriginalFirstThunk != 0 ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
        const auto* name = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookup);
        auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; name->u1.AddressOfData != 0; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slot->u1.Function);
        }
    }
    return nullptr;
}

}  // namespace

ImportPatch::ImportPatch(HMODULE module, const char* dll, const char* function, void* replacement)
{
    if (module == nullptr)
        return;
    m_slot = FindSlot(module, dll, function);
    if (m_slot == nullptr)
        return;
    m_original = *m_slot;
    if (!WriteSlot(m_slot, replacement))
        m_slot = nullptr;
}

ImportPatch::~ImportPatch()
{
    if (m_slot != nullptr)
        WriteSlot(m_slot, m_original);
}

}  // namespace ilt::win32
