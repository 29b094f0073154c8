// Text made safe for a terminal, and measured in columns.
#include "terminal/TerminalText.h"

#include <algorithm>
#include <cwchar>

#include "safetext/Utf8.h"

namespace ilt {

std::vector<Glyph> TerminalGlyphs(std::string_view text, bool unicodeTerminal)
{
    std::vector<Glyph> glyphs;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        char32_t c = 0;
        const bool valid = DecodeUtf8(text, pos, c);
        if (!valid || IsControlCharacter(c) || (c >= 0x80 && !unicodeTerminal)) {
            glyphs.push_back({"?", 1});
            continue;
        }
        if (c < 0x80) {
            glyphs.push_back({std::string(1, static_cast<char>(c)), 1});
            continue;
        }
        const int width = wcwidth(static_cast<wchar_t>(c));
        if (width < 0 || width > 2) {
            glyphs.push_back({"?", 1});
        } else if (width == 0) {
            if (glyphs.empty() || glyphs.back().text == "?")
                glyphs.push_back({"?", 1});
            else
                glyphs.back().text.append(text.substr(start, pos - start));
        } else {
            glyphs.push_back({std::string(text.substr(start, pos - start)), width});
        }
    }
    return glyphs;
}

std::string TerminalSafe(std::string_view text, bool unicodeTerminal)
{
    std::string safe;
    for (const Glyph& glyph : TerminalGlyphs(text, unicodeTerminal))
        safe += glyph.text;
    return safe;
}

std::vector<std::string> WrapLines(std::string_view text, int width, bool unicodeTerminal)
{
    width = std::max(width, 1);
    std::vector<std::string> lines;
    std::size_t paragraphStart = 0;
    for (;;) {
        const std::size_t newline = text.find('\n', paragraphStart);
        const std::string_view paragraph = text.substr(
            paragraphStart, newline == std::string_view::npos ? std::string_view::npos : newline - paragraphStart);
        const std::vector<Glyph> glyphs = TerminalGlyphs(paragraph, unicodeTerminal);

        std::size_t begin = 0;
        do {
            // Take as many glyphs as fit; then back up to the last blank, if any.
            std::size_t end = begin;
            int used = 0;
            while (end < glyphs.size() && used + glyphs[end].width <= width)
                used += glyphs[end++].width;
            std::size_t next = end;
            if (end < glyphs.size()) {
                std::size_t blank = end;
                while (blank > begin && glyphs[blank].text != " ")
                    --blank;
                if (blank > begin || glyphs[begin].text == " ") {
                    end = blank;
                    next = blank + 1;
                }
                if (end == begin && next == begin)
                    next = end = begin + 1;  // a glyph wider than the line
                while (end > begin && glyphs[end - 1].text == " ")
                    --end;  // no blanks at the end of a broken line
            }
            std::string line;
            for (std::size_t i = begin; i < end; ++i)
                line += glyphs[i].text;
            lines.push_back(std::move(line));
            begin = next;
            // A line that was broken does not start the next one with blanks.
            while (begin < glyphs.size() && glyphs[begin].text == " ")
                ++begin;
        } while (begin < glyphs.size());

        if (newline == std::string_view::npos)
            break;
        paragraphStart = newline + 1;
    }
    return lines;
}

int TerminalWidth(std::string_view text, bool unicodeTerminal)
{
    int width = 0;
    for (const Glyph& glyph : TerminalGlyphs(text, unicodeTerminal))
        width += glyph.width;
    return width;
}

}  // namespace ilt
