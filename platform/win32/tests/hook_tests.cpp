// The CBT hook: a class library meets each window before its first message.
#include "test_support.h"

namespace {

HHOOK hook;
std::vector<UINT> seenBySubclass;
WNDPROC original;

LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    seenBySubclass.push_back(message);
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        const auto* cbt = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        EXPECT_STREQ("hooked", cbt->lpcs->lpszName);
        original =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

TEST(HookTest, CreateWindowHookSubclassesBeforeTheFirstMessage)
{
    seenBySubclass.clear();
    hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(nullptr, hook);
    HWND button = CreateWindowExA(0, "Button", "hooked", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
    ASSERT_NE(nullptr, button);
    ASSERT_FALSE(seenBySubclass.empty());
    EXPECT_EQ(static_cast<UINT>(WM_NCCREATE), seenBySubclass.front());
    EXPECT_EQ("hooked", win32test::WindowText(button));
    DestroyWindow(button);
    EXPECT_EQ(nullptr, SetWindowsHookExA(WH_CBT + 1, CbtHook, nullptr, 0));
}

}  // namespace
