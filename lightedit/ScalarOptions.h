// The intensity, hotspot and falloff options.
#pragma once

#include "lightedit/LightEditContext.h"

/// Spot angles are limited to 0..160 degrees, both ends included.
constexpr double kLargestSpotAngleDegrees = 160.0;

/// The largest intensity the option takes, as its prompt names it: the largest
/// single-precision float (3.40282e+38) to the digits shown, so that a renderer
/// or an exchange format that holds the value in a float keeps it finite.
constexpr double kLargestIntensity = 3.4e38;

/// Asks for the intensity (a negative one is refused by the host, one above
/// kLargestIntensity with a message, and asked again). False only on a cancel;
/// Enter keeps the value.
bool promptIntensity(const LightEditContext& context, double& value);
/// Asks for an angle in degrees in the drawing's units; `angle` in radians.
bool promptAngle(const LightEditContext& context, double& angle);
/// The spot options: they store both angles in the light with the menu's
/// working hotspot and falloff.
void promptHotspot(const LightEditContext& context, double& workingHotspot, double workingFalloff);
void promptFalloff(const LightEditContext& context, double workingHotspot, double& workingFalloff);
