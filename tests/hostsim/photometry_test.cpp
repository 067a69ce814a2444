// Guards the lights' photometry against wrong formulas (point, spot cone, illuminance, foot-candles), conversions
// that do not come back, wrong drawing-unit factors (and a default illuminance distance that is not one metre in
// them), a web-file reader that accepts broken data, misplaces its numbers or refuses first lines in use, a flux
// that misses the symmetry of the angle ranges, wrong beam angles, web lights converting with the wrong flux, and
// web-file names found in the wrong place or not at all.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>

#include "hostsim/sceneoe/photometric_web.h"
#include "hostsim/sceneoe/photometry.h"
#include "hostsim/sceneoe/web_files.h"
#include "support/temp_folder.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

constexpr auto kCandela = PlDbLight::kPeakIntensity;
constexpr auto kLumen = PlDbLight::kFlux;
constexpr auto kIlluminance = PlDbLight::kIlluminance;

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

// Values worked by hand: 2 pi 1000 ((1 - cos 20) + (cos 20 - cos 30) / 2); 2 pi 1000 (1 - cos 25).
TEST_F(PhotometryTest, SpotFluxMatchesHandWorkedValues) {
    EXPECT_NEAR(610.354827, convert(*spot(40, 60), kCandela, kLumen, 1000.0), 1e-6);
    // A hotspot wider than the falloff counts as the falloff: a hard-edged cone.
    EXPECT_NEAR(588.685536, convert(*spot(70, 50), kCandela, kLumen, 1000.0), 1e-6);

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
    // A preset out of range names no lamp.
    EXPECT_EQ(nullptr, plsim::scene::lampPresetOf(14));
    EXPECT_EQ(nullptr, plsim::scene::lampPresetOf(-1));
}

TEST_F(PhotometryTest, UnitFactorsFollowTheDrawingsUnits) {
    struct Case {
        const wchar_t* insUnits;
        double metres;
    };
    const Case cases[] = {{L"1", 0.0254}, {L"14", 0.1}};
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
}

using plsim::scene::PhotometricWeb;

std::size_t words(const std::string& text) {
    std::istringstream in(text);
    std::size_t n = 0;
    for (std::string word; in >> word;) ++n;
    return n;
}

/// A type C file of 2002: one lamp, absolute photometry; the counts are those of the angles.
std::string typeC(const std::string& vertical, const std::string& horizontal, const std::string& candela,
                  const std::string& multiplier = "1") {
    return "IESNA:LM-63-2002\n[TEST] unit test\nTILT=NONE\n1 -1 " + multiplier + " " + std::to_string(words(vertical)) +
           " " + std::to_string(words(horizontal)) + " 1 2 0 0 0\n1 1 0\n" + vertical + "\n" + horizontal + "\n" +
           candela + "\n";
}

/// `peak` cos(theta) from 0 to 90 degrees on a 5 degree grid, in one plane.
std::string cosineFile(double peak) {
    std::string vertical, candela;
    for (int i = 0; i <= 18; ++i) {
        vertical += std::to_string(i * 5) + " ";
        candela += std::to_string(peak * std::cos(i * 5 * kPi / 180)) + " ";
    }
    return typeC(vertical, "0", candela);
}

std::optional<PhotometricWeb> read(const std::string& text, std::wstring* error = nullptr) {
    std::wstring message;
    auto web = plsim::scene::readPhotometricWeb(text, L"t.ies", message);
    if (error) *error = message;
    return web;
}

TEST(WebReader, RefusesBrokenFilesNamingTheLine) {
    const std::pair<std::string, const char*> cases[] = {
        {"IESNA:LM-63-2002\n[TEST] x\n1 -1 1 3 1 1 2 0 0 0\n", "line 3: the file ends without a TILT="},
        {"TILT=\n", "line 1: the TILT= line names no tilt data"},
        {typeC("0 90 180", "0", "1 1"), "line 8: the file ends where candela value 3 of 3"},
        {typeC("0 90 180", "0", "1 1 1 1"), "line 8: more numbers follow"},
        {typeC("0 90 45", "0", "1 1 1"), "line 6: vertical angle 3 of 3 is \"45\", which does not increase"},
        {typeC("0 45 120", "0", "1 1 1"), "line 6: type C vertical angles must run"},
        {typeC("0 90", "0 120", "1 1 1 1"), "line 7: type C horizontal angles must"},
        {typeC("0 90 180", "0", "1 -2 1"), "line 8: candela value 2 of 3 is \"-2\", which is negative"},
        {typeC("0 90 180", "0", "1 nan 1"), "line 8: candela value 2 of 3 is \"nan\", which is not a number"},
        {typeC("0 90 180", "0", "1 1 1", "0"), "line 4: the candela multiplier is \"0\"; it must be positive"},
        {typeC("0 90 180", "0", "0 0 0"), "line 8: every candela value is zero"},
        {"TILT=NONE\n1 -1 1 3 x1 1 2 0 0 0\n", "line 2: the number of horizontal angles is \"x1\""},
        {"TILT=NONE\n1 -1 1 3 1 4 2 0 0 0\n", "line 2: the photometric type is \"4\"; it must be a whole number"},
        {"TILT=NONE\n1 -1 1 2 2 2 2 0 0 0 1 1 0\n0 120\n0 90\n1 1 1 1\n", "line 3: type B vertical angles"},
        {"TILT=NONE\n1 -1 1 2 2 2 2 0 0 0 1 1 0\n0 90\n0 180\n1 1 1 1\n", "line 4: type B horizontal angles"},
    };
    for (const auto& [text, expected] : cases) {
        std::wstring error;
        EXPECT_FALSE(read(text, &error)) << expected;
        const std::string message(error.begin(), error.end());
        EXPECT_NE(message.find(std::string("t.ies, ") + expected), std::string::npos) << message;
    }
}

TEST(WebReader, ReadsEveryVersionWithNumbersInAnyArrangement) {
    const std::string numbers = "2,1000,0.5 3 2 1 1 0.1 0.2 0.3\r\n0.9\t1 50 0 90,180 0 90 2 4 6\n8 10 12";
    const std::pair<std::string, PhotometricWeb::Version> cases[] = {
        {"TILT=NONE\n" + numbers, PhotometricWeb::Version::Lm63_1986},
        {"\xEF\xBB\xBFIESNA91\r\n[TEST] a\r\n[MORE] b\r\nTILT=NONE\r\n" + numbers, PhotometricWeb::Version::Lm63_1991},
        {"IESNA:LM-63-1995\nTILT = lamp.tlt\n" + numbers, PhotometricWeb::Version::Lm63_1995},
        {"IESNA:LM-63-2002\nTILT=INCLUDE\n1 2 0 90 1 0.5\n" + numbers, PhotometricWeb::Version::Lm63_2002},
        {"IES:LM-63-2019\n[TEST] 1\n[_USER] me\nTILT=NONE\n" + numbers, PhotometricWeb::Version::Lm63_2019},
    };
    for (const auto& [text, version] : cases) {
        const auto web = read(text);
        ASSERT_TRUE(web);
        EXPECT_EQ(web->version, version);
        EXPECT_EQ(web->ballastFactor, 0.9);
        EXPECT_EQ(web->vertical, (std::vector<double>{0, 90, 180}));
        EXPECT_EQ(web->horizontal, (std::vector<double>{0, 90}));
        EXPECT_EQ(web->at(1, 0), 4.0);  // values times the multiplier, plane by plane
        EXPECT_EQ(web->at(1, 2), 6.0);
    }
    EXPECT_EQ(read(cases[1].first)->keywords.at(0).second, "a\nb");
    EXPECT_EQ(read(cases[2].first)->tiltFile, "lamp.tlt");
    EXPECT_EQ(read(cases[3].first)->tiltFactors, (std::vector<double>{1, 0.5}));
    // First lines as files in use write them; another that starts with "IES" is read as the nearest version.
    using V = PhotometricWeb::Version;
    const std::tuple<std::string, V, std::string> firstLines[] = {
        {"IESNA95", V::Lm63_1995, ""}, {"IESNA:LM-63-1986", V::Lm63_1986, ""}, {"iesna: lm-63-2002", V::Lm63_2002, ""},
        {"IESNA:LM-63-2008", V::Lm63_2002, "line 1: the format version \"IESNA:LM-63-2008\" is not one this reader "
                                           "knows; it is read as LM-63-2002"},
        {"IES report of 1993", V::Lm63_1995, "read as LM-63-1995"}, {"IESNA:LM-63", V::Lm63_2019, "read as LM-63-2019"},
    };
    for (const auto& [line, version, warning] : firstLines) {
        const auto web = read(line + "\nTILT=NONE\n" + numbers);
        ASSERT_TRUE(web) << line;
        EXPECT_EQ(web->version, version) << line;
        ASSERT_EQ(web->warnings.size(), warning.empty() ? 0u : 1u) << line;
        const std::string shown = warning.empty() ? "" : std::string(web->warnings[0].begin(), web->warnings[0].end());
        EXPECT_NE(shown.find(warning.empty() ? "" : "t.ies, "), std::string::npos) << shown;
        EXPECT_NE(shown.find(warning), std::string::npos) << shown;
    }
}

TEST(WebFlux, IntegratesOverTheSphereWithTheRangesSymmetry) {
    // 100 cd in every direction, written with each horizontal symmetry: 4 pi 100 lm.
    const std::string vertical = "0 15 30 45 60 75 90 105 120 135 150 165 180";
    for (const char* horizontal : {"0", "0 45 90", "0 90 180", "90 180 270", "0 45 90 135 180 225 270 315 360"}) {
        std::string values;
        for (std::size_t i = 0; i < 13 * words(horizontal); ++i) values += "100 ";
        const auto web = read(typeC(vertical, horizontal, values));
        ASSERT_TRUE(web) << horizontal;
        EXPECT_NEAR(plsim::scene::webFlux(*web), 4 * kPi * 100, 1e-9) << horizontal;
        EXPECT_EQ(plsim::scene::spreadAngle(*web, 0.5).kind, plsim::scene::Spread::Kind::NeverFalls);
    }
    // 100 cos(theta) over the lower half: pi 100 lm; half the peak at 60 degrees.
    const auto down = read(cosineFile(100));
    ASSERT_TRUE(down);
    EXPECT_NEAR(plsim::scene::webFlux(*down), kPi * 100, kPi * 100 * 0.005);
    EXPECT_NEAR(plsim::scene::spreadAngle(*down, 0.5).degrees, 120.0, 0.5);
    // Types A and B describe the front half: 100 cd there is 2 pi 100 lm, mirrored or not.
    for (const char* front : {"1 -1 1 3 3 2 2 0 0 0 1 1 0\n-90 0 90\n-90 0 90\n100 100 100 100 100 100 100 100 100",
                              "1 -1 1 2 2 3 2 0 0 0 1 1 0\n0 90\n0 90\n100 100 100 100"}) {
        const auto web = read(std::string("TILT=NONE\n") + front);
        ASSERT_TRUE(web) << front;
        EXPECT_NEAR(plsim::scene::webFlux(*web), 2 * kPi * 100, 1e-9) << front;
    }
}

class WebFilesTest : public DrawingTest {
protected:
    void TearDown() override {
        plsim::scene::setWebSearchPath({});
        std::filesystem::current_path(m_startFolder);
        DrawingTest::TearDown();
    }
    /// True when `name` resolves to the file `expected` (empty: to none).
    static bool finds(const std::wstring& name, const std::wstring& expected) {
        const std::wstring found = LightingUtil::GetIESFileFullPath(name.c_str(), nullptr).str();
        std::error_code ec;
        return expected.empty() ? found.empty() : !found.empty() && std::filesystem::equivalent(found, expected, ec);
    }

    std::filesystem::path m_startFolder = std::filesystem::current_path();
};

TEST_F(WebFilesTest, NamesAreFoundInTheCurrentFolderThenTheSearchPath) {
    const TempFolder here, first, second;
    const std::wstring local = here.write("local.ies", "x");
    const std::wstring inFirst = first.write("shared.ies", "x");
    second.write("shared.ies", "x");
    const std::wstring onlySecond = second.write("deep/only.IES", "x");
    std::filesystem::current_path(here.path());
    plsim::scene::setWebSearchPath({first.wide(), second.wide()});
    EXPECT_TRUE(finds(L"local.ies", local));
    EXPECT_TRUE(finds(L"local", local)) << ".ies is appended";
    EXPECT_TRUE(finds(L"shared", inFirst)) << "folders are searched in order";
    EXPECT_TRUE(finds(L"deep/only.IES", onlySecond));
    EXPECT_TRUE(finds(inFirst, inFirst)) << "an absolute path names itself";
    for (const std::wstring& none : {std::wstring(L"nothere"), first.wide() + L"/nothere.ies", std::wstring()})
        EXPECT_TRUE(finds(none, L""));
}

TEST_F(WebFilesTest, AWebLightConvertsWithTheFluxOfItsFile) {
    const TempFolder folder;
    const std::wstring down = folder.write("down.ies", cosineFile(200));
    const std::wstring broken = folder.write("broken.ies", "TILT=NONE\n1 -1 0");
    PlDbLight web;
    ASSERT_EQ(Plad::eOk, web.setLightKind(PlDbLight::kWebLight));
    const auto lumen = [&web](double candela) {
        return LightingUtil::ConvertIntensity(&web, PlDbLight::kPeakIntensity, PlDbLight::kFlux, candela, 1.0);
    };
    ASSERT_EQ(Plad::eOk, web.setWebFile(down.c_str()));
    EXPECT_NEAR(lumen(100), kPi * 100, kPi * 100 * 0.005) << "the light's intensity is the web's peak";
    EXPECT_NEAR(LightingUtil::ConvertIntensity(&web, PlDbLight::kFlux, PlDbLight::kPeakIntensity, lumen(80), 1.0), 80,
                1e-9);
    ASSERT_EQ(Plad::eOk, web.setWebFile(broken.c_str()));
    EXPECT_STREQ(web.webFile(), broken.c_str()) << "kept by name";
    EXPECT_NEAR(lumen(1), 4 * kPi, 1e-12) << "a file that cannot be read: as a point light";
    ASSERT_EQ(Plad::eOk, web.setWebFile(L"missing.ies"));
    EXPECT_NEAR(lumen(1), 4 * kPi, 1e-12) << "nor one that is not there";
}

}  // namespace
