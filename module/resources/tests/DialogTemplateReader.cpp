#include "DialogTemplateReader.h"

#include <cstring>

namespace resources_test {
namespace {

constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT

class Bytes {
public:
    Bytes(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    bool Read(T& value)
    {
        if (m_data == nullptr || sizeof value > m_size - m_offset)
            return false;
        std::memcpy(&value, m_data + m_offset, sizeof value);
        m_offset += sizeof value;
        return true;
    }

    bool AlignToDword()
    {
        const std::size_t aligned = (m_offset + 3) & ~std::size_t{3};
        if (aligned > m_size)
            return false;
        m_offset = aligned;
        return true;
    }

    bool Skip(std::size_t count)
    {
        if (count > m_size - m_offset)
            return false;
        m_offset += count;
        return true;
    }

    // A zero-terminated UTF-16 string; code units above 0x7F are kept as '?'.
    bool Text(std::string& text)
    {
        text.clear();
        for (uint16_t unit = 0; Read(unit);) {
            if (unit == 0)
                return true;
            text += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        return false;
    }

    bool Id(TemplateId& id)
    {
        uint16_t first = 0;
        if (m_size - m_offset < 2)
            return false;
        std::memcpy(&first, m_data + m_offset, 2);
        id = TemplateId{};
        if (first == 0)
            return Read(first);
        id.present = true;
        if (first == 0xFFFF) {
            id.isOrdinal = true;
            return Read(first) && Read(id.ordinal);
        }
        return Text(id.text);
    }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_offset = 0;
};

}  // namespace

std::optional<DialogTemplateEx> ReadDialogTemplateEx(const void* data, std::size_t size)
{
    Bytes bytes(static_cast<const uint8_t*>(data), size);
    DialogTemplateEx dialog;
    uint16_t signature = 0;
    uint16_t count = 0;
    if (!bytes.Read(dialog.version) || !bytes.Read(signature) || dialog.version != 1 || signature != 0xFFFF)
        return std::nullopt;
    if (!bytes.Read(dialog.helpId) || !bytes.Read(dialog.exStyle) || !bytes.Read(dialog.style) ||
        !bytes.Read(count) || !bytes.Read(dialog.x) || !bytes.Read(dialog.y) || !bytes.Read(dialog.cx) ||
        !bytes.Read(dialog.cy) || !bytes.Id(dialog.menu) || !bytes.Id(dialog.windowClass) ||
        !bytes.Text(dialog.caption))
        return std::nullopt;
    if ((dialog.style & kSetFont) != 0 &&
        (!bytes.Read(dialog.pointSize) || !bytes.Read(dialog.weight) || !bytes.Read(dialog.italic) ||
         !bytes.Read(dialog.charset) || !bytes.Text(dialog.typeface)))
        return std::nullopt;
    for (uint16_t i = 0; i < count; ++i) {
        ItemTemplate item;
        if (!bytes.AlignToDword() || !bytes.Read(item.helpId) || !bytes.Read(item.exStyle) ||
            !bytes.Read(item.style) || !bytes.Read(item.x) || !bytes.Read(item.y) || !bytes.Read(item.cx) ||
            !bytes.Read(item.cy) || !bytes.Read(item.id) || !bytes.Id(item.windowClass) ||
            !bytes.Id(item.title) || !bytes.Read(item.creationDataSize) || !bytes.Skip(item.creationDataSize))
            return std::nullopt;
        dialog.items.push_back(item);
    }
    return dialog;
}

std::string ClassOfOrdinal(uint16_t ordinal)
{
    switch (ordinal) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    default: return "#" + std::to_string(ordinal);
    }
}

}  // namespace resources_test
