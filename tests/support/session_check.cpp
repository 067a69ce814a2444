// The checks of what must hold between commands, on the host's bookkeeping and on every light.
#include "support/session_check.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/driver.h"
#include "hostsim/internal.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace pltest {
namespace {

constexpr double kPi = 3.141592653589793;

bool finite(const PlGePoint3d& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }
bool finite(const PlGeVector3d& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool finiteAtLeast(double value, double least) { return std::isfinite(value) && value >= least; }
bool within(int value, int low, int high) { return value >= low && value <= high; }

/// The unit vector from `from` to `to`, computed from halves so that no difference overflows;
/// false when the points coincide.
bool aim(const PlGePoint3d& from, const PlGePoint3d& to, PlGeVector3d& unit) {
    const double x = to.x / 2 - from.x / 2, y = to.y / 2 - from.y / 2, z = to.z / 2 - from.z / 2;
    const double scale = std::max({std::fabs(x), std::fabs(y), std::fabs(z)});
    if (scale == 0.0) return false;
    const double length = std::sqrt((x / scale) * (x / scale) + (y / scale) * (y / scale) + (z / scale) * (z / scale));
    unit = PlGeVector3d(x / scale / length, y / scale / length, z / scale / length);
    return true;
}

std::vector<std::wstring> lightProblems(const plsim::scene::LightInfo& light, PlDbDatabase* db) {
    std::vector<std::wstring> found;
    const auto fault = [&](const std::wstring& what) { found.push_back(what); };
    if (light.kind != PlDbLight::kDistantLight && light.kind != PlDbLight::kPointLight &&
        light.kind != PlDbLight::kSpotLight && light.kind != PlDbLight::kWebLight)
        fault(L"kind " + std::to_wstring(light.kind) + L" is no kind of light");
    if (light.name.empty()) fault(L"the light has no name");
    for (const wchar_t c : light.name)
        if (c < 0x20 || c == 0x7F) fault(L"its name holds the control character " + std::to_wstring(int(c)));
    PlDbObjectId named;
    if (PlLightServiceManager::idAt(named, light.name.c_str(), db) != Plad::eOk || named.handle() != light.handle)
        fault(L"the drawing's index does not find the light by its name");
    if (light.layer.empty()) fault(L"the light is on no layer");

    if (!finite(light.position) || !finite(light.target)) fault(L"its position or target is not finite");
    const PlGeVector3d& d = light.direction;
    if (!finite(d) || std::fabs(std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z) - 1.0) > 1e-9)
        fault(L"its direction is not a unit vector");
    PlGeVector3d aimed;
    if (light.hasTarget && aim(light.position, light.target, aimed) &&
        std::fabs(aimed.x - d.x) + std::fabs(aimed.y - d.y) + std::fabs(aimed.z - d.z) > 1e-6)
        fault(L"its direction does not point at its target");
    if (!finiteAtLeast(light.intensity, 0.0)) fault(L"its intensity is not a finite number of at least 0");
    if (!(light.hotspot >= 0.0 && light.hotspot < kPi) || !(light.falloff >= 0.0 && light.falloff < kPi))
        fault(L"its hotspot or falloff is not an angle from 0 up to half a turn");

    const auto& color = light.color;
    if (color.method == plsim::scene::ColorInfo::Method::Index && !within(color.index, 1, 255))
        fault(L"its colour index " + std::to_wstring(color.index) + L" is not 1 to 255");

    const auto& shadow = light.shadow;
    const unsigned map = shadow.mapSize;
    if (!within(shadow.type, 0, 2) || map < 64 || map > 4096 || (map & (map - 1)) != 0 ||
        shadow.softness < 1 || shadow.softness > 10 || !within(shadow.shape, 0, 4) ||
        !finiteAtLeast(shadow.length, 0.0) || !finiteAtLeast(shadow.width, 0.0) || !finiteAtLeast(shadow.radius, 0.0))
        fault(L"its shadow record is out of range");

    const auto& attenuation = light.attenuation;
    if (!within(attenuation.type, 0, 2) || !std::isfinite(attenuation.start) || !std::isfinite(attenuation.end))
        fault(L"its attenuation record is out of range");

    const auto& photometry = light.photometry;
    if (!finiteAtLeast(photometry.physicalIntensity, 0.0) || !within(photometry.method, 0, 2) ||
        !(std::isfinite(photometry.distance) && photometry.distance > 0.0) || !within(photometry.lampColorType, 0, 1) ||
        !finiteAtLeast(photometry.lampColorTemp, 0.0) || !within(photometry.preset, 0, PlDbLight::kLowPressureSodium))
        fault(L"its photometry is out of range");
    if (!finite(light.webRotation)) fault(L"its web rotation is not finite");
    return found;
}

}  // namespace

std::vector<std::wstring> sessionProblems() {
    std::vector<std::wstring> problems = plsim::openObjects();
    for (std::wstring& open : problems) open = L"left open: " + open;
    for (const std::wstring& error : plsim::drawingErrors()) problems.push_back(L"database error: " + error);
    for (const std::wstring& setter : plsim::scene::takeRefusedLightValues())
        problems.push_back(L"a light refused the value it was given (" + setter + L"): it is lost without a word");
    for (PlApDocument* drawing : plsim::drawings()) {
        const std::wstring where = std::wstring(L"drawing ") + drawing->fileName();
        if (drawing->lockCount() != 0) problems.push_back(where + L" is left locked");
        std::set<std::wstring> names;
        for (const plsim::scene::LightInfo& light : plsim::scene::lightsOf(drawing->database())) {
            const std::wstring which = where + L", light \"" + light.name + L"\": ";
            if (!names.insert(plsim::detail::toLower(light.name)).second) problems.push_back(which + L"its name is taken twice");
            for (const std::wstring& problem : lightProblems(light, drawing->database())) problems.push_back(which + problem);
        }
    }
    return problems;
}

}  // namespace pltest
