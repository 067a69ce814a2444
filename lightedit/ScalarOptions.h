// The intensity, hotspot and falloff options.
#pragma once

#include "lightedit/LightEditContext.h"

/// Spot angles are limited to 0..160 degrees, both ends included.
constexpr double kLargestSpotAngleDegrees = 160.0;

/// Asks for the intensity (a negative one is refused by the host). False
/// only on a cancel; Enter keeps the value.
bool promptIntensity(const LightEditContext& context, double& value);
/// Asks for an angle in degrees in the drawing's units; `angle` in radians.
bool promptAngle(const LightEditContext& context, double& angle);
/// The spot options: they store both angles in the light with the menu's
/// working hotspot and falloff.
void promptHotspot(const LightEditContext& context, double& workingHotspot, double workingFalloff);
void promptFalloff(const LightEditContext& context, double workingHotspot, double& workingFalloff);
