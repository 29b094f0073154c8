// JsonWriter.h - one JSON document, written as it is built: objects, arrays,
// strings, numbers, booleans and null, two spaces of indent a level.
//
// Strings are taken in the system's narrow text (SystemText below, the ANSI
// code page: UTF-8 on Linux) or as UTF-8, and written as UTF-8 JSON strings:
// quotes and backslashes escaped, and every control character a terminal
// acts on (C0, C1, DEL, invisible direction marks) as \uXXXX, so that the
// document is exact and harmless to print. A byte that is not UTF-8 becomes
// U+FFFD.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace layouttool {

// Whether `text` is valid UTF-8 (a JSON string can carry it exactly).
bool IsUtf8(std::string_view text);

// The bytes of `text` in hexadecimal: "\xff" => "ff".
std::string HexBytes(std::string_view text);

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}
    // Ends the document with a line end.
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    JsonWriter& EndArray();
    // The name of the next member of the object being written.
    JsonWriter& Key(std::string_view name);

    JsonWriter& Utf8(std::string_view text);
    JsonWriter& SystemText(std::string_view text);
    JsonWriter& Number(long long value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::ostream& m_out;
    std::vector<bool> m_hasItems;  // per open object or array
    bool m_afterKey = false;
};

}  // namespace layouttool
