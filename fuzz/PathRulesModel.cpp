// The path helpers' string rules, written out plainly.
#include "PathRulesModel.h"

namespace fuzz::model {
namespace {

bool AllBackslashes(const std::string& text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c != '\\')
            return false;
    }
    return true;
}

// text without the backslashes at its end.
std::string WithoutTrailingBackslashes(std::string text)
{
    while (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

std::string WithoutLeadingBackslashes(const std::string& text)
{
    std::size_t skip = 0;
    while (skip < text.size() && text[skip] == '\\')
        ++skip;
    return text.substr(skip);
}

}  // namespace

std::string Normalize(const std::string& path)
{
    std::string result;
    for (const char c : path)
        result += c == '/' ? '\\' : c;
    if (result.empty() || AllBackslashes(result))
        return result;
    const std::string body = WithoutTrailingBackslashes(result);
    if (body.back() == ':')
        return result;
    if (result.back() == '\\')
        result.pop_back();
    return result;
}

Split SplitPath(const std::string& path)
{
    if (path.empty() || AllBackslashes(path))
        return {path, ""};
    const std::string body = WithoutTrailingBackslashes(path);
    std::size_t nameStart = body.size();
    while (nameStart > 0 && body[nameStart - 1] != '\\')
        --nameStart;
    Split split;
    split.name = body.substr(nameStart);
    if (nameStart == 0)
        return split;                                      // no separator: no parent
    const std::string before = body.substr(0, nameStart);  // ends in the separator
    split.parent = AllBackslashes(before) ? before : WithoutTrailingBackslashes(before);
    return split;
}

std::string Join(const std::string& first, const std::string& second)
{
    if (second.empty())
        return AllBackslashes(first) ? first : WithoutTrailingBackslashes(first);
    const std::string tail = AllBackslashes(second) ? second : WithoutLeadingBackslashes(second);
    if (first.empty())
        return tail;
    if (AllBackslashes(first))
        return first + tail;
    const std::string head = WithoutTrailingBackslashes(first);
    if (AllBackslashes(second))
        return head + tail;
    return head + "\\" + tail;
}

}  // namespace fuzz::model
