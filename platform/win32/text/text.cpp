// Text helpers: UTF-8 and UTF-16 coding, simple case folding, buffer copies.
//
// Not implemented: full Unicode case folding (scripts other than Latin, Greek,
// Cyrillic and fullwidth Latin compare by code point), normalisation.
#include "text.h"

#include <algorithm>
#include <cstring>

namespace win32 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Pairs of upper- and lower-case letters at even/odd code points.
bool InEvenOddPairs(char32_t c)
{
    return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) || (c >= 0x014A && c <= 0x0177) ||
           (c >= 0x0460 && c <= 0x0481) || (c >= 0x048A && c <= 0x04BF) || (c >= 0x04D0 && c <= 0x052F) ||
           (c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF) || (c >= 0x03D8 && c <= 0x03EF);
}

bool InOddEvenPairs(char32_t c)
{
    return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E) || (c >= 0x04C1 && c <= 0x04CE);
}

}  // namespace

std::u32string DecodeUtf8(const char* text, size_t length, bool* invalid)
{
    std::u32string out;
    out.reserve(length);
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (i < length) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t value = 0;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
            value = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            value = b & 0x0F;
            if (b == 0xE0)
                low = 0xA0;  // no overlong forms
            if (b == 0xED)
                high = 0x9F;  // no surrogates
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            value = b & 0x07;
            if (b == 0xF0)
                low = 0x90;
            if (b == 0xF4)
                high = 0x8F;  // nothing above U+10FFFF
        } else {
            out.push_back(kReplacement);
            if (invalid)
                *invalid = true;
            ++i;
            continue;
        }
        size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            const unsigned char lo = k == 0 ? low : 0x80;
            const unsigned char hi = k == 0 ? high : 0xBF;
            if (j >= length || s[j] < lo || s[j] > hi) {
                ok = false;
                break;
            }
            value = (value << 6) | (s[j] & 0x3F);
        }
        if (ok) {
            out.push_back(value);
        } else {
            // The maximal subpart (lead byte and the valid continuation bytes so far) is replaced once.
            out.push_back(kReplacement);
            if (invalid)
                *invalid = true;
        }
        i = j;
    }
    return out;
}

std::u32string DecodeUtf16(const WCHAR* text, size_t length, bool* invalid)
{
    std::u32string out;
    out.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        const char32_t unit = static_cast<uint16_t>(text[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < length) {
            const char32_t next = static_cast<uint16_t>(text[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                out.push_back(0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.push_back(kReplacement);
            if (invalid)
                *invalid = true;
            continue;
        }
        out.push_back(unit);
    }
    return out;
}

std::u16string EncodeUtf16(const std::u32string& text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

std::string EncodeUtf8(const std::u32string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string Utf16ToUtf8(const WCHAR* text, size_t length) { return EncodeUtf8(DecodeUtf16(text, length, nullptr)); }

std::u16string Utf8ToUtf16(const std::string& text)
{
    return EncodeUtf16(DecodeUtf8(text.data(), text.size(), nullptr));
}

char32_t FoldCase(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) ||
        (c >= 0x0410 && c <= 0x042F) || (c >= 0xFF21 && c <= 0xFF3A))
        return c + 32;
    if (c >= 0x0400 && c <= 0x040F)
        return c + 80;
    if (InEvenOddPairs(c))
        return c | 1;
    if (InOddEvenPairs(c))
        return (c & 1) ? c + 1 : c;
    switch (c) {
    case 0x00B5: return 0x03BC;  // micro sign
    case 0x0178: return 0x00FF;
    case 0x017F: return 's';
    case 0x0386: return 0x03AC;
    case 0x0388:
    case 0x0389:
    case 0x038A: return c + 37;
    case 0x038C: return 0x03CC;
    case 0x038E:
    case 0x038F: return c + 63;
    case 0x03C2: return 0x03C3;  // final sigma
    case 0x04C0: return 0x04CF;
    case 0x1E9E: return 0x00DF;  // capital sharp s
    case 0x212A: return 'k';     // Kelvin sign
    case 0x212B: return 0x00E5;  // Angstrom sign
    default: return c;
    }
}

namespace {

bool IsAscii(const std::string& text)
{
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

}  // namespace

int CompareIgnoringCase(const std::string& a, const std::string& b)
{
    // ASCII text decodes to itself: compared in place, without decoding.
    if (IsAscii(a) && IsAscii(b)) {
        const size_t n = std::min(a.size(), b.size());
        for (size_t i = 0; i < n; ++i) {
            const char32_t p = FoldCase(static_cast<unsigned char>(a[i]));
            const char32_t q = FoldCase(static_cast<unsigned char>(b[i]));
            if (p != q)
                return p < q ? -1 : 1;
        }
        if (a.size() == b.size())
            return 0;
        return a.size() < b.size() ? -1 : 1;
    }
    const std::u32string x = DecodeUtf8(a.data(), a.size(), nullptr);
    const std::u32string y = DecodeUtf8(b.data(), b.size(), nullptr);
    const size_t n = std::min(x.size(), y.size());
    for (size_t i = 0; i < n; ++i) {
        const char32_t p = FoldCase(x[i]);
        const char32_t q = FoldCase(y[i]);
        if (p != q)
            return p < q ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    const std::u32string t = DecodeUtf8(text.data(), text.size(), nullptr);
    const std::u32string p = DecodeUtf8(prefix.data(), prefix.size(), nullptr);
    if (p.size() > t.size())
        return false;
    for (size_t i = 0; i < p.size(); ++i) {
        if (FoldCase(t[i]) != FoldCase(p[i]))
            return false;
    }
    return true;
}

bool EqualIgnoringCaseAscii(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string CopyString(LPCSTR text) { return text ? std::string(text) : std::string(); }

int CopyToBuffer(const std::string& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    const size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

}  // namespace win32
