// Looking up the text of a key in a job-preferences file.

#include "JobPreferencesText.h"

#include <fstream>
#include <string_view>

namespace layouttool {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The value without a comment: a ';' after a blank starts one.
std::string_view WithoutComment(std::string_view value)
{
    for (std::size_t i = 1; i < value.size(); ++i)
        if (value[i] == ';' && IsBlank(value[i - 1]))
            return value.substr(0, i);
    return value;
}

}  // namespace

std::optional<std::string> JobPreferencesValue(const std::string& nativePath, const std::string& section,
                                               const std::string& key)
{
    std::ifstream file(nativePath, std::ios::binary);
    if (!file)
        return std::nullopt;
    const std::string wantedSection = LowerAscii(section);
    const std::string wantedKey = LowerAscii(key);
    std::string current;
    bool first = true;
    for (std::string text; std::getline(file, text); first = false) {
        constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
        if (first && text.rfind(kByteOrderMark, 0) == 0)
            text.erase(0, kByteOrderMark.size());
        std::string_view line = Trimmed(text);
        if (!line.empty() && line.back() == '\r')
            line = Trimmed(line.substr(0, line.size() - 1));
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            current = LowerAscii(Trimmed(line.substr(1, line.find(']') - 1)));
            continue;
        }
        const std::size_t delimiter = line.find_first_of("=:");
        if (current != wantedSection || delimiter == std::string_view::npos ||
            LowerAscii(Trimmed(line.substr(0, delimiter))) != wantedKey)
            continue;
        return std::string(Trimmed(WithoutComment(Trimmed(line.substr(delimiter + 1)))));
    }
    return std::nullopt;
}

}  // namespace layouttool
