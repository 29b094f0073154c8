// Text made safe for a terminal, and measured in columns.
#include "terminal/TerminalText.h"

#include <algorithm>
#include <cwchar>

#include "safetext/Utf8.h"

namespace ilt {

bool NextGlyph(std::string_view text, std::size_t& pos, bool unicodeTerminal, Glyph& glyph)
{
    if (pos >= text.size())
        return false;
    const std::size_t start = pos;
    char32_t c = 0;
    const bool valid = DecodeUtf8(text, pos, c);
    if (!valid || IsControlCharacter(c) || (c >= 0x80 && !unicodeTerminal)) {
        glyph = {"?", 1};
        return true;
    }
    const int width = c < 0x80 ? 1 : wcwidth(static_cast<wchar_t>(c));
    if (width < 1 || width > 2) {
        glyph = {"?", 1};  // a mark with nothing before it, or a character the terminal cannot place
        return true;
    }
    glyph = {std::string(text.substr(start, pos - start)), width};
    // The combining marks that follow belong to this glyph.
    while (unicodeTerminal) {
        std::size_t next = pos;
        char32_t mark = 0;
        if (next >= text.size() || !DecodeUtf8(text, next, mark) || IsControlCharacter(mark) ||
            wcwidth(static_cast<wchar_t>(mark)) != 0)
            return true;
        glyph.text.append(text.substr(pos, next - pos));
        pos = next;
    }
    return true;
}

std::vector<Glyph> TerminalGlyphs(std::string_view text, bool unicodeTerminal)
{
    std::vector<Glyph> glyphs;
    Glyph glyph;
    for (std::size_t pos = 0; NextGlyph(text, pos, unicodeTerminal, glyph);)
        glyphs.push_back(std::move(glyph));
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
    Glyph glyph;
    for (std::size_t pos = 0; NextGlyph(text, pos, unicodeTerminal, glyph);)
        width += glyph.width;
    return width;
}

std::string Ellipsis(bool unicodeTerminal) { return unicodeTerminal ? "\u2026" : "~"; }

std::string CutToWidth(std::string_view text, int width, bool unicodeTerminal)
{
    // Only as much of the text is read as the width can show: a text may be
    // a megabyte long.
    std::string shown;
    std::size_t markAt = 0;  // how much of `shown` an ellipsis can follow
    int used = 0;
    Glyph glyph;
    for (std::size_t pos = 0, start = 0; NextGlyph(text, pos, unicodeTerminal, glyph); start = pos) {
        if (used + glyph.width > width) {
            if (text.find_first_not_of(' ', start) == std::string_view::npos)
                return shown;  // only blanks are left out
            if (width < 1)
                return std::string();
            shown.resize(markAt);
            while (!shown.empty() && shown.back() == ' ')
                shown.pop_back();
            return shown + Ellipsis(unicodeTerminal);
        }
        shown += glyph.text;
        used += glyph.width;
        if (used <= width - 1)
            markAt = shown.size();
    }
    return shown;
}

namespace {

struct Word {
    std::size_t begin = 0;
    std::size_t end = 0;
    int width = 0;
};

// The widest run of characters without a blank or a line break wider than
// `least` columns, or a word of width 0.
Word WidestWord(std::string_view text, int least, bool unicodeTerminal)
{
    Word widest;
    for (std::size_t begin = 0; begin < text.size();) {
        begin = text.find_first_not_of(" \n", begin);
        if (begin == std::string_view::npos)
            break;
        std::size_t end = text.find_first_of(" \n", begin);
        if (end == std::string_view::npos)
            end = text.size();
        const int width = TerminalWidth(text.substr(begin, end - begin), unicodeTerminal);
        if (width > least && width > widest.width)
            widest = Word{begin, end, width};
        begin = end;
    }
    return widest;
}

// `text` with `word` cut down to `keep` glyphs, the ellipsis in its middle.
std::string WithMiddleCut(std::string_view text, const Word& word, std::size_t keep, bool unicodeTerminal)
{
    const std::vector<Glyph> glyphs = TerminalGlyphs(text.substr(word.begin, word.end - word.begin), unicodeTerminal);
    const std::size_t head = std::min((keep + 1) / 2, glyphs.size());
    const std::size_t tail = std::min(keep - (keep + 1) / 2, glyphs.size() - head);
    std::string cut(text.substr(0, word.begin));
    for (std::size_t i = 0; i < head; ++i)
        cut += glyphs[i].text;
    cut += Ellipsis(unicodeTerminal);
    for (std::size_t i = glyphs.size() - tail; i < glyphs.size(); ++i)
        cut += glyphs[i].text;
    cut += text.substr(word.end);
    return cut;
}

// The fewest glyphs a word keeps when it loses its middle.
constexpr std::size_t kKeptGlyphs = 2;

}  // namespace

std::vector<std::string> WrapToFit(std::string_view text, int width, int rows, bool unicodeTerminal)
{
    rows = std::max(rows, 1);
    const auto fit = [&](const std::string& candidate, std::vector<std::string>* lines) {
        *lines = WrapLines(candidate, width, unicodeTerminal);
        return static_cast<int>(lines->size()) <= rows;
    };
    std::vector<std::string> lines;
    if (fit(std::string(text), &lines))
        return lines;

    // Words wider than half a line (a path) lose their middles, the widest
    // first and as little as will do, so that the start and the end of the
    // text stay. Only where that cannot be enough are lines left out.
    const int least = std::max(width / 2, static_cast<int>(kKeptGlyphs) + 1);
    std::string shortest(text);
    for (Word word; (word = WidestWord(shortest, least, unicodeTerminal)).width > 0;)
        shortest = WithMiddleCut(shortest, word, kKeptGlyphs, unicodeTerminal);
    std::vector<std::string> ignored;
    if (shortest != text && fit(shortest, &ignored)) {
        std::string current(text);
        for (;;) {
            const Word word = WidestWord(current, least, unicodeTerminal);
            if (!fit(WithMiddleCut(current, word, kKeptGlyphs, unicodeTerminal), &lines)) {
                current = WithMiddleCut(current, word, kKeptGlyphs, unicodeTerminal);  // the next word must help
                continue;
            }
            std::size_t low = kKeptGlyphs;  // fits
            std::size_t high =
                TerminalGlyphs(current.substr(word.begin, word.end - word.begin), unicodeTerminal).size();
            while (low + 1 < high) {  // the most glyphs that still fit
                const std::size_t middle = low + (high - low) / 2;
                if (fit(WithMiddleCut(current, word, middle, unicodeTerminal), &ignored))
                    low = middle;
                else
                    high = middle;
            }
            fit(WithMiddleCut(current, word, low, unicodeTerminal), &lines);
            return lines;
        }
    }

    // The lines that fit, the last one marked as cut.
    lines.resize(static_cast<std::size_t>(rows));
    std::string& last = lines.back();
    std::vector<Glyph> glyphs = TerminalGlyphs(last, unicodeTerminal);
    int used = TerminalWidth(last, unicodeTerminal);
    while (!glyphs.empty() && used + 1 > width) {
        used -= glyphs.back().width;
        glyphs.pop_back();
    }
    last.clear();
    for (const Glyph& glyph : glyphs)
        last += glyph.text;
    last += Ellipsis(unicodeTerminal);
    return lines;
}

}  // namespace ilt
