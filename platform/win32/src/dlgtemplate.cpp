// Dialog templates: DLGTEMPLATE and DLGTEMPLATEEX as the dialog manager reads them.
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
#include "window.h"

#include <standin/win32.h>

#include <cstring>

namespace win32 {
namespace {

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool Word(uint16_t& value) { return Read(&value, 2); }
    bool Dword(uint32_t& value) { return Read(&value, 4); }
    bool Short(int16_t& value) { return Read(&value, 2); }
    bool Byte(uint8_t& value) { return Read(&value, 1); }
    bool Skip(size_t count) {
        if (count > size_ - offset_)
            return false;
        offset_ += count;
        return true;
    }
    bool AlignTo(size_t alignment) {
        const size_t aligned = (offset_ + alignment - 1) & ~(alignment - 1);
        return Skip(aligned - offset_);
    }
    const uint8_t* Here() const { return data_ + offset_; }

    bool String(std::string& value) {
        std::u16string text;
        uint16_t unit;
        while (true) {
            if (!Word(unit))
                return false;
            if (unit == 0)
                break;
            text.push_back(static_cast<char16_t>(unit));
        }
        value = Utf16ToUtf8(reinterpret_cast<const WCHAR*>(text.data()), text.size());
        return true;
    }

    // 0x0000: nothing; 0xFFFF: an ordinal follows; otherwise a string.
    bool OptionalId(std::optional<standin::ResourceId>& id) {
        if (size_ - offset_ < 2)
            return false;
        uint16_t first;
        std::memcpy(&first, data_ + offset_, 2);
        if (first == 0) {
            offset_ += 2;
            id.reset();
            return true;
        }
        standin::ResourceId value;
        if (!Id(value))
            return false;
        id = value;
        return true;
    }

    bool Id(standin::ResourceId& id) {
        if (size_ - offset_ < 2)
            return false;
        uint16_t first;
        std::memcpy(&first, data_ + offset_, 2);
        if (first == 0xFFFF) {
            offset_ += 2;
            id.isOrdinal = true;
            id.name.clear();
            return Word(id.ordinal);
        }
        id.isOrdinal = false;
        return String(id.name);
    }

private:
    bool Read(void* value, size_t count) {
        if (count > size_ - offset_)
            return false;
        std::memcpy(value, data_ + offset_, count);
        offset_ += count;
        return true;
    }

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
};

bool ReadItem(Reader& reader, bool extended, standin::DialogItemTemplate& item) {
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
    std::optional<standin::ResourceId> title;
    if (!reader.Id(item.windowClass) || !reader.OptionalId(title))
        return false;
    item.title = title.value_or(standin::ResourceId{false, 0, std::string()});
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
bool ReadFont(Reader& reader, standin::DialogTemplate& result) {
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
}  // namespace win32

namespace standin {

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size) {
    if (!data)
        return std::nullopt;
    win32::Reader reader(static_cast<const uint8_t*>(data), size);
    DialogTemplate result;
    uint16_t version, signature;
    uint16_t count;
    {
        win32::Reader probe(static_cast<const uint8_t*>(data), size);
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
    if ((result.style & DS_SETFONT) && !win32::ReadFont(reader, result))
        return std::nullopt;
    for (uint16_t i = 0; i < count; ++i) {
        DialogItemTemplate item;
        if (!win32::ReadItem(reader, result.extended, item))
            return std::nullopt;
        result.items.push_back(std::move(item));
    }
    return result;
}

std::string ClassNameOfOrdinal(uint16_t ordinal) {
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

}  // namespace standin

namespace win32 {
namespace {

class Writer {
public:
    void Word(uint16_t value) { Append(&value, 2); }
    void Dword(uint32_t value) { Append(&value, 4); }
    void Short(int16_t value) { Append(&value, 2); }
    void Byte(uint8_t value) { Append(&value, 1); }
    void AlignTo(size_t alignment) {
        while (bytes_.size() % alignment)
            bytes_.push_back(0);
    }
    void String(const std::string& text) {
        const std::u16string wide = EncodeUtf16(DecodeUtf8(text.data(), text.size(), nullptr));
        for (char16_t unit : wide)
            Word(static_cast<uint16_t>(unit));
        Word(0);
    }
    void Id(const standin::ResourceId& id) {
        if (id.isOrdinal) {
            Word(0xFFFF);
            Word(id.ordinal);
        } else {
            String(id.name);
        }
    }
    void OptionalId(const std::optional<standin::ResourceId>& id) {
        if (id)
            Id(*id);
        else
            Word(0);
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    void Append(const void* data, size_t count) {
        const auto* p = static_cast<const uint8_t*>(data);
        bytes_.insert(bytes_.end(), p, p + count);
    }
    std::vector<uint8_t> bytes_;
};

}  // namespace
}  // namespace win32

namespace standin {

DialogItemTemplate DialogItem(uint16_t classOrdinal, int id, const std::string& text, DWORD style, int16_t x,
                              int16_t y, int16_t cx, int16_t cy) {
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

std::vector<uint8_t> BuildDialogTemplate(const DialogTemplate& dialog) {
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
