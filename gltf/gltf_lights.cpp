// The drawing's lights as glTF nodes: KHR_lights_punctual lights, and web lights as
// EXT_lights_ies profiles on their nodes.
#include <algorithm>
#include <cmath>

#include "drawing/light_color.h"
#include "drawing/utf8.h"
#include "gltf/gltf_builder.h"
#include "gltf/gltf_geometry.h"
#include "host/plscene.h"
#include "hostsim/color_temperature.h"

namespace plandor::gltf {

namespace {

using plsim::scene::LightInfo;

/// How far below the outer cone an inner cone as wide stays: glTF wants it narrower, and a
/// viewer's single-precision cosines must still tell the two apart.
constexpr double kInnerConeShare = 0.999;
/// The outer cone of a spot whose falloff is 0 (glTF wants one wider than 0), radians.
constexpr double kNarrowestCone = 1e-4;

Json triple(const std::array<double, 3>& v) { return Json::array({v[0], v[1], v[2]}); }

/// The light's colour in linear RGB: its lamp's colour filtered by its own, the larger
/// channel 1 (black stays black).
Json colorOf(const LightInfo& light) {
    const plsim::LinearRgb lamp = plsim::kelvinToLinearRgb(light.photometry.lampKelvin);
    const plsim::LinearRgb filter = lightColorLinear(light.color);
    std::array<double, 3> rgb = {lamp.red * filter.red, lamp.green * filter.green, lamp.blue * filter.blue};
    const double largest = std::max({rgb[0], rgb[1], rgb[2]});
    if (largest > 0.0)
        for (double& channel : rgb) channel /= largest;
    return triple(rgb);
}

/// The light's intensity as glTF counts it: the peak in candela, a distant light's
/// illuminance in lux, times the intensity factor. NaN where the host gives no peak.
double intensityOf(const LightInfo& light, const GltfScene& scene) {
    const double peak = light.kind == PlDbLight::kDistantLight
                            ? light.photometry.physicalIntensity * scene.luxPerIntensityUnit
                            : light.photometry.candela;
    const double value = peak * light.intensity;
    return std::isfinite(value) && value >= 0.0 ? value : std::nan("");
}

/// The place of the light's web file among the scene's profiles; -1 when it has none.
int profileOf(const LightInfo& light, const GltfScene& scene) {
    if (light.kind != PlDbLight::kWebLight) return -1;
    const auto found = std::find_if(scene.webs.begin(), scene.webs.end(),
                                    [&light](const WebProfile& web) { return web.path == light.webFile; });
    return found == scene.webs.end() ? -1 : static_cast<int>(found - scene.webs.begin());
}

/// The KHR_lights_punctual light of a point, spot or distant light (or a web light without
/// its file, which shines as a point light).
Json punctualLight(const LightInfo& light, const GltfScene& scene, double intensity, Json& extras) {
    const char* type = light.kind == PlDbLight::kSpotLight      ? "spot"
                       : light.kind == PlDbLight::kDistantLight ? "directional"
                                                                : "point";
    Json out{{"name", toUtf8(light.name)}, {"type", type}, {"color", colorOf(light)}, {"intensity", intensity}};
    if (light.attenuation.useLimits && light.kind != PlDbLight::kDistantLight) {
        const double range = scene.metres(light.attenuation.end);
        if (range > 0.0 && std::isfinite(range)) {
            out["range"] = range;
        } else {
            extras["range"] = range;  // an end the light never reaches: nothing glTF can hold
        }
    }
    if (light.kind == PlDbLight::kSpotLight) {
        const double outer = std::max(light.falloff / 2.0, kNarrowestCone);
        const double inner = std::min(std::max(light.hotspot / 2.0, 0.0), outer * kInnerConeShare);
        out["spot"] = Json{{"innerConeAngle", inner}, {"outerConeAngle", outer}};
    }
    return out;
}

}  // namespace

void addLights(Builder& builder, const GltfScene& scene) {
    for (const LightInfo& light : scene.lights) {
        const double intensity = intensityOf(light, scene);
        const double shown = light.on && !std::isnan(intensity) ? intensity : 0.0;
        const int profile = profileOf(light, scene);
        Json node{{"name", toUtf8(light.name)}};
        if (profile >= 0) {
            node["rotation"] = nodeRotation(plsim::scene::lightFrame(light.direction, light.webRotation));
        } else if (light.kind == PlDbLight::kSpotLight || light.kind == PlDbLight::kDistantLight) {
            node["rotation"] = nodeRotation(plsim::scene::lightFrame(light.direction));
        }
        node["translation"] = scene.gltfPoint(light.position);
        Json extras = Json::object();
        if (profile >= 0) {
            const double multiplier = shown / scene.webs[static_cast<std::size_t>(profile)].peakCandela;
            node["extensions"]["EXT_lights_ies"] =
                Json{{"light", profile}, {"multiplier", multiplier}, {"color", colorOf(light)}};
            if (light.attenuation.useLimits) extras["range"] = scene.metres(light.attenuation.end);
        } else {
            node["extensions"]["KHR_lights_punctual"]["light"] = builder.lights.size();
            builder.lights.push_back(punctualLight(light, scene, shown, extras));
        }
        if (!light.on || std::isnan(intensity)) {
            // What glTF cannot show: a light that is off, an intensity the host cannot tell.
            extras["on"] = light.on;
            extras["intensity"] = std::isnan(intensity) ? Json(nullptr) : Json(intensity);
        }
        if (!extras.empty()) node["extras"] = std::move(extras);
        builder.nodes.push_back(std::move(node));
    }
}

}  // namespace plandor::gltf
