// A strict recursive-descent JSON reader (RFC 8259), integers only for numbers.

#include "JsonParse.h"

#include <stdexcept>

namespace layouttool::testing {
namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : m_text(text) {}

    JsonValue Document()
    {
        JsonValue value = Value();
        Blanks();
        if (m_at != m_text.size())
            Fail("text after the document");
        return value;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(m_at));
    }

    void Blanks()
    {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\n' || m_text[m_at] == '\t' || m_text[m_at] == '\r'))
            ++m_at;
    }

    bool Take(char c)
    {
        Blanks();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    void Expect(char c)
    {
        if (!Take(c))
            Fail(std::string("'") + c + "' expected");
    }

    bool Word(const char* word)
    {
        const std::string w(word);
        if (m_text.compare(m_at, w.size(), w) != 0)
            return false;
        m_at += w.size();
        return true;
    }

    static void AppendUtf8(std::string& out, unsigned code)
    {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    unsigned Hex4()
    {
        if (m_at + 4 > m_text.size())
            Fail("a \\u escape is cut short");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            code <<= 4;
            if (c >= '0' && c <= '9')
                code |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                code |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                code |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("a bad \\u escape");
        }
        return code;
    }

    std::string String()
    {
        Expect('"');
        std::string value;
        for (;;) {
            if (m_at >= m_text.size())
                Fail("a string is not closed");
            const char c = m_text[m_at++];
            if (c == '"')
                return value;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("a control character in a string");
            if (c != '\\') {
                value += c;
                continue;
            }
            if (m_at >= m_text.size())
                Fail("an escape is cut short");
            const char e = m_text[m_at++];
            switch (e) {
            case '"': value += '"'; break;
            case '\\': value += '\\'; break;
            case '/': value += '/'; break;
            case 'b': value += '\b'; break;
            case 'f': value += '\f'; break;
            case 'n': value += '\n'; break;
            case 'r': value += '\r'; break;
            case 't': value += '\t'; break;
            case 'u': {
                unsigned code = Hex4();
                if (code >= 0xD800 && code < 0xDC00 && Word("\\u")) {
                    const unsigned low = Hex4();
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                }
                AppendUtf8(value, code);
                break;
            }
            default: Fail("an unknown escape");
            }
        }
    }

    JsonValue Value()
    {
        Blanks();
        JsonValue value;
        if (m_at >= m_text.size())
            Fail("a value expected");
        const char c = m_text[m_at];
        if (c == '{') {
            ++m_at;
            value.type = JsonValue::Type::Object;
            if (Take('}'))
                return value;
            do {
                Blanks();
                std::string name = String();
                Expect(':');
                value.members.emplace_back(std::move(name), Value());
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            ++m_at;
            value.type = JsonValue::Type::Array;
            if (Take(']'))
                return value;
            do
                value.items.push_back(Value());
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            value.type = JsonValue::Type::String;
            value.text = String();
        } else if (Word("true") || Word("false")) {
            value.type = JsonValue::Type::Bool;
            value.boolean = m_text[m_at - 1] == 'e' && m_text[m_at - 2] == 'u';
        } else if (Word("null")) {
            value.type = JsonValue::Type::Null;
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            const std::size_t start = m_at;
            if (m_text[m_at] == '-')
                ++m_at;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
                ++m_at;
            value.type = JsonValue::Type::Number;
            value.number = std::stoll(m_text.substr(start, m_at - start));
        } else {
            Fail("a value expected");
        }
        return value;
    }

    const std::string& m_text;
    std::size_t m_at = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const
{
    static const JsonValue kNull;
    for (const auto& [key, value] : members)
        if (key == name)
            return value;
    return kNull;
}

bool JsonValue::Has(const std::string& name) const
{
    for (const auto& member : members)
        if (member.first == name)
            return true;
    return false;
}

JsonValue ParseJson(const std::string& text) { return Reader(text).Document(); }

}  // namespace layouttool::testing
