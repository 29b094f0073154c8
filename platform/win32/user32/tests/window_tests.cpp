// Windows and classes: registration, the messages of creation and
// destruction, relations, texts, window longs, visibility, enabling, focus.
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;

namespace {

const char kRecordingClass[] = "ConformanceRecording";

// The messages of a window's life that the cases watch.
bool Watched(UINT message)
{
    switch (message) {
    case WM_NCCREATE:
    case WM_CREATE:
    case WM_DESTROY:
    case WM_NCDESTROY:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return true;
    default: return false;
    }
}

LRESULT createAnswer = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (Watched(message))
        Recorder::Record(hwnd, message, wParam, lParam);
    if (message == WM_CREATE)
        return createAnswer;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Recorder::Clear();
        createAnswer = 0;
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.cbWndExtra = 16;
        wc.hInstance = Instance();
        wc.lpszClassName = kRecordingClass;
        RegisterClassA(&wc);  // once; later calls fail harmlessly
    }

    // A window of the recording class, its name written in another case.
    static HWND Make(HWND parent = nullptr, DWORD style = WS_POPUP, int id = 0)
    {
        return CreateWindowExA(0, "conformancerecording", "text", style, 1, 2, 30, 40, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    }

    // The recorded (window, message) pairs of `messages`.
    static std::vector<std::pair<HWND, UINT>> Recorded(std::initializer_list<UINT> messages)
    {
        std::vector<std::pair<HWND, UINT>> recorded;
        for (const Message& m : Recorder::Messages()) {
            for (UINT wanted : messages) {
                if (m.message == wanted)
                    recorded.emplace_back(m.hwnd, m.message);
            }
        }
        return recorded;
    }
};

using Pair = std::pair<HWND, UINT>;

// A class name is found whatever its case, and registered once per module.
// CreateWindowEx fails for a class nobody registered (the stand-in says
// ERROR_CANNOT_FIND_WND_CLASS, Wine ERROR_CLASS_DOES_NOT_EXIST), and for a
// child window without a parent.
TEST_F(WindowTest, ClassesAreFoundIgnoringCaseAndRegisteredOnce)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = Instance();
    wc.lpszClassName = "CONFORMANCERECORDING";
    SetLastError(0);
    EXPECT_EQ(0, RegisterClassA(&wc));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS), GetLastError());

    SetLastError(0);
    EXPECT_EQ(nullptr,
              CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr));
    EXPECT_NE(0u, GetLastError());
    SetLastError(0);
    EXPECT_EQ(nullptr, Make(nullptr, WS_CHILD));
    EXPECT_EQ(static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD), GetLastError());

    HWND made = Make();
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(kRecordingClass, ClassName(made));
    DestroyWindow(made);
}

// WM_NCCREATE, then WM_CREATE. Destruction sends WM_DESTROY down the tree,
// parent first, and WM_NCDESTROY back up, children first; a window is
// destroyed once (the stand-in says ERROR_INVALID_WINDOW_HANDLE then, Wine
// ERROR_ACCESS_DENIED), and a new window does not get the handle of one just
// destroyed.
TEST_F(WindowTest, CreationAndDestructionSequences)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD, 7);
    HWND grandchild = Make(child, WS_CHILD, 8);
    ASSERT_NE(nullptr, grandchild);
    EXPECT_THAT(Recorded({WM_NCCREATE, WM_CREATE}),
                ::testing::ElementsAre(Pair(top, WM_NCCREATE), Pair(top, WM_CREATE), Pair(child, WM_NCCREATE),
                                       Pair(child, WM_CREATE), Pair(grandchild, WM_NCCREATE),
                                       Pair(grandchild, WM_CREATE)));
    Recorder::Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_THAT(Recorded({WM_DESTROY, WM_NCDESTROY}),
                ::testing::ElementsAre(Pair(top, WM_DESTROY), Pair(child, WM_DESTROY), Pair(grandchild, WM_DESTROY),
                                       Pair(grandchild, WM_NCDESTROY), Pair(child, WM_NCDESTROY),
                                       Pair(top, WM_NCDESTROY)));
    for (HWND gone : {top, child, grandchild})
        EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(DestroyWindow(top));
    HWND next = Make();
    EXPECT_NE(top, next);
    DestroyWindow(next);
}

// WM_CREATE answering -1: CreateWindowEx fails, and the window is destroyed.
TEST_F(WindowTest, CreateAnsweringMinusOneFails)
{
    createAnswer = -1;
    EXPECT_EQ(nullptr, Make());
    ASSERT_FALSE(Recorder::Messages().empty());
    EXPECT_FALSE(IsWindow(Recorder::Messages().front().hwnd));
    EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), Recorder::Messages().back().message);
}

// GetDlgItem finds direct children only; EnumChildWindows goes down the whole
// tree.
TEST_F(WindowTest, RelationsAndIds)
{
    HWND top = Make();
    HWND first = Make(top, WS_CHILD, 1);
    HWND second = Make(top, WS_CHILD, 2);
    HWND inner = Make(second, WS_CHILD, 3);
    EXPECT_EQ(top, GetParent(first));
    EXPECT_EQ(second, GetParent(inner));
    EXPECT_EQ(second, GetDlgItem(top, 2));
    EXPECT_EQ(nullptr, GetDlgItem(top, 3));
    EXPECT_EQ(3, GetDlgCtrlID(inner));
    EXPECT_TRUE(IsChild(top, inner));
    EXPECT_FALSE(IsChild(first, inner));
    std::vector<HWND> all;
    EnumChildWindows(
        top,
        [](HWND hwnd, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    EXPECT_THAT(all, ::testing::UnorderedElementsAre(first, second, inner));
    DestroyWindow(top);
}

// A text is cut to the buffer, terminated; NULL sets an empty one.
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

// The id, the style, the user data, the extra bytes (an index that runs past
// them fails with ERROR_INVALID_INDEX) and the procedure.
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
    SetLastError(0);
    EXPECT_EQ(0, GetWindowLongPtrA(child, 9));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_INDEX), GetLastError());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(RecordingProc), GetWindowLongPtrA(child, GWLP_WNDPROC));
    DestroyWindow(top);
}

// A child is visible only with its parent. The focus moves with
// WM_KILLFOCUS before WM_SETFOCUS; a window that is disabled loses it, and
// takes none while disabled.
TEST_F(WindowTest, VisibilityEnablingAndFocus)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD | WS_VISIBLE, 1);
    HWND other = Make(top, WS_CHILD | WS_VISIBLE, 2);
    EXPECT_FALSE(IsWindowVisible(child));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(top, SW_SHOW));

    SetFocus(child);
    Recorder::Clear();
    EXPECT_EQ(child, SetFocus(other));
    EXPECT_EQ(other, GetFocus());
    EXPECT_THAT(Recorded({WM_SETFOCUS, WM_KILLFOCUS}),
                ::testing::ElementsAre(Pair(child, WM_KILLFOCUS), Pair(other, WM_SETFOCUS)));
    EXPECT_FALSE(EnableWindow(other, FALSE));  // it was enabled
    EXPECT_NE(other, GetFocus());
    EXPECT_EQ(nullptr, SetFocus(other));
    EXPECT_NE(other, GetFocus());
    EXPECT_TRUE(EnableWindow(other, TRUE));  // it was disabled
    DestroyWindow(top);
}

LRESULT CALLBACK DestroysItsParent(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_USER)
        DestroyWindow(GetParent(hwnd));
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window procedure may destroy its own window's parent, and so itself.
TEST_F(WindowTest, AWindowMayDestroyItselfInItsOwnHandler)
{
    HWND top = Make();
    HWND child = Make(top, WS_CHILD, 1);
    SetWindowLongPtrA(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroysItsParent));
    SendMessageA(child, WM_USER, 0, 0);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(top));
}

}  // namespace
