// Windows: a path in the ANSI code page, as the callers give it, in the UTF-16 form that the C
// run-time's wide file functions take; "" when it does not convert.
#pragma once

#if defined(_WIN32)
#include <windows.h>

#include <string>

namespace corvane {

inline std::wstring WidePath(const std::string& path)
{
    if (path.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

}  // namespace corvane
#endif
