// The colour of a light as plandor's outputs show and use it: the light's own colour (a true,
// book or index colour) and its lamp's colour, gamma-encoded or as linear light.
#pragma once

#include "hostsim/color_temperature.h"
#include "hostsim/index_palette.h"
#include "hostsim/sceneoe/scene_driver.h"

namespace plandor {

/// The light's colour as red, green and blue: true and book colours by their channels,
/// index colours through the host's palette, a light without a colour as neutral grey.
plsim::Rgb8 lightColorRgb(const plsim::scene::ColorInfo& color);

/// The light's colour as linear sRGB, each channel 0 to 1, for light that it filters: the
/// channels of lightColorRgb decoded, except that a light without a colour filters nothing
/// (white, 1, 1, 1).
plsim::LinearRgb lightColorLinear(const plsim::scene::ColorInfo& color);

/// The relative luminance of a linear sRGB colour: 0.2126 R + 0.7152 G + 0.0722 B (white 1).
double relativeLuminance(const plsim::LinearRgb& color);

}  // namespace plandor
