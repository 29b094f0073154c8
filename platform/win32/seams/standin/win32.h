// Stand-in-only queries of the Win32 window model, icons and dialog templates,
// for tests and for displays.  Real Windows has no such header.
#pragma once

#include <standin/display.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace standin {

// Dialog base units of the one dialog font of this system ("MS Shell Dlg" 8 pt
// at 96 dpi): a dialog unit is baseX/4 pixels wide and baseY/8 pixels high.
constexpr int kDialogBaseUnitX = 6;
constexpr int kDialogBaseUnitY = 13;

struct IconDetails {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int paletteEntries = 0;  // colours in the image's colour table (0: none)
    bool shared = false;     // loaded with LR_SHARED
};

// Size and colour depth of a loaded icon; nothing for an invalid handle.
STANDIN_API std::optional<IconDetails> GetIconDetails(HICON icon);
// Icons loaded and not yet destroyed (shared icons included).
STANDIN_API std::size_t LiveIconCount();

// A resource name or type: an ordinal or a string.
struct ResourceId {
    bool isOrdinal = true;
    uint16_t ordinal = 0;
    std::string name;  // UTF-8

    bool operator==(const ResourceId& other) const {
        return isOrdinal == other.isOrdinal && (isOrdinal ? ordinal == other.ordinal : name == other.name);
    }
};

// A dialog template as the dialog manager reads it (DLGTEMPLATE or DLGTEMPLATEEX).
struct DialogItemTemplate {
    uint32_t helpId = 0;
    uint32_t exStyle = 0;
    uint32_t style = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    int32_t id = 0;              // a DWORD in an extended template, a WORD (zero-extended) otherwise
    ResourceId windowClass;      // ordinal 0x0080 button, 0x0081 edit, 0x0082 static, 0x0085 combo box
    ResourceId title{false, 0, {}};  // a string (empty: none), or an ordinal (an image's resource id)
    std::vector<uint8_t> creationData;
};

// A visible child control of class `classOrdinal` (0x0080 button, 0x0082 static, ...; 0 for none),
// with `text` as its title and WS_CHILD | WS_VISIBLE | style.
STANDIN_API DialogItemTemplate DialogItem(uint16_t classOrdinal, int id, const std::string& text, DWORD style,
                                          int16_t x, int16_t y, int16_t cx, int16_t cy);

struct DialogTemplate {
    bool extended = false;
    uint16_t version = 0;        // 1 for DLGTEMPLATEEX
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

// Parses a dialog template of `size` bytes; nothing when it is malformed or
// runs past the end.
STANDIN_API std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size);

// Writes `dialog` as a DLGTEMPLATEEX (dialog.extended) or a DLGTEMPLATE, the
// inverse of ParseDialogTemplate; for building dialogs in memory.
STANDIN_API std::vector<uint8_t> BuildDialogTemplate(const DialogTemplate& dialog);

// The class name that an item's class ordinal stands for ("Button", "Edit",
// "Static", "ListBox", "ScrollBar", "ComboBox"); empty for other ordinals.
STANDIN_API std::string ClassNameOfOrdinal(uint16_t ordinal);

}  // namespace standin
