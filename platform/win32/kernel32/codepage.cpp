// Code-page conversion from the ANSI code page (UTF-8 here) to UTF-16.
//
// Not implemented: code pages other than UTF-8 (CP_ACP, CP_OEMCP, CP_THREAD_ACP
// and CP_UTF8 all mean UTF-8), composition (MB_COMPOSITE), the conversion back
// (WideCharToMultiByte), GetACP.
#include "text.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsUtf8CodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
}

}  // namespace

using namespace win32;

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH source, int sourceLength, LPWSTR target,
                               int targetLength)
{
    if (!IsUtf8CodePage(codePage) || !source || sourceLength == 0 || targetLength < 0 ||
        (targetLength > 0 && !target)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Windows takes MB_PRECOMPOSED, MB_COMPOSITE and MB_USEGLYPHCHARS for UTF-8
    // too, and ignores them there (its documentation says UTF-8 takes only
    // MB_ERR_INVALID_CHARS; since Vista it is not so).
    const DWORD allowed = MB_ERR_INVALID_CHARS | MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS;
    if (flags & ~allowed) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    // A negative length converts through the terminator and counts it.
    const size_t length = sourceLength < 0 ? std::strlen(source) + 1 : static_cast<size_t>(sourceLength);
    bool invalid = false;
    const std::u16string wide = EncodeUtf16(DecodeUtf8(source, length, &invalid));
    if (invalid && (flags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    const int needed = static_cast<int>(wide.size());
    if (targetLength == 0)
        return needed;
    if (targetLength < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(target, wide.data(), wide.size() * sizeof(WCHAR));
    return needed;
}
