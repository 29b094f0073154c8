// Icons, what only the stand-in has (loading them: ../icon_tests.cpp): the
// details of a loaded image, the count of live icons, what it cannot load.
#include "test_support.h"

using namespace win32test;

namespace {

constexpr int kTestIcon = 200;

HICON Load(int cx, int cy, UINT flags = 0)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTestIcon), IMAGE_ICON, cx, cy, flags));
}

// An image keeps the colours it was stored with, whatever its size.
TEST(IconTest, ImagesKeepTheirColours)
{
    struct Case {
        int cx, cy;
        UINT flags;
        int width, height;
    };
    const Case cases[] = {{16, 16, LR_VGACOLOR, 16, 16}, {32, 32, 0, 32, 32}, {20, 20, 0, 20, 20}};
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

TEST(IconTest, DestroyedIconsAreNoLongerCounted)
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

// Bitmaps and files are not loaded here.
TEST(IconTest, OnlyIconResourcesLoad)
{
    EXPECT_EQ(nullptr, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kTestIcon), IMAGE_BITMAP, 0, 0, 0));
    EXPECT_EQ(nullptr, LoadImageA(GetModuleHandleA(nullptr), "icon.ico", IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
}

}  // namespace
