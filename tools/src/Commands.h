// Commands.h - the commands of layout-template-tool. Each takes the arguments
// after its name, writes its results to `out` and its messages to `err`, and
// returns the exit status (ExitStatus.h).
#pragma once

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

}  // namespace layouttool
