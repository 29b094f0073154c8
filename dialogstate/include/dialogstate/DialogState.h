// What the Import Layout Template dialog shows, read back through the Win32
// API (Controls.h): used by the host's transcript and by the dialog's tests.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "dialogstate/Controls.h"

namespace ilt {

struct DialogState {
    std::string caption;
    std::string central;                           // the central-library label
    std::string constraint;                        // the constraint-set label
    std::string format;                            // the layout-template-format label
    std::vector<std::string> templates;            // drop-down entries, in its own order
    std::string selected;                          // the drop-down's current entry, or ""
    std::vector<std::array<std::string, 3>> rows;  // stack-up list, three columns
    bool visible = false;
};

// Reads the state of the dialog window `dialog`.
DialogState ReadDialogState(HWND dialog);

}  // namespace ilt
