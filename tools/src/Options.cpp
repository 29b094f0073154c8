// Command-line option helpers shared by the commands.

#include "Commands.h"

#include <ostream>

#include "safetext/ControlFree.h"

namespace layouttool {

void PrintLine(std::ostream& stream, std::string_view line) { stream << ilt::ControlFree(line) << '\n'; }

bool IsHelpOption(const std::string& argument) { return argument == "--help" || argument == "-h"; }

bool AsksForHelp(const Arguments& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--") return false;
        if (IsHelpOption(argument)) return true;
    }
    return false;
}

bool TakeOptionValue(const Arguments& arguments, std::size_t& index, const std::string& name, std::string& value,
                     std::string& error)
{
    const std::string& argument = arguments[index];
    const std::string option = "--" + name;
    if (argument.compare(0, option.size() + 1, option + "=") == 0) {
        value = argument.substr(option.size() + 1);
        ++index;
        return true;
    }
    if (argument != option) return false;
    if (index + 1 == arguments.size()) {
        error = option + " needs a value";
        ++index;
        return true;
    }
    value = arguments[index + 1];
    index += 2;
    return true;
}

}  // namespace layouttool
