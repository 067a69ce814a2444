// The lights of a drawing made ready for the calculation of direct illuminance, and the
// illuminance at a point.
#include "illuminance/scene.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "drawing/light_color.h"
#include "host/plscene.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/light_frame.h"
#include "hostsim/sceneoe/photometry.h"
#include "hostsim/sceneoe/web_files.h"

namespace plandor::illuminance {
namespace {

using plsim::scene::LightInfo;

std::wstring quotedName(const LightInfo& light) { return L"\"" + light.name + L"\""; }

/// The way a light shines, unit length: its direction, or straight down without one.
PlGeVector3d shiningWay(const PlGeVector3d& direction) { return plsim::scene::lightFrame(direction).z * -1.0; }

void appendPoint(PointArrays& to, const PlGePoint3d& metres, double intensity, double start2, double end2) {
    to.x.push_back(metres.x);
    to.y.push_back(metres.y);
    to.z.push_back(metres.z);
    to.intensity.push_back(intensity);
    to.start2.push_back(start2);
    to.end2.push_back(end2);
}

}  // namespace

const wchar_t* unitSymbol(const Units& units) { return units.footCandles ? L"fc" : L"lx"; }

Scene Scene::of(const std::vector<LightInfo>& lights, const Units& units, const WebReader& readWeb) {
    Scene scene;
    scene.m_units = units;
    const double m = units.metresPerUnit;
    const double perLux = units.footCandles ? 1.0 / plsim::scene::kLuxPerFootCandle : 1.0;
    std::map<std::wstring, std::int32_t> tableOfFile;
    std::vector<Reach> reach[3];  // of the limited points, spots and webs

    for (const LightInfo& light : lights) {
        if (!light.on) continue;
        const double filter = light.intensity * relativeLuminance(lightColorLinear(light.color));
        if (light.kind == PlDbLight::kDistantLight) {
            // Its value is already an illuminance in the lighting units.
            const double value = light.photometry.physicalIntensity * filter;
            if (!std::isfinite(value)) {
                scene.m_notes.push_back(L"The distant light " + quotedName(light) +
                                        L" has no intensity; it gives no light.");
                continue;
            }
            const PlGeVector3d way = shiningWay(light.direction);
            scene.m_distant.push_back({way.x, way.y, way.z, value});
            continue;
        }
        const double intensity = light.photometry.candela * filter * perLux;
        if (!std::isfinite(intensity)) {
            scene.m_notes.push_back(
                L"The light " + quotedName(light) +
                L" has no intensity in candela (its photometry converts to none); it gives no light.");
            continue;
        }
        const bool limited = light.attenuation.useLimits;
        const double low = std::min(light.attenuation.start, light.attenuation.end) * m;
        const double high = std::max(light.attenuation.start, light.attenuation.end) * m;
        if (limited && high < 0.0) {
            scene.m_notes.push_back(L"The light " + quotedName(light) +
                                    L" reaches no point: both its limits are below 0; it gives no light.");
            continue;
        }
        const double start = std::max(low, 0.0);
        LightSet& set = limited ? scene.m_limited : scene.m_unlimited;
        const PlGePoint3d at(light.position.x * m, light.position.y * m, light.position.z * m);
        const Reach where{at.x, at.y, at.z, start, high};

        int kind = light.kind;
        std::int32_t table = -1;
        if (kind == PlDbLight::kWebLight) {
            std::wstring why = L"it has no web file";
            if (!light.webFile.empty()) {
                if (const auto found = tableOfFile.find(light.webFile); found != tableOfFile.end()) {
                    table = found->second;
                } else {
                    const std::optional<plsim::scene::PhotometricWeb> web =
                        readWeb ? readWeb(light.webFile, why) : plsim::scene::readWebFile(light.webFile, why);
                    if (web) {
                        table = static_cast<std::int32_t>(scene.m_tables.size());
                        scene.m_tables.push_back(webTable(*web));
                        tableOfFile.emplace(light.webFile, table);
                    } else {
                        why = L"its web file cannot be read (" + why + L")";
                    }
                }
            }
            if (table < 0) {
                scene.m_notes.push_back(L"The web light " + quotedName(light) + L" shines as a point light: " + why +
                                        L".");
                kind = PlDbLight::kPointLight;
            }
        }
        switch (kind) {
            case PlDbLight::kSpotLight: {
                const PlGeVector3d axis = shiningWay(light.direction);
                const double falloff = light.falloff / 2.0;
                const double hotspot = std::min(light.hotspot, light.falloff) / 2.0;
                const double cosHotspot = std::cos(hotspot), cosFalloff = std::cos(falloff);
                appendPoint(set.spots, at, intensity, start * start, high * high);
                set.spots.nax.push_back(-axis.x);
                set.spots.nay.push_back(-axis.y);
                set.spots.naz.push_back(-axis.z);
                set.spots.cosFalloff.push_back(cosFalloff);
                set.spots.cosHotspot.push_back(cosHotspot);
                set.spots.rampScale.push_back(cosHotspot > cosFalloff ? 1.0 / (cosHotspot - cosFalloff) : 0.0);
                if (limited) reach[1].push_back(where);
                break;
            }
            case PlDbLight::kWebLight: {
                const plsim::scene::LightFrame frame = plsim::scene::lightFrame(light.direction, light.webRotation);
                appendPoint(set.webs, at, intensity, start * start, high * high);
                const PlGeVector3d* axes[3] = {&frame.x, &frame.y, &frame.z};
                for (int k = 0; k < 3; ++k) {
                    set.webs.frame[3 * k].push_back(-axes[k]->x);
                    set.webs.frame[3 * k + 1].push_back(-axes[k]->y);
                    set.webs.frame[3 * k + 2].push_back(-axes[k]->z);
                }
                set.webs.table.push_back(table);
                if (limited) reach[2].push_back(where);
                break;
            }
            default:
                appendPoint(set.points, at, intensity, start * start, high * high);
                if (limited) reach[0].push_back(where);
                break;
        }
    }
    for (const std::vector<Reach>& kind : reach) scene.m_reach.insert(scene.m_reach.end(), kind.begin(), kind.end());
    for (const WebTable& table : scene.m_tables) {
        WebLookup lookup;
        lookup.table = &table;
        lookup.relative = table.relative.data();
        lookup.type = static_cast<int>(table.type);
        lookup.even = table.even();
        lookup.everywhere = table.type == plsim::scene::PhotometricWeb::Type::C &&
                            table.vertical.angles.front() == 0.0 && table.vertical.angles.back() == 180.0;
        lookup.verticalCount = static_cast<std::int32_t>(table.vertical.angles.size());
        lookup.vFirst = table.vertical.first / kernel::kDegreesPerRadian;
        lookup.vInverseStep = table.vertical.inverseStep * kernel::kDegreesPerRadian;
        lookup.vLast = table.vertical.lastIndex;
        lookup.hFirst = table.horizontal.first / kernel::kDegreesPerRadian;
        lookup.hInverseStep = table.horizontal.inverseStep * kernel::kDegreesPerRadian;
        lookup.hLast = table.horizontal.lastIndex;
        scene.m_lookups.push_back(lookup);
    }
    return scene;
}

KernelInput Scene::input(const PlGeVector3d& n) const {
    KernelInput in;
    in.unlimited = &m_unlimited;
    in.webs = m_lookups.data();
    in.nx = n.x;
    in.ny = n.y;
    in.nz = n.z;
    in.facingUp = n.x == 0.0 && n.y == 0.0 && n.z == 1.0;
    for (const Distant& light : m_distant) {
        const double facing = -(light.x * n.x + light.y * n.y + light.z * n.z);
        in.base += facing > 0.0 ? light.illuminance * facing : 0.0;
    }
    return in;
}

double Scene::at(const PlGePoint3d& point, const PlGeVector3d& normal, InstructionSet set) const {
    // Scaled to its largest component first, so that no length overflows.
    const double largest = std::max({std::fabs(normal.x), std::fabs(normal.y), std::fabs(normal.z)});
    PlGeVector3d n(normal.x / largest, normal.y / largest, normal.z / largest);
    const double length = n.length();
    n = PlGeVector3d(n.x / length, n.y / length, n.z / length);
    KernelInput in = input(n);
    in.limited = &m_limited;
    const double m = m_units.metresPerUnit;
    const double x = point.x * m;
    double e = 0.0;
    rowKernel(set)(in, &x, 1, point.y * m, point.z * m, &e);
    return e;
}

std::optional<Scene> drawingScene(PlDbDatabase* db, std::wstring& refusal) {
    const std::wstring lighting = plsim::getVar(L"LIGHTINGUNITS");
    if (lighting != L"1" && lighting != L"2") {
        refusal = L"Under generic lighting (LIGHTINGUNITS " + lighting +
                  L") the lights have no photometric values: set LIGHTINGUNITS to 2 for lux or 1 for foot-candles.";
        return std::nullopt;
    }
    const Units units{LightingUtil::getUnitFactor(true), lighting == L"1"};
    return Scene::of(plsim::scene::lightsOf(db), units);
}

}  // namespace plandor::illuminance
