// Compiled dialog templates: DLGTEMPLATE and DLGTEMPLATEEX as a dialog manager reads them, and
// written for dialogs built in memory (the stand-in's message box and folder browser, tests).
//
// Layout (all WORD aligned; strings are zero-terminated UTF-16):
//   DLGTEMPLATEEX  dlgVer=1, signature=0xFFFF, helpID, exStyle, style, cDlgItems,
//                  x, y, cx, cy, menu, windowClass, title,
//                  [pointsize, weight, italic, charset, typeface]  (DS_SETFONT)
//   DLGITEMTEMPLATEEX  (DWORD aligned) helpID, exStyle, style, x, y, cx, cy, id (DWORD),
//                  windowClass, title, extraCount (WORD), extra bytes
//   DLGTEMPLATE    style, exStyle, cdit, x, y, cx, cy, menu, class, title,
//                  [pointsize, typeface]
//   DLGITEMTEMPLATE  (DWORD aligned) style, exStyle, x, y, cx, cy, id (WORD),
//                  class, title, extraCount, extra bytes
// menu/class/title: 0x0000 (none), 0xFFFF followed by an ordinal, or a string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dlgtemplate {

// A resource name or type: an ordinal or a string.
struct ResourceId {
    bool isOrdinal = true;
    uint16_t ordinal = 0;
    std::string name;  // as the reader's TextDecoder gave it

    bool operator==(const ResourceId& other) const
    {
        return isOrdinal == other.isOrdinal && (isOrdinal ? ordinal == other.ordinal : name == other.name);
    }
};

struct DialogItemTemplate {
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int32_t id = 0;                  // a DWORD in an extended template, a WORD (zero-extended) otherwise
    ResourceId windowClass;          // ordinal 0x0080 button, 0x0081 edit, 0x0082 static, 0x0085 combo box
    ResourceId title{false, 0, {}};  // a string (empty: none), or an ordinal (an image's resource id)
    std::vector<uint8_t> creationData;
};

struct DialogTemplate {
    bool extended = false;
    uint16_t version = 0;  // 1 for DLGTEMPLATEEX
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::optional<ResourceId> menu;
    std::optional<ResourceId> windowClass;
    std::string caption;
    // Present when the style has DS_SETFONT (or DS_SHELLFONT).
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    bool italic = false;
    uint8_t charset = 0;
    std::string typeface;
    std::vector<DialogItemTemplate> items;
};

// Turns a template's UTF-16 string (without its terminator) into the text the reader keeps.
using TextDecoder = std::string (*)(const char16_t* text, std::size_t length);

// Reads a dialog template of `size` bytes, its strings through `decode`; nothing when it is
// malformed or runs past the end.
std::optional<DialogTemplate> ReadDialogTemplate(const void* data, std::size_t size, TextDecoder decode);

// Turns the text a template keeps into its UTF-16 code units (without a terminator).
using TextEncoder = std::u16string (*)(const std::string& text);

// Writes `dialog` as a DLGTEMPLATEEX (dialog.extended) or a DLGTEMPLATE, its strings through
// `encode`: the inverse of ReadDialogTemplate.
std::vector<uint8_t> WriteDialogTemplate(const DialogTemplate& dialog, TextEncoder encode);

// An item of the class `classOrdinal` (0x0080 button, 0x0082 static, ...) with `text` as its
// title and exactly `style` (a control also wants WS_CHILD, and WS_VISIBLE to be seen).
DialogItemTemplate Control(uint16_t classOrdinal, int32_t id, std::string text, uint32_t style, int16_t x, int16_t y,
                           int16_t cx, int16_t cy);

// The class name that an item's class ordinal stands for ("Button", "Edit", "Static", "ListBox",
// "ScrollBar", "ComboBox"); empty for other ordinals.
std::string ClassNameOfOrdinal(uint16_t ordinal);

}  // namespace dlgtemplate
