// Photometry of the light-entity module: unit factors and conversions of a light's physical
// intensity between candela, lumen and the illuminance at a distance.
#include "hostsim/sceneoe/photometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/pled.h"

namespace plsim::scene {
namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

/// Metres per unit, by "INSUNITS" code; 0 where the code names no length.
constexpr double kMetresPerUnit[] = {
    0.0,                     // 0 unitless
    0.0254,                  // 1 inches
    0.3048,                  // 2 feet
    1609.344,                // 3 miles
    0.001,                   // 4 millimetres
    0.01,                    // 5 centimetres
    1.0,                     // 6 metres
    1000.0,                  // 7 kilometres
    2.54e-8,                 // 8 microinches
    2.54e-5,                 // 9 mils
    0.9144,                  // 10 yards
    1e-10,                   // 11 angstroms
    1e-9,                    // 12 nanometres
    1e-6,                    // 13 microns
    0.1,                     // 14 decimetres
    10.0,                    // 15 decametres
    100.0,                   // 16 hectometres
    1e9,                     // 17 gigametres
    149597870700.0,          // 18 astronomical units
    9460730472580800.0,      // 19 light years
    3.0856775814913673e16,   // 20 parsecs
};

/// An integer system variable, or `fallback` when it cannot be read as one.
int intVariable(const wchar_t* name, int fallback) {
    resbuf value;
    if (pledGetVar(name, &value) != PLRTNORM) return fallback;
    if (value.restype == PLRTSHORT) return value.resval.rint;
    if (value.restype == PLRTLONG) return value.resval.rlong;
    if (value.restype == PLRTSTR) pledFreeString(value.resval.rstring);
    return fallback;
}

/// Illuminance is in foot-candles under American lighting units, in lux otherwise.
bool footCandles() { return intVariable(L"LIGHTINGUNITS", 2) == 1; }

/// Peak intensity in candela of `value` given in `method`; no value when it has none.
double toCandela(const PlDbLight& light, int method, double value, double distance) {
    switch (method) {
        case PlDbLight::kPeakIntensity:
            return value;
        case PlDbLight::kFlux: {
            const double perCandela = lumensPerCandela(light);
            return perCandela > 0.0 ? value / perCandela : kNoValue;
        }
        case PlDbLight::kIlluminance: {
            if (!(distance > 0.0) || !std::isfinite(distance)) return kNoValue;
            const double lux = footCandles() ? value * kLuxPerFootCandle : value;
            return lux * distance * distance;
        }
        default:
            return kNoValue;
    }
}

/// `candela` expressed in `method`; no value when it has none.
double fromCandela(const PlDbLight& light, int method, double candela, double distance) {
    switch (method) {
        case PlDbLight::kPeakIntensity:
            return candela;
        case PlDbLight::kFlux:
            return candela * lumensPerCandela(light);
        case PlDbLight::kIlluminance: {
            if (!(distance > 0.0) || !std::isfinite(distance)) return kNoValue;
            const double lux = candela / (distance * distance);
            return footCandles() ? lux / kLuxPerFootCandle : lux;
        }
        default:
            return kNoValue;
    }
}

}  // namespace

double metresPerInsUnit(int insUnits) {
    constexpr int count = static_cast<int>(sizeof kMetresPerUnit / sizeof kMetresPerUnit[0]);
    return insUnits >= 0 && insUnits < count ? kMetresPerUnit[insUnits] : 0.0;
}

// A cone of full angle a holds the solid angle 2 pi (1 - cos(a/2)). Between the hotspot
// cone h and the falloff cone f the intensity falls smoothly from full to none; that ring
// sends out half of what it would at full intensity. Written with sines so that narrow
// cones keep their precision: 1 - cos(h/2) = 2 sin^2(h/4), and
// cos(h/2) - cos(f/2) = 2 sin((f+h)/4) sin((f-h)/4).
double lumensPerCandela(const PlDbLight& light) {
    switch (light.lightKind()) {
        case PlDbLight::kSpotLight: {
            const double falloff = light.falloffAngle();
            const double hotspot = std::min(light.hotspotAngle(), falloff);
            const double sh = std::sin(hotspot / 4.0);
            const double cone = 2.0 * sh * sh;
            const double ring = 2.0 * std::sin((falloff + hotspot) / 4.0) * std::sin((falloff - hotspot) / 4.0);
            return 2.0 * kPi * (cone + ring / 2.0);
        }
        case PlDbLight::kDistantLight:
            return 0.0;  // parallel light from infinitely far: no flux of its own
        case PlDbLight::kWebLight:
            // The light's intensity is the web's peak; without a readable file it shines as a point light.
            if (const double perCandela = webLumensPerCandela(light); perCandela > 0.0) return perCandela;
            return 4.0 * kPi;
        default:
            return 4.0 * kPi;
    }
}

}  // namespace plsim::scene

// A unitless drawing measures lengths in the lighting units' own length: metres for lux,
// feet for foot-candles, so that "100 cd at 2" is 25 of either.
double LightingUtil::getUnitFactor(bool toMetres) {
    double metres = plsim::scene::metresPerInsUnit(plsim::scene::intVariable(L"INSUNITS", 0));
    if (metres == 0.0) metres = plsim::scene::footCandles() ? plsim::scene::kMetresPerFoot : 1.0;
    return toMetres ? metres : metres / plsim::scene::kMetresPerFoot;
}

// `distance` is in metres. A distant light keeps its value in every method: it has neither
// flux nor a distance. No value (NaN) when there is no light, a method is unknown, the
// distance of an illuminance is not positive, or a spot's cone holds no light.
double LightingUtil::ConvertIntensity(const PlDbLight* light, PlDbLight::PhysicalIntensityMethod from,
                                      PlDbLight::PhysicalIntensityMethod to, double value, double distance) {
    if (!light) return plsim::scene::kNoValue;
    if (from == to || light->lightKind() == PlDbLight::kDistantLight) return value;
    const double candela = plsim::scene::toCandela(*light, from, value, distance);
    return plsim::scene::fromCandela(*light, to, candela, distance);
}
