// InitCommonControlsEx and window subclassing (SetWindowSubclass), as the
// module keeps its dialog's small icon until the dialog goes.
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;

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

// Owns an icon until its window goes, as the module's dialog does.
LRESULT CALLBACK OwnerUntilDestroyed(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR ref)
{
    if (message == WM_NCDESTROY) {
        calls.push_back(DestroyIcon(reinterpret_cast<HICON>(ref)) ? "icon destroyed" : "icon not destroyed");
        calls.push_back(RemoveWindowSubclass(hwnd, OwnerUntilDestroyed, id) ? "removed" : "not removed");
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

TEST(SubclassTest, InitCommonControlsExChecksItsSize)
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    init.dwSize = 4;
    EXPECT_FALSE(InitCommonControlsEx(&init));
}

// The newest subclass runs first and the window procedure last; the same
// procedure and id again only replaces the reference data. Once the last is
// removed, the window has its own procedure back.
TEST(SubclassTest, SubclassesRunNewestFirstThenTheWindowProcedure)
{
    calls.clear();
    ParentWindow parent;
    HWND label = parent.Child("Static", SS_LEFT, IDC_LABEL, "label");
    const LONG_PTR original = GetWindowLongPtrA(label, GWLP_WNDPROC);
    EXPECT_TRUE(SetWindowSubclass(label, Outer, 1, 10));
    EXPECT_TRUE(SetWindowSubclass(label, Inner, 2, 0));
    EXPECT_TRUE(SetWindowSubclass(label, Outer, 1, 11));
    EXPECT_EQ(1, SendMessageA(label, WM_USER, 0, 0)) << "Inner adds 1 to the static's 0";
    EXPECT_THAT(calls, ::testing::ElementsAre("inner", "outer 1 11"));
    EXPECT_EQ("label", WindowText(label));
    EXPECT_TRUE(RemoveWindowSubclass(label, Inner, 2));
    EXPECT_TRUE(RemoveWindowSubclass(label, Outer, 1));
    EXPECT_FALSE(RemoveWindowSubclass(label, Outer, 1));
    EXPECT_EQ(original, GetWindowLongPtrA(label, GWLP_WNDPROC));
}

// A subclass hears WM_NCDESTROY and may remove itself then.
TEST(SubclassTest, ASubclassMayRemoveItselfWhenItsWindowGoes)
{
    calls.clear();
    auto parent = std::make_unique<ParentWindow>();
    HICON icon = static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_CONFORMANCE), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(nullptr, icon);
    HWND button = parent->Child("Button", BS_PUSHBUTTON, IDC_FIRST, "b");
    EXPECT_TRUE(SetWindowSubclass(button, OwnerUntilDestroyed, 2008, reinterpret_cast<DWORD_PTR>(icon)));
    parent.reset();
    EXPECT_FALSE(IsWindow(button));
    EXPECT_THAT(calls, ::testing::ElementsAre("icon destroyed", "removed"));
}

}  // namespace
