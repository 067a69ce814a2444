// Reading numbers typed at the command line, the same way whatever the C locale.
#include "hostsim/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace plsim::detail {
namespace {

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

// The text is read where it lies; only a number that is not a plain whole
// one is copied, as ASCII, for the general conversion.
bool parseReal(std::wstring_view text, double& value) {
    if (text.empty()) return false;
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == L'+' || text[i] == L'-') negative = text[i++] == L'-';
    const std::size_t mantissaStart = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == L'.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    if (i != text.size()) return false;

    // Whole numbers as typed in coordinates ("1500", "-3") are exact in a
    // double up to 15 digits: no need for the general conversion.
    constexpr std::size_t kExactDigits = 15;
    if (digits == text.size() - mantissaStart && digits <= kExactDigits) {
        std::int64_t whole = 0;
        for (std::size_t k = mantissaStart; k < text.size(); ++k) whole = whole * 10 + (text[k] - L'0');
        const auto parsedWhole = static_cast<double>(whole);
        value = negative ? -parsedWhole : parsedWhole;
        return true;
    }

    // from_chars does not take "5." or ".5" in every library; give it digits
    // on both sides of the point.
    std::string normal;
    normal.reserve(text.size() - mantissaStart + 2);
    for (std::size_t k = mantissaStart; k < text.size(); ++k) normal.push_back(static_cast<char>(text[k]));
    if (normal.front() == '.') normal.insert(normal.begin(), '0');
    const std::size_t point = normal.find('.');
    if (point != std::string::npos && (point + 1 == normal.size() || !isDigit(normal[point + 1])))
        normal.insert(point + 1, 1, '0');
    double parsed = 0.0;
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
