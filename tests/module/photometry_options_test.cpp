// Guards the photometry option against values stored in the wrong method or unconverted,
// distant and web lights converted the wrong way, a light left changed by a cancel, method and
// value stored apart, and a lamp colour entry that lists, matches or stores presets wrongly.
#include <cmath>

#include "lightedit/PhotometryOptions.h"
#include "light_fixture.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kStartCandela = 1500.0;  // what a new light holds

class PhotometryOptionsTest : public LightCommandTest {
protected:
    void SetUp() override {
        LightCommandTest::SetUp();
        ASSERT_TRUE(plsim::setVar(L"INSUNITS", L"6"));  // metres, so distances read as typed
    }
    plsim::scene::PhotometryInfo photometry() const { return last().photometry; }
};

struct IntensityCase {
    const char* name;
    LightType light;
    std::vector<std::wstring> replies;  // after "Photometry"
    int method;
    double value;
    double distance;
};

TEST_F(PhotometryOptionsTest, IntensityEntryStoresMethodAndValue) {
    const double pointLumen = 4 * kPi * kStartCandela;
    const IntensityCase cases[] = {
        {"Enter at the sub-menu starts the entry", kLightPoint, {L"", L"800", L"eXit"}, 0, 800, 1},
        {"a number", kLightFreeSpot, {L"Intensity", L"2.5e3", L"eXit"}, 0, 2500, 1},
        {"Flux then Enter", kLightPoint, {L"", L"Flux", L"", L"eXit"}, 1, pointLumen, 1},
        {"flux typed", kLightPoint, {L"", L"Flux", L"900", L"eXit"}, 1, 900, 1},
        {"Illuminance then Distance keeps the illuminance", kLightPoint,
         {L"", L"Illuminance", L"Distance", L"2", L"eXit"}, 2, kStartCandela, 2},
        {"illuminance typed", kLightPoint, {L"", L"Illuminance", L"40", L"eXit"}, 2, 40, 1},
        {"Enter at the intensity, then at the illuminance, stores nothing", kLightPoint,
         {L"", L"", L"", L"Illuminance", L"", L"eXit"}, 0, kStartCandela, 1},
        {"cancel at the flux, then at the distance, leaves the light", kLightPoint,
         {L"", L"Flux", L"^C", L"", L"Illuminance", L"Distance", L"^C", L"eXit"}, 0, kStartCandela, 1},
        {"a text that is no number asks again", kLightPoint, {L"", L"bright", L"12", L"eXit"}, 0, 12, 1},
        {"a zero distance is refused", kLightPoint, {L"", L"Illuminance", L"Distance", L"0", L"4", L"eXit"},
         2, kStartCandela, 4},
        {"cancel at the sub-menu leaves it", kLightPoint, {L"^C"}, 0, kStartCandela, 1},
        {"distant: never converted", kLightDistant, {L"", L"Flux", L"", L"eXit"}, 1, kStartCandela, 1},
        {"distant: keywords only as typed whole", kLightDistant, {L"", L"F", L"Illuminance", L"", L"eXit"},
         0, kStartCandela, 1},
        // 1500 lux at 1e200 m is more candela than a number holds: no default, Enter refused.
        {"an overflowing conversion offers no default", kLightPoint,
         {L"", L"Illuminance", L"Distance", L"1e200", L"", L"Flux", L"", L"7", L"eXit"}, 1, 7, 1e200},
        {"negative values are refused", kLightPoint,
         {L"", L"-5", L"Illuminance", L"-1", L"3", L"", L"Flux", L"-2", L"", L"eXit"}, 1, 4 * kPi * 3, 1},
        // 2 pi 1500 ((1 - cos 20) + (cos 20 - cos 30) / 2)
        {"a spot's flux counts its cone", kLightFreeSpot,
         {L"eXit", L"Falloff", L"60", L"Hotspot", L"40", L"Photometry", L"", L"Flux", L"", L"eXit"}, 1,
         915.532240102065, 1},
        {"web without a file: as a point light", kLightFreeWeb, {L"", L"Flux", L"", L"eXit"}, 1, pointLumen, 1},
    };
    for (const IntensityCase& c : cases) {
        edit(c.light, then({L"Photometry"}, c.replies));
        const plsim::scene::PhotometryInfo p = photometry();
        EXPECT_EQ(p.method, c.method) << c.name;
        EXPECT_NEAR(p.physicalIntensity, c.value, 1e-9 * c.value) << c.name;
        EXPECT_DOUBLE_EQ(p.distance, c.distance) << c.name;
    }
    EXPECT_EQ(last().kind, 10) << "the web light is a web light again";
}

TEST_F(PhotometryOptionsTest, AFluxLightIsShownInCandelaAndComesBack) {
    const std::wstring text = edit(kLightPoint, {L"Photometry", L"", L"Flux", L"", L"eXit", L"Photometry", L"",
                                                 L"Flux", L"", L"eXit"});
    // The second run reads the stored flux back as the candela it came from.
    EXPECT_EQ(occurrences(text, promptWith(msg::kCandelaPrompt, L"1500.0000")), 2);
    EXPECT_EQ(photometry().method, 1);
    EXPECT_NEAR(photometry().physicalIntensity, 4 * kPi * kStartCandela, 1e-9);
}

TEST_F(PhotometryOptionsTest, IlluminanceFollowsTheDrawingAndLightingUnits) {
    // 100 cd at 2000 mm gives 25 lx.
    ASSERT_TRUE(plsim::setVar(L"INSUNITS", L"4"));
    std::wstring text = edit(kLightPoint, {L"Photometry", L"", L"Illuminance", L"Distance", L"2000", L"", L"100",
                                           L"", L"Illuminance", L"", L"eXit"});
    EXPECT_NE(text.find(promptWith(msg::kIlluminanceLuxPrompt, L"25.0000")), std::wstring::npos);
    // 100 cd at 2 ft gives 25 fc.
    ASSERT_TRUE(plsim::setVar(L"INSUNITS", L"2"));
    ASSERT_TRUE(plsim::setVar(L"LIGHTINGUNITS", L"1"));
    text = edit(kLightPoint, {L"Photometry", L"", L"Illuminance", L"Distance", L"2", L"", L"100", L"",
                              L"Illuminance", L"", L"eXit"});
    EXPECT_NE(text.find(promptWith(msg::kIlluminanceFootCandlesPrompt, L"25.0000")), std::wstring::npos);
    EXPECT_EQ(occurrences(text, loadMessage(msg::kIlluminanceLuxPrompt).str()), 0);
}

TEST_F(PhotometryOptionsTest, LampColor) {
    struct Case {
        const char* name;
        std::vector<std::wstring> replies;  // after "Photometry", "Color"
        int type;
        int preset;
        double kelvin;
        int unknown;  // times msg::kNoSuchPreset is printed
    };
    const Case cases[] = {
        {"preset", {L"Xenon"}, 1, 6, 3500, 0},
        {"lower case", {L"mercury"}, 1, 10, 3500, 0},
        {"display name", {L"HighPressureSodium"}, 1, 12, 3500, 0},
        {"kelvin", {L"Kelvin", L"5000"}, 0, 0, 5000, 0},
        {"kelvin Enter keeps the temperature", {L"Kelvin", L""}, 0, 0, 3500, 0},
        {"kelvin 0 after a preset", {L"Xenon", L"Color", L"Kelvin", L"0"}, 0, 6, 0, 0},
        {"kelvin cancelled", {L"Kelvin", L"^C"}, 0, 0, 3500, 0},
        {"unknown name asks again", {L"Sunlight", L"D65"}, 1, 0, 3500, 1},
        {"Enter stores nothing", {L""}, 0, 0, 3500, 0},
        {"list one, then choose", {L"?", L"xenon", L"Halogen"}, 1, 7, 3500, 0},
        {"cancel at the listing", {L"?", L"^C"}, 0, 0, 3500, 0},
    };
    for (const Case& c : cases) {
        const std::wstring text = edit(kLightPoint, then(then({L"Photometry", L"Color"}, c.replies), {L"eXit"}));
        const plsim::scene::PhotometryInfo p = photometry();
        EXPECT_EQ(p.lampColorType, c.type) << c.name;
        EXPECT_EQ(p.preset, c.preset) << c.name;
        EXPECT_DOUBLE_EQ(p.lampColorTemp, c.kelvin) << c.name;
        EXPECT_EQ(count(text, msg::kNoSuchPreset), c.unknown) << c.name;
    }
}

TEST_F(PhotometryOptionsTest, PresetListing) {
    std::wstring text = edit(kLightPoint, {L"Photometry", L"Color", L"?", L"", L"?", L"*", L"", L"eXit"});
    EXPECT_EQ(count(text, msg::kPresetListHeading), 2);
    EXPECT_EQ(occurrences(text, loadMessage(msg::kListingIndent).str()), 28) << "all 14 presets, twice";

    text = edit(kLightPoint, {L"Photometry", L"Color", L"?", L"xenon", L"?", L"Nothing", L"", L"eXit"});
    EXPECT_EQ(count(text, msg::kPresetListHeading), 0);
    EXPECT_EQ(occurrences(text, loadMessage(msg::kListingIndent).str() + message(msg::kPresetXenon)), 1);
    EXPECT_NE(text.find(fillMessageArgument(loadMessage(msg::kNoSuchPreset), L"Nothing").str()), std::wstring::npos);
    // The default names the working preset, also while the light uses a temperature.
    EXPECT_NE(text.find(promptWith(msg::kLampColorPrompt, message(msg::kPresetD65))), std::wstring::npos);
    EXPECT_EQ(last().photometry.lampColorType, 0);
}

}  // namespace
