// The shell calls of both shell test programs (the Win32 one, run on both
// sides, and the stand-in's own): the desktop folder's ParseDisplayName,
// SHGetPathFromIDListA, and id lists freed through the shell allocator, as the
// module does.
#pragma once

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace shellcalls {

using WideString = std::basic_string<WCHAR>;

// `text` in the ANSI code page, widened.
inline WideString Wide(const std::string& text)
{
    WideString wide(text.size() + 1, 0);
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length - 1) : 0);
    return wide;
}

inline void FreeIdList(LPITEMIDLIST list)
{
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, SHGetMalloc(&allocator));
    allocator->Free(list);
    allocator->Release();
}

// The path of an id list, or "<none>" when SHGetPathFromIDListA fails (the
// buffer is then "").
inline std::string PathOf(LPCITEMIDLIST list)
{
    char path[MAX_PATH];
    std::memset(path, 'x', sizeof(path));
    if (SHGetPathFromIDListA(list, path))
        return path;
    EXPECT_STREQ("", path) << "a failed SHGetPathFromIDListA leaves an empty buffer";
    return "<none>";
}

// The desktop's id list for `name` (the caller frees it), with the call's
// result in *result. A failed call must set the list to NULL.
inline LPITEMIDLIST ParseToIdList(const std::string& name, HRESULT* result)
{
    IShellFolder* desktop = nullptr;
    EXPECT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    WideString wide = Wide(name);
    LPITEMIDLIST list = reinterpret_cast<LPITEMIDLIST>(1);
    *result = desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list, nullptr);
    desktop->Release();
    if (FAILED(*result)) {
        EXPECT_EQ(nullptr, list) << name << ": a failed ParseDisplayName leaves a list";
        return nullptr;
    }
    return list;
}

// The desktop's id list for `name`, which must parse (the caller frees it).
inline LPITEMIDLIST IdListOf(const std::string& name)
{
    HRESULT result = E_FAIL;
    const LPITEMIDLIST list = ParseToIdList(name, &result);
    EXPECT_EQ(S_OK, result) << name;
    return list;
}

struct Parsed {
    HRESULT result = E_FAIL;
    std::string path;  // what SHGetPathFromIDListA gives for the list
};

inline Parsed Parse(const std::string& name)
{
    Parsed parsed;
    const LPITEMIDLIST list = ParseToIdList(name, &parsed.result);
    if (list != nullptr) {
        parsed.path = PathOf(list);
        FreeIdList(list);
    }
    return parsed;
}

}  // namespace shellcalls
