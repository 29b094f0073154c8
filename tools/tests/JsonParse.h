// JsonParse.h - a strict reader of the JSON documents the tool writes, for
// tests that look at their members (and so prove that they are JSON).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace layouttool::testing {

struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    long long number = 0;
    std::string text;  // a string's value, UTF-8
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  // in document order

    // The member `name` of an object; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
    bool Has(const std::string& name) const;
    bool IsNull() const { return type == Type::Null; }
};

// Parses one document, which must be all of `text` but for blanks; throws
// std::runtime_error, naming the offset, on anything else.
JsonValue ParseJson(const std::string& text);

}  // namespace layouttool::testing
