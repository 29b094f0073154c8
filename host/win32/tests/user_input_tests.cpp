// A person's clicks and picks on real controls.
#include <gtest/gtest.h>

#include "TestWindow.h"
#include "UserInput.h"

namespace ilt::win32::test {
namespace {

constexpr int kButton = 7;
constexpr int kCombo = 8;

int CommandsFrom(const TestWindow& window, int id, WORD notification)
{
    int count = 0;
    for (const WPARAM command : window.Commands())
        count += LOWORD(command) == id && HIWORD(command) == notification ? 1 : 0;
    return count;
}

TEST(ClickButton, ClicksOnlyAButtonAPersonCanClick)
{
    TestWindow window;
    const HWND button = window.AddControl("Button", kButton, WS_VISIBLE | BS_PUSHBUTTON, "OK");
    window.AddControl("Static", 9, WS_VISIBLE, "label");

    EXPECT_EQ(ClickButton(window.Handle(), 6, false), "no control with id 6");
    EXPECT_EQ(ClickButton(window.Handle(), 9, false), "control 9 is a Static, not a Button");

    ShowWindow(button, SW_HIDE);
    EXPECT_EQ(ClickButton(window.Handle(), kButton, false), "control 7 is hidden");
    ShowWindow(button, SW_SHOW);

    // Sent, BM_CLICK would press a disabled button under Wine.
    EnableWindow(button, FALSE);
    EXPECT_EQ(ClickButton(window.Handle(), kButton, false), "control 7 is disabled");
    EXPECT_EQ(ClickButton(window.Handle(), kButton, true), "") << "a greyed button takes the click";
    DispatchQueued();
    EXPECT_EQ(CommandsFrom(window, kButton, BN_CLICKED), 0);

    EnableWindow(button, TRUE);
    EXPECT_EQ(ClickButton(window.Handle(), kButton, false), "");
    EXPECT_EQ(CommandsFrom(window, kButton, BN_CLICKED), 0) << "the click is posted, not sent";
    DispatchQueued();
    EXPECT_EQ(CommandsFrom(window, kButton, BN_CLICKED), 1);
}

TEST(PickComboEntry, TheComboBoxTellsItsParentOfThePick)
{
    TestWindow window;
    const HWND combo = window.AddControl("ComboBox", kCombo, WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST);
    for (const char* entry : {"4L", "6L", "8L"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);

    ASSERT_EQ(PickComboEntry(window.Handle(), kCombo, 2), "");
    DispatchQueued();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(CommandsFrom(window, kCombo, CBN_SELCHANGE), 1);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) << "the list closes with the click";
    EXPECT_EQ(GetFocus(), combo);

    EnableWindow(combo, FALSE);
    EXPECT_EQ(PickComboEntry(window.Handle(), kCombo, 1), "control 8 is disabled");
    EXPECT_EQ(PickComboEntry(window.Handle(), kButton, 1), "no control with id 7");
}

TEST(PickComboEntry, AnEntryBelowTheListsViewIsScrolledTo)
{
    TestWindow window;
    const HWND combo = window.AddControl("ComboBox", kCombo, WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST);
    for (int i = 0; i < 60; ++i) {
        const std::string entry = "T" + std::to_string(100 + i);
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    ASSERT_EQ(PickComboEntry(window.Handle(), kCombo, 57), "");
    DispatchQueued();
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 57);
    EXPECT_EQ(CommandsFrom(window, kCombo, CBN_SELCHANGE), 1);
}

TEST(HighlightFolder, RefusesWhatIsNoFolder)
{
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string missing = std::string(folder) + "ilt-no-such-folder";
    EXPECT_EQ(HighlightFolder(nullptr, folder, missing), "there is no folder \"" + missing + "\"");
    char file[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(folder, "ilt", 0, file), 0u);
    EXPECT_EQ(HighlightFolder(nullptr, folder, file), "\"" + std::string(file) + "\" is a file, not a folder");
    EXPECT_EQ(HighlightFolder(nullptr, std::string(folder) + "ilt-root", folder),
              "\"" + std::string(folder) + "\" is not under the browser's root \"" + folder + "ilt-root\"");
    DeleteFileA(file);
}

}  // namespace
}  // namespace ilt::win32::test
