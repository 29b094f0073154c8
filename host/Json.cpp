// JSON text for the transcript.
#include "Json.h"

#include <cstdio>

#include "safetext/Utf8.h"

namespace ilt {

std::string JsonString(std::string_view text)
{
    std::string json = "\"";
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        if (!DecodeUtf8(text, pos, c)) {
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
            if (c < 0x20 || c == 0x7F) {
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

std::string JsonStringArray(const std::vector<std::string>& items)
{
    std::string json = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonString(items[i]);
    }
    return json + "]";
}

}  // namespace ilt
