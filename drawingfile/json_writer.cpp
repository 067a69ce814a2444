// Writing JSON as it is made, laid out as the JSON library lays it out.
#include "drawingfile/json_writer.h"

#include <charconv>
#include <cmath>

#include "drawing/json_numbers.h"
#include "drawing/utf8.h"

namespace plandor {

void JsonWriter::newLine(std::size_t depth) {
    m_out += '\n';
    m_out.append(2 * depth, ' ');
}

void JsonWriter::startValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_empty.empty()) return;  // the value of the whole text
    if (!m_empty.back()) m_out += ',';
    m_empty.back() = false;
    newLine(m_empty.size());
}

void JsonWriter::open(char bracket) {
    startValue();
    m_out += bracket;
    m_empty.push_back(true);
}

void JsonWriter::close(char bracket) {
    const bool empty = m_empty.back();
    m_empty.pop_back();
    if (!empty) newLine(m_empty.size());
    m_out += bracket;
    if (m_sink && m_out.size() >= m_part) finish();
}

void JsonWriter::finish() {
    if (!m_sink) return;
    m_sink(m_out);
    m_out.clear();
}

void JsonWriter::beginObject() { open('{'); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray() { open('['); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::key(std::string_view name) {
    startValue();
    quoted(name);
    m_out += ": ";
    m_afterKey = true;
}

void JsonWriter::text(std::string_view utf8) {
    startValue();
    quoted(utf8);
}

void JsonWriter::quoted(std::string_view utf8) {
    m_out += '"';
    std::size_t plain = 0;  // the start of the run of characters written as they are
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && c != '"' && c != '\\') continue;
        m_out.append(utf8.substr(plain, i - plain));
        plain = i + 1;
        switch (c) {
            case '"': m_out += "\\\""; break;
            case '\\': m_out += "\\\\"; break;
            case '\b': m_out += "\\b"; break;
            case '\f': m_out += "\\f"; break;
            case '\n': m_out += "\\n"; break;
            case '\r': m_out += "\\r"; break;
            case '\t': m_out += "\\t"; break;
            default: {
                static constexpr char kHex[] = "0123456789abcdef";
                const char escape[] = {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 0xF]};
                m_out.append(escape, sizeof escape);
            }
        }
    }
    m_out.append(utf8.substr(plain));
    m_out += '"';
}

void JsonWriter::text(std::wstring_view wide) { text(std::string_view(toUtf8(wide))); }

void JsonWriter::integer(long long value) {
    startValue();
    char digits[24];
    m_out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

void JsonWriter::real(double value) {
    startValue();
    appendJsonReal(m_out, value);
}

void JsonWriter::boolean(bool value) {
    startValue();
    m_out += value ? "true" : "false";
}

void JsonWriter::null() {
    startValue();
    m_out += "null";
}

void JsonWriter::triple(double x, double y, double z) {
    beginArray();
    real(x);
    real(y);
    real(z);
    endArray();
}

}  // namespace plandor
