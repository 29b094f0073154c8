// JSON string literals: escaped, exact, and always valid UTF-8.
#include <gtest/gtest.h>

#include "safetext/JsonString.h"

namespace ilt {
namespace {

TEST(JsonString, EscapesWhatJsonAndTerminalsNeedAndKeepsTheRest)
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
        {"\xc2\x9b"
         "2J",
         R"("\u009b2J")"},  // C1: a terminal's CSI
        {"\xe2\x80\xae"
         "gpj.exe",
         R"("\u202egpj.exe")"},  // right-to-left override
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
        {"\xc2\xa0", "\"\xc2\xa0\""},  // no-break space: printable
        {"bad\xff\xc3", R"("bad\ufffd\ufffd")"},
        {"\xc0\xaf", R"("\ufffd\ufffd")"},            // overlong '/'
        {"\xed\xa0\x80", R"("\ufffd\ufffd\ufffd")"},  // a surrogate
    };
    for (const Case& test : cases)
        EXPECT_EQ(JsonString(test.text), test.json) << test.json;
}

}  // namespace
}  // namespace ilt
