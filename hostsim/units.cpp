// Lengths as text in the host's linear unit modes: formatting (pldbRToS) and reading (pldbDisToF).
//
// Modes: 1 scientific "1.5000E+01", 2 decimal "15.5000", 3 engineering
// "1'-3.5000\"", 4 architectural "1'-3 1/2\"", 5 fractional "15 1/2". In modes
// 3 and 4 a drawing unit is an inch. The precision is the number of decimal
// places (modes 1 to 3) or the power of two of the smallest fraction
// (modes 4 and 5: precision 3 rounds to eighths), from 0 to 8.
#include "host/pled.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "hostsim/numbers.h"

namespace plsim {
namespace {

constexpr int kMaxPrecision = 8;

int shortVariable(const wchar_t* name, int fallback) {
    resbuf rb;
    if (pledGetVar(name, &rb) != PLRTNORM) return fallback;
    if (rb.restype == PLRTSHORT) return rb.resval.rint;
    if (rb.restype == PLRTLONG) return rb.resval.rlong;
    if (rb.restype == PLRTSTR) pledFreeString(rb.resval.rstring);
    return fallback;
}

int resolveMode(int unit) { return unit == -1 ? shortVariable(L"LUNITS", 2) : unit; }
bool knownMode(int mode) { return mode >= 1 && mode <= 5; }

std::wstring chars(double value, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    if (result.ec != std::errc()) return L"";
    return std::wstring(buffer, result.ptr);
}

bool allZeroDigits(const std::wstring& text) {
    for (wchar_t c : text)
        if (c >= L'1' && c <= L'9') return false;
    return true;
}

// A minus sign in front, unless the text shows nothing but zeros.
std::wstring withSign(bool negative, const std::wstring& text) {
    return negative && !allZeroDigits(text) ? L"-" + text : text;
}

std::wstring scientific(double value, int precision) {
    std::wstring text = chars(value, std::chars_format::scientific, precision);
    for (wchar_t& c : text)
        if (c == L'e') c = L'E';
    if (!text.empty() && text.front() == L'-' && allZeroDigits(text.substr(0, text.find(L'E'))))
        text.erase(0, 1);
    return text;
}

std::wstring decimal(double value, int precision) {
    return withSign(value < 0, chars(std::fabs(value), std::chars_format::fixed, precision));
}

std::wstring fraction(long long numerator, long long denominator) {
    while (numerator % 2 == 0 && denominator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
    return std::to_wstring(numerator) + L"/" + std::to_wstring(denominator);
}

// Whole feet and the inches left over, rounded to `steps` per inch; inches
// that round up to a foot carry into the feet.
void feetAndSteps(double inches, long long steps, double& feet, long long& remainder) {
    feet = std::floor(inches / 12.0);
    double left = inches - feet * 12.0;
    // Beyond 2^53 the subtraction is no longer exact: such values have no
    // inches worth showing.
    if (!(left >= 0.0 && left < 12.0)) left = 0.0;
    remainder = std::llround(left * static_cast<double>(steps));
    if (remainder >= 12 * steps) {
        feet += 1.0;
        remainder -= 12 * steps;
    }
}

std::wstring engineering(double value, int precision) {
    long long steps = 1;
    for (int i = 0; i < precision; ++i) steps *= 10;
    double feet = 0.0;
    long long remainder = 0;
    feetAndSteps(std::fabs(value), steps, feet, remainder);
    const std::wstring inches =
        chars(static_cast<double>(remainder) / static_cast<double>(steps), std::chars_format::fixed, precision);
    return withSign(value < 0, chars(feet, std::chars_format::fixed, 0) + L"'-" + inches + L"\"");
}

std::wstring architectural(double value, int precision) {
    const long long denominator = 1LL << precision;
    double feet = 0.0;
    long long remainder = 0;
    feetAndSteps(std::fabs(value), denominator, feet, remainder);
    std::wstring inches = std::to_wstring(remainder / denominator);
    if (remainder % denominator != 0) inches += L" " + fraction(remainder % denominator, denominator);
    return withSign(value < 0, chars(feet, std::chars_format::fixed, 0) + L"'-" + inches + L"\"");
}

std::wstring fractional(double value, int precision) {
    const long long denominator = 1LL << precision;
    const double scaled = std::round(std::fabs(value) * static_cast<double>(denominator));
    const double whole = std::floor(scaled / static_cast<double>(denominator));
    double left = scaled - whole * static_cast<double>(denominator);
    if (!(left >= 0.0 && left < static_cast<double>(denominator))) left = 0.0;  // beyond 2^53
    const auto part = static_cast<long long>(left);
    std::wstring text;
    if (part == 0) {
        text = chars(whole, std::chars_format::fixed, 0);
    } else if (whole == 0.0) {
        text = fraction(part, denominator);
    } else {
        text = chars(whole, std::chars_format::fixed, 0) + L" " + fraction(part, denominator);
    }
    return withSign(value < 0, text);
}

// ---- Reading ----------------------------------------------------------------

bool unsignedReal(const std::wstring& text, double& value) {
    if (text.empty() || text.front() == L'+' || text.front() == L'-') return false;
    return detail::parseReal(text, value);
}

// "n/d" with whole numbers, d not zero.
bool readFraction(const std::wstring& text, double& value) {
    const std::size_t slash = text.find(L'/');
    if (slash == std::wstring::npos) return false;
    const std::wstring top = text.substr(0, slash);
    const std::wstring bottom = text.substr(slash + 1);
    long long n = 0;
    long long d = 0;
    if (top.empty() || bottom.empty() || top.front() == L'+' || top.front() == L'-' || bottom.front() == L'+' ||
        bottom.front() == L'-')
        return false;
    if (!detail::parseInteger(top, n) || !detail::parseInteger(bottom, d) || d == 0) return false;
    value = static_cast<double>(n) / static_cast<double>(d);
    return true;
}

// "3", "3.5", "1/2" or "3 1/2" (blanks between a number and its fraction).
bool readMixedNumber(const std::wstring& text, double& value) {
    const std::size_t blank = text.find_first_of(L" \t");
    if (blank == std::wstring::npos) {
        double v = 0.0;
        if (!unsignedReal(text, v) && !readFraction(text, v)) return false;
        value = v;
        return true;
    }
    double whole = 0.0;
    double part = 0.0;
    if (!unsignedReal(text.substr(0, blank), whole)) return false;
    if (!readFraction(detail::trimBlanks(text.substr(blank)), part)) return false;
    value = whole + part;
    return true;
}

// Feet and inches: "1'-3.5\"", "1'3 1/2\"", "1'", "3.5\"", "3 1/2", without
// a sign (the caller took it).
bool readFeetInches(const std::wstring& text, double& value) {
    std::wstring rest = text;
    double feet = 0.0;
    const std::size_t mark = rest.find(L'\'');
    const bool hasFeet = mark != std::wstring::npos;
    if (hasFeet) {
        if (!unsignedReal(detail::trimBlanks(rest.substr(0, mark)), feet)) return false;
        rest = detail::trimBlanks(rest.substr(mark + 1));
        if (!rest.empty() && rest.front() == L'-') {
            rest = detail::trimBlanks(rest.substr(1));
            if (rest.empty()) return false;
        }
    }
    if (!rest.empty() && rest.back() == L'"') rest = detail::trimBlanks(rest.substr(0, rest.size() - 1));
    double inches = 0.0;
    if (rest.empty()) {
        if (!hasFeet) return false;
    } else if (!readMixedNumber(rest, inches)) {
        return false;
    }
    value = feet * 12.0 + inches;
    return std::isfinite(value);
}

}  // namespace
}  // namespace plsim

int pldbRToS(double value, int unit, int precision, PlString& text) {
    const int mode = plsim::resolveMode(unit);
    if (!plsim::knownMode(mode) || !std::isfinite(value)) return PLRTERROR;
    if (precision == -1) precision = plsim::shortVariable(L"LUPREC", 4);
    if (precision < 0) precision = 0;
    if (precision > plsim::kMaxPrecision) precision = plsim::kMaxPrecision;
    switch (mode) {
    case 1: text = plsim::scientific(value, precision); break;
    case 2: text = plsim::decimal(value, precision); break;
    case 3: text = plsim::engineering(value, precision); break;
    case 4: text = plsim::architectural(value, precision); break;
    case 5: text = plsim::fractional(value, precision); break;
    }
    return PLRTNORM;
}

int pldbDisToF(const wchar_t* text, int unit, double* value) {
    if (!text || !value) return PLRTERROR;
    const int mode = plsim::resolveMode(unit);
    if (!plsim::knownMode(mode)) return PLRTERROR;
    const std::wstring trimmed = plsim::detail::trimBlanks(text);
    double result = 0.0;
    // Every mode reads a plain number, exponent included.
    if (plsim::detail::parseReal(trimmed, result)) {
        *value = result;
        return PLRTNORM;
    }
    if (mode == 1 || mode == 2 || trimmed.empty()) return PLRTERROR;
    std::wstring body = trimmed;
    bool negative = false;
    if (body.front() == L'+' || body.front() == L'-') {
        negative = body.front() == L'-';
        body = plsim::detail::trimBlanks(body.substr(1));
    }
    const bool read = mode == 5 ? plsim::readMixedNumber(body, result) : plsim::readFeetInches(body, result);
    if (!read) return PLRTERROR;
    *value = negative ? -result : result;
    return PLRTNORM;
}
