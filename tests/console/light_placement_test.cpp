// Guards against a light command placing the wrong light through plandor (kind, target, geometry, layer, name, shadow), placing it in the wrong system under a user coordinate system, and LIST or UCS misreporting the drawing.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "plandor_runner.h"

namespace {

using plandor_test::dumpField;
using plandor_test::fromFirstCommand;
using plandor_test::runScript;
using plandor_test::runScriptWithDump;

using Triple = std::array<double, 3>;

void expectTriple(const std::string& dump, const char* what, std::size_t light, const Triple& expected) {
    const std::vector<double> value = plandor_test::dumpNumbers(dumpField(dump, what, light));
    ASSERT_EQ(value.size(), 3u) << what << " of light " << light;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(value[i], expected[i], 1e-12) << what << "[" << i << "] of light " << light;
    }
}

struct PlacementCase {
    const char* script;
    int kind;
    bool hasTarget;
    Triple position, target, direction;
    const char* name;
};

TEST(ConsoleLightPlacement, EveryCommandPlacesItsLight) {
    const double s = 1.0 / std::sqrt(2.0);
    const PlacementCase cases[] = {
        {"SPOTLIGHT\n1,2,3\n1,2,-7\nX\n", 3, true, {1, 2, 3}, {1, 2, -7}, {0, 0, -1}, "Spotlight1"},
        {"FREESPOT\n1,2,3\nX\n", 3, false, {1, 2, 3}, {1, 2, -7}, {0, 0, -1}, "Spotlight1"},
        {"POINTLIGHT\n-4,5,6\nX\n", 2, false, {-4, 5, 6}, {-4, 5, -4}, {0, 0, -1}, "Pointlight1"},
        {"TARGETPOINT\n0,0,5\n5,0,0\nX\n", 2, true, {0, 0, 5}, {5, 0, 0}, {s, 0, -s}, "Pointlight1"},
        {"WEBLIGHT\n0,0,4\n0,3,0\nX\n", 10, true, {0, 0, 4}, {0, 3, 0}, {0, 0.6, -0.8}, "Weblight1"},
        {"FREEWEB\n7,7,7\nX\n", 10, false, {7, 7, 7}, {7, 7, -3}, {0, 0, -1}, "Weblight1"},
        {"DISTANTLIGHT\n1,1,1\n1,4,-3\nX\n", 1, false, {1, 1, 1}, {1, 4, -3}, {0, 0.6, -0.8}, "Distantlight1"},
        {"DISTANTLIGHT\n\n\nX\n", 1, false, {0, 0, 0}, {1, 1, 1}, {1 / std::sqrt(3.0), 1 / std::sqrt(3.0), 1 / std::sqrt(3.0)},
         "Distantlight1"},
        {"DISTANTLIGHT\nVector\n0,3,-4\nX\n", 1, false, {0, 0, 0}, {0, 0.6, -0.8}, {0, 0.6, -0.8}, "Distantlight1"},
        // LIGHT offers a free spot the first time, then the kind made last.
        {"LIGHT\n\n1,2,3\nX\n", 3, false, {1, 2, 3}, {1, 2, -7}, {0, 0, -1}, "Spotlight1"},
        {"LIGHT\nTargetpoint\n0,0,5\n5,0,0\nX\n", 2, true, {0, 0, 5}, {5, 0, 0}, {s, 0, -s}, "Pointlight1"},
        {"LIGHT\nfreeweB\n7,7,7\nX\n", 10, false, {7, 7, 7}, {7, 7, -3}, {0, 0, -1}, "Weblight1"},
        {"LIGHT\nD\n\n0,0,-2\nN\nSun\nX\n", 1, false, {0, 0, 0}, {0, 0, -2}, {0, 0, -1}, "Sun"},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.script);
        std::string dump;
        const plandor_test::Run run = runScriptWithDump(c.script, dump);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        ASSERT_EQ(dumpField(dump, "kind", 1), "") << "one light only:\n" << dump;
        EXPECT_EQ(dumpField(dump, "kind"), std::to_string(c.kind));
        EXPECT_EQ(dumpField(dump, "hasTarget"), c.hasTarget ? "true" : "false");
        expectTriple(dump, "position", 0, c.position);
        expectTriple(dump, "target", 0, c.target);
        expectTriple(dump, "direction", 0, c.direction);
        EXPECT_EQ(dumpField(dump, "layer"), "\"Lights\"");
        EXPECT_EQ(dumpField(dump, "name"), "\"" + std::string(c.name) + "\"");
        EXPECT_EQ(dumpField(dump, "on"), "true");
        // A new light casts sharp shadows from a default rectangle.
        EXPECT_EQ(dumpField(dump, "shadow"),
                  "{\"on\": true, \"type\": 0, \"mapSize\": 256, \"softness\": 1, \"shape\": 1, \"length\": 1.0, "
                  "\"width\": 1.0, \"radius\": 1.0, \"samples\": 16, \"visible\": false}");
        // Default lighting went off with the first light.
        EXPECT_EQ(dumpField(dump, "DEFAULTLIGHTING"), "0");
    }
}

TEST(ConsoleLightPlacement, FreeLightPointsDownTheUserZAxis) {
    // User Z is world +X here: the user system's X axis is world Y, its Y axis world Z.
    const std::string script =
        "UCS 1,2,3 0,1,0 0,0,1\nFREESPOT\n0,0,0\nX\nFREESPOT\n0,0,4\nX\n"
        "SPOTLIGHT\n0,0,0\n0,0,-5\nX\nUCS WORLD\nFREESPOT\n0,0,0\nX\n";
    // Typed points and targets are user coordinates; a free light aims 10 below along user Z.
    const Triple expected[][2] = {
        {{1, 2, 3}, {-9, 2, 3}}, {{5, 2, 3}, {-5, 2, 3}}, {{1, 2, 3}, {-4, 2, 3}}, {{0, 0, 0}, {0, 0, -10}}};
    std::string dump;
    const plandor_test::Run run = runScriptWithDump(script, dump);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_NE(dumpField(dump, "kind", 3), "") << run.out;
    for (std::size_t n = 0; n < 4; ++n) {
        expectTriple(dump, "position", n, expected[n][0]);
        expectTriple(dump, "target", n, expected[n][1]);
        expectTriple(dump, "direction", n, n < 3 ? Triple{-1, 0, 0} : Triple{0, 0, -1});
    }
}

// The table's layout is the light table's own test; here, that LIST reads the drawing and the
// host's conversion of its photometry.
TEST(ConsoleLightPlacement, ListShowsTheLightsAsPlaced) {
    const plandor_test::Run run = runScript(
        "LIST\nPOINTLIGHT\n1500,0,2500\nStatus\noFf\nColor\nIndex\n12\nPhotometry\nIntensity\nFlux\n1000\n"
        "Color\nIncandescent\neXit\nX\nlist\nLIST all\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::string out = fromFirstCommand(run.out);
    EXPECT_EQ(out.rfind("Command: LIST\nNo lights in the drawing.\n", 0), 0u) << out;
    const std::string end = "Command: list\n"
                            "Name         Kind         Status  Candela  Lumens  Kelvin               Color     Factor  "
                            "Position     Target  Direction  Layer\n"
                            "Pointlight1  point, free  off     79.5775  1000    2856 (Incandescent)  Index 12  1       "
                            "1500,0,2500  -       -          Lights\n"
                            "Command: LIST all\nLIST takes no arguments.\n";
    ASSERT_GE(out.size(), end.size()) << out;
    EXPECT_EQ(out.substr(out.size() - end.size()), end);
}

}  // namespace
