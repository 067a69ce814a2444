// Guards the light module's photometry against wrong formulas (point, spot cone, illuminance, foot-candles),
// conversions that do not come back, wrong drawing-unit factors (and a default illuminance distance that is not
// one metre in them), preset temperatures a light would refuse, and attenuation records that do not copy as values.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "hostsim/sceneoe/photometry.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr auto kCandela = PlDbLight::kPeakIntensity;
constexpr auto kLumen = PlDbLight::kFlux;
constexpr auto kIlluminance = PlDbLight::kIlluminance;

double degrees(double d) { return d * kPi / 180.0; }

class PhotometryTest : public DrawingTest {
protected:
    static std::unique_ptr<PlDbLight> lightOf(int kind) {
        auto light = std::make_unique<PlDbLight>();
        EXPECT_EQ(Plad::eOk, light->setLightKind(kind));
        return light;
    }
    static std::unique_ptr<PlDbLight> spot(double hotspotDeg, double falloffDeg) {
        auto light = lightOf(PlDbLight::kSpotLight);
        EXPECT_EQ(Plad::eOk, light->setHotspotAndFalloff(degrees(hotspotDeg), degrees(falloffDeg)));
        return light;
    }
    static double convert(const PlDbLight& light, PlDbLight::PhysicalIntensityMethod from,
                          PlDbLight::PhysicalIntensityMethod to, double value, double metres = 1.0) {
        return LightingUtil::ConvertIntensity(&light, from, to, value, metres);
    }
};

// Values worked by hand: 4 pi 1000; 2 pi 1000 ((1 - cos 20) + (cos 20 - cos 30) / 2);
// 2 pi 1000 (1 - cos 25); 100 / 2^2.
TEST_F(PhotometryTest, FluxAndIlluminanceMatchHandWorkedValues) {
    const auto point = lightOf(PlDbLight::kPointLight);
    EXPECT_NEAR(12566.370614, convert(*point, kCandela, kLumen, 1000.0), 1e-6);

    EXPECT_NEAR(610.354827, convert(*spot(40, 60), kCandela, kLumen, 1000.0), 1e-6);
    // A hotspot wider than the falloff counts as the falloff: a hard-edged cone.
    EXPECT_NEAR(588.685536, convert(*spot(70, 50), kCandela, kLumen, 1000.0), 1e-6);

    EXPECT_NEAR(25.0, convert(*point, kCandela, kIlluminance, 100.0, 2.0), 1e-12);
    // On the beam axis a spot gives what a point light of its intensity gives.
    EXPECT_NEAR(25.0, convert(*spot(40, 60), kCandela, kIlluminance, 100.0, 2.0), 1e-12);

    // A narrow cone of full angle a holds about pi (a/2)^2: precision kept for small angles.
    const auto narrow = spot(0, 0);
    ASSERT_EQ(Plad::eOk, narrow->setHotspotAndFalloff(1e-6, 1e-6));
    EXPECT_NEAR(kPi * 0.25e-12, convert(*narrow, kCandela, kLumen, 1.0), 1e-9 * kPi * 0.25e-12);
}

TEST_F(PhotometryTest, EveryConversionComesBack) {
    const PlDbLight::PhysicalIntensityMethod methods[] = {kCandela, kLumen, kIlluminance};
    for (const auto& light :
         {lightOf(PlDbLight::kPointLight), spot(30, 45), spot(0, 120), spot(10, 10), lightOf(PlDbLight::kWebLight)}) {
        for (double value : {1e-3, 1.0, 1500.0, 7.3e6}) {
            for (auto from : methods) {
                for (auto to : methods) {
                    const double there = convert(*light, from, to, value, 3.7);
                    const double back = convert(*light, to, from, there, 3.7);
                    EXPECT_NEAR(value, back, 1e-9 * value)
                        << "kind " << light->lightKind() << " from " << from << " to " << to;
                }
            }
        }
    }
}

TEST_F(PhotometryTest, ConversionsWithoutAnAnswerSaySo) {
    const auto point = lightOf(PlDbLight::kPointLight);
    EXPECT_TRUE(std::isnan(LightingUtil::ConvertIntensity(nullptr, kCandela, kLumen, 1.0, 1.0)));
    for (double distance : {0.0, -2.0, std::nan("")})
        EXPECT_TRUE(std::isnan(convert(*point, kCandela, kIlluminance, 1.0, distance))) << distance;
    const auto unknown = static_cast<PlDbLight::PhysicalIntensityMethod>(7);
    EXPECT_TRUE(std::isnan(convert(*point, kCandela, unknown, 1.0)));
    // A closed cone sends out nothing, so no intensity answers a flux.
    EXPECT_EQ(0.0, convert(*spot(0, 0), kCandela, kLumen, 5.0));
    EXPECT_TRUE(std::isnan(convert(*spot(0, 0), kLumen, kCandela, 5.0)));
    // A distant light has neither flux nor distance: its value stays.
    const auto distant = lightOf(PlDbLight::kDistantLight);
    EXPECT_EQ(3.5, convert(*distant, kCandela, kLumen, 3.5));
    EXPECT_EQ(3.5, convert(*distant, kIlluminance, kCandela, 3.5, 2.0));
}

TEST_F(PhotometryTest, UnitFactorsFollowTheDrawingsUnits) {
    struct Case {
        const wchar_t* insUnits;
        double metres;
    };
    const Case cases[] = {{L"1", 0.0254}, {L"4", 0.001}, {L"6", 1.0}, {L"14", 0.1}};
    for (const Case& c : cases) {
        ASSERT_TRUE(plsim::setVar(L"INSUNITS", c.insUnits));
        EXPECT_DOUBLE_EQ(c.metres, LightingUtil::getUnitFactor(true)) << c.insUnits;
        EXPECT_DOUBLE_EQ(c.metres / 0.3048, LightingUtil::getUnitFactor(false)) << c.insUnits;
        EXPECT_DOUBLE_EQ(1.0 / c.metres, PlDbLight().illuminanceDistance()) << "a new light's: one metre";
    }
    // Unitless: the lighting units' own length.
    ASSERT_TRUE(plsim::setVar(L"INSUNITS", L"0"));
    EXPECT_DOUBLE_EQ(1.0, LightingUtil::getUnitFactor(true));
    ASSERT_TRUE(plsim::setVar(L"LIGHTINGUNITS", L"1"));
    EXPECT_DOUBLE_EQ(0.3048, LightingUtil::getUnitFactor(true));
    EXPECT_DOUBLE_EQ(1.0, LightingUtil::getUnitFactor(false));
    // Foot-candles under American units: 100 cd at 2 ft is 25 fc; lux under international ones.
    const auto point = lightOf(PlDbLight::kPointLight);
    EXPECT_NEAR(25.0, convert(*point, kCandela, kIlluminance, 100.0, 2 * 0.3048), 1e-9);
    ASSERT_TRUE(plsim::setVar(L"LIGHTINGUNITS", L"2"));
    EXPECT_NEAR(269.097760418, convert(*point, kCandela, kIlluminance, 100.0, 2 * 0.3048), 1e-8);
}

TEST_F(PhotometryTest, EveryPresetHasATemperatureALightTakes) {
    PlDbLight light;
    for (int preset = 0; preset < 14; ++preset) {
        const plsim::scene::LampPreset* row = plsim::scene::lampPresetOf(preset);
        ASSERT_NE(nullptr, row) << preset;
        EXPECT_EQ(preset, row->preset);
        EXPECT_EQ(Plad::eOk, light.setLampColorTemp(row->kelvin)) << row->kelvin;
    }
    EXPECT_EQ(6504.0, plsim::scene::lampPresetOf(PlDbLight::kD65White)->kelvin);
    EXPECT_EQ(nullptr, plsim::scene::lampPresetOf(14));
    EXPECT_EQ(nullptr, plsim::scene::lampPresetOf(-1));
}

TEST(LightAttenuationValueTest, ClonesCopiesAndComparesAsAValue) {
    PlGiLightAttenuation a;
    a.setUseLimits(true);
    a.setLimits(2.0, 8.0);
    std::unique_ptr<PlRxObject> copy(a.clone());
    ASSERT_NE(nullptr, copy);
    EXPECT_TRUE(a.isEqualTo(copy.get()));
    PlGiLightAttenuation b;
    EXPECT_FALSE(b.isEqualTo(&a));
    EXPECT_EQ(Plad::eOk, b.copyFrom(&a));
    b.setLimits(2.0, 9.0);
    EXPECT_FALSE(b.isEqualTo(&a)) << "every field counts";
    PlGiShadowParameters other;
    EXPECT_EQ(Plad::eInvalidInput, b.copyFrom(&other));
    EXPECT_EQ(9.0, b.endLimit()) << "a refused copy changes nothing";
}

}  // namespace
