// Private text helpers of the win32 stand-in: UTF-8/UTF-16 conversion, case-
// insensitive comparison, copying into caller buffers.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

// Decodes UTF-8; each ill-formed sequence (maximal subpart) becomes U+FFFD and
// sets *invalid.  Overlong forms, surrogates and values above U+10FFFF are ill-formed.
std::u32string DecodeUtf8(const char* text, size_t length, bool* invalid);
// Decodes UTF-16; an unpaired surrogate becomes U+FFFD and sets *invalid.
std::u32string DecodeUtf16(const WCHAR* text, size_t length, bool* invalid);
std::u16string EncodeUtf16(const std::u32string& text);
std::string EncodeUtf8(const std::u32string& text);
std::string Utf16ToUtf8(const WCHAR* text, size_t length);
std::u16string Utf8ToUtf16(const std::string& text);

// Simple case folding of Latin, Greek, Cyrillic and fullwidth Latin letters;
// other code points fold to themselves.
char32_t FoldCase(char32_t c);
// Compares UTF-8 strings by their case-folded code points: <0, 0, >0.
int CompareIgnoringCase(const std::string& a, const std::string& b);
// True when `text` begins with `prefix`, ignoring case.
bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix);
// Case-insensitive for ASCII letters only (window class names).
bool EqualIgnoringCaseAscii(const std::string& a, const std::string& b);

std::string CopyString(LPCSTR text);  // NULL gives ""
// Copies `text` into `buffer` of `size` chars, truncating and always terminating;
// returns the chars copied without the terminator (0 when size <= 0).
int CopyToBuffer(const std::string& text, LPSTR buffer, int size);

}  // namespace win32
