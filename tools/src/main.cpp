// layout-template-tool: creates and inspects layout templates for the keepers
// of central libraries.

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>
#endif

#include <csignal>
#include <iostream>
#include <optional>

#include "Commands.h"
#include "ExitStatus.h"
#include "Text.h"
#if defined(_WIN32)
#include "WindowsText.h"
#endif
#include "safetext/StandardOutput.h"

namespace layouttool {

const char kToolHelp[] =
    "Usage: layout-template-tool COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  create 2007|2005 DIR ...  write a layout template from a stack-up description\n"
    "  show DIR                  print a template's format and stack-up rows as the\n"
    "                            Import Layout Template dialog lists them\n"
    "  check FOLDER              tell which sub-folders of a layout-templates folder\n"
    "                            the dialog lists, and why the others are not\n"
    "  help [COMMAND]            show this help, or a command's help\n"
    "  --version                 show the tool's version\n"
    "\n"
    "'layout-template-tool COMMAND --help' shows a command's help. A run whose\n"
    "results cannot be written to standard output ends with status 3.\n";

namespace {

struct Command {
    const char* name;
    int (*run)(const Arguments&, std::ostream&, std::ostream&);
    const char* help;
};

constexpr Command kCommands[] = {
    {"create", RunCreate, kCreateHelp},
    {"show", RunShow, kShowHelp},
    {"check", RunCheck, kCheckHelp},
};

const Command* FindCommand(const std::string& name)
{
    for (const Command& command : kCommands)
        if (name == command.name)
            return &command;
    return nullptr;
}

int UnknownCommand(const std::string& name)
{
    PrintLine(std::cerr, "layout-template-tool: unknown command '" + name + "'");
    std::cerr << "Try 'layout-template-tool --help'.\n";
    return kExitUsage;
}

int Run(const Arguments& arguments)
{
    if (arguments.empty()) {
        std::cerr << kToolHelp;
        return kExitUsage;
    }
    const std::string& name = arguments[0];
    if (name == "--version") {
        std::cout << "layout-template-tool " << ILT_VERSION << '\n';
        return kExitSuccess;
    }
    if (IsHelpOption(name) || name == "help") {
        if (name == "help" && arguments.size() > 1) {
            const Command* command = FindCommand(arguments[1]);
            if (command == nullptr)
                return UnknownCommand(arguments[1]);
            std::cout << command->help;
            return kExitSuccess;
        }
        std::cout << kToolHelp;
        return kExitSuccess;
    }
    const Command* command = FindCommand(name);
    if (command == nullptr)
        return UnknownCommand(name);
    return command->run(Arguments(arguments.begin() + 1, arguments.end()), std::cout, std::cerr);
}

// Runs the command; a result that did not reach standard output fails the run.
int RunChecked(const Arguments& arguments)
{
    ilt::StandardOutputCheck output;
    const int status = Run(arguments);
    std::string reason;
    if (!output.Close(reason)) {
        PrintLine(std::cerr, "layout-template-tool: cannot write the results to standard output: " + reason);
        return kExitOutput;
    }
    return status;
}

}  // namespace
}  // namespace layouttool

#if defined(_WIN32)
namespace layouttool {
namespace {

// The arguments as the user typed them: from the wide command line, in the
// ANSI code page in which the module takes paths. One that the code page
// cannot write gets a '?' for each such character, and its exact text is
// kept for the message that refuses it.
Arguments WindowsArguments()
{
    int count = 0;
    LPWSTR* words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    Arguments arguments;
    for (int i = 1; words != nullptr && i < count; ++i) {
        const std::wstring word = words[i];
        if (const std::optional<std::string> ansi = AnsiFromWide(word)) {
            arguments.push_back(*ansi);
        } else {
            arguments.push_back(AnsiFromWideLossy(word));
            NoteOutsideCodePage(arguments.back(), Utf8FromWide(word));
        }
    }
    ::LocalFree(words);
    return arguments;
}

// A console shows the tool's text in the code page the text is written in.
class ConsoleCodePage {
public:
    ConsoleCodePage() : m_previous(::GetConsoleOutputCP())
    {
        if (m_previous != 0)
            ::SetConsoleOutputCP(::GetACP());
    }
    ~ConsoleCodePage()
    {
        if (m_previous != 0)
            ::SetConsoleOutputCP(m_previous);
    }

private:
    UINT m_previous;
};

}  // namespace
}  // namespace layouttool

int main()
{
    const layouttool::ConsoleCodePage codePage;
    return layouttool::RunChecked(layouttool::WindowsArguments());
}
#else
int main(int argc, char** argv)
{
    // A write beyond the file-size limit fails (EFBIG) and is cleaned up like
    // any failed write, instead of killing the tool halfway.
    std::signal(SIGXFSZ, SIG_IGN);
    // A reader that goes away (`| head -c1`) makes the write fail with EPIPE,
    // which ends the run with status 3, instead of killing the tool.
    std::signal(SIGPIPE, SIG_IGN);
    return layouttool::RunChecked(layouttool::Arguments(argv + 1, argv + argc));
}
#endif
