// Writing SVG: elements, attributes, numbers and text as well-formed XML, the same bytes for
// the same picture.
#include "picture/svg_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "picture/plan_geometry.h"
#include "drawing/utf8.h"

namespace plandor {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

/// Room for a number that writeShortNumber writes: a sign, 14 digits, a point and two more.
constexpr std::size_t kShortNumber = 20;

/// Writes `value` as appendSvgNumber does at `at`, which has room for kShortNumber
/// characters, and answers the end; null, writing nothing, when its hundredths do not fit
/// exactly in a whole number (beyond about 9e13).
char* writeShortNumber(char* at, double value) {
    if (!std::isfinite(value)) value = 0.0;
    // Hundredths, rounded half away from zero (as std::round, without its call).
    const double scaled = value * 100.0;
    if (!(std::abs(scaled) < 9e15)) return nullptr;
    long long whole = static_cast<long long>(scaled);
    const double rest = scaled - static_cast<double>(whole);
    whole += rest >= 0.5 ? 1 : rest <= -0.5 ? -1 : 0;
    if (whole == 0) {
        *at = '0';
        return at + 1;
    }
    if (whole < 0) {
        *at++ = '-';
        whole = -whole;
    }
    auto units = static_cast<unsigned long long>(whole);
    const auto fraction = static_cast<unsigned>(units % 100);
    units /= 100;
    // The whole part two digits at a time from its right end, in 32 bits where it fits (the
    // pixels of a picture always do).
    const auto writeWhole = [&at](auto number) {
        int length = 1;
        for (decltype(number) power = 10; length < 15 && number >= power; power *= 10) ++length;
        char* end = at + length;
        char* digit = end;
        while (number >= 100) {
            digit -= 2;
            const auto pair = 2 * static_cast<unsigned>(number % 100);
            digit[0] = kDigitPairs[pair];
            digit[1] = kDigitPairs[pair + 1];
            number /= 100;
        }
        if (number >= 10) {
            digit[-2] = kDigitPairs[2 * number];
            digit[-1] = kDigitPairs[2 * number + 1];
        } else {
            digit[-1] = static_cast<char>('0' + number);
        }
        at = end;
    };
    if (units < 1000000000) {
        writeWhole(static_cast<std::uint32_t>(units));
    } else {
        writeWhole(units);
    }
    if (fraction != 0) {
        *at++ = '.';
        *at++ = kDigitPairs[2 * fraction];
        if (fraction % 10 != 0) *at++ = kDigitPairs[2 * fraction + 1];
    }
    return at;
}

}  // namespace

void appendSvgNumber(std::string& out, double value) {
    char digits[kShortNumber];
    if (const char* end = writeShortNumber(digits, value)) {
        out.append(digits, static_cast<std::size_t>(end - digits));
        return;
    }
    char many[400];
    const auto written = std::to_chars(many, many + sizeof many, value, std::chars_format::fixed, 0);
    out.append(many, static_cast<std::size_t>(written.ptr - many));
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
    const double stepPower = std::floor(std::log10(step) + 1e-9);
    char digits[400];
    std::to_chars_result written{};
    if (std::abs(value) >= 1e15 || stepPower < -9.0) {
        const double valuePower = value == 0.0 ? stepPower : std::floor(std::log10(std::abs(value)));
        const int precision = std::clamp(static_cast<int>(valuePower - stepPower), 0, 16);
        written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, precision);
    } else {
        const int decimals = std::clamp(static_cast<int>(-stepPower), 0, 12);
        written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    }
    const std::string_view text(digits, static_cast<std::size_t>(written.ptr - digits));
    if (text.find_first_not_of("-0.") == std::string_view::npos || text.find_first_not_of("-0.") == text.find('e')) {
        return L"0";
    }
    return std::wstring(text.begin(), text.end());
}


void appendXmlText(std::string& out, std::wstring_view text) {
    // Most names are plain ASCII: written as they stand.
    if (std::all_of(text.begin(), text.end(), [](wchar_t c) {
            return c >= 0x20 && c < 0x7F && c != L'&' && c != L'<' && c != L'>' && c != L'"' && c != L'\'';
        })) {
        const std::size_t start = out.size();
        out.resize(start + text.size());
        std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                       [](wchar_t c) { return static_cast<char>(c); });
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
    // ` name="value"` in one piece where it is short, as nearly all are.
    char text[40 + kShortNumber];
    if (name.size() <= 36) {
        char* at = text;
        *at++ = ' ';
        at = std::copy(name.begin(), name.end(), at);
        *at++ = '=';
        *at++ = '"';
        if (char* end = writeShortNumber(at, value)) {
            *end++ = '"';
            m_out.append(text, static_cast<std::size_t>(end - text));
            return *this;
        }
    }
    startAttribute(name);
    appendSvgNumber(m_out, value);
    m_out += '"';
    return *this;
}

SvgWriter& SvgWriter::attribute(std::string_view name, std::string_view value) {
    // In one piece where it is short (a class, a colour); path data as it stands.
    char text[80];
    if (name.size() + value.size() <= sizeof text - 4) {
        char* at = text;
        *at++ = ' ';
        at = std::copy(name.begin(), name.end(), at);
        *at++ = '=';
        *at++ = '"';
        at = std::copy(value.begin(), value.end(), at);
        *at++ = '"';
        m_out.append(text, static_cast<std::size_t>(at - text));
        return *this;
    }
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

void PathData::point(Point2 p) { command("", p); }

void PathData::command(std::string_view prefix, Point2 p) {
    // The prefix and both numbers in one piece where they are short, as nearly all are.
    char text[8 + 2 * kShortNumber];
    char* at = std::copy(prefix.begin(), prefix.end(), text);
    if (char* x = writeShortNumber(at, p.x)) {
        *x++ = ' ';
        if (char* end = writeShortNumber(x, p.y)) {
            m_text.append(text, static_cast<std::size_t>(end - text));
            return;
        }
    }
    m_text += prefix;
    appendSvgNumber(m_text, p.x);
    m_text += ' ';
    appendSvgNumber(m_text, p.y);
}

PathData& PathData::moveTo(Point2 p) {
    if (m_text.empty()) {
        m_text.reserve(kPathReserve);
        command("M ", p);
    } else {
        command(" M ", p);
    }
    return *this;
}

PathData& PathData::lineTo(Point2 p) {
    command(" L ", p);
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
