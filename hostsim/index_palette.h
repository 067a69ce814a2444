// The host's 255 index colours: the red, green and blue each index colour stands for.
#pragma once

#include <cstdint>

#include "host/plexport.h"

namespace plsim {

struct Rgb8 {
    std::uint8_t red = 0, green = 0, blue = 0;
};

/// The colour of index colour `index` (1 to 255); black for any other index.
///
///  - 1 to 7 are the named colours: red, yellow, green, cyan, blue, magenta, white;
///  - 8 and 9 are greys: dark (128) and light (192);
///  - 10 to 249 are 24 hues around the colour wheel, 15 degrees apart from red (10)
///    through yellow (50), green (90), cyan (130), blue (170) and magenta (210), each in
///    ten variants: index 10 + 10 h + v is hue 15 h degrees, with v even a full colour and
///    v odd the same brightness at half saturation, and the brightness falling with v / 2
///    through 100, 80, 60, 45 and 30 %;
///  - 250 to 255 are greys from dark to white: 255 (i - 249) / 6, rounded.
PLHOST_API Rgb8 indexColorRgb(int index);

}  // namespace plsim
