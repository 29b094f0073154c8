// Bitmaps, as the icons' GetIconInfo hands them out: GetObject tells their
// size and depth until DeleteObject frees them.
#include "Conformance.h"

using namespace conformance;

namespace {

TEST(BitmapTest, GetObjectTellsTheSizeUntilDeleted)
{
    HBITMAP bitmap = CreateBitmap(20, 10, 1, 8, nullptr);
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectA(bitmap, 0, nullptr)) << "no buffer: the size needed";
    BITMAP record{};
    EXPECT_EQ(0, GetObjectA(bitmap, sizeof(record) - 1, &record)) << "a buffer too small";
    ASSERT_EQ(static_cast<int>(sizeof(record)), GetObjectA(bitmap, sizeof(record), &record));
    EXPECT_EQ(20, record.bmWidth);
    EXPECT_EQ(10, record.bmHeight);
    EXPECT_EQ(20, record.bmWidthBytes) << "rows of whole WORDs";
    EXPECT_EQ(1, record.bmPlanes);
    EXPECT_EQ(8, record.bmBitsPixel);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(0, GetObjectA(bitmap, sizeof(record), &record));
    EXPECT_FALSE(DeleteObject(bitmap));
}

}  // namespace
