#include "FaultSeams.h"

#include <standin/corvane.h>
#include <standin/crt.h>
#include <standin/faults.h>
#include <standin/oskel.h>

namespace dialog_test {
namespace {

using K = MessageKind;

FaultSeam Crt(const char* name, standin::CrtCall call, std::size_t standin::CrtCallCounts::*counter)
{
    return {name,
            [counter] { return standin::CallCounts().*counter; },
            [call](std::size_t succeeding, bool once) {
                standin::FailCallAfter(call, succeeding, EIO,
                                       once ? standin::FaultSpan::Once : standin::FaultSpan::FromThenOn);
            },
            {K::NoCentralLibrary, K::Question, K::NoValidTemplate, K::CannotDisplay},
            false,
            false};
}

// The 2007 reader tells its own failures; at start-up the dialog may end
// with the stack-up it cannot show, or find no valid template left.
FaultSeam Oskel(const char* operation)
{
    return {std::string("OskelPI ") + operation,
            [operation] { return standin::oskel::CallCount(operation); },
            [operation](std::size_t succeeding, bool once) {
                if (once)
                    standin::oskel::FailCallOnce(operation, succeeding);
                else
                    standin::oskel::FailCall(operation, succeeding);
            },
            {K::NoValidTemplate, K::CannotDisplay, K::CannotOpen, K::CannotReadDesign, K::CannotGetLayers},
            false,
            false};
}

// The 2005 reader fails without a word; discovery never loads the file.
FaultSeam Corvane(const char* name, standin::corvane::Operation operation)
{
    const std::string prefix = std::string(name) + (operation == standin::corvane::Operation::FindLayer ? "(" : "");
    return {std::string("CorvanePI ") + name,
            [prefix, operation] {
                std::size_t count = 0;
                for (const std::string& entry : standin::corvane::CallLog()) {
                    const bool matches = operation == standin::corvane::Operation::FindLayer
                                             ? entry.compare(0, prefix.size(), prefix) == 0
                                             : entry == prefix;
                    count += matches ? 1 : 0;
                }
                return count;
            },
            [operation](std::size_t succeeding, bool once) {
                standin::corvane::FailOperationAfter(operation, succeeding, once, CORVANE_E_OUT_OF_MEMORY);
            },
            {K::CannotDisplay},
            false,
            false};
}

FaultSeam Win32(const char* name, standin::Win32Call call, std::vector<MessageKind> mayTell, bool mayFailDialog = false,
                bool invisible = false)
{
    return {name,
            [call] { return standin::Win32Calls(call); },
            [call](std::size_t succeeding, bool once) {
                standin::FailWin32Call(call, succeeding,
                                       once ? standin::FaultSpan::Once : standin::FaultSpan::FromThenOn);
            },
            std::move(mayTell),
            mayFailDialog,
            invisible};
}

std::vector<FaultSeam> MakeSeams()
{
    using standin::Win32Call;
    using Op = standin::corvane::Operation;
    std::vector<FaultSeam> seams = {
        Crt("_stat", standin::CrtCall::Stat, &standin::CrtCallCounts::stat),
        Crt("_findfirst", standin::CrtCall::FindFirst, &standin::CrtCallCounts::findfirst),
        Crt("_findnext", standin::CrtCall::FindNext, &standin::CrtCallCounts::findnext),
    };
    for (const char* operation :
         {"OpenOskel", "GetSnapshotByName", "CloseOskel", "GetTrelConfig", "GetTrelDesign", "GetIterLayers", "GetType",
          "GetName", "GetMetallicLayerNumber", "GetConstraint", "GetValueByString"})
        seams.push_back(Oskel(operation));
    seams.push_back(Corvane("Init", Op::Init));
    seams.push_back(Corvane("Load", Op::Load));
    seams.push_back(Corvane("GetLayerCount", Op::GetLayerCount));
    seams.push_back(Corvane("FindLayer", Op::FindLayer));
    seams.push_back(Corvane("GetLayerTypeValue", Op::GetLayerTypeValue));
    seams.push_back(Corvane("GetLayerNumber", Op::GetLayerNumber));
    // Without the shell the browser cannot be shown or its choice not be
    // read: the dialog goes on with the folder it had, which holds no template.
    seams.push_back(Win32("SHGetMalloc", Win32Call::ShGetMalloc, {K::NoValidTemplate}));
    seams.push_back(Win32("SHGetDesktopFolder", Win32Call::ShGetDesktopFolder, {K::NoValidTemplate}));
    seams.push_back(Win32("ParseDisplayName", Win32Call::ParseDisplayName, {K::NoValidTemplate}));
    seams.push_back(Win32("SHGetPathFromIDListA", Win32Call::ShGetPathFromIdList, {K::NoValidTemplate}));
    seams.push_back(Win32("shell allocator", Win32Call::ShellAllocation, {K::NoValidTemplate}));
    // The small icon is decoration.
    seams.push_back(Win32("LoadImageA", Win32Call::LoadImage, {}, false, true));
    // A window that cannot be made: the dialog fails to start (-1), a message
    // box or the browser is not shown; nothing new is told.
    seams.push_back(Win32("CreateWindowExA", Win32Call::CreateWindow, {}, true));
    return seams;
}

}  // namespace

const std::vector<FaultSeam>& FaultSeams()
{
    static const std::vector<FaultSeam> seams = MakeSeams();
    return seams;
}

void ResetSeamCounts()
{
    standin::ResetCallCounts();
    standin::oskel::ResetCallLog();
    standin::corvane::ResetCallLog();
    standin::ResetWin32Calls();
}

void ClearSeamFaults()
{
    standin::ClearFaults();
    standin::oskel::ClearFailures();
    standin::corvane::ClearFailures();
    standin::ClearWin32Faults();
}

}  // namespace dialog_test
