// Scripts of the user's actions for a headless run.
#include "Script.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string_view>

#include "safetext/ControlFree.h"

namespace ilt {
namespace {

struct KeywordInfo {
    const char* keyword;
    ScriptStep::Kind kind;
    bool takesArgument;
};

constexpr KeywordInfo kKeywords[] = {
    {"select", ScriptStep::Kind::Select, true},
    {"ok", ScriptStep::Kind::Ok, false},
    {"cancel", ScriptStep::Kind::Cancel, false},
    {"yes", ScriptStep::Kind::Yes, false},
    {"no", ScriptStep::Kind::No, false},
    {"enter", ScriptStep::Kind::Enter, false},
    {"escape", ScriptStep::Kind::Escape, false},
    {"close", ScriptStep::Kind::Close, false},
    {"highlight", ScriptStep::Kind::Highlight, true},
    {"highlight-virtual", ScriptStep::Kind::HighlightVirtual, false},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// What editors may put before the first line.
constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";

// Parses one line that is neither blank nor a comment.
bool ParseLine(const std::string& line, ScriptStep& step, std::string& problem)
{
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    std::size_t end = start;
    while (end < line.size() && !IsBlank(line[end]))
        ++end;
    const std::string keyword = line.substr(start, end - start);

    for (const KeywordInfo& info : kKeywords) {
        if (keyword != info.keyword)
            continue;
        step.kind = info.kind;
        if (!info.takesArgument) {
            for (std::size_t i = end; i < line.size(); ++i) {
                if (!IsBlank(line[i])) {
                    problem = "'" + keyword + "' takes no argument";
                    return false;
                }
            }
            return true;
        }
        if (end + 1 >= line.size()) {
            problem = "'" + keyword + "' needs " + (info.kind == ScriptStep::Kind::Select ? "a NAME" : "a PATH");
            return false;
        }
        step.argument = line.substr(end + 1);
        return true;
    }
    problem = "unknown action '" + ControlFree(keyword) +
              "' (expected select, ok, cancel, yes, no, enter, escape, close, highlight or highlight-virtual)";
    return false;
}

}  // namespace

const char* KeywordOf(ScriptStep::Kind kind)
{
    for (const KeywordInfo& info : kKeywords) {
        if (info.kind == kind)
            return info.keyword;
    }
    return "?";
}

bool ParseScript(std::istream& in, const std::string& origin, Script& script, std::string& error)
{
    script.origin = origin;
    script.steps.clear();
    script.lineCount = 0;
    std::string line;
    while (std::getline(in, line)) {
        const int number = ++script.lineCount;
        if (number == 1 && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
            line.erase(0, kByteOrderMark.size());
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::size_t first = 0;
        while (first < line.size() && IsBlank(line[first]))
            ++first;
        if (first == line.size() || line[first] == '#')
            continue;
        ScriptStep step;
        step.line = number;
        std::string problem;
        if (!ParseLine(line, step, problem)) {
            error = origin + ":" + std::to_string(number) + ": " + problem;
            return false;
        }
        script.steps.push_back(std::move(step));
    }
    return true;
}

LoadResult LoadScript(const std::string& path, Script& script, std::string& error)
{
    if (path == "-")
        return ParseScript(std::cin, "standard input", script, error) ? LoadResult::Loaded : LoadResult::Malformed;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read the script '" + path + "': " + std::strerror(errno);
        return LoadResult::Unreadable;
    }
    errno = 0;
    const bool parsed = ParseScript(file, path, script, error);
    // A folder opens, but reading it fails.
    if (file.bad()) {
        error = "cannot read the script '" + path + "': " + std::strerror(errno != 0 ? errno : EIO);
        return LoadResult::Unreadable;
    }
    return parsed ? LoadResult::Loaded : LoadResult::Malformed;
}

}  // namespace ilt
