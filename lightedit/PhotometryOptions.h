// The photometry option: the physical intensity in candela, lumen or illuminance at a
// distance, and the lamp colour as a colour temperature or a lamp preset.
#pragma once

#include <cstddef>

#include "common/Keywords.h"
#include "host/plscene.h"
#include "host/plstring.h"
#include "lightedit/LightEditContext.h"
#include "resources/MessageIds.h"

/// A lamp colour preset: the keyword that selects it, its value and the
/// message of its display name.
using LampPresetRow = NamedKeywordRow<int>;

/// The fourteen presets, in the order they are listed and matched.
inline constexpr LampPresetRow lampPresetTable[] = {
    {L"D65", PlDbLight::kD65White, msg::kPresetD65},
    {L"Fluorescent", PlDbLight::kFluorescent, msg::kPresetFluorescent},
    {L"CoolWhite", PlDbLight::kCoolWhite, msg::kPresetCoolWhite},
    {L"WhiteFluorescent", PlDbLight::kWhiteFluorescent, msg::kPresetWhiteFluorescent},
    {L"DaylightFluorescent", PlDbLight::kDaylightFluorescent, msg::kPresetDaylightFluorescent},
    {L"Incandescent", PlDbLight::kIncandescent, msg::kPresetIncandescent},
    {L"Xenon", PlDbLight::kXenon, msg::kPresetXenon},
    {L"Halogen", PlDbLight::kHalogen, msg::kPresetHalogen},
    {L"Quartz", PlDbLight::kQuartz, msg::kPresetQuartz},
    {L"MetalHalide", PlDbLight::kMetalHalide, msg::kPresetMetalHalide},
    {L"mErcury", PlDbLight::kMercury, msg::kPresetMercury},
    {L"PhosphorMercury", PlDbLight::kPhosphorMercury, msg::kPresetPhosphorMercury},
    {L"highpressureSodium", PlDbLight::kHighPressureSodium, msg::kPresetHighPressureSodium},
    {L"Lowpressuresodium", PlDbLight::kLowPressureSodium, msg::kPresetLowPressureSodium},
};

/// What the photometry sub-menu is asked to do next; Enter and any unknown reply mean the intensity.
enum PhotometryChoice : int { kEditIntensity = 0, kEditLampColor = 1, kLeavePhotometry = 2 };
/// msg::kPhotometryMenuKeywords declares these.
inline constexpr KeywordRow<PhotometryChoice> kPhotometryMenu[] = {
    {L"Intensity", kEditIntensity},
    {L"Color", kEditLampColor},
    {L"eXit", kLeavePhotometry},
};

/// The other methods the candela prompt switches to; msg::kCandelaKeywords declares them.
inline constexpr KeywordRow<PlDbLight::PhysicalIntensityMethod> kIntensityMethods[] = {
    {L"Flux", PlDbLight::kFlux},
    {L"Illuminance", PlDbLight::kIlluminance},
};

/// The option of the illuminance prompt; msg::kIlluminanceKeywords declares it.
enum class IlluminanceOption { Distance };
inline constexpr KeywordRow<IlluminanceOption> kIlluminanceOptions[] = {{L"Distance", IlluminanceOption::Distance}};

/// The options of the lamp colour prompt besides the presets; msg::kLampColorKeywords
/// declares them, then the presets' keywords.
enum class LampColorOption { List, Kelvin };
inline constexpr KeywordRow<LampColorOption> kLampColorOptions[] = {
    {L"?", LampColorOption::List},
    {L"Kelvin", LampColorOption::Kelvin},
};

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
