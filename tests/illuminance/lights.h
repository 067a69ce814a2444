// Lights and webs for the illuminance tests, made as the driver API reports them.
#pragma once

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "host/plscene.h"
#include "illuminance/scene.h"

namespace lights {

using plsim::scene::LightInfo;
using plsim::scene::PhotometricWeb;

inline constexpr double kPi = 3.141592653589793;
inline double radians(double degrees) { return degrees * kPi / 180.0; }

/// A white light that is on, of `kind`, at `at`, with `candela` as LIST shows it.
inline LightInfo light(int kind, PlGePoint3d at, double candela) {
    LightInfo l;
    l.kind = kind;
    l.on = true;
    l.intensity = 1.0;
    l.color.red = l.color.green = l.color.blue = 255;
    l.position = at;
    l.direction = PlGeVector3d(0.0, 0.0, -1.0);
    l.photometry.candela = candela;
    return l;
}

inline LightInfo point(PlGePoint3d at, double candela) { return light(PlDbLight::kPointLight, at, candela); }

inline LightInfo spot(PlGePoint3d at, PlGeVector3d direction, double candela, double hotspotDeg, double falloffDeg) {
    LightInfo l = light(PlDbLight::kSpotLight, at, candela);
    l.direction = direction;
    l.hotspot = radians(hotspotDeg);
    l.falloff = radians(falloffDeg);
    return l;
}

inline LightInfo web(PlGePoint3d at, PlGeVector3d direction, double candela, const wchar_t* file,
                     PlGeVector3d rotation = {}) {
    LightInfo l = light(PlDbLight::kWebLight, at, candela);
    l.direction = direction;
    l.webFile = file;
    l.webRotation = rotation;
    return l;
}

inline LightInfo distant(PlGeVector3d direction, double illuminance) {
    LightInfo l = light(PlDbLight::kDistantLight, {}, illuminance);
    l.direction = direction;
    l.photometry.physicalIntensity = illuminance;
    return l;
}

inline LightInfo limited(LightInfo l, double start, double end) {
    l.attenuation.useLimits = true;
    l.attenuation.start = start;
    l.attenuation.end = end;
    return l;
}

/// A web of `type` with the given angles and, for each horizontal angle, its values.
inline PhotometricWeb webOf(PhotometricWeb::Type type, std::vector<double> vertical, std::vector<double> horizontal,
                            std::vector<double> candela) {
    PhotometricWeb w;
    w.type = type;
    w.vertical = std::move(vertical);
    w.horizontal = std::move(horizontal);
    w.candela = std::move(candela);
    return w;
}

/// Type C, 0 to 90 every 5 degrees, one horizontal angle: 100 cos(vertical).
inline PhotometricWeb cosineWeb() {
    std::vector<double> v, c;
    for (int a = 0; a <= 90; a += 5) {
        v.push_back(a);
        c.push_back(100.0 * std::cos(radians(a)));
    }
    return webOf(PhotometricWeb::Type::C, v, {0.0}, c);
}

/// Webs by file name, for Scene::of.
inline plandor::illuminance::WebReader readerOf(std::map<std::wstring, PhotometricWeb> webs) {
    return [webs = std::move(webs)](const std::wstring& path, std::wstring& error) -> std::optional<PhotometricWeb> {
        const auto found = webs.find(path);
        if (found == webs.end()) {
            error = L"no such file";
            return std::nullopt;
        }
        return found->second;
    };
}

}  // namespace lights
