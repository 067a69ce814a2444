// Writing SVG: elements, attributes, numbers and text as well-formed XML, the same bytes for
// the same picture.
#include "picture/svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "picture/plan_geometry.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

}  // namespace

void appendSvgNumber(std::string& out, double value) {
    if (!std::isfinite(value)) value = 0.0;
    // Hundredths as a whole number where they fit exactly; to_chars for the rest.
    const double hundredths = std::round(value * 100.0);
    if (std::abs(hundredths) < 9e15) {
        long long whole = static_cast<long long>(hundredths);
        if (whole < 0) {
            out += '-';
            whole = -whole;
        } else if (whole == 0) {
            out += '0';
            return;
        }
        char digits[24];
        char* end = std::to_chars(digits, digits + sizeof digits, whole / 100).ptr;
        if (const long long fraction = whole % 100; fraction != 0) {
            *end++ = '.';
            *end++ = static_cast<char>('0' + fraction / 10);
            if (fraction % 10 != 0) *end++ = static_cast<char>('0' + fraction % 10);
        }
        out.append(digits, static_cast<std::size_t>(end - digits));
        return;
    }
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 0);
    out.append(digits, static_cast<std::size_t>(written.ptr - digits));
}

std::string hexColor(int red, int green, int blue) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "#000000";
    int i = 1;
    for (const int c : {red, green, blue}) {
        text[i++] = kDigits[(c >> 4) & 0xF];
        text[i++] = kDigits[c & 0xF];
    }
    return text;
}

std::wstring gridNumber(double value, double step) {
    const int decimals = std::clamp(static_cast<int>(-std::floor(std::log10(step) + 1e-9)), 0, 12);
    char digits[400];
    const auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    const std::string_view text(digits, static_cast<std::size_t>(written.ptr - digits));
    if (text.find_first_not_of("-0.") == std::string_view::npos) return L"0";
    return std::wstring(text.begin(), text.end());
}

void appendXmlText(std::string& out, std::wstring_view text) {
    // Most names are plain ASCII: written as they stand.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) {
            return c >= 0x20 && c < 0x7F && c != L'&' && c != L'<' && c != L'>' && c != L'"' && c != L'\'';
        })) {
        for (const wchar_t c : text) out += static_cast<char>(c);
        return;
    }
    const std::string bytes = toUtf8(text);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        switch (c) {
            case '&': out += "&amp;"; continue;
            case '<': out += "&lt;"; continue;
            case '>': out += "&gt;"; continue;
            case '"': out += "&quot;"; continue;
            case '\'': out += "&apos;"; continue;
            default: break;
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += kReplacement;
        } else if (byte == 0xEF && bytes.compare(i, 2, "\xEF\xBF") == 0 && i + 2 < bytes.size() &&
                   (bytes[i + 2] == '\xBE' || bytes[i + 2] == '\xBF')) {
            out += kReplacement;  // U+FFFE and U+FFFF are no characters
            i += 2;
        } else {
            out += c;
        }
    }
}

SvgWriter& SvgWriter::begin(std::string_view name) {
    m_out += '<';
    m_out += name;
    return *this;
}

void SvgWriter::startAttribute(std::string_view name) {
    m_out += ' ';
    m_out += name;
    m_out += "=\"";
}

SvgWriter& SvgWriter::attribute(std::string_view name, double value) {
    startAttribute(name);
    appendSvgNumber(m_out, value);
    m_out += '"';
    return *this;
}

SvgWriter& SvgWriter::attribute(std::string_view name, std::string_view value) {
    startAttribute(name);
    m_out += value;
    m_out += '"';
    return *this;
}

SvgWriter& SvgWriter::open() {
    m_out += '>';
    return *this;
}

void SvgWriter::close() { m_out += "/>\n"; }

SvgWriter& SvgWriter::text(std::wstring_view text) {
    appendXmlText(m_out, text);
    return *this;
}

void SvgWriter::end(std::string_view name) {
    m_out += "</";
    m_out += name;
    m_out += ">\n";
}

void SvgWriter::textElement(std::string_view name, std::wstring_view text) {
    open().text(text).end(name);
}

void PathData::point(Point2 p) {
    appendSvgNumber(m_text, p.x);
    m_text += ' ';
    appendSvgNumber(m_text, p.y);
}

PathData& PathData::moveTo(Point2 p) {
    if (!m_text.empty()) m_text += ' ';
    m_text += "M ";
    point(p);
    return *this;
}

PathData& PathData::lineTo(Point2 p) {
    m_text += " L ";
    point(p);
    return *this;
}

PathData& PathData::arcTo(double radiusX, double radiusY, double rotationDeg, bool largeArc, bool sweep, Point2 p) {
    m_text += " A ";
    appendSvgNumber(m_text, radiusX);
    m_text += ' ';
    appendSvgNumber(m_text, radiusY);
    m_text += ' ';
    appendSvgNumber(m_text, rotationDeg);
    m_text += largeArc ? " 1" : " 0";
    m_text += sweep ? " 1 " : " 0 ";
    point(p);
    return *this;
}

PathData& PathData::close() {
    m_text += " Z";
    return *this;
}

}  // namespace plandor
