// Stand-in-only queries of the Win32 window model, icons and dialog templates,
// for tests and for displays.  Real Windows has no such header.
#pragma once

#include <dlgtemplate/DialogTemplate.h>
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
};

// Size and colour depth of a loaded icon; nothing for an invalid handle.
STANDIN_API std::optional<IconDetails> GetIconDetails(HICON icon);
// Icons loaded and not yet destroyed.
STANDIN_API std::size_t LiveIconCount();

// A resource name or type, and a dialog template as the dialog manager reads it (DLGTEMPLATE or
// DLGTEMPLATEEX): the reader's types, strings in UTF-8.
using ResourceId = dlgtemplate::ResourceId;
using DialogItemTemplate = dlgtemplate::DialogItemTemplate;
using DialogTemplate = dlgtemplate::DialogTemplate;

// A visible child control of class `classOrdinal` (0x0080 button, 0x0082 static, ...; 0 for none),
// with `text` as its title and WS_CHILD | WS_VISIBLE | style.
STANDIN_API DialogItemTemplate DialogItem(uint16_t classOrdinal, int id, const std::string& text, DWORD style,
                                          int16_t x, int16_t y, int16_t cx, int16_t cy);

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
