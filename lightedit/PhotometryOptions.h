// The photometry option: the physical intensity in candela, lumen or illuminance at a
// distance, and the lamp colour as a colour temperature or a lamp preset.
#pragma once

#include <cstddef>

#include "host/plscene.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"

/// A lamp colour preset: the keyword that selects it, its value and the
/// message of its display name.
struct LampPresetRow {
    const wchar_t* keyword;
    int preset;
    unsigned nameId;
};

/// The fourteen presets, in the order they are listed and matched.
inline constexpr LampPresetRow lampPresetTable[] = {
    {L"D65", PlDbLight::kD65White, 2535},
    {L"Fluorescent", PlDbLight::kFluorescent, 2537},
    {L"CoolWhite", PlDbLight::kCoolWhite, 2534},
    {L"WhiteFluorescent", PlDbLight::kWhiteFluorescent, 2546},
    {L"DaylightFluorescent", PlDbLight::kDaylightFluorescent, 2536},
    {L"Incandescent", PlDbLight::kIncandescent, 2540},
    {L"Xenon", PlDbLight::kXenon, 2547},
    {L"Halogen", PlDbLight::kHalogen, 2538},
    {L"Quartz", PlDbLight::kQuartz, 2545},
    {L"MetalHalide", PlDbLight::kMetalHalide, 2543},
    {L"mErcury", PlDbLight::kMercury, 2542},
    {L"PhosphorMercury", PlDbLight::kPhosphorMercury, 2544},
    {L"highpressureSodium", PlDbLight::kHighPressureSodium, 2539},
    {L"Lowpressuresodium", PlDbLight::kLowPressureSodium, 2541},
};

/// What the photometry sub-menu is asked to do next.
enum PhotometryChoice : int { kEditIntensity = 0, kEditLampColor = 1, kLeavePhotometry = 2 };

/// The photometry sub-menu of the context's light (open for write): intensity
/// and lamp colour entries until "eXit" or a cancel. Each entry the user
/// completes is written to the light at once.
void runPhotometryMenu(const LightEditContext& context);

/// Asks what to edit: Enter and any unknown reply mean the intensity.
PhotometryChoice promptPhotometryChoice();

/// The intensity entry: starts in candela (converting the working value) and
/// may switch to flux or illuminance. `method`, `intensity` and `distance` are
/// working values, changed in place also when it returns false. True when the
/// caller is to store them.
bool promptPhysicalIntensity(const LightEditContext& context, PlDbLight::PhysicalIntensityMethod& method,
                             double& intensity, double& distance);

/// `value` given in `sourceMethod` expressed in `targetMethod`; `distance` is
/// in drawing units. A distant light's value is never converted; a web light
/// without a web file converts as a point light. The light is not changed.
double convertPhysicalIntensity(const PlDbLight& light, PlDbLight::PhysicalIntensityMethod sourceMethod,
                                PlDbLight::PhysicalIntensityMethod targetMethod, double value, double distance);

/// The lamp colour entry: a preset by name, "Kelvin" and a temperature, or
/// "?" to list presets. The working values change only when it returns true.
bool promptLampColor(const LightEditContext& context, int& colorType, double& temperature, int& preset);

/// Prints a line break and one preset name between the listing marks.
void printLampPresetLine(unsigned messageId);

/// The display name of a preset; empty for a value that is none.
PlString lampPresetDisplayName(int preset);
