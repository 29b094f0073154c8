// Dialog templates as <standin/win32.h> offers them: lib dlgtemplate's reader and writer, with
// the strings in UTF-8.
#include "user32.h"

#include <standin/win32.h>

namespace standin {

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size)
{
    return dlgtemplate::ReadDialogTemplate(data, size, [](const char16_t* text, std::size_t length) {
        return win32::Utf16ToUtf8(reinterpret_cast<const WCHAR*>(text), length);
    });
}

std::string ClassNameOfOrdinal(uint16_t ordinal) { return dlgtemplate::ClassNameOfOrdinal(ordinal); }

DialogItemTemplate DialogItem(uint16_t classOrdinal, int id, const std::string& text, DWORD style, int16_t x, int16_t y,
                              int16_t cx, int16_t cy)
{
    return dlgtemplate::Control(classOrdinal, id, text, WS_CHILD | WS_VISIBLE | style, x, y, cx, cy);
}

std::vector<uint8_t> BuildDialogTemplate(const DialogTemplate& dialog)
{
    return dlgtemplate::WriteDialogTemplate(dialog, win32::Utf8ToUtf16);
}

}  // namespace standin
