// The bottom line of the screen: the keys that work.
#include "terminal/KeyLine.h"

#include <algorithm>

#include "terminal/TerminalText.h"

namespace ilt {
namespace {

constexpr char kSeparator[] = "  ";

std::string Entry(const KeyHint& hint) { return hint.keys + ": " + hint.action; }

}  // namespace

std::string KeyLine(const std::vector<KeyHint>& hints, int width, bool unicodeTerminal)
{
    std::vector<bool> kept(hints.size(), true);
    const auto lineOf = [&] {
        std::string line;
        for (std::size_t i = 0; i < hints.size(); ++i) {
            if (!kept[i])
                continue;
            if (!line.empty())
                line += kSeparator;
            line += Entry(hints[i]);
        }
        return line;
    };
    std::string line = lineOf();
    while (TerminalWidth(line, unicodeTerminal) > width) {
        // The least important entry goes; of equals, the last one.
        std::size_t drop = hints.size();
        for (std::size_t i = 0; i < hints.size(); ++i) {
            if (kept[i] && (drop == hints.size() || hints[i].importance <= hints[drop].importance))
                drop = i;
        }
        if (drop == hints.size())
            break;
        kept[drop] = false;
        line = lineOf();
    }
    return line;
}

}  // namespace ilt
