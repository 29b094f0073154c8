// `show` in a build without the dialog module: it needs the dialog's own
// readers, so it can only say that it is missing.

#include <ostream>

#include "Commands.h"
#include "ExitStatus.h"

namespace layouttool {

const char kShowHelp[] =
    "Usage: layout-template-tool show DIR\n"
    "\n"
    "Not available in this build: it runs the dialog module's own readers,\n"
    "and the module was not built.\n";

int RunShow(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    for (const std::string& argument : arguments) {
        if (IsHelpOption(argument)) {
            out << kShowHelp;
            return kExitSuccess;
        }
    }
    err << "layout-template-tool show: not available in this build (no dialog module)\n";
    return kExitFailure;
}

}  // namespace layouttool
