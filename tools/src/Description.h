// Description.h - the stack-up description the `create` command reads: one
// layer per line, from a text file or from --layer arguments.
//
// A line is split into words at blanks; "..." quotes a word that holds blanks
// or '#' (\" and \\ inside quotes stand for " and \); '#' outside quotes
// starts a comment. A word "key=value" is a setting. The line grammars:
//   2007:  <kind> <name> [metal=<n>] [usage=<text>]
//          kind: conductor | dielectric | soldermask | silkscreen | <integer>
//   2005:  <type> [<number>]
//          type: signal | plane | dielectric | <integer>
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace layouttool {

// One line of a description and where it came from: "FILE:LINE" or
// "--layer 'TEXT'", the prefix of every message about the line.
struct SourceLine {
    std::string origin;
    std::string text;
};

// A word of a line: a plain word, or a setting key=value.
struct Word {
    bool isSetting = false;
    std::string key;
    std::string value;  // the plain word's text, or the setting's value
};

// Splits a line into words. False, with *problem, on an unterminated quote or
// a control character.
bool SplitWords(std::string_view line, std::vector<Word>& words, std::string& problem);

// A decimal integer with an optional sign that fits an int, and nothing else.
bool ParseInt(std::string_view text, int& value);

// Why `text` is no int: "is out of range (-2147483648 to 2147483647)" for a
// decimal integer that does not fit, else "is not an integer".
std::string NotAnInt(std::string_view text);

// A layer of a "2007" design, in design order.
struct Layer2007 {
    int type = 0;  // ELayerType: 0 conductor, 1 dielectric, 2 solder mask, 3 silkscreen
    std::string name;
    std::optional<int> metalNumber;
    std::optional<std::string> usage;  // the LAYER_USAGE constraint
};

// A layer index of a "2005" job-preferences file.
struct Layer2005 {
    int type = 0;  // eLayerType: 0 plane, 1 signal, 2 dielectric
    std::optional<int> number;
};

// What parsing a description gave: the layers with the origin of each, the
// errors (each "ORIGIN: problem") and warnings about lines that are valid but
// hardly meant.
template <class Layer>
struct ParsedDescription {
    std::vector<Layer> layers;
    std::vector<std::string> origins;  // parallel to layers
    std::vector<std::string> errors;
    std::vector<std::string> warnings;
};

// Parses the lines in order; blank and comment lines are skipped. Every bad
// line gives an error, and so does a 2005 description of more layers than
// the dialog's reader takes (100000), at the first layer too many.
ParsedDescription<Layer2007> ParseDescription2007(const std::vector<SourceLine>& lines);
ParsedDescription<Layer2005> ParseDescription2005(const std::vector<SourceLine>& lines);

// Appends the lines of a description file ("-" reads standard input); a
// UTF-8 byte-order mark at its start is skipped. False, with *error naming
// the file and the reason, when it cannot be read.
bool ReadDescriptionFile(const std::string& path, std::vector<SourceLine>& lines, std::string& error);

// The line of one --layer argument.
SourceLine CommandLineLayer(const std::string& text);

}  // namespace layouttool
