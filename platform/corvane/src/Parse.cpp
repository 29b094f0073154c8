// Parsing of Corvane.cvn: INI syntax through inih, made strict, then the [Corvane] checks.
//
// inih as Debian builds it continues a value on an indented line, takes ';' after a blank as the
// start of a comment, reads lines into a 200-byte buffer and splits a longer line into two, ends a
// line at a NUL byte, cuts section names to 49 bytes and says nothing of section headers. Where that
// could give a silently wrong value, lines reach it through FeedLine instead, which:
//   - refuses NUL and the other control bytes (tab excepted; CR only as part of a CR LF line end);
//   - refuses a line longer than CORVANE_MAX_LINE bytes;
//   - drops leading blanks, so that no line continues the value before it;
//   - leaves out a UTF-8 byte-order mark at the start of the text;
//   - follows every section header with the line "\x01=", which no file can hold (control bytes
//     are refused), so that the handler learns of every header, empty sections included.
// Bytes from 0x80 up are passed on as they are. The first failure in file order decides the status:
// inih reports the first line that failed, its own syntax errors and the lines the handler refused
// alike; the feeder stops at a line it refuses, after which inih sees nothing more.

#include "Document.h"

#include <ini.h>

#include <CorvanePI.h>

#include <cstring>
#include <map>
#include <new>
#include <set>

namespace corvane {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr const char* kHeaderMarkerName = "\x01";
constexpr std::string_view kHeaderMarkerLine = "\x01=";

using Section = std::map<std::string, std::string>;  // lower-cased key name -> value

struct ParseState {
    std::string_view rest;  // text not yet fed
    bool headerMarkerDue = false;
    int linesFed = 0;  // inih's line number of the line it is working on
    long feedFailure = CORVANE_S_OK;
    long handlerFailure = CORVANE_S_OK;
    int handlerFailureLine = 0;
    std::set<std::string> headersSeen;
    std::map<std::string, Section> sections;  // lower-cased, trimmed section name -> keys
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControlByte(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

std::string LowerAscii(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lowered;
}

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Copies `line` and a line end into inih's buffer of `capacity` bytes.
char* Emit(ParseState& state, char* buffer, int capacity, std::string_view line)
{
    if (capacity < 2 || line.size() > static_cast<std::size_t>(capacity) - 2) {
        state.feedFailure = CORVANE_E_LINE_TOO_LONG;
        return nullptr;
    }
    std::memcpy(buffer, line.data(), line.size());
    buffer[line.size()] = '\n';
    buffer[line.size() + 1] = '\0';
    ++state.linesFed;
    return buffer;
}

// inih's line reader (fgets-like): the next line, or null at the end or after a refusal.
char* FeedLine(char* buffer, int capacity, void* stream)
{
    auto& state = *static_cast<ParseState*>(stream);
    if (state.headerMarkerDue) {
        state.headerMarkerDue = false;
        return Emit(state, buffer, capacity, kHeaderMarkerLine);
    }
    if (state.feedFailure != CORVANE_S_OK || state.handlerFailure != CORVANE_S_OK || state.rest.empty()) {
        return nullptr;
    }
    std::string_view line = state.rest.substr(0, state.rest.find('\n'));
    state.rest.remove_prefix(std::min(state.rest.size(), line.size() + 1));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);

    for (const char c : line) {
        if (IsControlByte(c)) {
            state.feedFailure = CORVANE_E_BAD_BYTE;
            return nullptr;
        }
    }
    if (line.size() > CORVANE_MAX_LINE) {
        state.feedFailure = CORVANE_E_LINE_TOO_LONG;
        return nullptr;
    }
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    state.headerMarkerDue = !line.empty() && line.front() == '[';
    return Emit(state, buffer, capacity, line);
}

long Record(ParseState& state, const char* section, const char* name, const char* value)
{
    // inih keeps at most 49 bytes of a section name; a name of that length may have been cut.
    if (std::strlen(section) > CORVANE_MAX_SECTION_NAME)
        return CORVANE_E_NAME_TOO_LONG;
    std::string sectionName = LowerAscii(TrimBlanks(section));
    if (std::strcmp(name, kHeaderMarkerName) == 0) {
        if (!state.headersSeen.insert(sectionName).second)
            return CORVANE_E_DUPLICATE_SECTION;
        state.sections[sectionName];
        return CORVANE_S_OK;
    }
    if (*name == '\0')
        return CORVANE_E_SYNTAX;
    const bool added = state.sections[sectionName].emplace(LowerAscii(name), value).second;
    return added ? CORVANE_S_OK : CORVANE_E_DUPLICATE_KEY;
}

// inih's handler, called for every name = value line and for every header marker.
int OnNameValue(void* user, const char* section, const char* name, const char* value)
{
    auto& state = *static_cast<ParseState*>(user);
    long status = CORVANE_S_OK;
    try {
        status = Record(state, section, name, value);
    } catch (const std::bad_alloc&) {
        status = CORVANE_E_OUT_OF_MEMORY;
    }
    if (status == CORVANE_S_OK)
        return 1;
    if (state.handlerFailure == CORVANE_S_OK) {
        state.handlerFailure = status;
        state.handlerFailureLine = state.linesFed;
    }
    return 0;
}

// The i of a section named "layer <i>": decimal, no sign, no leading zero, 1..INT_MAX; else 0.
int LayerIndexOf(std::string_view sectionName)
{
    constexpr std::string_view kPrefix = "layer ";
    if (sectionName.substr(0, kPrefix.size()) != kPrefix)
        return 0;
    const std::string_view digits = sectionName.substr(kPrefix.size());
    if (digits.empty() || digits.front() == '0')
        return 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
    }
    int index = 0;
    return ParseDecimalInt(digits, &index) ? index : 0;
}

std::optional<std::string> ValueOf(const Section& section, const char* lowerName)
{
    const auto found = section.find(lowerName);
    if (found == section.end())
        return std::nullopt;
    return found->second;
}

long BuildDocument(const std::map<std::string, Section>& sections, CorvaneDocument* document)
{
    const auto corvane = sections.find("corvane");
    if (corvane == sections.end())
        return CORVANE_E_NO_CORVANE_SECTION;
    const std::optional<std::string> versionText = ValueOf(corvane->second, "version");
    int version = 0;
    if (!versionText || !ParseDecimalInt(*versionText, &version))
        return CORVANE_E_VERSION_INVALID;
    if (version != 1)
        return CORVANE_E_VERSION_UNSUPPORTED;

    CorvaneDocument built;
    built.layerCount = ValueOf(corvane->second, "layercount");
    for (const auto& [name, keys] : sections) {
        const int index = LayerIndexOf(name);
        if (index > 0)
            built.layers[index] = {ValueOf(keys, "type"), ValueOf(keys, "number")};
    }
    *document = std::move(built);
    return CORVANE_S_OK;
}

}  // namespace

bool ParseDecimalInt(std::string_view text, int* value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    constexpr long long kLimit = 2147483648LL;  // |INT_MIN|
    long long magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            return false;
    }
    if (!negative && magnitude == kLimit)
        return false;
    *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

long ParseDocument(std::string_view text, CorvaneDocument* document)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    ParseState state;
    state.rest = text;
    const int failedLine = ini_parse_stream(FeedLine, &state, OnNameValue, &state);
    if (failedLine == -2)
        return CORVANE_E_OUT_OF_MEMORY;
    if (failedLine < 0)
        return CORVANE_E_INTERNAL;
    if (failedLine > 0) {
        const bool refusedByHandler = state.handlerFailure != CORVANE_S_OK && state.handlerFailureLine == failedLine;
        return refusedByHandler ? state.handlerFailure : CORVANE_E_SYNTAX;
    }
    if (state.feedFailure != CORVANE_S_OK)
        return state.feedFailure;
    return BuildDocument(state.sections, document);
}

}  // namespace corvane
