// A small, strict JSON reader for checking what plandor --dump writes.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace plandor_test {

/// One JSON value. Numbers keep their text, so a test can tell 1 from 1.0.
struct JsonValue {
    enum class Type { Null, Bool, Number, String, Array, Object };
    Type type = Type::Null;
    bool boolean = false;
    double number = 0.0;
    std::string text;  ///< a string's UTF-8 value, or a number as written
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;  ///< in the order written

    /// The member `name`; throws when this is no object or has no such member.
    const JsonValue& operator[](const std::string& name) const;
    /// The item `index`; throws when this is no array or too short.
    const JsonValue& operator[](std::size_t index) const;
    /// The names of the members, in order.
    std::vector<std::string> names() const;
    /// A number written without fraction or exponent.
    bool isInteger() const;
};

/// Reads `text` as one JSON document (RFC 8259): throws std::runtime_error,
/// naming the byte offset, on anything else, also on repeated member names
/// and text after the value.
JsonValue parseJson(const std::string& text);

}  // namespace plandor_test
