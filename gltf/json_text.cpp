// JSON written straight into text.
#include "gltf/json_text.h"

#include <charconv>

#include "drawing/json_numbers.h"

namespace plandor::gltf {

void JsonText::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
    } else if (!m_open.empty()) {
        if (m_open.back().hasItems) m_text += ',';
        m_open.back().hasItems = true;
    }
}

JsonText& JsonText::object() {
    beforeValue();
    m_text += '{';
    m_open.push_back({'}', false});
    return *this;
}

JsonText& JsonText::array() {
    beforeValue();
    m_text += '[';
    m_open.push_back({']', false});
    return *this;
}

JsonText& JsonText::end() {
    m_text += m_open.back().closer;
    m_open.pop_back();
    return *this;
}

JsonText& JsonText::key(std::string_view name) {
    beforeValue();
    appendString(name);
    m_text += ':';
    m_afterKey = true;
    return *this;
}

JsonText& JsonText::number(double value) {
    beforeValue();
    m_text += jsonReal(value);
    return *this;
}

JsonText& JsonText::integer(std::uint64_t value) {
    beforeValue();
    char digits[24];
    m_text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    return *this;
}

JsonText& JsonText::boolean(bool value) {
    beforeValue();
    m_text += value ? "true" : "false";
    return *this;
}

JsonText& JsonText::null() {
    beforeValue();
    m_text += "null";
    return *this;
}

JsonText& JsonText::string(std::string_view utf8) {
    beforeValue();
    appendString(utf8);
    return *this;
}

void JsonText::appendString(std::string_view utf8) {
    static const char* const kHex = "0123456789abcdef";
    m_text += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            m_text += {'\\', c};
        } else if (byte < 0x20 || byte == 0x7F) {
            m_text += {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
        } else {
            m_text += c;
        }
    }
    m_text += '"';
}

JsonText& JsonText::numbers(const double* values, std::size_t count) {
    array();
    for (std::size_t i = 0; i < count; ++i) number(values[i]);
    return end();
}

JsonText& JsonText::raw(std::string_view json) {
    beforeValue();
    m_text += json;
    return *this;
}

}  // namespace plandor::gltf
