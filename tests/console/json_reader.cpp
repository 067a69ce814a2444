// A small, strict JSON reader for checking what plandor --dump writes.
#include "json_reader.h"

#include <cstdlib>
#include <stdexcept>

namespace plandor_test {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : m_text(text) {}

    JsonValue document() {
        JsonValue value = parseValue();
        skipBlanks();
        if (m_pos != m_text.size()) fail("text after the value");
        return value;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("JSON: " + what + " at byte " + std::to_string(m_pos));
    }

    void skipBlanks() {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')) {
            ++m_pos;
        }
    }

    char peek() const { return m_pos < m_text.size() ? m_text[m_pos] : '\0'; }

    void expect(char c) {
        if (peek() != c) fail(std::string("expected '") + c + "'");
        ++m_pos;
    }

    bool takeWord(const char* word) {
        const std::string w(word);
        if (m_text.compare(m_pos, w.size(), w) != 0) return false;
        m_pos += w.size();
        return true;
    }

    JsonValue parseValue() {
        skipBlanks();
        JsonValue value;
        const char c = peek();
        if (c == '{') {
            value.type = JsonValue::Type::Object;
            parseObject(value);
        } else if (c == '[') {
            value.type = JsonValue::Type::Array;
            parseArray(value);
        } else if (c == '"') {
            value.type = JsonValue::Type::String;
            value.text = parseString();
        } else if (takeWord("true")) {
            value.type = JsonValue::Type::Bool;
            value.boolean = true;
        } else if (takeWord("false")) {
            value.type = JsonValue::Type::Bool;
        } else if (takeWord("null")) {
            value.type = JsonValue::Type::Null;
        } else {
            value.type = JsonValue::Type::Number;
            value.text = parseNumber();
            value.number = std::strtod(value.text.c_str(), nullptr);
        }
        return value;
    }

    void parseObject(JsonValue& value) {
        expect('{');
        skipBlanks();
        if (peek() == '}') {
            ++m_pos;
            return;
        }
        for (;;) {
            skipBlanks();
            if (peek() != '"') fail("expected a member name");
            std::string name = parseString();
            for (const auto& member : value.members) {
                if (member.first == name) fail("repeated member \"" + name + "\"");
            }
            skipBlanks();
            expect(':');
            value.members.emplace_back(std::move(name), parseValue());
            skipBlanks();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            expect('}');
            return;
        }
    }

    void parseArray(JsonValue& value) {
        expect('[');
        skipBlanks();
        if (peek() == ']') {
            ++m_pos;
            return;
        }
        for (;;) {
            value.items.push_back(parseValue());
            skipBlanks();
            if (peek() == ',') {
                ++m_pos;
                continue;
            }
            expect(']');
            return;
        }
    }

    bool digitHere() const { return peek() >= '0' && peek() <= '9'; }

    std::string parseNumber() {
        const std::size_t start = m_pos;
        if (peek() == '-') ++m_pos;
        if (peek() == '0') {
            ++m_pos;
        } else if (digitHere()) {
            while (digitHere()) ++m_pos;
        } else {
            fail("expected a value");
        }
        if (peek() == '.') {
            ++m_pos;
            if (!digitHere()) fail("expected a digit after the decimal point");
            while (digitHere()) ++m_pos;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++m_pos;
            if (peek() == '+' || peek() == '-') ++m_pos;
            if (!digitHere()) fail("expected a digit in the exponent");
            while (digitHere()) ++m_pos;
        }
        return m_text.substr(start, m_pos - start);
    }

    unsigned hex4() {
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = peek();
            value <<= 4;
            if (c >= '0' && c <= '9') value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value |= static_cast<unsigned>(c - 'A' + 10);
            else fail("expected four hexadecimal digits");
            ++m_pos;
        }
        return value;
    }

    static void appendUtf8(std::string& out, unsigned c) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    std::string parseString() {
        expect('"');
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size()) fail("unterminated string");
            const char c = m_text[m_pos++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) fail("unescaped control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = peek();
            ++m_pos;
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    unsigned code = hex4();
                    if (code >= 0xD800 && code <= 0xDBFF) {
                        if (!takeWord("\\u")) fail("a high surrogate without its low half");
                        const unsigned low = hex4();
                        if (low < 0xDC00 || low > 0xDFFF) fail("a high surrogate without its low half");
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    } else if (code >= 0xDC00 && code <= 0xDFFF) {
                        fail("a lone low surrogate");
                    }
                    appendUtf8(out, code);
                    break;
                }
                default: fail("unknown escape");
            }
        }
    }

    const std::string& m_text;
    std::size_t m_pos = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const {
    if (type != Type::Object) throw std::runtime_error("JSON: not an object, looking for \"" + name + "\"");
    for (const auto& member : members) {
        if (member.first == name) return member.second;
    }
    throw std::runtime_error("JSON: no member \"" + name + "\"");
}

const JsonValue& JsonValue::operator[](std::size_t index) const {
    if (type != Type::Array || index >= items.size()) {
        throw std::runtime_error("JSON: no item " + std::to_string(index));
    }
    return items[index];
}

std::vector<std::string> JsonValue::names() const {
    std::vector<std::string> out;
    for (const auto& member : members) out.push_back(member.first);
    return out;
}

bool JsonValue::isInteger() const {
    return type == Type::Number && text.find_first_of(".eE") == std::string::npos;
}

JsonValue parseJson(const std::string& text) { return Reader(text).document(); }

}  // namespace plandor_test
