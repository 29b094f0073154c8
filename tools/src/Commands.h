// Commands.h - the commands of layout-template-tool. Each takes the arguments
// after its name, writes its results to `out` and its messages to `err`, and
// returns the exit status (ExitStatus.h).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace layouttool {

using Arguments = std::vector<std::string>;

int RunCreate(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunShow(const Arguments& arguments, std::ostream& out, std::ostream& err);
int RunCheck(const Arguments& arguments, std::ostream& out, std::ostream& err);

extern const char kToolHelp[];
extern const char kCreateHelp[];
extern const char kShowHelp[];
extern const char kCheckHelp[];

// Writes `line` and a line end to `stream`, with the control characters and
// malformed bytes that names and paths may hold shown as '?': nothing the tool
// prints can drive the terminal. Every message and result goes through it.
void PrintLine(std::ostream& stream, std::string_view line);

// Whether an argument asks for help: "--help" or "-h".
bool IsHelpOption(const std::string& argument);

// Whether the arguments ask for help before a "--" that ends the options.
bool AsksForHelp(const Arguments& arguments);

// The value of option `name` at arguments[index], written "--name VALUE" or
// "--name=VALUE"; advances index past it. False when the argument is another
// one; with *error when the value is missing.
bool TakeOptionValue(const Arguments& arguments, std::size_t& index, const std::string& name, std::string& value,
                     std::string& error);

// An option of a command that takes one operand: a flag ("--raw") or, with
// takesValue, one written "--name VALUE" or "--name=VALUE". `take` receives
// the value (empty for a flag) and answers "" or what is wrong with it.
struct OperandOption {
    std::string name;  // without the leading "--"
    bool takesValue = false;
    std::function<std::string(const std::string& value)> take;
};

enum class OperandParse { Run, Help, UsageError };

// Reads the command line of `command`, which takes the options and exactly
// one operand (named `operandName` in messages; `tooMany` says that more were
// given); "--" ends the options. Help asked for before "--" prints `help` to
// out; a usage error prints its message and where to find help to err.
OperandParse ParseOperandCommandLine(const std::string& command, const Arguments& arguments,
                                     const std::vector<OperandOption>& options, const std::string& operandName,
                                     const std::string& tooMany, const char* help, std::string& operand,
                                     std::ostream& out, std::ostream& err);

}  // namespace layouttool
