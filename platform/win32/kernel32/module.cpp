// Modules: loaded ELF objects seen as Win32 modules, and the resources they carry.
//
// A module handle is the base address of a loaded object, as dladdr reports it
// (dli_fbase).  A module's compiled resources (.res) travel in an allocated ELF
// note with the name "WIN32RES", which the linker puts in a PT_NOTE segment.
//
// Not implemented: LoadLibrary/FreeLibrary, reference counts (GET_MODULE_HANDLE_EX_
// FLAG_PIN is accepted and changes nothing).
#include "kernel32.h"
#include "text.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstring>

namespace win32 {
namespace {

constexpr char kNoteName[] = "WIN32RES";

uintptr_t BaseOf(const dl_phdr_info& info)
{
    uintptr_t lowest = UINTPTR_MAX;
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info.dlpi_phdr[i];
        if (ph.p_type == PT_LOAD && ph.p_offset == 0 && ph.p_vaddr < lowest)
            lowest = ph.p_vaddr;
    }
    if (lowest == UINTPTR_MAX)
        return 0;
    return info.dlpi_addr + lowest;
}

size_t Align(size_t value, size_t alignment) { return (value + alignment - 1) & ~(alignment - 1); }

void FindNote(const dl_phdr_info& info, ModuleInfo& module)
{
    for (int i = 0; i < info.dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info.dlpi_phdr[i];
        if (ph.p_type != PT_NOTE)
            continue;
        const size_t alignment = ph.p_align == 8 ? 8 : 4;
        const auto* p = reinterpret_cast<const uint8_t*>(info.dlpi_addr + ph.p_vaddr);
        size_t offset = 0;
        while (offset + 12 <= ph.p_memsz) {
            uint32_t header[3];
            std::memcpy(header, p + offset, sizeof(header));
            const size_t nameOffset = offset + 12;
            const size_t descOffset = nameOffset + Align(header[0], alignment);
            const size_t next = descOffset + Align(header[1], alignment);
            if (descOffset > ph.p_memsz || descOffset + header[1] > ph.p_memsz)
                break;
            if (header[0] == sizeof(kNoteName) && std::memcmp(p + nameOffset, kNoteName, sizeof(kNoteName)) == 0) {
                module.resources = p + descOffset;
                module.resourcesSize = header[1];
                return;
            }
            offset = next;
        }
    }
}

struct Search {
    uintptr_t wanted = 0;  // 0: the executable (the first object reported)
    bool first = true;
    bool found = false;
    ModuleInfo result;
};

int Visit(dl_phdr_info* info, size_t, void* data)
{
    auto& search = *static_cast<Search*>(data);
    const bool isExecutable = search.first;
    search.first = false;
    const uintptr_t base = BaseOf(*info);
    if (search.wanted ? base != search.wanted : !isExecutable)
        return 0;
    search.found = true;
    search.result.handle = reinterpret_cast<HMODULE>(base);
    search.result.path = info->dlpi_name ? info->dlpi_name : "";
    if (isExecutable || search.result.path.empty()) {
        char path[PATH_MAX];
        const ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
        search.result.path = n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
    }
    FindNote(*info, search.result);
    return 1;
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "libwin32.so.0.2" -> "libwin32.so": the loader opens a versioned library by
// its SONAME, and a module's name carries no version on Windows.
std::string WithoutVersion(const std::string& base)
{
    const size_t so = base.find(".so.");
    if (so == std::string::npos || base.find_first_not_of("0123456789.", so + 4) != std::string::npos)
        return base;
    return base.substr(0, so + 3);
}

// A name given without an extension stands for the shared object of that name,
// as Windows appends ".dll": "win32" finds libwin32.so (or libwin32.so.0.2), so
// does "libwin32.so".
bool NameMatches(const std::string& path, const std::string& wanted)
{
    const std::string base = BaseName(path);
    const std::string unversioned = WithoutVersion(base);
    const std::string name = BaseName(wanted);
    return EqualIgnoringCaseAscii(base, name) || EqualIgnoringCaseAscii(unversioned, name) ||
           EqualIgnoringCaseAscii(unversioned, name + ".so") ||
           EqualIgnoringCaseAscii(unversioned, "lib" + name + ".so");
}

struct NameSearch {
    std::string wanted;
    HMODULE found = nullptr;
};

int VisitByName(dl_phdr_info* info, size_t, void* data)
{
    auto& search = *static_cast<NameSearch*>(data);
    if (info->dlpi_name && *info->dlpi_name && NameMatches(info->dlpi_name, search.wanted)) {
        search.found = reinterpret_cast<HMODULE>(BaseOf(*info));
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<ModuleInfo> FindModule(HMODULE module)
{
    Search search;
    search.wanted = reinterpret_cast<uintptr_t>(module);
    dl_iterate_phdr(Visit, &search);
    if (!search.found)
        return std::nullopt;
    return search.result;
}

}  // namespace win32

using namespace win32;

HMODULE WINAPI GetModuleHandleA(LPCSTR name)
{
    if (!name) {
        auto executable = FindModule(nullptr);
        return executable ? executable->handle : nullptr;
    }
    NameSearch search;
    search.wanted = name;
    dl_iterate_phdr(VisitByName, &search);
    if (!search.found) {
        // The executable answers to its own file name too.
        auto executable = FindModule(nullptr);
        if (executable && NameMatches(executable->path, name))
            return executable->handle;
        SetLastError(ERROR_MOD_NOT_FOUND);
    }
    return search.found;
}

BOOL WINAPI GetModuleHandleExA(DWORD flags, LPCSTR name, HMODULE* module)
{
    if (!module) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *module = nullptr;
    if (flags & ~static_cast<DWORD>(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT |
                                    GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) {
        Dl_info info{};
        if (!name || !dladdr(name, &info) || !info.dli_fbase) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return FALSE;
        }
        *module = static_cast<HMODULE>(info.dli_fbase);
        return TRUE;
    }
    *module = GetModuleHandleA(name);
    return *module != nullptr;
}

// Windows copies what fits, terminates it, and reports a truncation with
// ERROR_INSUFFICIENT_BUFFER and the buffer size as the result.
DWORD WINAPI GetModuleFileNameA(HMODULE handle, LPSTR buffer, DWORD size)
{
    auto module = FindModule(handle);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!buffer || size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const int copied = CopyToBuffer(module->path, buffer, static_cast<int>(size > INT_MAX ? INT_MAX : size));
    if (static_cast<size_t>(copied) < module->path.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(copied);
}
