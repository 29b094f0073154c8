// A visible top-level window with child controls, for tests that work
// controls as a person would; it counts the notifications it is sent.
#pragma once

#include <windows.h>

#include <vector>

namespace ilt::win32::test {

class TestWindow {
public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_window; }
    // A child control of class `className` with the id `id`.
    HWND AddControl(const char* className, int id, DWORD style, const char* text = "");

    // The WM_COMMAND wParams received so far.
    const std::vector<WPARAM>& Commands() const { return m_commands; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    std::vector<WPARAM> m_commands;
};

// Dispatches the thread's queued messages until none is left.
void DispatchQueued();

}  // namespace ilt::win32::test
