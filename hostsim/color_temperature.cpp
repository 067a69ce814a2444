// The colour of a light of a given colour temperature, as a screen shows it: kelvin to sRGB.
#include "hostsim/color_temperature.h"

#include <algorithm>
#include <cmath>

namespace plsim {
namespace {

struct Chromaticity {
    double x, y;
};

// The Planckian locus in CIE 1931 xy by the cubic approximation of B. Kang, O. Moon,
// C. Hong, H. Lee, B. Cho and Y. Kim, "Design of Advanced Color Temperature Control System
// for HDTV Applications", Journal of the Korean Physical Society 41 (2002), no. 6,
// pp. 865-871 (cited in the literature as Kim et al.), valid from 1,667 K to 25,000 K,
// with t = 1000 / T.
Chromaticity locus(double kelvin) {
    const double t = 1000.0 / kelvin;
    const double x = kelvin <= 4000.0
                         ? ((-0.2661239 * t - 0.2343589) * t + 0.8776956) * t + 0.179910
                         : ((-3.0258469 * t + 2.1070379) * t + 0.2226347) * t + 0.240390;
    double y;
    if (kelvin <= 2222.0) {
        y = ((-1.1063814 * x - 1.34811020) * x + 2.18555832) * x - 0.20219683;
    } else if (kelvin <= 4000.0) {
        y = ((-0.9549476 * x - 1.37418593) * x + 2.09137015) * x - 0.16748867;
    } else {
        y = ((3.0817580 * x - 5.87338670) * x + 3.75112997) * x - 0.37001483;
    }
    return {x, y};
}

}  // namespace

double linearToSrgb(double linear) {
    // 1 stays exactly 1 (the formula gives one bit less).
    if (linear >= 1.0) return 1.0;
    if (!(linear > 0.0)) return 0.0;
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double srgbToLinear(double encoded) {
    if (encoded >= 1.0) return 1.0;
    if (!(encoded > 0.0)) return 0.0;
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

SrgbColor kelvinToSrgb(double kelvin) {
    if (!(kelvin > 0.0) || !std::isfinite(kelvin)) return {0.5, 0.5, 0.5};
    const LinearRgb linear = kelvinToLinearRgb(kelvin);
    return {linearToSrgb(linear.red), linearToSrgb(linear.green), linearToSrgb(linear.blue)};
}

LinearRgb kelvinToLinearRgb(double kelvin) {
    if (!(kelvin > 0.0) || !std::isfinite(kelvin)) {
        const double grey = srgbToLinear(0.5);
        return {grey, grey, grey};
    }
    const Chromaticity c = locus(std::clamp(kelvin, kMinLocusKelvin, kMaxLocusKelvin));
    // xyY with Y = 1 to XYZ, then to linear sRGB (IEC 61966-2-1, D65 white).
    const double X = c.x / c.y;
    const double Z = (1.0 - c.x - c.y) / c.y;
    double r = 3.2406 * X - 1.5372 - 0.4986 * Z;
    double g = -0.9689 * X + 1.8758 + 0.0415 * Z;
    double b = 0.0557 * X - 0.2040 + 1.0570 * Z;
    r = std::max(r, 0.0);
    g = std::max(g, 0.0);
    b = std::max(b, 0.0);
    const double largest = std::max({r, g, b});
    return {r / largest, g / largest, b / largest};
}

}  // namespace plsim
