// Common controls: initialisation and the subclass chain.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;

namespace {

std::vector<std::string> calls;

LRESULT CALLBACK Outer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref)
{
    if (message == WM_USER)
        calls.push_back("outer " + std::to_string(id) + " " + std::to_string(ref));
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK Inner(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_USER)
        calls.push_back("inner");
    return DefSubclassProc(hwnd, message, wParam, lParam) + 1;
}

// Owns something until its window goes, like a dialog's small icon.
LRESULT CALLBACK OwnerUntilDestroyed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref)
{
    if (message == WM_NCDESTROY) {
        DestroyIcon(reinterpret_cast<HICON>(ref));
        EXPECT_TRUE(RemoveWindowSubclass(hwnd, OwnerUntilDestroyed, id));
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(CommCtrlTest, InitCommonControlsExChecksItsSize)
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    init.dwSize = 4;
    EXPECT_FALSE(InitCommonControlsEx(&init));
}

TEST(CommCtrlTest, SubclassesRunNewestFirstThenTheWindowProcedure)
{
    calls.clear();
    Parent parent;
    HWND label = parent.Child("Static", SS_LEFT, 5, "label");
    const LONG_PTR original = GetWindowLongPtrA(label, GWLP_WNDPROC);
    EXPECT_TRUE(SetWindowSubclass(label, Outer, 1, 10));
    EXPECT_TRUE(SetWindowSubclass(label, Inner, 2, 0));
    EXPECT_TRUE(SetWindowSubclass(label, Outer, 1, 11));  // only replaces the data
    EXPECT_EQ(1, SendMessageA(label, WM_USER, 0, 0));     // Inner adds 1 to the static's 0
    EXPECT_THAT(calls, ::testing::ElementsAre("inner", "outer 1 11"));
    EXPECT_EQ("label", WindowText(label));  // text still reaches the static
    EXPECT_TRUE(RemoveWindowSubclass(label, Inner, 2));
    EXPECT_TRUE(RemoveWindowSubclass(label, Outer, 1));
    EXPECT_FALSE(RemoveWindowSubclass(label, Outer, 1));
    EXPECT_EQ(original, GetWindowLongPtrA(label, GWLP_WNDPROC));
}

TEST(CommCtrlTest, ASubclassMayRemoveItselfWhenItsWindowGoes)
{
    Parent parent;
    HICON icon =
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(200), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, icon);
    const size_t live = standin::LiveIconCount();
    HWND button = parent.Child("Button", BS_PUSHBUTTON, 1, "b");
    EXPECT_TRUE(SetWindowSubclass(button, OwnerUntilDestroyed, 2008, reinterpret_cast<DWORD_PTR>(icon)));
    EXPECT_TRUE(DestroyWindow(parent.hwnd));
    EXPECT_EQ(live - 1, standin::LiveIconCount());
}

}  // namespace
