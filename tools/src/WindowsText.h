// WindowsText.h - the conversions and messages of the Windows build: paths in
// the ANSI code page to the UTF-16 that the system's wide functions take, and
// the words for an error.
#pragma once

#include <optional>
#include <string>

namespace layouttool {

// An ANSI path as UTF-16 (every ANSI byte has a character).
std::wstring WideFromAnsi(const std::string& ansi);

// UTF-16 in the ANSI code page, exactly: nothing when a character has no
// form there (no best-fit substitutes, no '?').
std::optional<std::string> AnsiFromWide(const std::wstring& wide);

// UTF-16 in the ANSI code page, a '?' for each character that has no form there.
std::string AnsiFromWideLossy(const std::wstring& wide);

// UTF-16 as UTF-8.
std::string Utf8FromWide(const std::wstring& wide);

// The system's words for a Win32 error code, without the line end.
std::string SystemMessage(unsigned long error);

// The C run-time's words for an errno value.
std::string ErrnoText(int error);

}  // namespace layouttool
