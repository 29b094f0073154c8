// A second, deliberately plain implementation of the path helpers' string rules, written from
// their documented tables (pathutil/PathUtil.h) one character at a time, for
// path_rules_fuzzer to hold the helpers against.
#pragma once

#include <string>

namespace fuzz::model {

// Forward slashes become backslashes; then one trailing backslash goes, unless the path is empty,
// holds nothing but backslashes, or its last character other than a backslash is a colon (a
// drive root).
std::string Normalize(const std::string& path);

struct Split {
    std::string parent;
    std::string name;
};

// The last name (trailing backslashes never reach it) and the parent: what precedes the name's
// separator, less its trailing backslashes, unless only backslashes precede the name (then those,
// unchanged). No name: the whole path is the parent.
Split SplitPath(const std::string& path);

// The head (first less its trailing backslashes, unless it holds nothing else) and the tail
// (second less its leading backslashes, unless it holds nothing else), with one backslash
// between them; none when either part is empty or holds backslashes only, because such a part
// already carries the separator.
std::string Join(const std::string& first, const std::string& second);

}  // namespace fuzz::model
