// Scripts of the user's actions for a headless run.
#include "Script.h"

#include <windows.h>

#include <sys/stat.h>

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

enum class LineRead { Line, End, TooLong, NotText, Failed };

// Reads one line into `line`, without its '\n'; stops at the first byte that
// makes it no line of a script.
LineRead ReadLine(std::istream& in, std::string& line)
{
    line.clear();
    char c = 0;
    while (in.get(c)) {
        if (c == '\n')
            return LineRead::Line;
        if (c == '\0')
            return LineRead::NotText;
        if (line.size() == kMaxScriptLine)
            return LineRead::TooLong;
        line += c;
    }
    if (in.bad())
        return LineRead::Failed;
    return line.empty() ? LineRead::End : LineRead::Line;
}

bool IsRegularFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool IsFolder(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool StandardInputIsRegularFile()
{
    struct stat status {};
    return fstat(0, &status) == 0 && S_ISREG(status.st_mode);
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

int ButtonId(ScriptStep::Kind kind)
{
    switch (kind) {
    case ScriptStep::Kind::Ok: return IDOK;
    case ScriptStep::Kind::Cancel: return IDCANCEL;
    case ScriptStep::Kind::Yes: return IDYES;
    case ScriptStep::Kind::No: return IDNO;
    default: return 0;
    }
}

ScriptReader::ScriptReader(std::istream& in, std::string origin, bool rereadable)
    : m_in(in), m_origin(std::move(origin)), m_rereadable(rereadable)
{}

ScriptReader::ScriptReader(std::unique_ptr<std::istream> file, std::string origin, bool rereadable)
    : m_owned(std::move(file)), m_in(*m_owned), m_origin(std::move(origin)), m_rereadable(rereadable)
{}

ScriptReader::~ScriptReader() = default;

std::unique_ptr<ScriptReader> ScriptReader::Open(const std::string& path, std::string& error)
{
    if (path == "-")
        return std::unique_ptr<ScriptReader>(
            new ScriptReader(std::cin, "standard input", StandardInputIsRegularFile()));
    // A folder opens, but reading it fails.
    if (IsFolder(path)) {
        error = "cannot read the script '" + path + "': " + std::strerror(EISDIR);
        return nullptr;
    }
    errno = 0;
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file) {
        error = "cannot read the script '" + path + "': " + std::strerror(errno != 0 ? errno : EIO);
        return nullptr;
    }
    return std::unique_ptr<ScriptReader>(new ScriptReader(std::move(file), path, IsRegularFile(path)));
}

ScriptReader::Result ScriptReader::Next(ScriptStep& step, std::string& error)
{
    std::string line;
    while (!m_stopped) {
        errno = 0;
        const LineRead read = ReadLine(m_in, line);
        if (read == LineRead::End) {
            m_stopped = true;
            break;
        }
        const int number = ++m_line;
        std::string problem;
        switch (read) {
        case LineRead::TooLong: problem = "the line is longer than 1 MiB"; break;
        case LineRead::NotText: problem = "the line holds a NUL byte: the script is not text"; break;
        case LineRead::Failed:
            problem = std::string("cannot read the script: ") + std::strerror(errno != 0 ? errno : EIO);
            break;
        default: break;
        }
        if (problem.empty()) {
            if (number == 1 && line.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
                line.erase(0, kByteOrderMark.size());
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            std::size_t first = 0;
            while (first < line.size() && IsBlank(line[first]))
                ++first;
            if (first == line.size() || line[first] == '#')
                continue;
            step = ScriptStep();
            step.line = number;
            if (ParseLine(line, step, problem))
                return Result::Step;
        }
        m_stopped = true;
        m_stoppedWith = Result::Error;
        m_stopError = m_origin + ":" + std::to_string(number) + ": " + problem;
    }
    if (m_stoppedWith == Result::Error)
        error = m_stopError;
    return m_stoppedWith;
}

}  // namespace ilt
