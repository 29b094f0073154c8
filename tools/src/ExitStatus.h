// ExitStatus.h - exit statuses of layout-template-tool.
#pragma once

namespace layouttool {

enum ExitStatus : int {
    kExitSuccess = 0,  // done; check: at least one template is valid
    kExitFailure = 1,  // the work failed; check: no template is valid
    kExitUsage = 2,    // bad command line; check: the folder cannot be listed
    kExitOutput = 3,   // the results could not be written to standard output
};

}  // namespace layouttool
