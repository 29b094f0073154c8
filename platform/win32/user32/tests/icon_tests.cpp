// LoadImageA of an icon group: the image of the asked size, and WM_SETICON.
#include "Conformance.h"

using namespace conformance;

namespace {

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap{};
    if (info.hbmColor != nullptr && GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap) != 0)
        size = SIZE{bitmap.bmWidth, bitmap.bmHeight};
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return size;
}

HICON Load(int cx, int cy, UINT flags = 0)
{
    return static_cast<HICON>(LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_CONFORMANCE), IMAGE_ICON, cx, cy, flags));
}

// The module asks for the 16 x 16 image of its two-image group as the
// dialog's small icon; 0 x 0 is the first image's own size, with
// LR_DEFAULTSIZE the system's icon size; another size is the closest image
// scaled to it.
TEST(IconTest, LoadImageChoosesTheImageOfTheAskedSize)
{
    struct Case {
        int cx, cy;
        UINT flags;
        LONG width;
    };
    const Case cases[] = {{16, 16, LR_VGACOLOR, 16},
                          {32, 32, 0, 32},
                          {0, 0, LR_DEFAULTSIZE, 32},
                          {0, 0, 0, 16},
                          {16, 0, 0, 16},
                          {20, 20, 0, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cx) + "x" + std::to_string(c.cy) + " flags " + std::to_string(c.flags));
        HICON icon = Load(c.cx, c.cy, c.flags);
        ASSERT_NE(nullptr, icon);
        const SIZE size = IconSize(icon);
        EXPECT_EQ(c.width, size.cx);
        EXPECT_EQ(c.width, size.cy);
        EXPECT_TRUE(DestroyIcon(icon));
    }
}

TEST(IconTest, WhatCannotBeLoaded)
{
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_CONFORMANCE + 1), IMAGE_ICON, 16, 16, 0));
    EXPECT_NE(0u, GetLastError());
}

// An icon is destroyed once.
TEST(IconTest, DestroyIconFreesOnce)
{
    HICON icon = Load(16, 16);
    ASSERT_NE(nullptr, icon);
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
}

// WM_SETICON answers the icon it replaces, of the kind it names.
TEST(IconTest, SetIconAnswersThePreviousIcon)
{
    ParentWindow window;
    HICON small = Load(16, 16);
    HICON big = Load(32, 32);
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small)));
    EXPECT_EQ(0, SendMessageA(window.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big)));
    EXPECT_EQ(reinterpret_cast<LRESULT>(small), SendMessageA(window.Handle(), WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(small), SendMessageA(window.Handle(), WM_SETICON, ICON_SMALL, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(big), SendMessageA(window.Handle(), WM_SETICON, ICON_BIG, 0));
    DestroyIcon(small);
    DestroyIcon(big);
}

}  // namespace
