// Windows and classes: registration, creation and destruction sequences,
// relations, texts, longs, visibility, enabling and focus.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;

namespace {

struct Recorded {
    HWND hwnd;
    UINT message;
};
std::vector<Recorded> recorded;
LRESULT createAnswer = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    recorded.push_back({hwnd, message});
    if (message == WM_CREATE)
        return createAnswer;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        recorded.clear();
        createAnswer = 0;
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.cbWndExtra = 16;
        wc.lpszClassName = "Win32TestRecording";
        RegisterClassA(&wc);
    }

    static HWND Make(HWND parent = nullptr, DWORD style = WS_POPUP, int id = 0)
    {
        return CreateWindowExA(0, "win32testrecording", "text", style, 1, 2, 30, 40, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
};

TEST_F(WindowTest, ClassesAreFoundIgnoringCaseAndRegisteredOnce)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "WIN32TESTRECORDING";
    EXPECT_EQ(0, RegisterClassA(&wc));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());
    EXPECT_EQ(nullptr, CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS), GetLastError());
    EXPECT_EQ(nullptr, Make(nullptr, WS_CHILD));
    EXPECT_EQ(static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD), GetLastError());
}

TEST_F(WindowTest, CreationAndDestructionSequences)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD, 7);
    HWND grandchild = Make(child, WS_CHILD, 8);
    ASSERT_TRUE(grandchild);
    EXPECT_EQ(WM_NCCREATE, recorded[0].message);
    EXPECT_EQ(top, recorded[0].hwnd);
    recorded.clear();
    EXPECT_TRUE(DestroyWindow(top));
    // WM_DESTROY goes down the tree, WM_NCDESTROY comes back up.
    std::vector<std::pair<HWND, UINT>> sequence;
    for (const Recorded& r : recorded) {
        if (r.message == WM_DESTROY || r.message == WM_NCDESTROY)
            sequence.emplace_back(r.hwnd, r.message);
    }
    EXPECT_THAT(sequence, ::testing::ElementsAre(std::make_pair(top, static_cast<UINT>(WM_DESTROY)),
                                                 std::make_pair(child, static_cast<UINT>(WM_DESTROY)),
                                                 std::make_pair(grandchild, static_cast<UINT>(WM_DESTROY)),
                                                 std::make_pair(grandchild, static_cast<UINT>(WM_NCDESTROY)),
                                                 std::make_pair(child, static_cast<UINT>(WM_NCDESTROY)),
                                                 std::make_pair(top, static_cast<UINT>(WM_NCDESTROY))));
    for (HWND gone : {top, child, grandchild})
        EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(DestroyWindow(top));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
    EXPECT_NE(top, Make());  // handles are not reused
}

TEST_F(WindowTest, CreateAnsweringMinusOneFails)
{
    createAnswer = -1;
    EXPECT_EQ(nullptr, Make());
    ASSERT_FALSE(recorded.empty());
    EXPECT_FALSE(IsWindow(recorded.front().hwnd));
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), recorded.back().message);
}

TEST_F(WindowTest, RelationsAndIds)
{
    HWND top = Make();
    HWND first = Make(top, WS_CHILD, 1);
    HWND second = Make(top, WS_CHILD, 2);
    HWND inner = Make(second, WS_CHILD, 3);
    EXPECT_EQ(first, GetWindow(top, GW_CHILD));
    EXPECT_EQ(second, GetWindow(first, GW_HWNDNEXT));
    EXPECT_EQ(nullptr, GetWindow(second, GW_HWNDNEXT));
    EXPECT_EQ(first, GetWindow(second, GW_HWNDPREV));
    EXPECT_EQ(top, GetParent(first));
    EXPECT_EQ(second, GetDlgItem(top, 2));
    EXPECT_EQ(nullptr, GetDlgItem(top, 3));  // not a direct child
    EXPECT_EQ(3, GetDlgCtrlID(inner));
    EXPECT_TRUE(IsChild(top, inner));
    std::vector<HWND> all;
    EnumChildWindows(
        top,
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    EXPECT_THAT(all, ::testing::ElementsAre(first, second, inner));
    DestroyWindow(top);
}

TEST_F(WindowTest, TextsTruncateAndCount)
{
    HWND top = Make();
    EXPECT_EQ("text", WindowText(top));
    EXPECT_TRUE(SetWindowTextA(top, "Central library: "));
    EXPECT_EQ(17, GetWindowTextLengthA(top));
    char small[5];
    EXPECT_EQ(4, GetWindowTextA(top, small, sizeof(small)));
    EXPECT_STREQ("Cent", small);
    EXPECT_TRUE(SetWindowTextA(top, nullptr));
    EXPECT_EQ(0, GetWindowTextLengthA(top));
    DestroyWindow(top);
}

TEST_F(WindowTest, WindowLongs)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD | WS_TABSTOP, 2003);
    EXPECT_EQ(2003, GetWindowLongPtrA(child, GWLP_ID));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_CHILD | WS_TABSTOP), GetWindowLongPtrA(child, GWL_STYLE));
    EXPECT_EQ(0, SetWindowLongPtrA(child, GWLP_USERDATA, 99));
    EXPECT_EQ(99, GetWindowLongPtrA(child, GWLP_USERDATA));
    EXPECT_EQ(0, SetWindowLongPtrA(child, 8, 1234));
    EXPECT_EQ(1234, GetWindowLongPtrA(child, 8));
    EXPECT_EQ(0, GetWindowLongPtrA(child, 9));  // past the 16 extra bytes
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(RecordingProc), GetWindowLongPtrA(child, GWLP_WNDPROC));
    DestroyWindow(top);
}

TEST_F(WindowTest, VisibilityEnablingAndFocus)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD | WS_VISIBLE, 1);
    HWND other = Make(top, WS_CHILD | WS_VISIBLE, 2);
    EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));

    recorded.clear();
    EXPECT_EQ(nullptr, SetFocus(child));
    EXPECT_EQ(child, SetFocus(other));
    EXPECT_EQ(other, GetFocus());
    std::vector<std::pair<HWND, UINT>> focusMessages;
    for (const Recorded& r : recorded)
        focusMessages.emplace_back(r.hwnd, r.message);
    EXPECT_THAT(focusMessages, ::testing::ElementsAre(std::make_pair(child, static_cast<UINT>(WM_SETFOCUS)),
                                                      std::make_pair(child, static_cast<UINT>(WM_KILLFOCUS)),
                                                      std::make_pair(other, static_cast<UINT>(WM_SETFOCUS))));
    EXPECT_FALSE(EnableWindow(other, FALSE));  // it was enabled
    EXPECT_EQ(nullptr, GetFocus());            // and lost the focus
    EXPECT_EQ(nullptr, SetFocus(other));       // a disabled window takes none
    EXPECT_TRUE(EnableWindow(other, TRUE));
    DestroyWindow(top);
}

TEST_F(WindowTest, AWindowMayDestroyItselfInItsOwnHandler)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD, 1);
    SetWindowLongPtrA(child, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
                          if (message == WM_USER)
                              DestroyWindow(GetParent(hwnd));
                          return DefWindowProcA(hwnd, message, w, l);
                      }));
    SendMessageA(child, WM_USER, 0, 0);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(top));
}

}  // namespace
