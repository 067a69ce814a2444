// The host's text formatter (PlString::format) and plutPrintf, which prints through it.
#include "host/plstring.h"

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <type_traits>

#include "host/pled.h"
#include "hostsim/internal.h"

namespace {

/// Widths and precisions beyond this are taken as this: no real text needs
/// more, and a stray huge number must not exhaust memory.
constexpr int kMaxWidth = 4096;

/// One conversion as read from the format.
struct Spec {
    std::string flags;  ///< any of "-+ #0"
    bool widthFromArg = false;
    int width = -1;  ///< -1: none
    bool precisionFromArg = false;
    int precision = -1;  ///< -1: none
    enum class Length { None, Char, Short, Long, LongLong, Size, Max, PtrDiff } length = Length::None;
    wchar_t conversion = 0;
};

bool hasFlag(const Spec& spec, char flag) { return spec.flags.find(flag) != std::string::npos; }

/// Reads a run of digits, saturating at kMaxWidth.
int readNumber(const wchar_t*& p) {
    int value = 0;
    while (*p >= L'0' && *p <= L'9') {
        value = std::min(kMaxWidth, value * 10 + (*p - L'0'));
        ++p;
    }
    return value;
}

/// Parses the conversion after a '%' at `p`; false when the format ends
/// first. On return `p` is just past the conversion character.
bool parseSpec(const wchar_t*& p, Spec& spec) {
    while (*p && std::wcschr(L"-+ #0", *p)) spec.flags.push_back(static_cast<char>(*p++));
    if (*p == L'*') {
        spec.widthFromArg = true;
        ++p;
    } else if (*p >= L'0' && *p <= L'9') {
        spec.width = readNumber(p);
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            spec.precisionFromArg = true;
            ++p;
        } else {
            spec.precision = readNumber(p);  // "%.f" is precision 0, as in C
        }
    }
    using L = Spec::Length;
    switch (*p) {
        case L'h':
            ++p;
            spec.length = (*p == L'h') ? (++p, L::Char) : L::Short;
            break;
        case L'l':
            ++p;
            spec.length = (*p == L'l') ? (++p, L::LongLong) : L::Long;
            break;
        case L'z': ++p; spec.length = L::Size; break;
        case L'j': ++p; spec.length = L::Max; break;
        case L't': ++p; spec.length = L::PtrDiff; break;
        default: break;
    }
    if (!*p) return false;
    spec.conversion = *p++;
    return true;
}

bool isInteger(wchar_t c) { return c == L'd' || c == L'i' || c == L'u' || c == L'x' || c == L'X' || c == L'o'; }
bool isFloating(wchar_t c) {
    return c == L'f' || c == L'F' || c == L'e' || c == L'E' || c == L'g' || c == L'G' || c == L'a' || c == L'A';
}

/// Whether the host knows the conversion with that length; anything else is
/// printed as written (which also keeps "%n" from ever writing memory).
bool isKnown(const Spec& spec) {
    using L = Spec::Length;
    const wchar_t c = spec.conversion;
    if (isInteger(c)) return true;
    if (isFloating(c)) return spec.length == L::None || spec.length == L::Long;
    if (c == L's' || c == L'c') return spec.length == L::None || spec.length == L::Long || spec.length == L::Short;
    return false;
}

void pad(std::wstring& out, const std::wstring& body, const Spec& spec) {
    const auto width = static_cast<std::size_t>(std::max(spec.width, 0));
    if (body.size() >= width) {
        out += body;
    } else if (hasFlag(spec, '-')) {
        out += body;
        out.append(width - body.size(), L' ');
    } else {
        out.append(width - body.size(), L' ');
        out += body;
    }
}

/// Runs one numeric conversion through the C library, with the width and
/// precision already resolved. Its text is ASCII; the decimal point is made a
/// '.' whatever the process locale says.
template <class T>
std::wstring cConvert(const Spec& spec, char conversion, const char* length, T value) {
    std::string format = "%" + spec.flags;
    if (spec.width >= 0) format += std::to_string(spec.width);
    if (spec.precision >= 0) {
        format += '.';
        format += std::to_string(spec.precision);
    }
    format += length;
    format += conversion;
    char small[64];
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
    int needed = std::snprintf(small, sizeof small, format.c_str(), value);
    std::string text;
    if (needed >= static_cast<int>(sizeof small)) {
        text.resize(static_cast<std::size_t>(needed) + 1);
        needed = std::snprintf(text.data(), text.size(), format.c_str(), value);
        text.resize(needed > 0 ? static_cast<std::size_t>(needed) : 0);
    } else if (needed > 0) {
        text.assign(small, static_cast<std::size_t>(needed));
    }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if constexpr (std::is_floating_point_v<T>) {
        const char* point = std::localeconv()->decimal_point;
        if (point && point[0] && std::strcmp(point, ".") != 0) {
            const std::size_t at = text.find(point);
            if (at != std::string::npos) {
                text.erase(at, std::strlen(point));
                text.insert(text.begin() + static_cast<std::ptrdiff_t>(at), '.');
            }
        }
    }
    return std::wstring(text.begin(), text.end());
}

std::wstring integerText(const Spec& spec, std::va_list* args) {
    using L = Spec::Length;
    const bool isSigned = spec.conversion == L'd' || spec.conversion == L'i';
    const char conv = static_cast<char>(spec.conversion);
    // Every value is read as the type the caller passed (after promotion) and
    // printed as a 64-bit number of the same value.
    if (isSigned) {
        long long v = 0;
        switch (spec.length) {
            case L::None: v = va_arg(*args, int); break;
            case L::Char: v = static_cast<signed char>(va_arg(*args, int)); break;
            case L::Short: v = static_cast<short>(va_arg(*args, int)); break;
            case L::Long: v = va_arg(*args, long); break;
            case L::LongLong: v = va_arg(*args, long long); break;
            case L::Size: v = static_cast<long long>(va_arg(*args, std::size_t)); break;
            case L::Max: v = static_cast<long long>(va_arg(*args, std::intmax_t)); break;
            case L::PtrDiff: v = static_cast<long long>(va_arg(*args, std::ptrdiff_t)); break;
        }
        return cConvert(spec, conv, "ll", v);
    }
    unsigned long long v = 0;
    switch (spec.length) {
        case L::None: v = va_arg(*args, unsigned); break;
        case L::Char: v = static_cast<unsigned char>(va_arg(*args, unsigned)); break;
        case L::Short: v = static_cast<unsigned short>(va_arg(*args, unsigned)); break;
        case L::Long: v = va_arg(*args, unsigned long); break;
        case L::LongLong: v = va_arg(*args, unsigned long long); break;
        case L::Size: v = va_arg(*args, std::size_t); break;
        case L::Max: v = static_cast<unsigned long long>(va_arg(*args, std::uintmax_t)); break;
        case L::PtrDiff: v = static_cast<unsigned long long>(va_arg(*args, std::ptrdiff_t)); break;
    }
    return cConvert(spec, conv, "ll", v);
}

void appendText(std::wstring& out, const Spec& spec, std::va_list* args) {
    std::wstring body;
    if (spec.length == Spec::Length::Short) {
        // "%hs": a narrow text, read as UTF-8.
        const char* text = va_arg(*args, const char*);
        body = text ? plsim::detail::fromUtf8(text) : L"(null)";
    } else {
        const wchar_t* text = va_arg(*args, const wchar_t*);
        if (!text) {
            body = L"(null)";
        } else if (spec.precision >= 0) {
            // Reads no further than the precision: the text need not end there.
            std::size_t n = 0;
            while (n < static_cast<std::size_t>(spec.precision) && text[n]) ++n;
            body.assign(text, n);
        } else {
            body = text;
        }
    }
    if (spec.precision >= 0 && body.size() > static_cast<std::size_t>(spec.precision)) {
        body.resize(static_cast<std::size_t>(spec.precision));
    }
    pad(out, body, spec);
}

void appendChar(std::wstring& out, const Spec& spec, std::va_list* args) {
    const int value = va_arg(*args, int);
    std::wstring body;
    if (spec.length == Spec::Length::Short) {
        body = plsim::detail::fromUtf8(std::string(1, static_cast<char>(value)));
    } else {
        body.assign(1, static_cast<wchar_t>(value));
    }
    pad(out, body, spec);
}

}  // namespace

PlString& PlString::formatV(const wchar_t* format, std::va_list args) {
    std::wstring out;
    if (!format) {
        m_text.clear();
        return *this;
    }
    std::va_list ap;
    va_copy(ap, args);
    const wchar_t* p = format;
    while (*p) {
        if (*p != L'%') {
            const wchar_t* run = p;
            while (*p && *p != L'%') ++p;
            out.append(run, p);
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%') {
            out.push_back(L'%');
            ++p;
            continue;
        }
        Spec spec;
        if (!parseSpec(p, spec)) {
            out.append(start);  // the format ends inside a conversion
            break;
        }
        if (!isKnown(spec)) {
            out.append(start, p);
            continue;
        }
        if (spec.widthFromArg) {
            const int width = va_arg(ap, int);
            if (width < 0) spec.flags.push_back('-');  // a negative width left-justifies, as in C
            spec.width = (width < -kMaxWidth || width > kMaxWidth) ? kMaxWidth : (width < 0 ? -width : width);
        }
        if (spec.precisionFromArg) {
            const int precision = va_arg(ap, int);
            spec.precision = precision < 0 ? -1 : std::min(kMaxWidth, precision);
        }
        const wchar_t c = spec.conversion;
        if (c == L's') {
            appendText(out, spec, &ap);
        } else if (c == L'c') {
            appendChar(out, spec, &ap);
        } else if (isInteger(c)) {
            out += integerText(spec, &ap);
        } else {
            out += cConvert(spec, static_cast<char>(c), "", va_arg(ap, double));
        }
    }
    va_end(ap);
    m_text = std::move(out);
    return *this;
}

PlString& PlString::format(const wchar_t* format, ...) {
    std::va_list args;
    va_start(args, format);
    formatV(format, args);
    va_end(args);
    return *this;
}

int plutPrintf(const wchar_t* format, ...) {
    std::va_list args;
    va_start(args, format);
    PlString text;
    text.formatV(format, args);
    va_end(args);
    plsim::detail::emit(text.str());
    return static_cast<int>(text.length());
}
