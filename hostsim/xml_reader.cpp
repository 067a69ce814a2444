// A small XML reader for the host's definition files: elements, attributes and their text.
#include "hostsim/xml_reader.h"

#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <string>

#include "hostsim/internal.h"

namespace plsim::detail {
namespace {

constexpr int kMaxDepth = 200;

class Reader {
public:
    explicit Reader(const std::wstring& text) : m_text(text) {}

    bool document(XmlElement& root) {
        if (m_pos < m_text.size() && m_text[m_pos] == 0xFEFF) ++m_pos;
        if (!misc()) return false;
        if (!startsWith(L"<")) return fail(L"a root element was expected");
        if (!element(root, 0)) return false;
        if (!misc()) return false;
        if (m_pos != m_text.size()) return fail(L"text after the root element");
        return true;
    }

    std::wstring error() const {
        std::size_t line = 1;
        for (std::size_t i = 0; i < m_errorPos && i < m_text.size(); ++i)
            if (m_text[i] == L'\n') ++line;
        return m_error + L" (line " + std::to_wstring(line) + L")";
    }

private:
    bool fail(const std::wstring& what) {
        if (m_error.empty()) {
            m_error = what;
            m_errorPos = m_pos;
        }
        return false;
    }

    bool startsWith(const wchar_t* s) const { return m_text.compare(m_pos, std::wcslen(s), s) == 0; }

    static bool isSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

    static bool isNameChar(wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
               c == L':' || c == L'-' || c == L'.' || c > 0x7f;
    }

    void skipSpace() {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
    }

    // Skips up to and past `end`; false when it never comes.
    bool skipPast(const wchar_t* end, const wchar_t* what) {
        const std::size_t found = m_text.find(end, m_pos);
        if (found == std::wstring::npos) return fail(std::wstring(what) + L" is not closed");
        m_pos = found + std::wcslen(end);
        return true;
    }

    // Blanks, comments and processing instructions between elements.
    bool misc() {
        while (true) {
            skipSpace();
            if (startsWith(L"<!--")) {
                if (!skipPast(L"-->", L"a comment")) return false;
            } else if (startsWith(L"<?")) {
                if (!skipPast(L"?>", L"a processing instruction")) return false;
            } else if (startsWith(L"<!")) {
                return fail(L"declarations are not supported");
            } else {
                return true;
            }
        }
    }

    bool name(std::wstring& out) {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && isNameChar(m_text[m_pos])) ++m_pos;
        if (m_pos == start || (m_text[start] >= L'0' && m_text[start] <= L'9') || m_text[start] == L'-' ||
            m_text[start] == L'.')
            return fail(L"a name was expected");
        out = m_text.substr(start, m_pos - start);
        return true;
    }

    // An entity or character reference at m_pos (on the '&').
    bool reference(std::wstring& out) {
        const std::size_t semicolon = m_text.find(L';', m_pos);
        if (semicolon == std::wstring::npos || semicolon - m_pos > 12) return fail(L"a bad '&' reference");
        const std::wstring body = m_text.substr(m_pos + 1, semicolon - m_pos - 1);
        if (body == L"quot") out += L'"';
        else if (body == L"amp") out += L'&';
        else if (body == L"lt") out += L'<';
        else if (body == L"gt") out += L'>';
        else if (body == L"apos") out += L'\'';
        else if (body.size() > 1 && body[0] == L'#') {
            const bool hex = body[1] == L'x';
            const std::wstring digits = body.substr(hex ? 2 : 1);
            if (digits.empty()) return fail(L"a bad character reference");
            unsigned long cp = 0;
            for (wchar_t c : digits) {
                int d = -1;
                if (c >= L'0' && c <= L'9') d = c - L'0';
                else if (hex && c >= L'a' && c <= L'f') d = c - L'a' + 10;
                else if (hex && c >= L'A' && c <= L'F') d = c - L'A' + 10;
                if (d < 0) return fail(L"a bad character reference");
                cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
                if (cp > 0x10FFFF) return fail(L"a character reference out of range");
            }
            if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return fail(L"a character reference out of range");
            appendCodePoint(out, static_cast<std::uint32_t>(cp));
        } else {
            return fail(L"an unknown entity &" + body + L";");
        }
        m_pos = semicolon + 1;
        return true;
    }

    bool attributeValue(std::wstring& out) {
        if (m_pos >= m_text.size() || (m_text[m_pos] != L'"' && m_text[m_pos] != L'\''))
            return fail(L"a quoted attribute value was expected");
        const wchar_t quote = m_text[m_pos++];
        while (true) {
            if (m_pos >= m_text.size()) return fail(L"an attribute value is not closed");
            const wchar_t c = m_text[m_pos];
            if (c == quote) {
                ++m_pos;
                return true;
            }
            if (c == L'<') return fail(L"'<' inside an attribute value");
            if (c == L'&') {
                if (!reference(out)) return false;
            } else {
                out += c;
                ++m_pos;
            }
        }
    }

    // Character data up to the next '<' or the end.
    bool characterData(std::wstring& out) {
        while (m_pos < m_text.size() && m_text[m_pos] != L'<') {
            if (m_text[m_pos] == L'&') {
                if (!reference(out)) return false;
            } else if (startsWith(L"]]>")) {
                return fail(L"']]>' outside a CDATA section");
            } else {
                out += m_text[m_pos++];
            }
        }
        return true;
    }

    // An element at m_pos (on its '<').
    bool element(XmlElement& out, int depth) {
        if (depth > kMaxDepth) return fail(L"elements are nested too deeply");
        ++m_pos;
        if (!name(out.name)) return false;
        while (true) {
            const std::size_t before = m_pos;
            skipSpace();
            if (m_pos >= m_text.size()) return fail(L"the element <" + out.name + L"> is not closed");
            if (startsWith(L"/>")) {
                m_pos += 2;
                return true;
            }
            if (m_text[m_pos] == L'>') {
                ++m_pos;
                break;
            }
            if (m_pos == before) return fail(L"a blank was expected between attributes");
            std::wstring attrName;
            if (!name(attrName)) return false;
            skipSpace();
            if (m_pos >= m_text.size() || m_text[m_pos] != L'=') return fail(L"'=' was expected after " + attrName);
            ++m_pos;
            skipSpace();
            std::wstring value;
            if (!attributeValue(value)) return false;
            if (out.attribute(attrName)) return fail(L"the attribute " + attrName + L" is repeated");
            out.attributes.emplace_back(std::move(attrName), std::move(value));
        }
        // Content: character data and child elements; comments and the like are skipped.
        while (true) {
            if (!characterData(out.text)) return false;
            if (m_pos >= m_text.size()) return fail(L"the element <" + out.name + L"> is not closed");
            if (startsWith(L"</")) {
                m_pos += 2;
                std::wstring closing;
                if (!name(closing)) return false;
                if (closing != out.name) return fail(L"</" + closing + L"> closes <" + out.name + L">");
                skipSpace();
                if (m_pos >= m_text.size() || m_text[m_pos] != L'>') return fail(L"'>' was expected");
                ++m_pos;
                return true;
            }
            if (startsWith(L"<!--")) {
                if (!skipPast(L"-->", L"a comment")) return false;
            } else if (startsWith(L"<![CDATA[")) {
                const std::size_t start = m_pos + 9;
                if (!skipPast(L"]]>", L"a CDATA section")) return false;
                out.text.append(m_text, start, m_pos - 3 - start);
            } else if (startsWith(L"<?")) {
                if (!skipPast(L"?>", L"a processing instruction")) return false;
            } else if (startsWith(L"<!")) {
                return fail(L"declarations are not supported");
            } else {
                out.children.emplace_back();
                if (!element(out.children.back(), depth + 1)) return false;
            }
        }
    }

    const std::wstring& m_text;
    std::size_t m_pos = 0;
    std::wstring m_error;
    std::size_t m_errorPos = 0;
};

}  // namespace

const std::wstring* XmlElement::attribute(const std::wstring& attributeName) const {
    for (const auto& a : attributes)
        if (a.first == attributeName) return &a.second;
    return nullptr;
}

bool parseXml(const std::wstring& text, XmlElement& root, std::wstring& error) {
    Reader reader(text);
    XmlElement parsed;
    if (!reader.document(parsed)) {
        error = reader.error();
        return false;
    }
    root = std::move(parsed);
    return true;
}

}  // namespace plsim::detail
