// Guards the photometric web files against a reader that accepts broken data or misplaces its
// numbers, a flux that misses the symmetry of the angle ranges, wrong beam angles, web lights
// converting with the wrong flux, and web-file names found in the wrong place or not at all.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "hostsim/sceneoe/photometric_web.h"
#include "hostsim/sceneoe/web_files.h"
#include "support/temp_folder.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

using plsim::scene::PhotometricWeb;

constexpr double kPi = 3.141592653589793;

/// A file of `version` with TILT=NONE and the numbers after it.
std::string iesText(const std::string& numbers, const std::string& version = "IESNA:LM-63-2002") {
    return version + "\n[TEST] unit test\nTILT=NONE\n" + numbers;
}

/// The numbers of a type C file with the given angles and values, one lamp, absolute photometry.
std::string typeC(const std::string& vertical, int nv, const std::string& horizontal, int nh,
                  const std::string& candela, const std::string& multiplier = "1") {
    return "1 -1 " + multiplier + " " + std::to_string(nv) + " " + std::to_string(nh) + " 1 2 0 0 0\n1 1 0\n" +
           vertical + "\n" + horizontal + "\n" + candela + "\n";
}

std::optional<PhotometricWeb> read(const std::string& text, std::wstring* error = nullptr) {
    std::wstring message;
    auto web = plsim::scene::readPhotometricWeb(text, L"t.ies", message);
    if (error) *error = message;
    return web;
}

/// `count` angles from `first` to `last`, evenly spaced, and `value(angle)` at each.
std::string evenly(double first, double last, int count) {
    std::string out;
    for (int i = 0; i < count; ++i) out += std::to_string(first + (last - first) * i / (count - 1)) + " ";
    return out;
}

TEST(WebReader, RefusesBrokenFilesNamingTheLine) {
    const std::string ok = typeC("0 90 180", 3, "0", 1, "1 1 1");
    struct Case {
        const char* name;
        std::string text;
        const char* expected;  ///< a part of the message, with its line
    };
    const Case cases[] = {
        {"no TILT line", "IESNA:LM-63-2002\n[TEST] x\n1 -1 1 3 1 1 2 0 0 0\n", "line 3: the file ends without a TILT="},
        {"an unknown version", "IESNA:LM-63-2099\nTILT=NONE\n" + ok, "line 1: the format version"},
        {"fewer values than counted", iesText(typeC("0 90 180", 3, "0", 1, "1 1")), "line 8: the file ends where candela value 3 of 3"},
        {"more values than counted", iesText(typeC("0 90 180", 3, "0", 1, "1 1 1 1")), "line 8: more numbers follow"},
        {"angles that do not increase", iesText(typeC("0 90 45", 3, "0", 1, "1 1 1")), "line 6: vertical angle 3 of 3 is \"45\""},
        {"a vertical range type C lacks", iesText(typeC("0 45 120", 3, "0", 1, "1 1 1")), "line 6: type C vertical angles"},
        {"a horizontal range type C lacks", iesText(typeC("0 90", 2, "0 120", 2, "1 1 1 1")), "line 7: type C horizontal"},
        {"a type B range", iesText("1 -1 1 2 2 2 2 0 0 0 1 1 0\n0 180\n0 90\n1 1 1 1\n"), "line 5: type B vertical"},
        {"a negative candela value", iesText(typeC("0 90 180", 3, "0", 1, "1 -2 1")), "line 8: candela value 2 of 3 is \"-2\""},
        {"a candela value that is no number", iesText(typeC("0 90 180", 3, "0", 1, "1 nan 1")), "line 8: candela value 2 of 3 is \"nan\", which is not a number"},
        {"a zero multiplier", iesText(typeC("0 90 180", 3, "0", 1, "1 1 1", "0")), "line 4: the candela multiplier is \"0\""},
        {"a negative multiplier", iesText(typeC("0 90 180", 3, "0", 1, "1 1 1", "-2")), "line 4: the candela multiplier"},
        {"a number that cannot be read", iesText("1 -1 1 3 x1 1 2 0 0 0\n"), "line 4: the number of horizontal angles is \"x1\""},
        {"a count that is no whole number", iesText("1 -1 1 2.5 1 1 2 0 0 0\n"), "line 4: the number of vertical angles is \"2.5\""},
        {"a photometric type that is none", iesText("1 -1 1 3 1 4 2 0 0 0\n"), "line 4: the photometric type is \"4\""},
        {"no light at all", iesText(typeC("0 90 180", 3, "0", 1, "0 0 0")), "line 8: every candela value is zero"},
        {"an empty TILT line", "TILT=\n" + ok, "line 1: the TILT= line names no tilt data"},
        {"tilt data cut short", "TILT=INCLUDE\n1 3 0 45 90 1 1\n", "line 2: the file ends where tilt factor 3 of 3"},
    };
    for (const Case& c : cases) {
        std::wstring error;
        EXPECT_FALSE(read(c.text, &error)) << c.name;
        const std::wstring expected(c.expected, c.expected + std::char_traits<char>::length(c.expected));
        EXPECT_NE(error.find(L"t.ies, " + expected), std::wstring::npos) << c.name << ": " << std::string(error.begin(), error.end());
    }
}

TEST(WebReader, ReadsEveryVersionWithNumbersInAnyArrangement) {
    struct Case {
        std::string text;
        PhotometricWeb::Version version;
    };
    const std::string numbers = "2,1000,0.5 3 2 1 1 0.1 0.2 0.3\r\n0.9\t1 50 0 90,180 0 90 2 4 6\n8 10 12";
    const Case cases[] = {
        {"TILT=NONE\n" + numbers, PhotometricWeb::Version::Lm63_1986},
        {"\xEF\xBB\xBFIESNA91\r\n[TEST] a\r\n[MORE] b\r\nTILT=NONE\r\n" + numbers, PhotometricWeb::Version::Lm63_1991},
        {"IESNA:LM-63-1995\nTILT = lamp.tlt\n" + numbers, PhotometricWeb::Version::Lm63_1995},
        {"IESNA:LM-63-2002\nTILT=INCLUDE\n1 2 0 90 1 0.5\n" + numbers, PhotometricWeb::Version::Lm63_2002},
        {"IES:LM-63-2019\n[TEST] 1\n[_USER] me\nTILT=NONE\n" + numbers, PhotometricWeb::Version::Lm63_2019},
    };
    for (const Case& c : cases) {
        std::wstring error;
        const auto web = read(c.text, &error);
        ASSERT_TRUE(web) << std::string(error.begin(), error.end());
        EXPECT_EQ(web->version, c.version);
        EXPECT_EQ(web->lamps, 2);
        EXPECT_EQ(web->lumensPerLamp, 1000.0);
        EXPECT_EQ(web->ballastFactor, 0.9);
        EXPECT_EQ(web->inputWatts, 50.0);
        EXPECT_EQ(web->vertical, (std::vector<double>{0, 90, 180}));
        EXPECT_EQ(web->horizontal, (std::vector<double>{0, 90}));
        EXPECT_EQ(web->at(1, 0), 4.0);  // values times the multiplier, plane by plane
        EXPECT_EQ(web->at(1, 2), 6.0);
    }
    const auto more = read(cases[1].text);
    ASSERT_EQ(more->keywords.size(), 1u);
    EXPECT_EQ(more->keywords[0].second, "a\nb");
    EXPECT_EQ(read(cases[2].text)->tiltFile, "lamp.tlt");
    EXPECT_EQ(read(cases[3].text)->tiltFactors, (std::vector<double>{1, 0.5}));
}

TEST(WebFlux, IntegratesOverTheSphereWithTheRangesSymmetry) {
    // 100 cd in every direction, written with each horizontal symmetry: 4 pi 100 lm.
    const std::string vertical = evenly(0, 180, 13);
    struct Case {
        std::string horizontal;
        int count;
    };
    const Case ranges[] = {{"0", 1}, {"0 45 90", 3}, {"0 90 180", 3}, {"90 180 270", 3}, {evenly(0, 360, 9), 9}};
    for (const Case& r : ranges) {
        std::string values;
        for (int i = 0; i < 13 * r.count; ++i) values += "100 ";
        const auto web = read(iesText(typeC(vertical, 13, r.horizontal, r.count, values)));
        ASSERT_TRUE(web) << r.horizontal;
        EXPECT_NEAR(plsim::scene::webFlux(*web), 4 * kPi * 100, 4 * kPi * 100 * 0.005) << r.horizontal;
        EXPECT_FALSE(plsim::scene::spreadAngle(*web, 0.5)) << "it never falls to half";
    }
    // 100 cos(theta) over the lower half on a 5 degree grid: pi 100 lm; half at 60 degrees.
    std::string cosine;
    for (int i = 0; i <= 18; ++i) cosine += std::to_string(100 * std::cos(i * 5 * kPi / 180)) + " ";
    const auto down = read(iesText(typeC(evenly(0, 90, 19), 19, "0", 1, cosine)));
    ASSERT_TRUE(down);
    EXPECT_NEAR(plsim::scene::webFlux(*down), kPi * 100, kPi * 100 * 0.005);
    EXPECT_NEAR(*plsim::scene::spreadAngle(*down, 0.5), 120.0, 0.5);
    EXPECT_NEAR(*plsim::scene::spreadAngle(*down, 0.1), 2 * std::acos(0.1) * 180 / kPi, 0.5);
    // Types A and B describe the front half: 100 cd there is 2 pi 100 lm, mirrored or not.
    const std::pair<const char*, int> fronts[] = {{"1 -1 1 3 3 2 2 0 0 0 1 1 0\n-90 0 90\n-90 0 90\n", 9},
                                                  {"1 -1 1 2 2 3 2 0 0 0 1 1 0\n0 90\n0 90\n", 4}};
    for (const auto& [front, values] : fronts) {
        std::string text = iesText(front);
        for (int i = 0; i < values; ++i) text += "100 ";
        const auto web = read(text);
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
    static std::wstring full(const std::wstring& name) { return LightingUtil::GetIESFileFullPath(name.c_str(), nullptr).str(); }
    /// True when `name` resolves to the file `expected`.
    static bool findsFile(const std::wstring& name, const std::wstring& expected) {
        std::error_code ec;
        const std::wstring found = full(name);
        return !found.empty() && std::filesystem::equivalent(found, expected, ec);
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
    EXPECT_TRUE(findsFile(L"local.ies", local));
    EXPECT_TRUE(findsFile(L"local", local)) << ".ies is appended";
    EXPECT_TRUE(findsFile(L"shared", inFirst)) << "folders are searched in order";
    EXPECT_TRUE(findsFile(L"deep/only.IES", onlySecond));
    EXPECT_TRUE(findsFile(inFirst, inFirst)) << "an absolute path names itself";
    EXPECT_EQ(full(L"nothere"), L"");
    EXPECT_EQ(full(first.wide() + L"/nothere.ies"), L"");
    EXPECT_EQ(full(L""), L"");
}

TEST_F(WebFilesTest, AWebLightConvertsWithTheFluxOfItsFile) {
    const TempFolder folder;
    std::string cosine;
    for (int i = 0; i <= 18; ++i) cosine += std::to_string(200 * std::cos(i * 5 * kPi / 180)) + " ";
    const std::wstring down = folder.write("down.ies", iesText(typeC(evenly(0, 90, 19), 19, "0", 1, cosine)));
    const std::wstring broken = folder.write("broken.ies", iesText("1 -1 0"));
    PlDbLight web;
    ASSERT_EQ(Plad::eOk, web.setLightKind(PlDbLight::kWebLight));
    const auto lumen = [&web](double candela) {
        return LightingUtil::ConvertIntensity(&web, PlDbLight::kPeakIntensity, PlDbLight::kFlux, candela, 1.0);
    };
    ASSERT_EQ(Plad::eOk, web.setWebFile(down.c_str()));
    EXPECT_NEAR(lumen(100), kPi * 100, kPi * 100 * 0.005) << "the light's intensity is the web's peak";
    EXPECT_NEAR(LightingUtil::ConvertIntensity(&web, PlDbLight::kFlux, PlDbLight::kPeakIntensity, lumen(80), 1.0), 80, 1e-9);
    ASSERT_EQ(Plad::eOk, web.setWebFile(broken.c_str()));
    EXPECT_STREQ(web.webFile(), broken.c_str()) << "kept by name";
    EXPECT_NEAR(lumen(1), 4 * kPi, 1e-12) << "a file that cannot be read: as a point light";
}

}  // namespace
