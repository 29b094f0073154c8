// Text made fit for a terminal: what is replaced, and what is kept byte for byte.
#include <gtest/gtest.h>

#include "safetext/ControlFree.h"

namespace ilt {
namespace {

TEST(ControlFree, ReplacesWhatATerminalWouldActOn)
{
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"", ""},
        {"D:\\lib\\4L", "D:\\lib\\4L"},
        {"x\x1b]2;PWNED\x07", "x?]2;PWNED?"},  // sets the title
        {"\x1b[2J\x1b"
         "c",
         "?[2J?c"},  // clears, resets
        {"a\tb\nc\rd\x7f", "a?b?c?d?"},
        {"\xc2\x9b"
         "31m",
         "?31m"},  // C1 CSI, two bytes
        {"ab\xe2\x80\xae"
         "cd\xe2\x81\xa6",
         "ab?cd?"},               // direction override and isolate
        {"\xef\xbb\xbfx", "?x"},  // byte-order mark: invisible
        {"caf\xc3\xa9 \xe6\xbc\xa2", "caf\xc3\xa9 \xe6\xbc\xa2"},
        {"\xff\xc3(\xed\xa0\x80",
         "??"
         "(???"},  // malformed: one '?' a byte
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.shown);
        EXPECT_EQ(ControlFree(test.text), test.shown);
    }
    EXPECT_EQ(ControlFree(std::string("a\0b", 3)), "a?b");
}

TEST(ControlFree, ControlCharacterBoundaries)
{
    for (const char32_t c : {0x00u, 0x1Fu, 0x7Fu, 0x80u, 0x9Fu, 0x200Bu, 0x202Eu, 0x2066u, 0xFEFFu, 0x061Cu})
        EXPECT_TRUE(IsControlCharacter(c)) << std::hex << static_cast<unsigned>(c);
    for (const char32_t c : {0x20u, 0x7Eu, 0xA0u, 0xE9u, 0x200Au, 0x2030u, 0xFFFDu})
        EXPECT_FALSE(IsControlCharacter(c)) << std::hex << static_cast<unsigned>(c);
}

}  // namespace
}  // namespace ilt
