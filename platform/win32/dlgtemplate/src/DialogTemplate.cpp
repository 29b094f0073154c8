// Reading compiled dialog templates (layout in DialogTemplate.h).
#include "dlgtemplate/DialogTemplate.h"

#include <cstring>

namespace dlgtemplate {
namespace {

constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT: the font fields follow the title

class Reader {
public:
    Reader(const uint8_t* data, std::size_t size, TextDecoder decode) : m_data(data), m_size(size), m_decode(decode) {}

    bool Word(uint16_t& value) { return Read(&value, 2); }
    bool Dword(uint32_t& value) { return Read(&value, 4); }
    bool Short(int16_t& value) { return Read(&value, 2); }
    bool Byte(uint8_t& value) { return Read(&value, 1); }
    bool Skip(std::size_t count)
    {
        if (count > m_size - m_offset)
            return false;
        m_offset += count;
        return true;
    }
    bool AlignTo(std::size_t alignment)
    {
        const std::size_t aligned = (m_offset + alignment - 1) & ~(alignment - 1);
        return Skip(aligned - m_offset);
    }
    const uint8_t* Here() const { return m_data + m_offset; }

    bool String(std::string& value)
    {
        std::u16string text;
        uint16_t unit;
        while (true) {
            if (!Word(unit))
                return false;
            if (unit == 0)
                break;
            text.push_back(static_cast<char16_t>(unit));
        }
        value = m_decode(text.data(), text.size());
        return true;
    }

    // 0x0000: nothing; 0xFFFF: an ordinal follows; otherwise a string.
    bool OptionalId(std::optional<ResourceId>& id)
    {
        if (m_size - m_offset < 2)
            return false;
        uint16_t first;
        std::memcpy(&first, m_data + m_offset, 2);
        if (first == 0) {
            m_offset += 2;
            id.reset();
            return true;
        }
        ResourceId value;
        if (!Id(value))
            return false;
        id = value;
        return true;
    }

    bool Id(ResourceId& id)
    {
        if (m_size - m_offset < 2)
            return false;
        uint16_t first;
        std::memcpy(&first, m_data + m_offset, 2);
        if (first == 0xFFFF) {
            m_offset += 2;
            id.isOrdinal = true;
            id.name.clear();
            return Word(id.ordinal);
        }
        id.isOrdinal = false;
        return String(id.name);
    }

private:
    bool Read(void* value, std::size_t count)
    {
        if (count > m_size - m_offset)
            return false;
        std::memcpy(value, m_data + m_offset, count);
        m_offset += count;
        return true;
    }

    const uint8_t* m_data;
    std::size_t m_size;
    TextDecoder m_decode;
    std::size_t m_offset = 0;
};

bool ReadItem(Reader& reader, bool extended, DialogItemTemplate& item)
{
    if (!reader.AlignTo(4))
        return false;
    if (extended) {
        if (!reader.Dword(item.helpId) || !reader.Dword(item.exStyle) || !reader.Dword(item.style))
            return false;
    } else if (!reader.Dword(item.style) || !reader.Dword(item.exStyle)) {
        return false;
    }
    if (!reader.Short(item.x) || !reader.Short(item.y) || !reader.Short(item.cx) || !reader.Short(item.cy))
        return false;
    if (extended) {
        uint32_t id;
        if (!reader.Dword(id))
            return false;
        item.id = static_cast<int32_t>(id);
    } else {
        uint16_t id;
        if (!reader.Word(id))
            return false;
        item.id = id;
    }
    std::optional<ResourceId> title;
    if (!reader.Id(item.windowClass) || !reader.OptionalId(title))
        return false;
    item.title = title.value_or(ResourceId{false, 0, std::string()});
    uint16_t extraCount;
    if (!reader.Word(extraCount))
        return false;
    if (extraCount) {
        const uint8_t* start = reader.Here();
        if (!reader.Skip(extraCount))
            return false;
        item.creationData.assign(start, start + extraCount);
    }
    return true;
}

// 0x7FFF asks for the message-box font, and no font description follows.
bool ReadFont(Reader& reader, DialogTemplate& result)
{
    if (!reader.Word(result.pointSize))
        return false;
    if (result.pointSize == 0x7FFF)
        return true;
    if (result.extended) {
        uint8_t italic;
        if (!reader.Word(result.weight) || !reader.Byte(italic) || !reader.Byte(result.charset))
            return false;
        result.italic = italic != 0;
    }
    return reader.String(result.typeface);
}

}  // namespace

std::optional<DialogTemplate> ReadDialogTemplate(const void* data, std::size_t size, TextDecoder decode)
{
    if (!data)
        return std::nullopt;
    Reader reader(static_cast<const uint8_t*>(data), size, decode);
    DialogTemplate result;
    uint16_t version, signature;
    uint16_t count;
    {
        Reader probe(static_cast<const uint8_t*>(data), size, decode);
        if (!probe.Word(version) || !probe.Word(signature))
            return std::nullopt;
    }
    result.extended = version == 1 && signature == 0xFFFF;
    if (result.extended) {
        reader.Skip(4);
        result.version = version;
        if (!reader.Dword(result.helpId) || !reader.Dword(result.exStyle) || !reader.Dword(result.style))
            return std::nullopt;
    } else if (!reader.Dword(result.style) || !reader.Dword(result.exStyle)) {
        return std::nullopt;
    }
    if (!reader.Word(count) || !reader.Short(result.x) || !reader.Short(result.y) || !reader.Short(result.cx) ||
        !reader.Short(result.cy))
        return std::nullopt;
    if (!reader.OptionalId(result.menu) || !reader.OptionalId(result.windowClass) || !reader.String(result.caption))
        return std::nullopt;
    if ((result.style & kSetFont) && !ReadFont(reader, result))
        return std::nullopt;
    for (uint16_t i = 0; i < count; ++i) {
        DialogItemTemplate item;
        if (!ReadItem(reader, result.extended, item))
            return std::nullopt;
        result.items.push_back(std::move(item));
    }
    return result;
}

std::string ClassNameOfOrdinal(uint16_t ordinal)
{
    switch (ordinal) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    default: return std::string();
    }
}

}  // namespace dlgtemplate
