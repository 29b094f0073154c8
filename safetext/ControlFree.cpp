// Text fit to be written where a terminal may show it.
#include "safetext/ControlFree.h"

#include "safetext/Utf8.h"

namespace ilt {

bool IsControlCharacter(char32_t c)
{
    const bool c0OrC1 = c < 0x20 || (c >= 0x7F && c < 0xA0);
    const bool formatControl = (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
                               (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF9 && c <= 0xFFFB) ||
                               c == 0x061C;
    return c0OrC1 || formatControl;
}

std::string ControlFree(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        char32_t c = 0;
        if (!DecodeUtf8(text, pos, c) || IsControlCharacter(c))
            safe += '?';
        else
            safe.append(text.substr(start, pos - start));
    }
    return safe;
}

}  // namespace ilt
