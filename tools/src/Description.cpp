// Parsing of stack-up descriptions: words, settings and the two line grammars.

#include "Description.h"

#include <CorvanePI.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

namespace layouttool {
namespace {

// Far above any real stack-up; keeps a wrong file (an image, a log) from
// being read whole.
constexpr std::size_t kMaxDescriptionBytes = 1 << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7f; }

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

struct KindName {
    const char* word;
    int value;
};

// ELayerType of the design database.
constexpr KindName k2007Kinds[] = {{"conductor", 0}, {"dielectric", 1}, {"soldermask", 2}, {"silkscreen", 3}};
// CCorvaneLayer::eLayerType of the job-preferences file.
constexpr KindName k2005Types[] = {{"signal", 1}, {"plane", 0}, {"dielectric", 2}};

template <std::size_t N>
bool ParseKind(const std::string& word, const KindName (&names)[N], int& value)
{
    const std::string lower = Lower(word);
    for (const KindName& kind : names) {
        if (lower == kind.word) {
            value = kind.value;
            return true;
        }
    }
    return ParseInt(word, value);
}

template <std::size_t N>
std::string KindList(const KindName (&names)[N])
{
    std::string list;
    for (const KindName& kind : names)
        list += std::string(kind.word) + ", ";
    return list + "or an integer";
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// A decimal integer with an optional sign, whether or not it fits an int.
bool IsDecimalInteger(std::string_view text)
{
    const std::size_t digits = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string_view::npos;
}

// Parses the words of one 2007 line; false with *problem.
bool ParseLine2007(const std::vector<Word>& words, Layer2007& layer, std::string& problem)
{
    if (words[0].isSetting) {
        problem = "a line starts with the layer's kind (" + KindList(k2007Kinds) + "), not with " +
                  Quoted(words[0].key + "=");
        return false;
    }
    if (!ParseKind(words[0].value, k2007Kinds, layer.type)) {
        problem = IsDecimalInteger(words[0].value)
                      ? "layer kind " + Quoted(words[0].value) + " " + NotAnInt(words[0].value)
                      : "unknown layer kind " + Quoted(words[0].value) + " (expected " + KindList(k2007Kinds) + ")";
        return false;
    }
    if (words.size() < 2 || words[1].isSetting) {
        problem = "the layer's name must follow its kind";
        return false;
    }
    layer.name = words[1].value;
    if (layer.name.empty()) {
        problem = "the layer's name is empty";
        return false;
    }
    for (std::size_t i = 2; i < words.size(); ++i) {
        const Word& word = words[i];
        if (!word.isSetting) {
            problem = "unexpected word " + Quoted(word.value) + " (settings are metal=<n> and usage=<text>)";
            return false;
        }
        const std::string key = Lower(word.key);
        if (key == "metal") {
            if (layer.metalNumber) {
                problem = "metal= is given twice";
                return false;
            }
            int number = 0;
            if (!ParseInt(word.value, number)) {
                problem = "metal=" + word.value + " " + NotAnInt(word.value);
                return false;
            }
            layer.metalNumber = number;
        } else if (key == "usage") {
            if (layer.usage) {
                problem = "usage= is given twice";
                return false;
            }
            layer.usage = word.value;
        } else {
            problem = "unknown setting " + Quoted(word.key + "=") + " (settings are metal=<n> and usage=<text>)";
            return false;
        }
    }
    // The dialog cannot read a stack-up in which a conductive layer has no
    // metal-layer number: refuse to write one.
    if (layer.type == 0 && !layer.metalNumber) {
        problem = "a conductor layer needs metal=<n>";
        return false;
    }
    return true;
}

// Parses the words of one 2005 line; false with *problem.
bool ParseLine2005(const std::vector<Word>& words, Layer2005& layer, std::string& problem)
{
    for (const Word& word : words) {
        if (word.isSetting) {
            problem = "unexpected setting " + Quoted(word.key + "=") + " (a line is <type> [<number>])";
            return false;
        }
    }
    if (!ParseKind(words[0].value, k2005Types, layer.type)) {
        problem = IsDecimalInteger(words[0].value)
                      ? "layer type " + Quoted(words[0].value) + " " + NotAnInt(words[0].value)
                      : "unknown layer type " + Quoted(words[0].value) + " (expected " + KindList(k2005Types) + ")";
        return false;
    }
    if (words.size() > 2) {
        problem = "unexpected word " + Quoted(words[2].value) + " (a line is <type> [<number>])";
        return false;
    }
    if (words.size() == 2) {
        int number = 0;
        if (!ParseInt(words[1].value, number)) {
            problem = "layer number " + Quoted(words[1].value) + " " + NotAnInt(words[1].value);
            return false;
        }
        layer.number = number;
    }
    // The dialog silently leaves out a signal or plane layer without a number.
    if ((layer.type == 0 || layer.type == 1) && !layer.number) {
        problem = std::string("a ") + (layer.type == 0 ? "plane" : "signal") + " layer needs its number";
        return false;
    }
    return true;
}

template <class Layer, class LineParser>
ParsedDescription<Layer> ParseLines(const std::vector<SourceLine>& lines, LineParser parseLine)
{
    ParsedDescription<Layer> parsed;
    for (const SourceLine& line : lines) {
        std::vector<Word> words;
        std::string problem;
        if (!SplitWords(line.text, words, problem)) {
            parsed.errors.push_back(line.origin + ": " + problem);
            continue;
        }
        if (words.empty())
            continue;
        Layer layer;
        if (!parseLine(words, layer, problem)) {
            parsed.errors.push_back(line.origin + ": " + problem);
            continue;
        }
        parsed.layers.push_back(std::move(layer));
        parsed.origins.push_back(line.origin);
    }
    return parsed;
}

}  // namespace

bool SplitWords(std::string_view line, std::vector<Word>& words, std::string& problem)
{
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#')
            break;

        Word word;
        std::string text;
        bool quotedYet = false;
        while (i < line.size() && !IsBlank(line[i]) && line[i] != '#') {
            const char c = line[i];
            if (IsControl(static_cast<unsigned char>(c))) {
                problem = "control character in the line";
                return false;
            }
            if (c == '"') {
                quotedYet = true;
                ++i;
                for (;;) {
                    if (i == line.size()) {
                        problem = "a quote is not closed";
                        return false;
                    }
                    char q = line[i++];
                    if (q == '"')
                        break;
                    if (IsControl(static_cast<unsigned char>(q))) {
                        problem = "control character in the line";
                        return false;
                    }
                    if (q == '\\' && i < line.size() && (line[i] == '"' || line[i] == '\\'))
                        q = line[i++];
                    text += q;
                }
                continue;
            }
            // The first '=' outside quotes, before any quote, makes a setting.
            if (c == '=' && !word.isSetting && !quotedYet) {
                word.isSetting = true;
                word.key = text;
                text.clear();
                ++i;
                continue;
            }
            text += c;
            ++i;
        }
        word.value = text;
        words.push_back(std::move(word));
    }
    return true;
}

bool ParseInt(std::string_view text, int& value)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue < INT_MIN || signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

ParsedDescription<Layer2007> ParseDescription2007(const std::vector<SourceLine>& lines)
{
    ParsedDescription<Layer2007> parsed = ParseLines<Layer2007>(lines, ParseLine2007);
    if (!parsed.errors.empty())
        return parsed;

    // The dialog lists one row per metal-layer number: the first layer wins.
    std::map<int, std::size_t> firstWithNumber;
    for (std::size_t i = 0; i < parsed.layers.size(); ++i) {
        const Layer2007& layer = parsed.layers[i];
        if (layer.type != 0)
            continue;
        const auto [first, inserted] = firstWithNumber.emplace(*layer.metalNumber, i);
        if (!inserted)
            parsed.warnings.push_back(parsed.origins[i] + ": warning: metal=" + std::to_string(*layer.metalNumber) +
                                      " is also given at " + parsed.origins[first->second] +
                                      "; the dialog lists only the first");
    }
    return parsed;
}

ParsedDescription<Layer2005> ParseDescription2005(const std::vector<SourceLine>& lines)
{
    ParsedDescription<Layer2005> parsed = ParseLines<Layer2005>(lines, ParseLine2005);
    // The reader refuses a larger LayerCount. The other limits of the file
    // (line length, file size) cannot be reached by what is written for a
    // layer of int type and number.
    constexpr std::size_t kMaxLayers = CORVANE_MAX_LAYER_COUNT;
    if (parsed.errors.empty() && parsed.layers.size() > kMaxLayers)
        parsed.errors.push_back(parsed.origins[kMaxLayers] + ": a 2005 template holds at most " +
                                std::to_string(kMaxLayers) + " layers; the description has " +
                                std::to_string(parsed.layers.size()));
    return parsed;
}

bool ReadDescriptionFile(const std::string& path, std::vector<SourceLine>& lines, std::string& error)
{
    const bool fromStandardInput = path == "-";
    const std::string shownName = fromStandardInput ? std::string("<stdin>") : path;
    std::ifstream file;
    if (!fromStandardInput) {
        file.open(path, std::ios::binary);
        if (!file) {
            error = shownName + ": cannot be read: " + std::strerror(errno);
            return false;
        }
    }
    std::istream& input = fromStandardInput ? std::cin : file;

    std::string text;
    char buffer[4096];
    errno = 0;
    while (input.read(buffer, sizeof buffer) || input.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(input.gcount()));
        if (text.size() > kMaxDescriptionBytes) {
            error = shownName + ": larger than " + std::to_string(kMaxDescriptionBytes) +
                    " bytes; not a stack-up description";
            return false;
        }
    }
    if (input.bad()) {
        error = shownName + ": cannot be read: " + std::strerror(errno != 0 ? errno : EIO);
        return false;
    }
    // An editor's byte-order mark is no part of the first line.
    constexpr std::string_view kByteOrderMark = "\xef\xbb\xbf";
    if (text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0)
        text.erase(0, kByteOrderMark.size());

    std::istringstream stream(text);
    std::string lineText;
    for (int number = 1; std::getline(stream, lineText); ++number) {
        if (!lineText.empty() && lineText.back() == '\r')
            lineText.pop_back();
        lines.push_back({shownName + ":" + std::to_string(number), lineText});
    }
    return true;
}

std::string NotAnInt(std::string_view text)
{
    return IsDecimalInteger(text) ? "is out of range (-2147483648 to 2147483647)" : "is not an integer";
}

SourceLine CommandLineLayer(const std::string& text) { return {"--layer " + Quoted(text), text}; }

}  // namespace layouttool
