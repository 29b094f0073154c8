// The failure seams of the stand-ins, each with its call counter, as one list
// for fault sweeps: the run-time's file queries, every operation of both
// database clients, the shell, the icon loader, window creation and the
// shell allocator.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace dialog_test {

// What a failure of a seam may make the dialog tell the user, beyond what a
// run without the failure had told by then.
enum class MessageKind {
    NoCentralLibrary,  // "Central library ... doesn't exist."
    Question,          // "... doesn't contain directory with layout templates ..."
    NoValidTemplate,   // "... doesn't contain any valid layout template."
    CannotDisplay,     // "Can't display the stackup."
    CannotOpen,        // "Can't open Layout Template database."
    CannotReadDesign,  // "Can't read TREL design from database."
    CannotGetLayers,   // "Can't get layers from database."
};

struct FaultSeam {
    std::string name;
    std::function<std::size_t()> calls;  // since ResetSeamCounts()
    std::function<void(std::size_t succeeding, bool once)> fail;
    std::vector<MessageKind> mayTell;
    bool mayFailDialog = false;  // may make DoModal return -1
    bool invisible = false;      // the run must end as without the failure
};

const std::vector<FaultSeam>& FaultSeams();
void ResetSeamCounts();
void ClearSeamFaults();

}  // namespace dialog_test
