// The host's 255 index colours: the red, green and blue each index colour stands for.
#include "hostsim/index_palette.h"

#include <cmath>

namespace plsim {
namespace {

constexpr Rgb8 kNamed[] = {
    {255, 0, 0},     // 1 red
    {255, 255, 0},   // 2 yellow
    {0, 255, 0},     // 3 green
    {0, 255, 255},   // 4 cyan
    {0, 0, 255},     // 5 blue
    {255, 0, 255},   // 6 magenta
    {255, 255, 255}, // 7 white
    {128, 128, 128}, // 8 dark grey
    {192, 192, 192}, // 9 light grey
};
constexpr int kFirstHue = 10;
constexpr int kFirstGrey = 250;
constexpr double kBrightness[] = {1.0, 0.8, 0.6, 0.45, 0.3};

std::uint8_t channel(double value) { return static_cast<std::uint8_t>(std::lround(value * 255.0)); }

/// Hue in degrees, saturation and value from 0 to 1, as red, green and blue.
Rgb8 fromHsv(double hue, double saturation, double value) {
    const double sector = hue / 60.0;
    const int whole = static_cast<int>(sector);
    const double f = sector - whole;
    const double p = value * (1.0 - saturation);
    const double q = value * (1.0 - saturation * f);
    const double t = value * (1.0 - saturation * (1.0 - f));
    switch (whole % 6) {
        case 0: return {channel(value), channel(t), channel(p)};
        case 1: return {channel(q), channel(value), channel(p)};
        case 2: return {channel(p), channel(value), channel(t)};
        case 3: return {channel(p), channel(q), channel(value)};
        case 4: return {channel(t), channel(p), channel(value)};
        default: return {channel(value), channel(p), channel(q)};
    }
}

}  // namespace

Rgb8 indexColorRgb(int index) {
    if (index < 1 || index > 255) return {};
    if (index < kFirstHue) return kNamed[index - 1];
    if (index >= kFirstGrey) {
        const std::uint8_t grey = channel((index - 249) / 6.0);
        return {grey, grey, grey};
    }
    const int hue = (index - kFirstHue) / 10;
    const int variant = (index - kFirstHue) % 10;
    return fromHsv(15.0 * hue, variant % 2 == 0 ? 1.0 : 0.5, kBrightness[variant / 2]);
}

}  // namespace plsim
