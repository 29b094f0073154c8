// Conversions between the ANSI code page, UTF-16 and UTF-8, and error texts.

#include "WindowsText.h"

#include <windows.h>

#include <cstring>

namespace layouttool {
namespace {

std::string Narrow(const std::wstring& wide, UINT codePage, DWORD flags, BOOL* usedDefault)
{
    if (wide.empty())
        return std::string();
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, usedDefault);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), narrow.data(), length,
                              nullptr, usedDefault);
    return narrow;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& ansi)
{
    if (ansi.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return wide;
}

std::optional<std::string> AnsiFromWide(const std::wstring& wide)
{
    BOOL usedDefault = FALSE;
    std::string ansi = Narrow(wide, CP_ACP, WC_NO_BEST_FIT_CHARS, &usedDefault);
    // A code page that maps nothing by default character may still not
    // round-trip (a character that is two in UTF-16): compare.
    if (usedDefault || WideFromAnsi(ansi) != wide)
        return std::nullopt;
    return ansi;
}

std::string AnsiFromWideLossy(const std::wstring& wide) { return Narrow(wide, CP_ACP, WC_NO_BEST_FIT_CHARS, nullptr); }

std::string Utf8FromWide(const std::wstring& wide) { return Narrow(wide, CP_UTF8, 0, nullptr); }

std::string SystemMessage(unsigned long error)
{
    char* text = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 && text != nullptr ? std::string(text, length) : std::string();
    ::LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message.empty() ? "system error " + std::to_string(error) : message;
}

std::string ErrnoText(int error) { return std::strerror(error); }

}  // namespace layouttool
