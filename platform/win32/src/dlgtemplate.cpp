// Dialog templates: reading (the shared reader, lib dlgtemplate, with UTF-8 strings) and writing
// them, for dialogs built in memory.
#include "window.h"

#include <standin/win32.h>

#include <cstring>

namespace standin {

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size)
{
    return dlgtemplate::ReadDialogTemplate(data, size, [](const char16_t* text, std::size_t length) {
        return win32::Utf16ToUtf8(reinterpret_cast<const WCHAR*>(text), length);
    });
}

std::string ClassNameOfOrdinal(uint16_t ordinal) { return dlgtemplate::ClassNameOfOrdinal(ordinal); }

}  // namespace standin

namespace win32 {
namespace {

class Writer {
public:
    void Word(uint16_t value) { Append(&value, 2); }
    void Dword(uint32_t value) { Append(&value, 4); }
    void Short(int16_t value) { Append(&value, 2); }
    void Byte(uint8_t value) { Append(&value, 1); }
    void AlignTo(size_t alignment)
    {
        while (m_bytes.size() % alignment)
            m_bytes.push_back(0);
    }
    void String(const std::string& text)
    {
        const std::u16string wide = EncodeUtf16(DecodeUtf8(text.data(), text.size(), nullptr));
        for (char16_t unit : wide)
            Word(static_cast<uint16_t>(unit));
        Word(0);
    }
    void Id(const standin::ResourceId& id)
    {
        if (id.isOrdinal) {
            Word(0xFFFF);
            Word(id.ordinal);
        } else {
            String(id.name);
        }
    }
    void OptionalId(const std::optional<standin::ResourceId>& id)
    {
        if (id)
            Id(*id);
        else
            Word(0);
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    void Append(const void* data, size_t count)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + count);
    }
    std::vector<uint8_t> m_bytes;
};

}  // namespace
}  // namespace win32

namespace standin {

DialogItemTemplate DialogItem(uint16_t classOrdinal, int id, const std::string& text, DWORD style, int16_t x, int16_t y,
                              int16_t cx, int16_t cy)
{
    DialogItemTemplate item;
    item.style = WS_CHILD | WS_VISIBLE | style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    item.windowClass = ResourceId{true, classOrdinal, {}};
    item.title = ResourceId{false, 0, text};
    return item;
}

std::vector<uint8_t> BuildDialogTemplate(const DialogTemplate& dialog)
{
    win32::Writer out;
    if (dialog.extended) {
        out.Word(1);
        out.Word(0xFFFF);
        out.Dword(dialog.helpId);
        out.Dword(dialog.exStyle);
        out.Dword(dialog.style);
    } else {
        out.Dword(dialog.style);
        out.Dword(dialog.exStyle);
    }
    out.Word(static_cast<uint16_t>(dialog.items.size()));
    out.Short(dialog.x);
    out.Short(dialog.y);
    out.Short(dialog.cx);
    out.Short(dialog.cy);
    out.OptionalId(dialog.menu);
    out.OptionalId(dialog.windowClass);
    out.String(dialog.caption);
    if (dialog.style & DS_SETFONT) {
        out.Word(dialog.pointSize);
        if (dialog.pointSize != 0x7FFF) {
            if (dialog.extended) {
                out.Word(dialog.weight);
                out.Byte(dialog.italic ? 1 : 0);
                out.Byte(dialog.charset);
            }
            out.String(dialog.typeface);
        }
    }
    for (const DialogItemTemplate& item : dialog.items) {
        out.AlignTo(4);
        if (dialog.extended) {
            out.Dword(item.helpId);
            out.Dword(item.exStyle);
            out.Dword(item.style);
        } else {
            out.Dword(item.style);
            out.Dword(item.exStyle);
        }
        out.Short(item.x);
        out.Short(item.y);
        out.Short(item.cx);
        out.Short(item.cy);
        if (dialog.extended)
            out.Dword(static_cast<uint32_t>(item.id));
        else
            out.Word(static_cast<uint16_t>(item.id));
        out.Id(item.windowClass);
        if (item.title.isOrdinal || !item.title.name.empty())
            out.Id(item.title);
        else
            out.Word(0);
        out.Word(static_cast<uint16_t>(item.creationData.size()));
        for (uint8_t byte : item.creationData)
            out.Byte(byte);
    }
    return out.Take();
}

}  // namespace standin
