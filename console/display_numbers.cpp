// Numbers and points as the console shows them to a person: short, rounded, locale-free.
#include "console/display_numbers.h"

#include <charconv>
#include <cmath>

namespace plandor {

namespace {

/// Whole parts with more digits than this are shown with an exponent.
constexpr std::size_t kLongestWhole = 15;

}  // namespace

std::wstring displayNumber(double value) {
    if (std::isnan(value)) {
        return L"nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? L"-inf" : L"inf";
    }
    char digits[400];
    auto written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 4);
    std::string text(digits, written.ptr);
    const std::size_t wholeDigits = text.find('.') - (value < 0 ? 1 : 0);
    std::string exponent;
    if (wholeDigits > kLongestWhole) {
        written = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::scientific, 4);
        text.assign(digits, written.ptr);
        exponent = text.substr(text.find('e'));
        text.erase(text.find('e'));
    }
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    if (text == "-0") {
        text = "0";
    }
    text += exponent;
    return std::wstring(text.begin(), text.end());
}

std::wstring displayTriple(double x, double y, double z) {
    return displayNumber(x) + L"," + displayNumber(y) + L"," + displayNumber(z);
}

}  // namespace plandor
