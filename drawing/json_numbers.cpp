// Real numbers in plandor's JSON files: the shortest digits that read back to the same value.
#include "drawing/json_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace plandor {

void appendJsonReal(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char digits[32];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const std::string_view text(digits, static_cast<std::size_t>(end - digits));
    out += text;
    if (text.find_first_of(".e") == std::string_view::npos) out += ".0";
}

std::string jsonReal(double value) {
    std::string out;
    appendJsonReal(out, value);
    return out;
}

std::string withShortestReals(std::string_view json) {
    std::string out;
    out.reserve(json.size());
    bool inString = false;
    for (std::size_t i = 0; i < json.size();) {
        const char c = json[i];
        if (inString && c == '\\') {  // an escape: the backslash and the character it escapes
            out.append(json, i, 2);
            i += 2;
            continue;
        }
        if (c == '"') inString = !inString;
        if (inString || (c != '-' && (c < '0' || c > '9'))) {
            out += c;
            ++i;
            continue;
        }
        const std::size_t end = std::min(json.find_first_not_of("+-.0123456789eE", i), json.size());
        const std::string_view number = json.substr(i, end - i);
        double value = 0.0;
        if (number.find_first_of(".eE") != std::string_view::npos &&
            std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc()) {
            out += jsonReal(value);
        } else {
            out += number;
        }
        i = end;
    }
    return out;
}

}  // namespace plandor
