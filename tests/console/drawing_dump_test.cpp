// Guards against a dump that is not valid JSON or loses data: texts that do not read back, reals that do not round-trip, read as integers or have more digits than they need, wrong field order, and colour fields filled where they do not apply.
#include "drawingfile/drawing_dump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "plandor_runner.h"

namespace {

using plandor::jsonReal;
using plandor_test::dumpField;
using plsim::scene::ColorInfo;
using plsim::scene::LightInfo;

constexpr double kPi = 3.141592653589793;

TEST(DrawingDump, TextsReadBackAsWritten) {
    struct TextCase {
        std::wstring text;
        std::string utf8;
    };
    std::vector<TextCase> cases = {
        {L"say \"hi\" C:\\webs", "say \"hi\" C:\\webs"},
        {std::wstring(L"line\nbreak\ttab\r nul") + L'\0' + wchar_t(0x1F) + wchar_t(0x7F),
         std::string("line\nbreak\ttab\r nul") + '\0' + "\x1F\x7F"},
        {L"Licht \u00D6 \u20AC", "Licht \xC3\x96 \xE2\x82\xAC"},
    };
    // A character beyond 16 bits, spelled for the size of wchar_t; half a pair is replaced.
    if (sizeof(wchar_t) == 2) {
        cases.push_back({{L'x', wchar_t(0xD83D), wchar_t(0xDE00)}, "x\xF0\x9F\x98\x80"});
        cases.push_back({{L'a', wchar_t(0xD800), L'b'}, "a\xEF\xBF\xBD" "b"});
    } else {
        cases.push_back({{L'x', static_cast<wchar_t>(0x1F600)}, "x\xF0\x9F\x98\x80"});
    }
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.utf8);
        LightInfo light;
        light.name = c.text;
        const std::string dump = plandor::drawingDumpJson({light}, {});
        EXPECT_EQ(nlohmann::json::parse(dump)["lights"][0]["name"], c.utf8);
    }
}

TEST(DrawingDump, RealsAreShortestRoundTripAndStayReal) {
    const std::pair<double, const char*> cases[] = {
        {1.0, "1.0"},     {-0.0, "-0.0"},     {0.1, "0.1"},     {-1500.0, "-1500.0"},
        {1e21, "1e+21"},  {1e-7, "1e-07"},
        {0.1 + 0.2, "0.30000000000000004"},
        {std::numeric_limits<double>::quiet_NaN(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(jsonReal(value), text);

    const double values[] = {1.0 / 3.0, 30.0 * kPi / 180.0, std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::denorm_min(), 1e16, 9007199254740993.0};
    for (const double value : values) {
        const std::string text = jsonReal(value);
        SCOPED_TRACE(text);
        EXPECT_NE(text.find_first_of(".e"), std::string::npos) << "reads as an integer";
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value);
    }
}

LightInfo bookColouredSpot() {
    LightInfo light;
    light.name = L"Key \"A\"";
    light.kind = 3;
    light.hasTarget = true;
    light.layer = L"Lights";
    light.position = {0.0, 0.0, 3000.0};
    light.direction = {0.0, 0.0, -1.0};
    light.intensity = 4744.0595521061;
    light.hotspot = 30.0 * kPi / 180.0;
    light.falloff = 45.0 * kPi / 180.0;
    light.color = {ColorInfo::Method::Book, 255, 128, 0, 7, L"BOOK", L"ORANGE", L""};
    light.shadow = {true, 1, 512, 3, 2, 1.5, 2.0, 0.25, 8, true};
    light.attenuation = {2, true, 0.5, 100.0};
    light.photometry = {1200.0, 1, 2.0, 1, 6500.0, 4, 0.0, 0.0, 6500.0, {1.0, 0.5, 0.25}};
    light.webFile = L"C:\\webs\\spot.ies";
    light.webRotation = {0.0, 90.0, 0.0};
    return light;
}

TEST(DrawingDump, KnownDrawingGivesKnownText) {
    plandor::DumpVariables variables;
    variables.cvport = 2;
    variables.defaultLighting = 0;
    variables.lightingUnits = 1;
    const std::string dump = plandor::drawingDumpJson({bookColouredSpot()}, variables);
    // The library would write 4744.0595521061005, which reads back alike but has more digits than it needs.
    EXPECT_NE(dump.find("\"intensity\": 4744.0595521061,\n"), std::string::npos) << dump;
    EXPECT_EQ(
        dumpField(dump, "lights"),
        "[{\"handle\":\"0\",\"name\":\"Key \\\"A\\\"\",\"kind\":3,\"hasTarget\":true,\"layer\":\"Lights\",\"position\":[0.0,0.0,3000.0],"
        "\"target\":[0.0,0.0,0.0],\"direction\":[0.0,0.0,-1.0],\"on\":false,\"intensity\":4744.0595521061005,"
        "\"hotspotDeg\":30.0,\"falloffDeg\":45.0,\"color\":{\"method\":\"book\",\"r\":255,\"g\":128,\"b\":0,"
        "\"index\":null,\"book\":\"BOOK\",\"name\":\"ORANGE\"},\"shadow\":{\"on\":true,\"type\":1,\"mapSize\":512,"
        "\"softness\":3,\"shape\":2,\"length\":1.5,\"width\":2.0,\"radius\":0.25,\"samples\":8,\"visible\":true},"
        "\"attenuation\":{\"type\":2,\"useLimits\":true,\"start\":0.5,\"end\":100.0},"
        "\"photometry\":{\"intensity\":1200.0,\"method\":1,\"distance\":2.0,\"lampColorType\":1,"
        "\"lampColorTemp\":6500.0,\"lampColorPreset\":4,\"lampRgb\":{\"r\":1.0,\"g\":0.5,\"b\":0.25}},"
        "\"web\":{\"file\":\"C:\\\\webs\\\\spot.ies\",\"rotation\":[0.0,90.0,0.0]}}]");
    EXPECT_EQ(dump.substr(dump.find("\n  \"entities\"")),
              "\n  \"entities\": [],\n  \"views\": [],\n  \"namedPaths\": [],\n  \"motionPaths\": [],\n"
              "  \"sysvars\": {\n    \"CVPORT\": 2,\n    \"DEFAULTLIGHTING\": 0,\n    \"LIGHTINGUNITS\": 1\n  },\n"
              "  \"ucs\": {\n    \"origin\": [\n      0.0,\n      0.0,\n      0.0\n    ],\n"
              "    \"xAxis\": [\n      1.0,\n      0.0,\n      0.0\n    ],\n"
              "    \"yAxis\": [\n      0.0,\n      1.0,\n      0.0\n    ]\n  },\n  \"nextHandle\": \"0\",\n"
              "  \"pathDictionaries\": {\n    \"namedPaths\": null,\n    \"motionPaths\": null\n  }\n}\n");

    // An empty drawing; a variable the host could not read; values that are not finite.
    variables.defaultLighting.reset();
    const std::string empty = plandor::drawingDumpJson({}, variables);
    EXPECT_EQ(dumpField(empty, "lights"), "[]");
    EXPECT_EQ(dumpField(empty, "sysvars"), "{\"CVPORT\":2,\"DEFAULTLIGHTING\":null,\"LIGHTINGUNITS\":1}");
    LightInfo light = bookColouredSpot();
    light.intensity = light.hotspot = std::numeric_limits<double>::infinity();
    light.position.x = std::numeric_limits<double>::quiet_NaN();
    const std::string notFinite = plandor::drawingDumpJson({light}, {});
    EXPECT_EQ(dumpField(notFinite, "intensity") + dumpField(notFinite, "hotspotDeg"), "nullnull");
    EXPECT_EQ(dumpField(notFinite, "position"), "[null,0.0,3000.0]");
}

TEST(DrawingDump, ColourFieldsOfOtherMethodsAreNull) {
    const std::pair<ColorInfo::Method, const char*> cases[] = {
        {ColorInfo::Method::Rgb, "\"rgb\",\"r\":255,\"g\":128,\"b\":0,\"index\":null,\"book\":null,\"name\":null}"},
        {ColorInfo::Method::Index,
         "\"index\",\"r\":null,\"g\":null,\"b\":null,\"index\":7,\"book\":null,\"name\":null}"},
        {ColorInfo::Method::None,
         "\"none\",\"r\":null,\"g\":null,\"b\":null,\"index\":null,\"book\":null,\"name\":null}"},
    };
    for (const auto& [method, json] : cases) {
        LightInfo light = bookColouredSpot();
        light.color.method = method;
        const std::string dump = plandor::drawingDumpJson({light, light}, {});
        EXPECT_EQ(dumpField(dump, "color", 1), std::string("{\"method\":") + json);
    }
}

TEST(DrawingDump, AnglesAreDegreesWithoutConversionNoise) {
    // Every whole and half degree of a cone comes back as typed.
    for (int tenths = 0; tenths <= 1600; tenths += 5) {
        const double degrees = tenths / 10.0;
        LightInfo light;
        light.hotspot = degrees * (kPi / 180.0);
        light.falloff = degrees * kPi / 180.0;
        const std::string dump = plandor::drawingDumpJson({light}, {});
        const std::string cone =
            "\"hotspotDeg\": " + jsonReal(degrees) + ",\n      \"falloffDeg\": " + jsonReal(degrees) + ",";
        EXPECT_NE(dump.find(cone), std::string::npos) << cone;
    }
}

}  // namespace
