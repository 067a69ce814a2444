// The console's UCS command: sets, resets or shows the user coordinate system.
#include "console/ucs_command.h"

#include <charconv>
#include <cmath>
#include <cstddef>

#include "console/blanks.h"
#include "console/display_numbers.h"
#include "console/utf8.h"
#include "host/pled.h"
#include "hostsim/driver.h"

namespace plandor {

namespace {

std::vector<std::wstring> words(const std::wstring& text) {
    std::vector<std::wstring> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !isBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            out.push_back(text.substr(start, i - start));
        }
    }
    return out;
}

/// One finite number, the whole of `text` ("+1.5", "-2", "3e2").
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

/// Three numbers "x,y,z" into `out`.
bool readTriple(const std::wstring& text, double* out) {
    const std::size_t first = text.find(L',');
    const std::size_t second = first == std::wstring::npos ? first : text.find(L',', first + 1);
    if (second == std::wstring::npos || text.find(L',', second + 1) != std::wstring::npos) {
        return false;
    }
    return readNumber(text.substr(0, first), out[0]) &&
           readNumber(text.substr(first + 1, second - first - 1), out[1]) &&
           readNumber(text.substr(second + 1), out[2]);
}

bool sameIgnoringAsciiCase(const std::wstring& text, const wchar_t* upper) {
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

/// A vector of the user system in world coordinates.
std::wstring worldOf(const double user[3], bool displacement) {
    double world[3] = {0.0, 0.0, 0.0};
    pledTrans(user, PLED_UCS, PLED_WCS, displacement, world);
    return displayTriple(world[0], world[1], world[2]);
}

/// The user system in force, in world coordinates.
std::wstring currentUcsText() {
    const double origin[3] = {0.0, 0.0, 0.0};
    const double xAxis[3] = {1.0, 0.0, 0.0};
    const double yAxis[3] = {0.0, 1.0, 0.0};
    const double zAxis[3] = {0.0, 0.0, 1.0};
    return L"UCS: origin " + worldOf(origin, false) + L", X axis " + worldOf(xAxis, true) + L", Y axis " +
           worldOf(yAxis, true) + L", Z axis " + worldOf(zAxis, true) + L" (world coordinates)";
}

}  // namespace

std::optional<UcsRequest> parseUcsArguments(const std::wstring& arguments, std::wstring& error) {
    const std::vector<std::wstring> parts = words(arguments);
    UcsRequest request;
    if (parts.empty()) {
        return request;
    }
    if (parts.size() == 1 && sameIgnoringAsciiCase(parts[0], L"WORLD")) {
        request.action = UcsRequest::Action::World;
        return request;
    }
    if (parts.size() != 3) {
        error = L"UCS takes WORLD, or an origin, an X axis and a Y axis as three points: " + std::wstring(kUcsSyntax) +
                L", for example UCS 0,0,0 1,0,0 0,0,1.";
        return std::nullopt;
    }
    const wchar_t* roles[3] = {L"origin", L"X axis", L"Y axis"};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!readTriple(parts[i], request.values.data() + 3 * i)) {
            error = L"The " + std::wstring(roles[i]) + L" \"" + parts[i] +
                    L"\" is not three numbers separated by commas, such as 0,0,1.";
            return std::nullopt;
        }
    }
    request.action = UcsRequest::Action::Set;
    return request;
}

std::vector<std::wstring> runUcsCommand(const std::wstring& arguments) {
    std::wstring error;
    const std::optional<UcsRequest> request = parseUcsArguments(arguments, error);
    if (!request) {
        return {error, L"The UCS is unchanged."};
    }
    switch (request->action) {
        case UcsRequest::Action::Show:
            break;
        case UcsRequest::Action::World:
            plsim::resetUcs();
            break;
        case UcsRequest::Action::Set: {
            const std::array<double, 9>& v = request->values;
            if (!plsim::setUcs(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8])) {
                return {L"The X and Y axes need a length and must not be parallel. The UCS is unchanged."};
            }
            break;
        }
    }
    return {currentUcsText()};
}

}  // namespace plandor
