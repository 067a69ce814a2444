// Guards the colour a light gives off against index colours missing the palette, a colourless light that
// darkens its light, and a luminance that is not weighted as the eye weighs it.
#include <gtest/gtest.h>

#include "drawing/light_color.h"

namespace {

using plsim::scene::ColorInfo;

TEST(LightColorTest, LinearColourAndLuminance) {
    struct Row {
        ColorInfo::Method method;
        int red, green, blue, index;
        double luminance;
    } rows[] = {
        {ColorInfo::Method::Rgb, 255, 255, 255, 0, 1.0},
        {ColorInfo::Method::Index, 0, 0, 0, 1, 0.2126},            // index 1 is red
        {ColorInfo::Method::Book, 0, 255, 0, 0, 0.7152},
        {ColorInfo::Method::Rgb, 128, 128, 128, 0, 0.2158605},     // mid grey is a fifth of the light
        {ColorInfo::Method::None, 9, 9, 9, 0, 1.0},                // no colour filters nothing
    };
    for (const Row& row : rows) {
        ColorInfo color;
        color.method = row.method;
        color.red = row.red, color.green = row.green, color.blue = row.blue, color.index = row.index;
        EXPECT_NEAR(row.luminance, plandor::relativeLuminance(plandor::lightColorLinear(color)), 1e-6)
            << static_cast<int>(row.method);
    }
}

}  // namespace
