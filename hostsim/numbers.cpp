// Reading numbers typed at the command line, the same way whatever the C locale.
#include "hostsim/numbers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace plsim::detail {
namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The ASCII copy of a text made only of ASCII characters; false otherwise.
bool toAscii(std::wstring_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0x20 || c > 0x7e) return false;
        out.push_back(static_cast<char>(c));
    }
    return true;
}

}  // namespace

bool parseReal(std::wstring_view text, double& value) {
    std::string s;
    if (!toAscii(text, s) || s.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) { ++i; ++expDigits; }
        if (expDigits == 0) return false;
    }
    if (i != s.size()) return false;

    double parsed = 0.0;
    const char* first = s.data() + mantissaStart;
    const char* last = s.data() + s.size();
    // from_chars does not take "5." or ".5" in every library; give it digits
    // on both sides of the point.
    std::string normal(first, last);
    if (normal.front() == '.') normal.insert(normal.begin(), '0');
    const std::size_t point = normal.find('.');
    if (point != std::string::npos && (point + 1 == normal.size() || !isDigit(normal[point + 1])))
        normal.insert(point + 1, 1, '0');
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
    if (result.ec != std::errc() || result.ptr != normal.data() + normal.size()) return false;
    if (!std::isfinite(parsed)) return false;
    value = negative ? -parsed : parsed;
    return true;
}

bool parseInteger(const std::wstring& text, long long& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size()) return false;
    long long magnitude = 0;
    constexpr long long kLimit = 1000000000000000000LL;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i])) return false;
        if (magnitude > kLimit / 10) return false;  // checked before it could overflow
        magnitude = magnitude * 10 + (text[i] - L'0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

std::wstring realText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc()) return L"";
    return std::wstring(buffer, result.ptr);
}

std::wstring trimBlanks(const std::wstring& text) { return std::wstring(trimmedBlanks(text)); }

std::wstring_view trimmedBlanks(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

}  // namespace plsim::detail
