// Windows wildcard matching of one name, as a directory search does it.
//
// Windows rewrites '?', '*' and '.' of a search pattern into the file system's DOS wildcards
// (ReactOS's FindFile substitution test records the rewriting) and matches names against those.
//
// Not implemented: case-insensitive matching (Linux names are case-sensitive) and 8.3 short names.
#include "wildcard.h"

#include <string>

namespace crt {

NamePattern::NamePattern(std::string_view pattern)
{
    if (pattern == "*.*") {
        m_matchesAll = true;
        return;
    }

    // Windows drops the trailing dots of a name; a pattern of dots alone stays as written.
    std::size_t end = pattern.find_last_not_of('.');
    end = end == std::string_view::npos ? pattern.size() : end + 1;

    for (std::size_t i = 0; i < end; ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        switch (c) {
        case '?': m_elements.push_back({Kind::DosQm, 0}); break;
        case '*': m_elements.push_back({next == '.' ? Kind::DosStar : Kind::Star, 0}); break;
        case '.':
            m_elements.push_back(next == '?' || next == '*' ? Element{Kind::DosDot, 0} : Element{Kind::Literal, '.'});
            break;
        default: m_elements.push_back({Kind::Literal, c}); break;
        }
    }
}

bool NamePattern::Matches(std::string_view name) const
{
    if (m_matchesAll)
        return true;

    // matches[n] of the row for element p: elements p.. match name characters n..
    // Rows are filled from the last element back, so each needs only the row after it.
    const std::size_t length = name.size();
    const std::size_t lastDot = name.rfind('.');
    std::vector<char> after(length + 1, 0);
    after[length] = 1;
    std::vector<char> row(length + 1, 0);

    for (std::size_t p = m_elements.size(); p-- > 0;) {
        const Element element = m_elements[p];
        for (std::size_t n = length + 1; n-- > 0;) {
            const bool atEnd = n == length;
            bool match = false;
            switch (element.kind) {
            case Kind::Literal: match = !atEnd && name[n] == element.literal && after[n + 1]; break;
            case Kind::Star: match = after[n] || (!atEnd && row[n + 1]); break;
            case Kind::DosStar: match = after[n] || (!atEnd && n != lastDot && row[n + 1]); break;
            case Kind::DosQm: match = atEnd || name[n] == '.' ? after[n] : after[n + 1]; break;
            case Kind::DosDot: match = atEnd ? after[n] : name[n] == '.' && after[n + 1]; break;
            }
            row[n] = match;
        }
        after.swap(row);
    }
    return after[0] != 0;
}

}  // namespace crt
