// What the export of a drawing as glTF holds, read from the drawing.
#include "gltf/gltf_scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "gltf/gltf_geometry.h"
#include "host/plscene.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/photometry.h"
#include "hostsim/sceneoe/web_files.h"

namespace plandor::gltf {

namespace {

/// The share of the drawing's extent a chord may stray from its curve.
constexpr double kChordShare = 0.001;

/// The largest side of the box around the lights and `entities`; 0 for an empty drawing.
double extentOf(const std::vector<plsim::scene::LightInfo>& lights, const std::vector<EntityOutline>& entities) {
    constexpr double kHuge = std::numeric_limits<double>::max();
    double low[3] = {kHuge, kHuge, kHuge}, high[3] = {-kHuge, -kHuge, -kHuge};
    const auto take = [&](const PlGePoint3d& p) {
        const double at[3] = {p.x, p.y, p.z};
        for (int i = 0; i < 3; ++i) {
            if (!std::isfinite(at[i])) continue;
            low[i] = std::min(low[i], at[i]);
            high[i] = std::max(high[i], at[i]);
        }
    };
    for (const auto& light : lights) {
        take(light.position);
        if (light.hasTarget) take(light.target);
    }
    for (const EntityOutline& entity : entities)
        for (const PlGePoint3d& p : entity.points) take(p);
    double extent = 0.0;
    for (int i = 0; i < 3; ++i) extent = std::max(extent, high[i] - low[i]);
    return std::isfinite(extent) ? extent : 0.0;
}

}  // namespace

double GltfScene::metres(double length) const {
    const double perMetre = 1.0 / metresPerUnit;
    return perMetre > 1.0 && perMetre == std::round(perMetre) ? length / perMetre : length * metresPerUnit;
}

std::array<double, 3> GltfScene::gltfPoint(const PlGePoint3d& point) const {
    std::array<double, 3> at = gltfAxes(point);
    for (double& v : at) v = metres(v);
    return at;
}

std::vector<WebProfile> webProfilesOf(const std::vector<plsim::scene::LightInfo>& lights) {
    std::vector<WebProfile> webs;
    std::set<std::wstring> seen;
    for (const auto& light : lights) {
        if (light.kind != PlDbLight::kWebLight || light.webFile.empty() || !seen.insert(light.webFile).second) continue;
        std::wstring error;
        std::optional<std::string> bytes = plsim::scene::readWebFileBytes(light.webFile, error);
        if (!bytes) continue;
        const auto web = plsim::scene::readPhotometricWeb(*bytes, light.webFile, error);
        const double peak = web ? plsim::scene::peakCandela(*web) : 0.0;
        if (peak > 0.0 && std::isfinite(peak)) webs.push_back({light.webFile, std::move(*bytes), peak});
    }
    return webs;
}

GltfScene gltfSceneOf(PlDbDatabase* db, std::string generator) {
    GltfScene scene;
    scene.generator = std::move(generator);
    const std::wstring units = plsim::getVar(L"LIGHTINGUNITS");
    scene.photometric = units == L"1" || units == L"2";
    scene.luxPerIntensityUnit = units == L"1" ? plsim::scene::kLuxPerFootCandle : 1.0;
    scene.metresPerUnit = LightingUtil::getUnitFactor(true);
    if (!db) return scene;
    scene.lights = plsim::scene::lightsOf(db);
    // The extent from the entities as the picture divides them, then the export's finer curves.
    const double extent = extentOf(scene.lights, entityOutlinesOf(db));
    scene.entities = entityOutlinesOf(db, extent * kChordShare);
    scene.webs = webProfilesOf(scene.lights);
    return scene;
}

}  // namespace plandor::gltf
