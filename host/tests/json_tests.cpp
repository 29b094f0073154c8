// JSON strings of the transcript.
#include <gtest/gtest.h>

#include "Json.h"

namespace ilt {
namespace {

TEST(Json, StringsAreEscapedAndAlwaysValidUtf8)
{
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"", R"("")"},
        {"D:\\lib", R"("D:\\lib")"},
        {"say \"hi\"", R"("say \"hi\"")"},
        {"a\nb\tc\r", R"("a\nb\tc\r")"},
        {"\x1b[31m\x7f", R"("\u001b[31m\u007f")"},
        {std::string("nul\0in", 6), R"("nul\u0000in")"},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
        {"bad\xff\xc3", R"("bad\ufffd\ufffd")"},
        {"\xc0\xaf", R"("\ufffd\ufffd")"},            // overlong '/'
        {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},  // a surrogate
    };
    for (const Case& test : cases)
        EXPECT_EQ(JsonString(test.text), test.json);
    EXPECT_EQ(JsonStringArray({}), "[]");
    EXPECT_EQ(JsonStringArray({"4L", "a\"b"}), R"(["4L","a\"b"])");
}

}  // namespace
}  // namespace ilt
