// The search text of a tree's type-ahead: typing a name's first letters
// moves the highlight to it, as in the Windows tree view. Letters that come
// within a second of each other make one search text; after a pause, or
// another key, the next letter starts a new one.
#pragma once

#include <chrono>
#include <string>

namespace ilt {

class TypeAhead {
public:
    using Clock = std::chrono::steady_clock;

    // The search after `typed` arrives at `now`.
    void Type(char32_t typed, Clock::time_point now);
    // Any other key ends the search: the next letter starts a new one.
    void End() { m_typed.clear(); }

    // What to look for: the text typed so far; a letter typed again and again
    // ("ddd") looks for that letter, stepping through the names it begins.
    std::string Search() const;
    // Whether the search looks past the highlighted row (a one-letter search
    // moves on) rather than from it (a longer text may still fit it).
    bool StartsAfterHighlight() const { return Search().size() == m_firstLength; }

private:
    std::string m_typed;
    std::size_t m_firstLength = 0;  // bytes of the first character typed
    Clock::time_point m_last{};
};

}  // namespace ilt
