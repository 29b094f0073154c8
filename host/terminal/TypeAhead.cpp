// The search text of a tree's type-ahead.
#include "terminal/TypeAhead.h"

#include "safetext/Utf8.h"

namespace ilt {

namespace {

constexpr auto kPause = std::chrono::seconds(1);

}  // namespace

void TypeAhead::Type(char32_t typed, Clock::time_point now)
{
    std::string character;
    AppendUtf8(character, typed);
    if (m_typed.empty() || now - m_last > kPause) {
        m_typed = character;
        m_firstLength = character.size();
    } else {
        m_typed += character;
    }
    m_last = now;
}

std::string TypeAhead::Search() const
{
    const std::string first = m_typed.substr(0, m_firstLength);
    for (std::size_t at = 0; at < m_typed.size(); at += m_firstLength) {
        if (m_typed.compare(at, m_firstLength, first) != 0)
            return m_typed;
    }
    return first;
}

}  // namespace ilt
