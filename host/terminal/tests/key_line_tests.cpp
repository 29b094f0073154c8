// The key line: whole entries, the least important dropped first.
#include <gtest/gtest.h>

#include "terminal/KeyLine.h"

namespace ilt {
namespace {

TEST(KeyLine, AShortLineDropsWholeEntriesTheLeastImportantFirst)
{
    const std::vector<KeyHint> keys = {{"Up/Down", "choose", 4}, {"F4", "list", 1},  {"Tab", "next", 3},
                                       {"Shift-Tab", "back", 2}, {"Enter", "OK", 5}, {"Esc", "cancel", 6}};
    EXPECT_EQ(KeyLine(keys, 80, false),
              "Up/Down: choose  F4: list  Tab: next  Shift-Tab: back  Enter: OK  Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 76, false), "Up/Down: choose  Tab: next  Shift-Tab: back  Enter: OK  Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 60, false), "Up/Down: choose  Tab: next  Enter: OK  Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 40, false), "Up/Down: choose  Enter: OK  Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 22, false), "Enter: OK  Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 11, false), "Esc: cancel");
    EXPECT_EQ(KeyLine(keys, 10, false), "");
    // Of equals, the later one goes first.
    EXPECT_EQ(KeyLine({{"A", "a", 1}, {"B", "b", 1}}, 8, false), "A: a");
}

}  // namespace
}  // namespace ilt
