// JSON strings of the transcript.
#include <gtest/gtest.h>

#include "Json.h"

namespace ilt {
namespace {

TEST(Json, ArraysOfStrings)
{
    EXPECT_EQ(JsonStringArray({}), "[]");
    EXPECT_EQ(JsonStringArray({"4L", "a\"b", "\x1b"}), R"(["4L","a\"b","\u001b"])");
}

}  // namespace
}  // namespace ilt
