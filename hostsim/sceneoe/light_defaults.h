// What a new light, a new shadow record and a new attenuation record hold, and the ranges
// their setters accept: the one place these values are written down.
#pragma once

#include <cstdint>

#include "host/plscene.h"

namespace plsim::scene::defaults {

inline constexpr double kPi = 3.141592653589793;
inline constexpr double kRadiansPerDegree = kPi / 180.0;

// ---- The light ---------------------------------------------------------------
inline constexpr int kKind = PlDbLight::kPointLight;
inline constexpr bool kOn = true;
inline constexpr double kIntensity = 1.0;
// The colour is a default PlCmColor: white, by red, green and blue.
inline constexpr double kHotspot = 44.0 * kRadiansPerDegree;  ///< radians
inline constexpr double kFalloff = 50.0 * kRadiansPerDegree;  ///< radians
inline constexpr bool kHasTarget = false;
inline constexpr double kPosition[3] = {0.0, 0.0, 0.0};
inline constexpr double kTarget[3] = {0.0, 0.0, -10.0};
inline constexpr double kDirection[3] = {0.0, 0.0, -1.0};
inline constexpr const wchar_t* kWebFile = L"";
inline constexpr double kWebRotation[3] = {0.0, 0.0, 0.0};
inline constexpr double kPhysicalIntensity = 1500.0;  ///< candela
inline constexpr auto kIntensityMethod = PlDbLight::kPeakIntensity;
inline constexpr double kIlluminanceDistanceMetres = 1.0;  ///< in drawing units when made
inline constexpr auto kLampColorType = PlDbLight::kKelvin;
inline constexpr double kLampColorTemp = 3500.0;  ///< kelvin
inline constexpr auto kLampColorPreset = PlDbLight::kD65White;

// ---- What the light's setters accept -------------------------------------------
/// Light names: 1 to this many characters.
inline constexpr std::size_t kMaxNameLength = 255;
/// Characters no light name may hold (besides control characters).
inline constexpr const wchar_t* kForbiddenNameChars = L"<>/\\\":;?*|,=`";
/// Hotspot and falloff: 0 up to (not including) half a turn. A hotspot wider
/// than the falloff is kept as given.
inline constexpr double kMaxConeAngle = kPi;

// ---- The shadow record ---------------------------------------------------------
inline constexpr bool kShadowsOn = true;
inline constexpr auto kShadowType = PlGiShadowParameters::kShadowsRayTraced;
inline constexpr std::uint16_t kShadowMapSize = 256;
inline constexpr std::uint16_t kMinShadowMapSize = 64;
inline constexpr std::uint16_t kMaxShadowMapSize = 4096;
inline constexpr std::uint8_t kShadowSoftness = 1;
inline constexpr std::uint8_t kMinShadowSoftness = 1;
inline constexpr std::uint8_t kMaxShadowSoftness = 10;
inline constexpr auto kLightShape = PlGiShadowParameters::kRectangle;
inline constexpr double kLightLength = 1.0;
inline constexpr double kLightWidth = 1.0;
inline constexpr double kLightRadius = 1.0;
inline constexpr std::uint16_t kShadowSamples = 16;
inline constexpr bool kShapeVisible = false;

// ---- The attenuation record ------------------------------------------------------
inline constexpr auto kAttenuationType = PlGiLightAttenuation::kNone;
inline constexpr bool kUseLimits = false;
inline constexpr double kStartLimit = 1.0;
inline constexpr double kEndLimit = 10.0;

}  // namespace plsim::scene::defaults
