// The colour of a light of a given colour temperature, as a screen shows it: kelvin to sRGB.
#pragma once

#include "host/plexport.h"

namespace plsim {

/// A colour as sRGB channels from 0 to 1, gamma-encoded as a screen takes them.
struct SrgbColor {
    double red = 0.0, green = 0.0, blue = 0.0;
};

/// A colour as linear sRGB channels (proportional to light), usually from 0 to 1.
struct LinearRgb {
    double red = 0.0, green = 0.0, blue = 0.0;
};

/// The lowest and highest colour temperature the locus approximation holds for, in kelvin.
inline constexpr double kMinLocusKelvin = 1667.0;
inline constexpr double kMaxLocusKelvin = 25000.0;

/// The colour of a black body at `kelvin`, at full brightness: the point of the Planckian
/// locus in CIE 1931 xy, turned into linear sRGB, negatives clipped, divided by the largest
/// channel and gamma-encoded, so the largest channel is 1.
///
/// A temperature below 1,667 K or above 25,000 K takes the colour of the nearer end of that
/// range (a candle's 1,500 K shows as deep orange, 40,000 K as the bluest white). A
/// temperature of 0 K or less, or one that is not finite, names no lamp colour: it shows
/// as a neutral mid grey (0.5, 0.5, 0.5).
PLHOST_API SrgbColor kelvinToSrgb(double kelvin);

/// The same colour before it is gamma-encoded: linear sRGB with the largest channel 1. No
/// lamp colour (0 K) is the linear value of the neutral grey.
PLHOST_API LinearRgb kelvinToLinearRgb(double kelvin);

/// A gamma-encoded sRGB channel (0 to 1) as linear light, and back (IEC 61966-2-1).
PLHOST_API double srgbToLinear(double encoded);
PLHOST_API double linearToSrgb(double linear);

}  // namespace plsim
