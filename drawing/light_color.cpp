// The colour of a light as plandor's outputs show and use it.
#include "drawing/light_color.h"

#include <cstdint>

namespace plandor {

using plsim::scene::ColorInfo;

plsim::Rgb8 lightColorRgb(const ColorInfo& color) {
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value); };
    switch (color.method) {
        case ColorInfo::Method::Rgb:
        case ColorInfo::Method::Book: return {byte(color.red), byte(color.green), byte(color.blue)};
        case ColorInfo::Method::Index: return plsim::indexColorRgb(color.index);
        case ColorInfo::Method::None: break;
    }
    return {128, 128, 128};
}

plsim::LinearRgb lightColorLinear(const ColorInfo& color) {
    if (color.method == ColorInfo::Method::None) return {1.0, 1.0, 1.0};
    const plsim::Rgb8 rgb = lightColorRgb(color);
    return {plsim::srgbToLinear(rgb.red / 255.0), plsim::srgbToLinear(rgb.green / 255.0),
            plsim::srgbToLinear(rgb.blue / 255.0)};
}

double relativeLuminance(const plsim::LinearRgb& color) {
    return 0.2126 * color.red + 0.7152 * color.green + 0.0722 * color.blue;
}

}  // namespace plandor
