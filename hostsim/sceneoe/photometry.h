// Photometry of the light-entity module: the lamp colour presets with the colour temperature
// each stands for, the drawing's length units in metres, and the flux a light sends out per
// candela of its peak intensity.
//
// Quantities and units. A physical intensity is the light's peak luminous intensity in
// candela (method 0), its total luminous flux in lumen (method 1), or the illuminance it
// gives on its beam axis at the illuminance distance (method 2): lux under "LIGHTINGUNITS" 2,
// foot-candles under 1. A foot-candle is a lumen per square foot, 1 / 0.3048^2 = 10.7639 lux.
#pragma once

#include <cstddef>

#include "host/plscene.h"

namespace plsim::scene {

/// A lamp colour preset and the correlated colour temperature it stands for, in kelvin:
/// what turns a preset into a colour. CIE illuminants where one fits (A for incandescent,
/// D65, F1 to F3 and F11 for the fluorescent lamps), typical lamp data otherwise.
struct LampPreset {
    PlDbLight::LampColorPreset preset;
    const wchar_t* name;
    double kelvin;
};

inline constexpr LampPreset kLampPresets[] = {
    {PlDbLight::kD65White, L"D65", 6504.0},                           // CIE D65, average daylight
    {PlDbLight::kFluorescent, L"Fluorescent", 4000.0},                // CIE F11, tri-phosphor
    {PlDbLight::kCoolWhite, L"CoolWhite", 4230.0},                    // CIE F2
    {PlDbLight::kWhiteFluorescent, L"WhiteFluorescent", 3450.0},      // CIE F3
    {PlDbLight::kDaylightFluorescent, L"DaylightFluorescent", 6430.0},// CIE F1
    {PlDbLight::kIncandescent, L"Incandescent", 2856.0},              // CIE A, tungsten filament
    {PlDbLight::kXenon, L"Xenon", 6000.0},                            // xenon arc
    {PlDbLight::kHalogen, L"Halogen", 3000.0},                        // tungsten halogen
    {PlDbLight::kQuartz, L"Quartz", 3200.0},                          // quartz halogen, studio lamp
    {PlDbLight::kMetalHalide, L"MetalHalide", 4000.0},
    {PlDbLight::kMercury, L"Mercury", 5700.0},                        // clear mercury vapour
    {PlDbLight::kPhosphorMercury, L"PhosphorMercury", 3900.0},        // phosphor-coated mercury vapour
    {PlDbLight::kHighPressureSodium, L"HighPressureSodium", 2000.0},
    {PlDbLight::kLowPressureSodium, L"LowPressureSodium", 1800.0},    // nearly monochromatic, 589 nm
};
inline constexpr std::size_t kLampPresetCount = sizeof kLampPresets / sizeof kLampPresets[0];

/// The preset's row; null for a value that is no preset.
inline const LampPreset* lampPresetOf(int preset) {
    for (const LampPreset& row : kLampPresets)
        if (row.preset == preset) return &row;
    return nullptr;
}

/// Lux in one foot-candle.
inline constexpr double kLuxPerFootCandle = 1.0 / (0.3048 * 0.3048);

/// Metres in one drawing unit of the "INSUNITS" code `insUnits` (1 inches, 2 feet, 4 mm,
/// 5 cm, 6 m, ... 20 parsecs); 0 for unitless or a code it does not know.
double metresPerInsUnit(int insUnits);

/// Lumen per candela of peak intensity: 4 pi for a point light, and for a web light whose
/// file could not be read; for a web light, the flux of its file over the file's peak; for
/// a spot, the cone's solid angle with the fall-off from hotspot to falloff taken as a
/// smooth one (half the ring between the two cones).
double lumensPerCandela(const PlDbLight& light);

/// The flux of a web light's file over the file's peak candela; 0 while no file could be read.
double webLumensPerCandela(const PlDbLight& light);

}  // namespace plsim::scene
