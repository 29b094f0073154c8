// Command line of import-layout-template.
#include "Options.h"

#include <cstddef>

namespace ilt {

const char kUsageText[] =
    "Usage: import-layout-template [OPTIONS] [CENTRAL_LIBRARY]\n"
    "\n"
    "Shows the Import Layout Template dialog on CENTRAL_LIBRARY, as the host\n"
    "application does, and prints the path of the template chosen with OK.\n"
    "\n"
    "  CENTRAL_LIBRARY     passed to the dialog exactly as given (a Windows path\n"
    "                      such as D:\\lib, or a native path); default: the bundled\n"
    "                      sample library\n"
    "  --drive X=DIR       map drive X: to the folder DIR (repeatable, once a\n"
    "                      letter)\n"
    "  --script FILE       run without a terminal, taking the user's actions from\n"
    "                      FILE ('-' for standard input)\n"
    "  --transcript FILE   write every event as one JSON object per line to FILE\n"
    "                      ('-' for standard output, before the path)\n"
    "  --raw               print the result exactly as the dialog returns it\n"
    "                      (default: as a native path)\n"
    "  --listing-order ORDER\n"
    "                      list folders in the file system's order (filesystem,\n"
    "                      the default) or by name (ascending, descending), so\n"
    "                      that which template is found first does not depend on\n"
    "                      the file system\n"
    "  -h, --help          show this help and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "Script actions, one per line (# starts a comment line):\n"
    "  select NAME   ok   cancel   yes   no   enter   escape   close\n"
    "  highlight PATH   highlight-virtual\n"
    "\n"
    "Exit status: 0 OK (the path is printed), 1 Cancel, 2 usage error,\n"
    "3 script error, 4 the dialog could not be shown, 5 the result or the\n"
    "transcript could not be written.\n";

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool ParseDrive(const std::string& value, DriveMapping& mapping, std::string& error)
{
    if (value.size() < 3 || !IsDriveLetter(value[0]) || value[1] != '=') {
        error = "--drive: expected X=DIR (a drive letter, '=', a folder), got '" + value + "'";
        return false;
    }
    mapping.letter = static_cast<char>(value[0] >= 'a' ? value[0] - 'a' + 'A' : value[0]);
    mapping.folder = value.substr(2);
    return true;
}

// The value of a value-taking option at arguments[index], written "--name VALUE"
// or "--name=VALUE"; advances index past it.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& index, const std::string& name,
               std::string& value, std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument.size() > name.size() && argument.compare(0, name.size(), name) == 0 && argument[name.size()] == '=') {
        value = argument.substr(name.size() + 1);
        return true;
    }
    if (index + 1 >= arguments.size()) {
        error = name + ": missing value";
        return false;
    }
    value = arguments[++index];
    return true;
}

bool NamesOption(const std::string& argument, const std::string& name)
{
    return argument == name || (argument.size() > name.size() && argument.compare(0, name.size(), name) == 0 &&
                                argument[name.size()] == '=');
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::string value;
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            if (options.centralLibrary) {
                error = "unexpected argument '" + argument + "': only one central library can be given";
                return false;
            }
            options.centralLibrary = argument;
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--raw") {
            options.raw = true;
        } else if (NamesOption(argument, "--drive")) {
            DriveMapping mapping;
            if (!TakeValue(arguments, i, "--drive", value, error) || !ParseDrive(value, mapping, error))
                return false;
            for (const DriveMapping& earlier : options.drives) {
                if (earlier.letter == mapping.letter) {
                    error = "--drive " + value + ": drive " + std::string(1, mapping.letter) +
                            ": is already mapped (to '" + earlier.folder + "')";
                    return false;
                }
            }
            options.drives.push_back(mapping);
        } else if (NamesOption(argument, "--script")) {
            if (!TakeValue(arguments, i, "--script", value, error))
                return false;
            if (value.empty()) {
                error = "--script: the file name is empty";
                return false;
            }
            options.scriptPath = value;
        } else if (NamesOption(argument, "--transcript")) {
            if (!TakeValue(arguments, i, "--transcript", value, error))
                return false;
            if (value.empty()) {
                error = "--transcript: the file name is empty";
                return false;
            }
            options.transcriptPath = value;
        } else if (NamesOption(argument, "--listing-order")) {
            if (!TakeValue(arguments, i, "--listing-order", value, error))
                return false;
            if (value != "filesystem" && value != "ascending" && value != "descending") {
                error = "--listing-order: expected filesystem, ascending or descending, got '" + value + "'";
                return false;
            }
            options.listingOrder = value;
        } else {
            error = "unknown option '" + argument + "'";
            return false;
        }
    }
    return true;
}

}  // namespace ilt
