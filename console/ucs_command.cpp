// The console's UCS command: sets, resets or shows the user coordinate system.
#include "console/ucs_command.h"

#include <cstddef>

#include "console/arguments.h"
#include "console/display_numbers.h"
#include "host/pled.h"
#include "hostsim/driver.h"

namespace plandor {

namespace {

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
    std::vector<std::wstring> parts;
    static_cast<void>(splitArguments(arguments, parts));  // UCS takes no quoted words
    UcsRequest request;
    if (parts.empty()) {
        return request;
    }
    if (parts.size() == 1 && sameWord(parts[0], L"WORLD")) {
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
        if (!readNumbers(parts[i], 3, request.values.data() + 3 * i)) {
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
