// Writing dialog templates (layout in DialogTemplate.h), for dialogs built in memory.
#include "dlgtemplate/DialogTemplate.h"

namespace dlgtemplate {
namespace {

constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT: the font fields follow the title

class Writer {
public:
    explicit Writer(TextEncoder encode) : m_encode(encode) {}

    void Word(uint16_t value) { Append(&value, 2); }
    void Dword(uint32_t value) { Append(&value, 4); }
    void Short(int16_t value) { Append(&value, 2); }
    void Byte(uint8_t value) { Append(&value, 1); }
    void AlignTo(std::size_t alignment)
    {
        while (m_bytes.size() % alignment)
            m_bytes.push_back(0);
    }
    void String(const std::string& text)
    {
        for (char16_t unit : m_encode(text))
            Word(static_cast<uint16_t>(unit));
        Word(0);
    }
    void Id(const ResourceId& id)
    {
        if (id.isOrdinal) {
            Word(0xFFFF);
            Word(id.ordinal);
        } else {
            String(id.name);
        }
    }
    void OptionalId(const std::optional<ResourceId>& id)
    {
        if (id)
            Id(*id);
        else
            Word(0);
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    void Append(const void* data, std::size_t count)
    {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + count);
    }

    TextEncoder m_encode;
    std::vector<uint8_t> m_bytes;
};

void WriteFont(Writer& out, const DialogTemplate& dialog)
{
    out.Word(dialog.pointSize);
    if (dialog.pointSize == 0x7FFF)
        return;  // DS_SHELLFONT's marker: no more font fields
    if (dialog.extended) {
        out.Word(dialog.weight);
        out.Byte(dialog.italic ? 1 : 0);
        out.Byte(dialog.charset);
    }
    out.String(dialog.typeface);
}

void WriteItem(Writer& out, bool extended, const DialogItemTemplate& item)
{
    out.AlignTo(4);
    if (extended) {
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
    if (extended)
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

}  // namespace

std::vector<uint8_t> WriteDialogTemplate(const DialogTemplate& dialog, TextEncoder encode)
{
    Writer out(encode);
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
    if (dialog.style & kSetFont)
        WriteFont(out, dialog);
    for (const DialogItemTemplate& item : dialog.items)
        WriteItem(out, dialog.extended, item);
    return out.Take();
}

DialogItemTemplate Control(uint16_t classOrdinal, int32_t id, std::string text, uint32_t style, int16_t x, int16_t y,
                           int16_t cx, int16_t cy)
{
    DialogItemTemplate item;
    item.style = style;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    item.windowClass = ResourceId{true, classOrdinal, {}};
    item.title = ResourceId{false, 0, std::move(text)};
    return item;
}

}  // namespace dlgtemplate
