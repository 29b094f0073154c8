// Counted failures of the seams in <standin/faults.h>.
#include "faults.h"

#include <array>
#include <mutex>
#include <optional>

namespace win32 {
namespace {

constexpr std::size_t kCalls = static_cast<std::size_t>(standin::Win32Call::ShellAllocation) + 1;

struct Fault {
    std::size_t succeedingCalls = 0;  // calls still let through
    standin::FaultSpan span = standin::FaultSpan::Once;
};

struct Seam {
    std::size_t calls = 0;
    std::optional<Fault> fault;
};

// The shell allocator may be used from any thread.
std::mutex& SeamLock()
{
    static std::mutex lock;
    return lock;
}

std::array<Seam, kCalls>& Seams()
{
    static std::array<Seam, kCalls> seams;
    return seams;
}

Seam& SeamOf(standin::Win32Call call) { return Seams()[static_cast<std::size_t>(call)]; }

}  // namespace

bool CallFails(standin::Win32Call call)
{
    const std::lock_guard<std::mutex> guard(SeamLock());
    Seam& seam = SeamOf(call);
    ++seam.calls;
    if (!seam.fault)
        return false;
    if (seam.fault->succeedingCalls > 0) {
        --seam.fault->succeedingCalls;
        return false;
    }
    if (seam.fault->span == standin::FaultSpan::Once)
        seam.fault.reset();
    return true;
}

}  // namespace win32

namespace standin {

void FailWin32Call(Win32Call call, std::size_t succeedingCalls, FaultSpan span)
{
    const std::lock_guard<std::mutex> guard(win32::SeamLock());
    win32::SeamOf(call).fault = win32::Fault{succeedingCalls, span};
}

void ClearWin32Faults()
{
    const std::lock_guard<std::mutex> guard(win32::SeamLock());
    for (win32::Seam& seam : win32::Seams())
        seam.fault.reset();
}

std::size_t Win32Calls(Win32Call call)
{
    const std::lock_guard<std::mutex> guard(win32::SeamLock());
    return win32::SeamOf(call).calls;
}

void ResetWin32Calls()
{
    const std::lock_guard<std::mutex> guard(win32::SeamLock());
    for (win32::Seam& seam : win32::Seams())
        seam.calls = 0;
}

}  // namespace standin
