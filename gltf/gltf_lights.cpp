// The drawing's lights as glTF nodes: KHR_lights_punctual lights, and web lights as
// EXT_lights_ies profiles on their nodes.
#include "gltf/gltf_builder.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "drawing/light_color.h"
#include "drawing/utf8.h"
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

/// The light's colour in linear RGB: its lamp's colour filtered by its own, the larger
/// channel 1 (black stays black).
std::array<double, 3> colorOf(const LightInfo& light) {
    const plsim::LinearRgb lamp = plsim::kelvinToLinearRgb(light.photometry.lampKelvin);
    const plsim::LinearRgb filter = lightColorLinear(light.color);
    std::array<double, 3> rgb = {lamp.red * filter.red, lamp.green * filter.green, lamp.blue * filter.blue};
    const double largest = std::max({rgb[0], rgb[1], rgb[2]});
    if (largest > 0.0)
        for (double& channel : rgb) channel /= largest;
    return rgb;
}

/// The light's intensity as glTF counts it: the peak in candela, a distant light's
/// illuminance in lux, times the intensity factor. Nothing where the host gives no peak.
std::optional<double> intensityOf(const LightInfo& light, const GltfScene& scene) {
    const double peak = light.kind == PlDbLight::kDistantLight
                            ? light.photometry.physicalIntensity * scene.luxPerIntensityUnit
                            : light.photometry.candela;
    const double value = peak * light.intensity;
    if (std::isfinite(value) && value >= 0.0) return value;
    return std::nullopt;
}

/// The place of the light's web file among the scene's profiles; -1 when it has none.
int profileOf(const LightInfo& light, const GltfScene& scene) {
    if (light.kind != PlDbLight::kWebLight) return -1;
    const auto found = std::find_if(scene.webs.begin(), scene.webs.end(),
                                    [&light](const WebProfile& web) { return web.path == light.webFile; });
    return found == scene.webs.end() ? -1 : static_cast<int>(found - scene.webs.begin());
}

/// Adds the KHR_lights_punctual light of a point, spot or distant light (or of a web light
/// without its file, which shines as a point light). An end limit glTF cannot take as a
/// range goes to `range` instead.
void addPunctualLight(JsonText& out, const LightInfo& light, const GltfScene& scene, double intensity,
                      std::optional<double>& range) {
    const char* type = light.kind == PlDbLight::kSpotLight      ? "spot"
                       : light.kind == PlDbLight::kDistantLight ? "directional"
                                                                : "point";
    out.object().key("name").string(toUtf8(light.name)).key("type").string(type);
    out.key("color").numbers(colorOf(light)).key("intensity").number(intensity);
    if (light.attenuation.useLimits && light.kind != PlDbLight::kDistantLight) {
        const double metres = scene.metres(light.attenuation.end);
        if (metres > 0.0 && std::isfinite(metres)) {
            out.key("range").number(metres);
        } else {
            range = metres;  // an end the light never reaches: nothing glTF can hold
        }
    }
    if (light.kind == PlDbLight::kSpotLight) {
        const double outer = std::max(light.falloff / 2.0, kNarrowestCone);
        const double inner = std::min(std::max(light.hotspot / 2.0, 0.0), outer * kInnerConeShare);
        out.key("spot").object().key("innerConeAngle").number(inner).key("outerConeAngle").number(outer).end();
    }
    out.end();
}

}  // namespace

void addLights(Builder& builder, const GltfScene& scene) {
    for (const LightInfo& light : scene.lights) {
        const std::optional<double> intensity = intensityOf(light, scene);
        const double shown = light.on && intensity ? *intensity : 0.0;
        const int profile = profileOf(light, scene);
        JsonText& node = builder.nodes;
        node.object().key("name").string(toUtf8(light.name));
        if (profile >= 0) {
            node.key("rotation").numbers(nodeRotation(plsim::scene::lightFrame(light.direction, light.webRotation)));
        } else if (light.kind == PlDbLight::kSpotLight || light.kind == PlDbLight::kDistantLight) {
            node.key("rotation").numbers(nodeRotation(plsim::scene::lightFrame(light.direction)));
        }
        node.key("translation").numbers(scene.gltfPoint(light.position));
        std::optional<double> range;
        node.key("extensions").object();
        if (profile >= 0) {
            const double multiplier = shown / scene.webs[static_cast<std::size_t>(profile)].peakCandela;
            node.key("EXT_lights_ies").object().key("light").integer(static_cast<std::uint64_t>(profile));
            node.key("multiplier").number(multiplier).key("color").numbers(colorOf(light)).end();
            if (light.attenuation.useLimits) range = scene.metres(light.attenuation.end);
        } else {
            node.key("KHR_lights_punctual").object().key("light").integer(builder.lightCount++).end();
            addPunctualLight(builder.lights, light, scene, shown, range);
        }
        node.end();
        // What glTF cannot show: a light that is off, an intensity the host cannot tell, an
        // end limit without a range.
        if (!light.on || !intensity || range) {
            node.key("extras").object();
            if (range) node.key("range").number(*range);
            if (!light.on || !intensity) {
                node.key("on").boolean(light.on).key("intensity");
                intensity ? node.number(*intensity) : node.null();
            }
            node.end();
        }
        node.end();
        ++builder.nodeCount;
    }
}

}  // namespace plandor::gltf
