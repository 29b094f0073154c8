// A visible top-level window with child controls, for tests.
#include "TestWindow.h"

namespace ilt::win32::test {
namespace {

constexpr char kClassName[] = "IltTestWindow";

}  // namespace

TestWindow::TestWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &TestWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);  // fails harmlessly when registered already
    m_window = CreateWindowExA(0, kClassName, "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 400, 300, nullptr,
                               nullptr, GetModuleHandleA(nullptr), this);
    DispatchQueued();
}

TestWindow::~TestWindow()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    DispatchQueued();
}

HWND TestWindow::AddControl(const char* className, int id, DWORD style, const char* text)
{
    const HWND control =
        CreateWindowExA(0, className, text, WS_CHILD | style, 10, 10, 200, 150, m_window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    DispatchQueued();
    return control;
}

LRESULT CALLBACK TestWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_COMMAND)
        self->m_commands.push_back(wParam);
    if (self != nullptr && message == WM_NCDESTROY)
        self->m_window = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
}

void DispatchQueued()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace ilt::win32::test
