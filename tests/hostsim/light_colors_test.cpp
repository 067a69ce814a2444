// Guards against lamp and index colours a person would not recognise: a wrong coefficient or branch of the locus, a jump where its pieces meet, temperatures outside its range, and index colours off their hue.
#include <gtest/gtest.h>

#include <algorithm>

#include "hostsim/color_temperature.h"
#include "hostsim/index_palette.h"

namespace {

using plsim::kelvinToSrgb;
using plsim::SrgbColor;

void expectNear(const SrgbColor& c, double r, double g, double b, double within) {
    EXPECT_NEAR(c.red, r, within);
    EXPECT_NEAR(c.green, g, within);
    EXPECT_NEAR(c.blue, b, within);
}

TEST(LightColors, KelvinGivesTheColourOfTheLamp) {
    // Daylight is a near white: every channel at least 95 % of the largest.
    const SrgbColor d65 = kelvinToSrgb(6504.0);
    EXPECT_EQ(std::max({d65.red, d65.green, d65.blue}), 1.0);
    EXPECT_GE(std::min({d65.red, d65.green, d65.blue}), 0.95);
    expectNear(kelvinToSrgb(6500.0), 1.000, 0.975, 0.997, 0.01);
    // High-pressure sodium is orange-red.
    expectNear(kelvinToSrgb(2000.0), 1.000, 0.543, 0.086, 0.01);

    // The lamp gets bluer all the way up, without a jump where the pieces of the locus meet.
    SrgbColor last = kelvinToSrgb(plsim::kMinLocusKelvin);
    for (double k = plsim::kMinLocusKelvin + 10.0; k <= plsim::kMaxLocusKelvin; k += 10.0) {
        const SrgbColor c = kelvinToSrgb(k);
        EXPECT_GT(c.blue - c.red, last.blue - last.red - 1e-9) << k;
        EXPECT_LT(std::abs(c.green - last.green) + std::abs(c.blue - last.blue), 0.02) << k;
        last = c;
    }
}

TEST(LightColors, TemperaturesOutsideTheLocus) {
    const SrgbColor coolest = kelvinToSrgb(plsim::kMinLocusKelvin);
    const SrgbColor hottest = kelvinToSrgb(plsim::kMaxLocusKelvin);
    expectNear(kelvinToSrgb(1000.0), coolest.red, coolest.green, coolest.blue, 0.0);
    expectNear(kelvinToSrgb(1e6), hottest.red, hottest.green, hottest.blue, 0.0);
    // 0 K (which the light accepts) names no lamp colour: neutral grey.
    expectNear(kelvinToSrgb(0.0), 0.5, 0.5, 0.5, 0.0);
}

TEST(LightColors, IndexColours) {
    struct IndexCase {
        int index;
        int red, green, blue;
    };
    const IndexCase cases[] = {
        {1, 255, 0, 0},     {2, 255, 255, 0},   {5, 0, 0, 255},     {7, 255, 255, 255},
        {10, 255, 0, 0},    {11, 255, 128, 128}, {12, 204, 0, 0},   {50, 255, 255, 0},
        {130, 0, 255, 255}, {170, 0, 0, 255},   {249, 77, 38, 48},  {250, 43, 43, 43},
        {255, 255, 255, 255}, {0, 0, 0, 0},     {256, 0, 0, 0},
    };
    for (const IndexCase& c : cases) {
        const plsim::Rgb8 rgb = plsim::indexColorRgb(c.index);
        EXPECT_EQ(rgb.red, c.red) << c.index;
        EXPECT_EQ(rgb.green, c.green) << c.index;
        EXPECT_EQ(rgb.blue, c.blue) << c.index;
    }
}

}  // namespace
