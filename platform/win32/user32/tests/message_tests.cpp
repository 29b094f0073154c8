// Timers, as the modal loops take them: a window's timers go with the window.
#include "Conformance.h"

using namespace conformance;

namespace {

int ticks = 0;

void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }

// DestroyWindow destroys the window's timers: the timer never fires again,
// not even through its procedure, and KillTimer no longer finds it.
TEST(MessageTest, TimersGoWithTheirWindow)
{
    ticks = 0;
    HWND gone = nullptr;
    {
        ParentWindow window;
        gone = window.Handle();
        ASSERT_NE(0u, SetTimer(gone, 7, 10, CountTick));
    }
    ASSERT_FALSE(IsWindow(gone));

    HWND dialog = nullptr;
    DialogCase dialogCase;
    dialogCase.handler = [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            dialog = hwnd;
        return -1;
    };
    // Ten steps of the program's own timer: a tenth of a second at least, in
    // which the gone window's timer would have fired ten times.
    std::vector<Step> steps(9, [] {});
    steps.push_back([&] { EndDialog(dialog, IDOK); });
    Steps driver(std::move(steps));
    EXPECT_EQ(IDOK, RunDialog(IDD_STACKUP, dialogCase));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(0, ticks);
    EXPECT_FALSE(KillTimer(gone, 7));
}

}  // namespace
