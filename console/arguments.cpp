// Reading the arguments of the console's own commands.
#include "console/arguments.h"

#include <charconv>
#include <cmath>

#include "console/blanks.h"
#include "drawing/utf8.h"

namespace plandor {

bool splitArguments(const std::wstring& text, std::vector<std::wstring>& words) {
    words.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBlank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == L'"') {
            const std::size_t close = text.find(L'"', i + 1);
            if (close == std::wstring::npos) return false;
            words.push_back(text.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        words.push_back(text.substr(start, i - start));
    }
    return true;
}

bool readNumber(const std::wstring& text, double& value) {
    std::string bytes = toUtf8(text);
    if (!bytes.empty() && bytes.front() == '+') {
        bytes.erase(0, 1);
    }
    if (bytes.empty() || bytes.front() == '+') {
        return false;
    }
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    return ec == std::errc() && end == bytes.data() + bytes.size() && std::isfinite(value);
}

bool readNumbers(const std::wstring& text, std::size_t count, double* out) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t comma = text.find(L',', start);
        const bool last = i + 1 == count;
        if (last != (comma == std::wstring::npos)) return false;
        if (!readNumber(text.substr(start, last ? std::wstring::npos : comma - start), out[i])) return false;
        start = comma + 1;
    }
    return true;
}

bool readPoint(const std::wstring& text, PlGePoint3d& point) {
    double v[3] = {0.0, 0.0, 0.0};
    if (!readNumbers(text, 3, v) && !readNumbers(text, 2, v)) return false;
    point = PlGePoint3d(v[0], v[1], v[2]);
    return true;
}

bool readUnsigned(const std::wstring& text, unsigned& value) {
    const std::string bytes = toUtf8(text);
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    return !bytes.empty() && ec == std::errc() && end == bytes.data() + bytes.size();
}

bool readHandle(const std::wstring& text, std::uint64_t& handle) {
    const std::string bytes = toUtf8(text);
    const auto [end, ec] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), handle, 16);
    return !bytes.empty() && ec == std::errc() && end == bytes.data() + bytes.size() && handle != 0;
}

bool sameWord(const std::wstring& text, const wchar_t* upper) {
    std::size_t i = 0;
    for (; i < text.size() && upper[i] != L'\0'; ++i) {
        const wchar_t c = text[i];
        const wchar_t u = (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
        if (u != upper[i]) {
            return false;
        }
    }
    return i == text.size() && upper[i] == L'\0';
}

}  // namespace plandor
