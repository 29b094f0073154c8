// A reader of the DLGTEMPLATEEX layout, for checking the compiled resource script byte by byte on
// both builds (on Windows the dialog manager's own reading cannot be looked into).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace resources_test {

// A menu, class or title field: nothing, an ordinal (0xFFFF and a WORD) or a UTF-16 string, kept
// here as text (the script's strings are ASCII).
struct TemplateId {
    bool present = false;
    bool isOrdinal = false;
    uint16_t ordinal = 0;
    std::string text;
};

struct ItemTemplate {
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    uint32_t id = 0;
    TemplateId windowClass;
    TemplateId title;
    uint16_t creationDataSize = 0;
};

struct DialogTemplateEx {
    uint16_t version = 0;
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    TemplateId menu;
    TemplateId windowClass;
    std::string caption;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 0;
    std::string typeface;
    std::vector<ItemTemplate> items;
};

// The template in `size` bytes; nothing when it is no DLGTEMPLATEEX or runs past the end.
// DS_SETFONT decides whether the font fields are present.
std::optional<DialogTemplateEx> ReadDialogTemplateEx(const void* data, std::size_t size);

// The class name that a predefined control class ordinal stands for ("Button" for 0x0080).
std::string ClassOfOrdinal(uint16_t ordinal);

}  // namespace resources_test
