// Conversions of the system's narrow text.

#include "Text.h"

#if defined(_WIN32)
#include <windows.h>
#endif

#include <map>

#include "safetext/ControlFree.h"

namespace layouttool {
namespace {

std::map<std::string, std::string>& ArgumentsOutsideCodePage()
{
    static std::map<std::string, std::string> arguments;
    return arguments;
}

#if defined(_WIN32)
std::wstring Wide(std::string_view text, UINT codePage)
{
    if (text.empty())
        return std::wstring();
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage)
{
    if (wide.empty())
        return std::string();
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length = ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), narrow.data(), length,
                              nullptr, nullptr);
    return narrow;
}
#endif

}  // namespace

std::string SystemToUtf8(std::string_view text)
{
#if defined(_WIN32)
    return Narrow(Wide(text, CP_ACP), CP_UTF8);
#else
    return std::string(text);
#endif
}

std::string Utf8ToSystemLossy(std::string_view utf8)
{
#if defined(_WIN32)
    return Narrow(Wide(utf8, CP_UTF8), CP_ACP);
#else
    return std::string(utf8);
#endif
}

std::string ShownText(std::string_view text)
{
#if defined(_WIN32)
    return Narrow(Wide(ilt::ControlFree(SystemToUtf8(text)), CP_UTF8), CP_ACP);
#else
    return ilt::ControlFree(text);
#endif
}

std::string CodePageName()
{
#if defined(_WIN32)
    return std::to_string(::GetACP());
#else
    return "UTF-8";
#endif
}

std::optional<std::string> OutsideCodePage(const std::string& argument)
{
    const auto found = ArgumentsOutsideCodePage().find(argument);
    if (found == ArgumentsOutsideCodePage().end())
        return std::nullopt;
    return found->second;
}

void NoteOutsideCodePage(const std::string& argument, const std::string& exactUtf8)
{
    ArgumentsOutsideCodePage()[argument] = exactUtf8;
}

std::string CodePageProblem(const std::string& argument)
{
    return OutsideCodePage(argument) ? OutsideCodePageProblem() : std::string();
}

std::string OutsideCodePageProblem()
{
    return "holds characters that the ANSI code page (" + CodePageName() +
           ") cannot write, and the dialog's paths are written in it: the dialog could never open it";
}

}  // namespace layouttool
