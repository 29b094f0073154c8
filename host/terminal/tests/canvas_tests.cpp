// The canvas the terminal views paint on.
#include <gtest/gtest.h>

#include <clocale>

#include "terminal/Canvas.h"

namespace ilt {
namespace {

TEST(Canvas, TextIsClippedToItsWidthAndToTheEdges)
{
    Canvas canvas(3, 10, false);
    EXPECT_EQ(canvas.Text(0, 2, "Layer name", kBold, 5), 5);
    EXPECT_EQ(canvas.RowText(0), "  Layer");
    EXPECT_EQ(canvas.At(0, 2).attributes, kBold);
    EXPECT_EQ(canvas.At(0, 7).attributes, kPlain);
    EXPECT_EQ(canvas.Text(1, 7, "SIGNAL_1"), 3);
    EXPECT_EQ(canvas.RowText(1), "       SIG");
    EXPECT_EQ(canvas.Text(2, -3, "abcdef"), 3);
    EXPECT_EQ(canvas.RowText(2), "def");
    EXPECT_EQ(canvas.Text(5, 0, "outside"), 0);
    EXPECT_EQ(canvas.Text(0, 0, "esc\x1b[2J"), 7);
    EXPECT_EQ(canvas.RowText(0), "esc?[2J");
}

TEST(Canvas, FramesAndWideCharacters)
{
    Canvas frame(3, 6, false);
    frame.Frame(0, 0, 3, 6);
    EXPECT_EQ(frame.RowText(0), "+----+");
    EXPECT_EQ(frame.RowText(1), "|    |");
    EXPECT_EQ(frame.RowText(2), "+----+");

    if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
        GTEST_SKIP() << "no C.UTF-8 locale";
    Canvas wide(1, 4, true);
    // A wide character that does not fit whole is left out.
    EXPECT_EQ(wide.Text(0, 0, "a\xe6\xbc\xa2\xe6\xbc\xa2"), 3);
    EXPECT_EQ(wide.RowText(0), "a\xe6\xbc\xa2");
    // Overwriting half of it blanks the other half.
    wide.Text(0, 2, "b");
    EXPECT_EQ(wide.RowText(0), "a b");
    std::setlocale(LC_CTYPE, "C");
}

}  // namespace
}  // namespace ilt
