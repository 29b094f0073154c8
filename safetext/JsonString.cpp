// JSON string literals of text.
#include "safetext/JsonString.h"

#include <cstdio>

#include "safetext/ControlFree.h"
#include "safetext/Utf8.h"

namespace ilt {

std::string JsonString(std::string_view utf8)
{
    std::string json = "\"";
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t c = 0;
        if (!DecodeUtf8(utf8, pos, c)) {
            json += "\\ufffd";
            continue;
        }
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (IsControlCharacter(c)) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                json += escape;
            } else {
                AppendUtf8(json, c);
            }
        }
    }
    return json + "\"";
}

}  // namespace ilt
