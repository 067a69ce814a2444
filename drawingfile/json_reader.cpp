// Reading JSON a value at a time, with the pointer of the value at hand.
#include "drawingfile/json_reader.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace plandor {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

/// The length of the UTF-8 sequence at the start of `text`; 0 when it is broken (cut short,
/// overlong, a surrogate, beyond U+10FFFF).
std::size_t utf8Sequence(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return 0;
    return length;
}

}  // namespace

std::string pointerToken(std::string_view token) {
    std::string out;
    for (const char c : token) {
        if (c == '~') {
            out += "~0";
        } else if (c == '/') {
            out += "~1";
        } else {
            out += c;
        }
    }
    return out;
}

JsonReader::JsonReader(std::string_view text) : m_text(text) {
    if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;  // a byte-order mark
}

const wchar_t* JsonReader::typeName(Type type) {
    switch (type) {
        case Type::Null: return L"null";
        case Type::Boolean: return L"true or false";
        case Type::Number: return L"a number";
        case Type::String: return L"a string";
        case Type::Array: return L"an array";
        case Type::Object: return L"an object";
    }
    return L"";
}

std::string JsonReader::pointer() const {
    std::string out;
    for (const Level& level : m_levels) {
        if (level.first) break;  // the object or array itself is at hand
        out += '/';
        out += level.object ? pointerToken(level.key) : std::to_string(level.index);
    }
    return out;
}

void JsonReader::failWith(std::string pointer, const std::wstring& reason) {
    if (m_failed) return;
    m_failed = true;
    m_fault.pointer = std::move(pointer);
    m_fault.reason = reason;
}

void JsonReader::fail(const std::wstring& reason) { failWith(pointer(), reason); }

bool JsonReader::syntax(const std::wstring& reason) {
    if (m_failed) return false;
    failWith(pointer(), reason);
    const std::string_view before = m_text.substr(0, m_pos);
    const std::size_t lineStart = before.rfind('\n');
    m_fault.line = 1;
    for (const char c : before) m_fault.line += c == '\n';
    m_fault.column = 1;
    for (std::size_t i = lineStart == std::string_view::npos ? 0 : lineStart + 1; i < before.size(); ++i) {
        m_fault.column += (static_cast<unsigned char>(before[i]) & 0xC0) != 0x80;
    }
    return false;
}

void JsonReader::skipBlanks() {
    while (m_pos < m_text.size()) {
        const char c = m_text[m_pos];
        if (c != ' ' && c != '\n' && c != '\r' && c != '\t') return;
        ++m_pos;
    }
}

JsonReader::Type JsonReader::peek() {
    if (m_failed) return Type::Null;
    skipBlanks();
    if (m_pos >= m_text.size()) {
        syntax(L"the text ends where a value should be");
        return Type::Null;
    }
    const char c = m_text[m_pos];
    switch (c) {
        case '{': return Type::Object;
        case '[': return Type::Array;
        case '"': return Type::String;
        case 't':
        case 'f': return Type::Boolean;
        case 'n': return Type::Null;
        default:
            if (c == '-' || isDigit(c)) return Type::Number;
            syntax(L"a value should start here");
            return Type::Null;
    }
}

void JsonReader::wrongType(const wchar_t* expected) {
    const Type actual = peek();
    if (!m_failed) fail(std::wstring(L"must be ") + expected + L", not " + typeName(actual));
}

bool JsonReader::begin(bool object) {
    const Type type = peek();
    if (m_failed || type != (object ? Type::Object : Type::Array)) {
        wrongType(object ? L"an object" : L"an array");
        return false;
    }
    ++m_pos;
    m_levels.push_back({object, true, 0, {}});
    return true;
}

bool JsonReader::beginObject() { return begin(true); }
bool JsonReader::beginArray() { return begin(false); }

bool JsonReader::expect(char c, const wchar_t* what) {
    skipBlanks();
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
        ++m_pos;
        return true;
    }
    return syntax(std::wstring(L"expected ") + what);
}

bool JsonReader::nextMember(std::string_view& key) {
    if (m_failed || m_levels.empty() || !m_levels.back().object) return false;
    skipBlanks();
    Level& level = m_levels.back();
    if (m_pos < m_text.size() && m_text[m_pos] == '}') {
        ++m_pos;
        m_levels.pop_back();
        return false;
    }
    if (!level.first && !expect(',', L"\",\" or \"}\" after a member")) return false;
    level.first = true;  // between two members: a fault is the object's
    skipBlanks();
    if (m_pos >= m_text.size() || m_text[m_pos] != '"') return syntax(L"expected the name of a member in quotes");
    if (!lexString(level.key) || !expect(':', L"\":\" after the name of a member")) return false;
    level.first = false;
    key = level.key;
    return true;
}

bool JsonReader::nextItem() {
    if (m_failed || m_levels.empty() || m_levels.back().object) return false;
    skipBlanks();
    Level& level = m_levels.back();
    if (m_pos < m_text.size() && m_text[m_pos] == ']') {
        ++m_pos;
        m_levels.pop_back();
        return false;
    }
    if (level.first) {
        level.first = false;
        return true;
    }
    if (!expect(',', L"\",\" or \"]\" after an item")) return false;
    ++level.index;
    return true;
}

std::size_t JsonReader::itemIndex() const { return m_levels.empty() ? 0 : m_levels.back().index; }

bool JsonReader::lexString(std::string& out) {
    out.clear();
    ++m_pos;  // the opening quote
    for (;;) {
        if (m_pos >= m_text.size()) return syntax(L"a string is not closed");
        const char c = m_text[m_pos];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            ++m_pos;
            return true;
        }
        if (byte < 0x20) return syntax(L"a control character in a string must be written as an escape");
        if (byte >= 0x80) {
            const std::size_t length = utf8Sequence(m_text.substr(m_pos));
            if (length == 0) return syntax(L"the text is not UTF-8 here");
            out.append(m_text.substr(m_pos, length));
            m_pos += length;
            continue;
        }
        if (c != '\\') {
            // A run of plain characters at once.
            std::size_t end = m_pos + 1;
            while (end < m_text.size()) {
                const auto next = static_cast<unsigned char>(m_text[end]);
                if (next == '"' || next == '\\' || next < 0x20 || next >= 0x80) break;
                ++end;
            }
            out.append(m_text.substr(m_pos, end - m_pos));
            m_pos = end;
            continue;
        }
        if (m_pos + 1 >= m_text.size()) return syntax(L"a string is not closed");
        const char escaped = m_text[m_pos + 1];
        const char* simple = nullptr;
        switch (escaped) {
            case '"': simple = "\""; break;
            case '\\': simple = "\\"; break;
            case '/': simple = "/"; break;
            case 'b': simple = "\b"; break;
            case 'f': simple = "\f"; break;
            case 'n': simple = "\n"; break;
            case 'r': simple = "\r"; break;
            case 't': simple = "\t"; break;
            default: break;
        }
        if (simple) {
            out += simple;
            m_pos += 2;
            continue;
        }
        if (escaped != 'u') {
            ++m_pos;
            return syntax(L"no such escape in a string");
        }
        const auto unit = [this](std::size_t at, std::uint32_t& value) {
            if (at + 6 > m_text.size() || m_text[at] != '\\' || m_text[at + 1] != 'u') return false;
            value = 0;
            for (std::size_t i = at + 2; i < at + 6; ++i) {
                const int digit = hexValue(m_text[i]);
                if (digit < 0) return false;
                value = value * 16 + static_cast<std::uint32_t>(digit);
            }
            return true;
        };
        std::uint32_t cp = 0;
        if (!unit(m_pos, cp)) return syntax(L"\\u must be followed by four hexadecimal digits");
        m_pos += 6;
        if (cp >= 0xDC00 && cp <= 0xDFFF) return syntax(L"a low surrogate without a high one before it");
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            std::uint32_t low = 0;
            if (!unit(m_pos, low) || low < 0xDC00 || low > 0xDFFF) return syntax(L"a high surrogate without a low one after it");
            m_pos += 6;
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        appendUtf8(out, cp);
    }
}

bool JsonReader::lexNumber(double& value, bool& whole) {
    const std::size_t start = m_pos;
    const auto digits = [this] {
        const std::size_t from = m_pos;
        while (m_pos < m_text.size() && isDigit(m_text[m_pos])) ++m_pos;
        return m_pos > from;
    };
    if (m_text[m_pos] == '-') ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == '0') {
        ++m_pos;
    } else if (!digits()) {
        return syntax(L"a number needs a digit here");
    }
    whole = true;
    if (m_pos < m_text.size() && m_text[m_pos] == '.') {
        ++m_pos;
        whole = false;
        if (!digits()) return syntax(L"a number needs a digit after its decimal point");
    }
    if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
        ++m_pos;
        whole = false;
        if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) ++m_pos;
        if (!digits()) return syntax(L"a number needs a digit in its exponent");
    }
    const std::string_view token = m_text.substr(start, m_pos - start);
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc() || end != token.data() + token.size()) {
        m_pos = start;
        fail(L"the number " + std::wstring(token.begin(), token.end()) + L" is beyond what a number here can hold");
        return false;
    }
    return true;
}

bool JsonReader::lexWord(std::string_view word) {
    if (m_text.substr(m_pos, word.size()) != word) return syntax(L"a value should start here");
    m_pos += word.size();
    return true;
}

bool JsonReader::readString(std::string& value) {
    if (peek() != Type::String || m_failed) {
        wrongType(L"a string");
        return false;
    }
    return lexString(value);
}

bool JsonReader::readNumber(double& value, bool* whole) {
    if (peek() != Type::Number || m_failed) {
        wrongType(L"a number");
        return false;
    }
    bool isWhole = false;
    if (!lexNumber(value, isWhole)) return false;
    if (whole) *whole = isWhole;
    return true;
}

bool JsonReader::readBoolean(bool& value) {
    if (peek() != Type::Boolean || m_failed) {
        wrongType(L"true or false");
        return false;
    }
    value = m_text[m_pos] == 't';
    return lexWord(value ? "true" : "false");
}

bool JsonReader::takeNull() {
    if (peek() != Type::Null || m_failed) return false;
    return lexWord("null");
}

void JsonReader::skip() {
    const std::size_t base = m_levels.size();
    std::string scratch;
    std::string_view key;
    for (;;) {
        double number = 0.0;
        bool whole = false;
        switch (peek()) {
            case Type::Object: beginObject(); break;
            case Type::Array: beginArray(); break;
            case Type::String: lexString(scratch); break;
            case Type::Number: lexNumber(number, whole); break;
            case Type::Boolean: lexWord(m_text[m_pos] == 't' ? "true" : "false"); break;
            case Type::Null: lexWord("null"); break;
        }
        // On to the next value inside what is skipped, or out of it.
        for (;;) {
            if (m_failed || m_levels.size() == base) return;
            const bool more = m_levels.back().object ? nextMember(key) : nextItem();
            if (m_failed) return;
            if (more) break;
        }
    }
}

void JsonReader::finish() {
    if (m_failed) return;
    skipBlanks();
    if (m_pos < m_text.size()) syntax(L"more follows the end of the JSON value");
}

}  // namespace plandor
