// Windows wildcard matching of one name, as a directory search does it (internal).
#pragma once

#include <string_view>
#include <vector>

namespace crt {

// A search pattern's last component, e.g. "*.*", "*.txt", "a?c". Matching is case-sensitive.
//
// Windows turns the pattern into file-system wildcards before it matches:
//   "*.*" matches every name, also names without a dot (and "." and "..");
//   '?' matches one character, but none at a '.' or at the end of the name: "a?" matches "a";
//   '*' matches any run of characters; followed by '.' it stops at the name's last dot;
//   '.' followed by '?' or '*' also matches the end of the name: "a.*" matches "a";
//   trailing dots are dropped: "*." matches names without a dot.
class NamePattern {
public:
    explicit NamePattern(std::string_view pattern);

    bool Matches(std::string_view name) const;

private:
    enum class Kind : unsigned char {
        Literal,
        Star,     // any run of characters
        DosStar,  // any run of characters not holding the name's last dot
        DosQm,    // one character; none at a '.' or at the end
        DosDot,   // a '.', or nothing at the end of the name
    };
    struct Element {
        Kind kind;
        char literal;
    };

    bool m_matchesAll = false;
    std::vector<Element> m_elements;
};

}  // namespace crt
