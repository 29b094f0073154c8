// JSON text of the machine-readable reports.

#include "JsonWriter.h"

#include "Text.h"
#include "safetext/JsonString.h"
#include "safetext/Utf8.h"

namespace layouttool {

bool IsUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        if (!ilt::DecodeUtf8(text, pos, c))
            return false;
    }
    return true;
}

std::string HexBytes(std::string_view text)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0F];
    }
    return hex;
}

JsonWriter::~JsonWriter() { m_out << '\n'; }

void JsonWriter::BeforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_hasItems.empty())
        return;
    m_out << (m_hasItems.back() ? ",\n" : "\n") << std::string(2 * m_hasItems.size(), ' ');
    m_hasItems.back() = true;
}

void JsonWriter::Open(char bracket)
{
    BeforeValue();
    m_out << bracket;
    m_hasItems.push_back(false);
}

void JsonWriter::Close(char bracket)
{
    const bool hadItems = m_hasItems.back();
    m_hasItems.pop_back();
    if (hadItems)
        m_out << '\n' << std::string(2 * m_hasItems.size(), ' ');
    m_out << bracket;
}

JsonWriter& JsonWriter::BeginObject()
{
    Open('{');
    return *this;
}

JsonWriter& JsonWriter::EndObject()
{
    Close('}');
    return *this;
}

JsonWriter& JsonWriter::BeginArray()
{
    Open('[');
    return *this;
}

JsonWriter& JsonWriter::EndArray()
{
    Close(']');
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name)
{
    BeforeValue();
    m_out << ilt::JsonString(name) << ": ";
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::Utf8(std::string_view text)
{
    BeforeValue();
    m_out << ilt::JsonString(text);
    return *this;
}

JsonWriter& JsonWriter::SystemText(std::string_view text) { return Utf8(SystemToUtf8(text)); }

JsonWriter& JsonWriter::Number(long long value)
{
    BeforeValue();
    m_out << value;
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value)
{
    BeforeValue();
    m_out << (value ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::Null()
{
    BeforeValue();
    m_out << "null";
    return *this;
}

}  // namespace layouttool
