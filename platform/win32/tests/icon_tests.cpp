// Icons: choosing and decoding an icon group's image, icon lifetimes,
// WM_SETICON / WM_GETICON.
#include "test_support.h"

using namespace win32test;

namespace {

constexpr int kTestIcon = 200;

HICON Load(int cx, int cy, UINT flags = 0)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTestIcon), IMAGE_ICON, cx, cy, flags));
}

TEST(IconTest, ChoosesTheClosestImageAndKeepsItsColours)
{
    struct Case {
        int cx, cy;
        UINT flags;
        int width, height;
    };
    const Case cases[] = {
        {16, 16, LR_VGACOLOR, 16, 16},  {32, 32, 0, 32, 32}, {0, 0, 0, 32, 32},  // the image's own size
        {0, 0, LR_DEFAULTSIZE, 32, 32}, {20, 20, 0, 20, 20}, {16, 0, 0, 16, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cx) + "x" + std::to_string(c.cy));
        HICON icon = Load(c.cx, c.cy, c.flags);
        ASSERT_NE(nullptr, icon);
        const auto details = standin::GetIconDetails(icon);
        ASSERT_TRUE(details.has_value());
        EXPECT_EQ(c.width, details->width);
        EXPECT_EQ(c.height, details->height);
        EXPECT_EQ(8, details->bitsPerPixel);
        EXPECT_EQ(256, details->paletteEntries);
        EXPECT_TRUE(DestroyIcon(icon));
    }
}

TEST(IconTest, DestroyIconFreesOnce)
{
    const size_t before = standin::LiveIconCount();
    HICON icon = Load(16, 16);
    EXPECT_EQ(before + 1, standin::LiveIconCount());
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(before, standin::LiveIconCount());
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_ICON_HANDLE), GetLastError());
    EXPECT_FALSE(standin::GetIconDetails(icon).has_value());
}

TEST(IconTest, WhatCannotBeLoaded)
{
    EXPECT_EQ(nullptr, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(201), IMAGE_ICON, 16, 16, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
    EXPECT_EQ(nullptr, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTestIcon), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImageA(GetModuleHandleA(nullptr), "icon.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

TEST(IconTest, SetIconReturnsThePreviousIconOfItsKind)
{
    Parent window;
    HICON first = Load(16, 16);
    HICON second = Load(16, 16);
    HICON big = Load(32, 32);
    EXPECT_EQ(0, SendMessageA(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(first)));
    EXPECT_EQ(0, SendMessageA(window.hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(first),
              SendMessageA(window.hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(second)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(second), SendMessageA(window.hwnd, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(big), SendMessageA(window.hwnd, WM_GETICON, ICON_BIG, 0));
    for (HICON icon : {first, second, big})
        DestroyIcon(icon);
}

}  // namespace
