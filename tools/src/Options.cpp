// Command-line option helpers shared by the commands.

#include "Commands.h"

#include <ostream>

#include "Text.h"

namespace layouttool {

void PrintLine(std::ostream& stream, std::string_view line) { stream << ShownText(line) << '\n'; }

bool IsHelpOption(const std::string& argument) { return argument == "--help" || argument == "-h"; }

bool AsksForHelp(const Arguments& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--")
            return false;
        if (IsHelpOption(argument))
            return true;
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
    if (argument != option)
        return false;
    if (index + 1 == arguments.size()) {
        error = option + " needs a value";
        ++index;
        return true;
    }
    value = arguments[index + 1];
    index += 2;
    return true;
}

namespace {

OperandParse UsageError(const std::string& command, const std::string& message, std::ostream& err)
{
    PrintLine(err, "layout-template-tool " + command + ": " + message);
    err << "Try 'layout-template-tool " << command << " --help'.\n";
    return OperandParse::UsageError;
}

}  // namespace

OperandParse ParseOperandCommandLine(const std::string& command, const Arguments& arguments,
                                     const std::vector<OperandOption>& options, const std::string& operandName,
                                     const std::string& tooMany, const char* help, std::string& operand,
                                     std::ostream& out, std::ostream& err)
{
    if (AsksForHelp(arguments)) {
        out << help;
        return OperandParse::Help;
    }
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size();) {
        if (arguments[i] == "--") {
            positional.insert(positional.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              arguments.end());
            break;
        }
        bool taken = false;
        for (const OperandOption& option : options) {
            std::string value;
            std::string error;
            if (option.takesValue) {
                taken = TakeOptionValue(arguments, i, option.name, value, error);
            } else if (arguments[i] == "--" + option.name) {
                taken = true;
                ++i;
            }
            if (!taken)
                continue;
            if (!error.empty())
                return UsageError(command, error, err);
            if (const std::string wrong = option.take(value); !wrong.empty())
                return UsageError(command, wrong, err);
            break;
        }
        if (taken)
            continue;
        if (arguments[i].size() > 1 && arguments[i][0] == '-')
            return UsageError(command, "unknown option " + arguments[i], err);
        positional.push_back(arguments[i++]);
    }
    if (positional.size() != 1 || positional[0].empty())
        return UsageError(command, positional.size() > 1 ? tooMany : operandName + " is needed", err);
    operand = positional[0];
    return OperandParse::Run;
}

}  // namespace layouttool
