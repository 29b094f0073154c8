// What a real message box shows, read from its window.
#include <gtest/gtest.h>

#include <optional>

#include "MessageBoxReader.h"

namespace ilt::win32::test {
namespace {

struct Reading {
    bool looksLikeMessageBox = false;
    std::optional<MessageBoxContent> content;
};

Reading* reading = nullptr;

BOOL CALLBACK FindDialogBox(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Once the box waits for the user: read it, then end it.
void CALLBACK ReadAndEnd(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialogBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || reading == nullptr || reading->content)
        return;
    reading->looksLikeMessageBox = LooksLikeMessageBox(box);
    reading->content = ReadMessageBox(box);
    EndDialog(box, 0);
}

Reading Show(const char* text, UINT style)
{
    Reading seen;
    reading = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &ReadAndEnd);
    MessageBoxA(nullptr, text, "caption", style);
    KillTimer(nullptr, timer);
    reading = nullptr;
    return seen;
}

TEST(MessageBoxReader, TheStyleIsReadBackFromTheButtonsIconAndDefault)
{
    const UINT styles[] = {
        MB_OK | MB_ICONHAND,            // the dialog's error box
        MB_YESNO | MB_ICONEXCLAMATION,  // the dialog's question
        MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2,
        MB_YESNOCANCEL | MB_ICONASTERISK | MB_DEFBUTTON3,
        MB_ABORTRETRYIGNORE | MB_ICONHAND | MB_DEFBUTTON2,
        MB_RETRYCANCEL,
    };
    for (const UINT style : styles) {
        SCOPED_TRACE(style);
        const Reading seen = Show("Central library \"D:\\lib\" doesn't exist.\nSecond line", style);
        ASSERT_TRUE(seen.content) << "no message box was seen";
        EXPECT_TRUE(seen.looksLikeMessageBox);
        EXPECT_EQ(seen.content->style, style);
        EXPECT_EQ(seen.content->text, "Central library \"D:\\lib\" doesn't exist.\nSecond line");
    }
}

}  // namespace
}  // namespace ilt::win32::test
