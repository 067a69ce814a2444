// The colour of a light of a given colour temperature, as a screen shows it: kelvin to sRGB.
#pragma once

#include "host/plexport.h"

namespace plsim {

/// A colour as sRGB channels from 0 to 1, gamma-encoded as a screen takes them.
struct SrgbColor {
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

}  // namespace plsim
