// Resources: FindResource/LoadResource over the standard 32-bit .res format that
// a module carries in its WIN32RES note.
//
// A .res file is a sequence of entries, each a RESOURCEHEADER (DataSize, HeaderSize,
// TYPE, NAME, DataVersion, MemoryFlags, LanguageId, Version, Characteristics; the
// TYPE and NAME are an ordinal 0xFFFF,id or a UTF-16 string) followed by the data,
// each entry DWORD aligned.  The first entry is an empty one that marks the format.
//
// Not implemented: updating resources, enumeration (EnumResource*), string tables
// (LoadString), message tables, FreeResource (obsolete since 32-bit Windows).
#include "kernel32.h"
#include "text.h"

#include <dlgtemplate/DialogTemplate.h>

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>

namespace win32 {
namespace {

struct ResourceEntry {
    dlgtemplate::ResourceId type;
    dlgtemplate::ResourceId name;
    WORD language = 0;
    const uint8_t* data = nullptr;
    DWORD size = 0;
};

struct Directory {
    const uint8_t* note = nullptr;
    size_t noteSize = 0;
    std::deque<ResourceEntry> entries;  // stable addresses: an HRSRC points at one
    bool valid = false;
};

// Directories are never freed: an HRSRC stays a valid pointer for the life of
// the process, even across an unload and reload of its module.
std::map<uintptr_t, std::vector<std::unique_ptr<Directory>>>& Directories()
{
    static std::map<uintptr_t, std::vector<std::unique_ptr<Directory>>> directories;
    return directories;
}

uint32_t ReadDword(const uint8_t* p)
{
    uint32_t value;
    std::memcpy(&value, p, sizeof(value));
    return value;
}

uint16_t ReadWord(const uint8_t* p)
{
    uint16_t value;
    std::memcpy(&value, p, sizeof(value));
    return value;
}

// Reads an ordinal or a string at `offset` within [.., end); moves `offset` past it.
bool ReadId(const uint8_t* base, size_t& offset, size_t end, dlgtemplate::ResourceId& id)
{
    if (offset + 2 > end)
        return false;
    if (ReadWord(base + offset) == 0xFFFF) {
        if (offset + 4 > end)
            return false;
        id.isOrdinal = true;
        id.ordinal = ReadWord(base + offset + 2);
        offset += 4;
        return true;
    }
    std::u16string name;
    while (true) {
        if (offset + 2 > end)
            return false;
        const uint16_t unit = ReadWord(base + offset);
        offset += 2;
        if (unit == 0)
            break;
        name.push_back(static_cast<char16_t>(unit));
    }
    id.isOrdinal = false;
    id.name = Utf16ToUtf8(reinterpret_cast<const WCHAR*>(name.data()), name.size());
    return true;
}

bool Parse(Directory& directory)
{
    const uint8_t* p = directory.note;
    const size_t size = directory.noteSize;
    size_t offset = 0;
    while (offset + 8 <= size) {
        const uint32_t dataSize = ReadDword(p + offset);
        const uint32_t headerSize = ReadDword(p + offset + 4);
        if (headerSize < 16 + 8 || headerSize > size - offset || dataSize > size - offset - headerSize)
            return false;
        const size_t headerEnd = offset + headerSize;
        size_t cursor = offset + 8;
        ResourceEntry entry;
        if (!ReadId(p, cursor, headerEnd, entry.type) || !ReadId(p, cursor, headerEnd, entry.name))
            return false;
        cursor = offset + ((cursor - offset + 3) & ~size_t{3});
        if (cursor + 16 > headerEnd)
            return false;
        entry.language = ReadWord(p + cursor + 6);
        entry.data = p + headerEnd;
        entry.size = dataSize;
        if (!(entry.type.isOrdinal && entry.type.ordinal == 0))
            directory.entries.push_back(entry);
        offset = (headerEnd + dataSize + 3) & ~size_t{3};
    }
    return true;
}

const Directory* DirectoryOf(HMODULE module)
{
    auto info = FindModule(module);
    if (!info) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (!info->resources) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    auto& list = Directories()[reinterpret_cast<uintptr_t>(info->handle)];
    if (list.empty() || list.back()->note != info->resources || list.back()->noteSize != info->resourcesSize) {
        auto directory = std::make_unique<Directory>();
        directory->note = info->resources;
        directory->noteSize = info->resourcesSize;
        directory->valid = Parse(*directory);
        list.push_back(std::move(directory));
    }
    if (!list.back()->valid) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    return list.back().get();
}

// An ordinal, "#123" (an ordinal written as text), or a name, which Windows
// compares without regard to case.
dlgtemplate::ResourceId IdOf(LPCSTR text)
{
    dlgtemplate::ResourceId id;
    if (IS_INTRESOURCE(text)) {
        id.ordinal = static_cast<uint16_t>(reinterpret_cast<ULONG_PTR>(text));
        return id;
    }
    if (text[0] == '#' && text[1]) {
        unsigned long value = 0;
        const char* p = text + 1;
        while (*p >= '0' && *p <= '9' && value <= 0xFFFF)
            value = value * 10 + static_cast<unsigned long>(*p++ - '0');
        if (!*p && value <= 0xFFFF) {
            id.ordinal = static_cast<uint16_t>(value);
            return id;
        }
    }
    id.isOrdinal = false;
    id.name = text;
    return id;
}

bool IdMatches(const dlgtemplate::ResourceId& wanted, const dlgtemplate::ResourceId& have)
{
    if (wanted.isOrdinal != have.isOrdinal)
        return false;
    return wanted.isOrdinal ? wanted.ordinal == have.ordinal : CompareIgnoringCase(wanted.name, have.name) == 0;
}

}  // namespace

}  // namespace win32

using namespace win32;

HRSRC WINAPI FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const Directory* directory = DirectoryOf(module);
    if (!directory)
        return nullptr;
    const dlgtemplate::ResourceId wantedType = IdOf(type);
    const dlgtemplate::ResourceId wantedName = IdOf(name);
    bool typeFound = false;
    std::vector<const ResourceEntry*> candidates;
    for (const ResourceEntry& entry : directory->entries) {
        if (!IdMatches(wantedType, entry.type))
            continue;
        typeFound = true;
        if (IdMatches(wantedName, entry.name))
            candidates.push_back(&entry);
    }
    if (candidates.empty()) {
        SetLastError(typeFound ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return nullptr;
    }
    // As Windows looks: the language asked for, its primary language without a
    // sublanguage, language-neutral; without a language asked for, then the
    // user's (English (United States) here) and English; at last the first.
    const WORD userLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const bool anyLanguage = PRIMARYLANGID(language) == LANG_NEUTRAL;
    const std::function<bool(WORD)> preferences[] = {
        [&](WORD l) { return l == language; },
        [&](WORD l) { return l == MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL); },
        [&](WORD l) { return l == MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL); },
        [&](WORD l) { return anyLanguage && l == userLanguage; },
        [&](WORD l) { return anyLanguage && l == MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL); },
    };
    for (const auto& preferred : preferences) {
        for (const ResourceEntry* entry : candidates) {
            if (preferred(entry->language))
                return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
        }
    }
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(candidates.front()));
}

HRSRC WINAPI FindResourceA(HMODULE module, LPCSTR name, LPCSTR type)
{
    return FindResourceExA(module, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC resource)
{
    if (!resource) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const auto* entry = reinterpret_cast<const ResourceEntry*>(resource);
    return const_cast<uint8_t*>(entry->data);
}

LPVOID WINAPI LockResource(HGLOBAL data) { return data; }

DWORD WINAPI SizeofResource(HMODULE, HRSRC resource)
{
    if (!resource) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return reinterpret_cast<const ResourceEntry*>(resource)->size;
}
