// Guards against a glTF export that misplaces, misaims or misjudges lights (units, axes, web turn, cones, intensity, range, colour, profiles), loses what glTF cannot show, coarsens curves, leaves holes in areas, differs between its two forms or between runs, or replaces older files when it fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "drawing/utf8.h"
#include "hostsim/color_temperature.h"
#include "plandor_runner.h"

namespace {

using nlohmann::json;
using plandor_test::readFile;
using V = std::array<double, 3>;

constexpr double kPi = 3.141592653589793;
const std::string kWebs = std::string(PL_EXAMPLES_DIR) + "/webs/";

std::uint32_t word(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

/// An export read back: its JSON and its buffer.
struct Exported {
    json gltf;
    std::string binary;

    explicit Exported(const std::filesystem::path& path) {
        const std::string bytes = readFile(path);
        if (path.extension() == ".glb") {
            EXPECT_EQ(word(bytes, 0), 0x46546C67u);  // "glTF", version 2, the file's length
            EXPECT_EQ(word(bytes, 4), 2u);
            EXPECT_EQ(word(bytes, 8), bytes.size());
            const std::uint32_t length = word(bytes, 12);
            EXPECT_EQ(length % 4, 0u);
            gltf = json::parse(bytes.substr(20, length));
            if (bytes.size() > 20 + length) binary = bytes.substr(28 + length, word(bytes, 20 + length));
        } else {
            gltf = json::parse(bytes);
            if (gltf.contains("buffers")) binary = readFile(path.parent_path() / gltf["buffers"][0]["uri"].get<std::string>());
        }
        if (gltf.contains("buffers")) {
            EXPECT_EQ(gltf["buffers"][0]["byteLength"], binary.size());
        }
    }

    const json& node(const std::string& name) const {
        for (const json& n : gltf["nodes"])
            if (n["name"] == name) return n;
        ADD_FAILURE() << "no node " << name;
        static const json none = json::object();
        return none;
    }
    const json& light(const json& node) const {
        return gltf["extensions"]["KHR_lights_punctual"]["lights"][node["extensions"]["KHR_lights_punctual"]["light"].get<int>()];
    }
    /// The bytes a buffer view holds.
    std::string view(int index) const {
        const json& v = gltf["bufferViews"][index];
        return binary.substr(v["byteOffset"].get<std::size_t>(), v["byteLength"].get<std::size_t>());
    }
    /// The vertices of a node's mesh in glTF's world, metres, and its indices (if any).
    std::vector<V> vertices(const json& node) const {
        const json& primitive = gltf["meshes"][node["mesh"].get<int>()]["primitives"][0];
        const json& accessor = gltf["accessors"][primitive["attributes"]["POSITION"].get<int>()];
        const std::string bytes = view(accessor["bufferView"]).substr(accessor["byteOffset"].get<std::size_t>());
        std::vector<V> out(accessor["count"].get<std::size_t>());
        for (std::size_t i = 0; i < out.size(); ++i) {
            for (std::size_t k = 0; k < 3; ++k) {
                float f = 0.0f;
                std::memcpy(&f, bytes.data() + 12 * i + 4 * k, 4);
                out[i][k] = static_cast<double>(f) + node["translation"][k].get<double>();
            }
        }
        return out;
    }
    std::vector<std::uint32_t> indices(const json& node) const {
        const json& accessor = gltf["accessors"][gltf["meshes"][node["mesh"].get<int>()]["primitives"][0]["indices"].get<int>()];
        const std::string bytes = view(accessor["bufferView"]).substr(accessor["byteOffset"].get<std::size_t>());
        std::vector<std::uint32_t> out;
        for (std::size_t i = 0; i < accessor["count"].get<std::size_t>(); ++i) out.push_back(word(bytes, 4 * i));
        return out;
    }
};

/// `v` turned by the unit quaternion `q` (x, y, z, w).
V rotate(const json& q, const V& v) {
    const V u{q[0].get<double>(), q[1].get<double>(), q[2].get<double>()};
    const double w = q[3].get<double>();
    const auto cross = [](const V& a, const V& b) { return V{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; };
    const V t = cross(u, v);
    const V t2 = {2 * t[0], 2 * t[1], 2 * t[2]};
    const V c = cross(u, t2);
    return {v[0] + w * t2[0] + c[0], v[1] + w * t2[1] + c[1], v[2] + w * t2[2] + c[2]};
}

V triple(const json& a) { return {a[0].get<double>(), a[1].get<double>(), a[2].get<double>()}; }

void expectNear(const V& actual, const V& expected, double tolerance = 1e-12) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

/// Runs `script` (with `args`) exporting to `name` in `folder`; the run must succeed.
Exported exportOf(const plandor_test::ScratchFolder& folder, const std::string& script, const std::string& name,
                  std::vector<std::string> args = {}) {
    args.insert(args.end(), {"--export", plandor::toUtf8(plandor::pathText(folder.path() / name))});
    const plandor_test::Run run = plandor_test::runScript(script, args);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return Exported(folder.path() / name);
}

const std::string kLights =
    "SPOTLIGHT\n1000,2000,3000\n4000,2000,0\nHotspot\n30\nFalloff\n40\nColor\n255,0,0\n"
    "Attenuation\nUselimits\noN\nattenuationEndlimit\n8000\neXit\nN\nAimed\nX\n"
    "SPOTLIGHT\n0,0,3000\n0,0,0\nHotspot\n50\nFalloff\n40\nN\nEqual cones\nX\n"
    "POINTLIGHT\n-1500,0,2500\nIntensity\n2.5\nStatus\noFf\nPhotometry\nColor\nKelvin\n6500\neXit\nN\nOff\nX\n"
    "WEBLIGHT\n0,3000,2800\n0,3000,0\nweB\nFile\n" + kWebs + "downlight\nZ\n45\nExit\nN\nTurned web\nX\n"
    "FREEWEB\n0,0,2800\nweB\nFile\n" + kWebs + "isotropic\nX\n90\nExit\nIntensityfactor\n0.5\nN\nTilted web\nX\n"
    "FREEWEB\n1,1,1\nN\nNo file\nX\n"
    "DISTANTLIGHT\n0,0,0\n1,1,-1\nColor\n70,130,180\nN\nSun\nX\n";

TEST(GltfExport, LightsArriveWhereTheyAreAimedAndAsBright) {
    const plandor_test::ScratchFolder folder;
    const Exported e = exportOf(folder, kLights, "lights.gltf");
    const double r2 = std::sqrt(0.5), r3 = 1.0 / std::sqrt(3.0);
    const plsim::LinearRgb k3500 = plsim::kelvinToLinearRgb(3500.0), k6500 = plsim::kelvinToLinearRgb(6500.0);
    const struct {
        const char* name;
        V translation;  ///< metres, glTF's axes
        V down;         ///< where the node's local -Z points; zero: no rotation
        V color;
        double intensity;
    } cases[] = {
        {"Aimed", {1.0, 3.0, -2.0}, {r2, -r2, 0.0}, {1.0, 0.0, 0.0}, 1500.0},
        {"Equal cones", {0.0, 3.0, 0.0}, {0.0, -1.0, 0.0}, {k3500.red, k3500.green, k3500.blue}, 1500.0},
        {"Off", {-1.5, 2.5, 0.0}, {}, {k6500.red, k6500.green, k6500.blue}, 0.0},
        {"No file", {0.001, 0.001, -0.001}, {}, {k3500.red, k3500.green, k3500.blue}, 1500.0},
        {"Sun", {0.0, 0.0, 0.0}, {r3, -r3, -r3}, {0.0, 0.0, 0.0}, 1500.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const json& node = e.node(c.name);
        expectNear(triple(node["translation"]), c.translation);
        if (c.down == V{}) {
            EXPECT_FALSE(node.contains("rotation"));
        } else {
            expectNear(rotate(node["rotation"], {0.0, 0.0, -1.0}), c.down);
        }
        const json& light = e.light(node);
        EXPECT_EQ(light["name"], c.name);
        EXPECT_DOUBLE_EQ(light["intensity"].get<double>(), c.intensity);
        if (c.color != V{}) {
            expectNear(triple(light["color"]), c.color);
        }
    }
    // Spot cones are half-angles; an inner cone as wide as the outer stays just inside it.
    EXPECT_EQ(e.light(e.node("Aimed"))["type"], "spot");
    EXPECT_DOUBLE_EQ(e.light(e.node("Aimed"))["spot"]["innerConeAngle"].get<double>(), 15.0 * kPi / 180.0);
    EXPECT_DOUBLE_EQ(e.light(e.node("Aimed"))["spot"]["outerConeAngle"].get<double>(), 20.0 * kPi / 180.0);
    EXPECT_EQ(e.light(e.node("Aimed"))["range"], 8.0);
    const json& equal = e.light(e.node("Equal cones"))["spot"];
    EXPECT_LT(equal["innerConeAngle"].get<double>(), equal["outerConeAngle"].get<double>());
    EXPECT_GT(equal["innerConeAngle"].get<double>(), 0.99 * equal["outerConeAngle"].get<double>());
    // The filter colour times the lamp's, the larger channel 1.
    const V steel = {plsim::srgbToLinear(70 / 255.0) * k3500.red, plsim::srgbToLinear(130 / 255.0) * k3500.green,
                     plsim::srgbToLinear(180 / 255.0) * k3500.blue};
    const json& sun = e.light(e.node("Sun"));
    EXPECT_EQ(sun["type"], "directional");
    const double largest = std::max({steel[0], steel[1], steel[2]});
    expectNear(triple(sun["color"]), {steel[0] / largest, steel[1] / largest, steel[2] / largest});
    // An off light keeps its intensity where glTF tools keep what they do not understand.
    EXPECT_EQ(e.node("Off")["extras"], json({{"on", false}, {"intensity", 3750.0}}));
    EXPECT_EQ(e.light(e.node("No file"))["type"], "point");

    // Web lights: the profile's horizontal angle 0 (local +X) turns with the web's rotation.
    const json& profiles = e.gltf["extensions"]["EXT_lights_ies"]["lights"];
    const struct {
        const char* name;
        const char* file;
        V down, x;
        double multiplier;
    } webs[] = {
        {"Turned web", "downlight.ies", {0.0, -1.0, 0.0}, {r2, 0.0, -r2}, 15.0},  // 1500 cd over the file's 100
        {"Tilted web", "isotropic.ies", {0.0, 0.0, -1.0}, {1.0, 0.0, 0.0}, 7.5},  // 90 degrees about X: along +Y
    };
    for (const auto& w : webs) {
        SCOPED_TRACE(w.name);
        const json& node = e.node(w.name);
        const json& ies = node["extensions"]["EXT_lights_ies"];
        EXPECT_EQ(profiles[ies["light"].get<int>()]["name"], w.file);
        EXPECT_EQ(readFile(folder.path() / profiles[ies["light"].get<int>()]["uri"].get<std::string>()), readFile(kWebs + w.file));
        EXPECT_DOUBLE_EQ(ies["multiplier"].get<double>(), w.multiplier);
        expectNear(rotate(node["rotation"], {0.0, 0.0, -1.0}), w.down);
        expectNear(rotate(node["rotation"], {1.0, 0.0, 0.0}), w.x);
    }
    EXPECT_EQ(e.gltf["extensionsUsed"], json({"KHR_lights_punctual", "EXT_lights_ies"}));
    EXPECT_FALSE(e.gltf.contains("extensionsRequired"));
}

TEST(GltfExport, FeetAndFootCandlesBecomeMetresAndLux) {
    const plandor_test::ScratchFolder folder;
    const std::string script = "POINTLIGHT\n10,20,30\nAttenuation\nUselimits\noN\nattenuationEndlimit\n100\neXit\nX\n"
                               "DISTANTLIGHT\n0,0,0\n0,0,-1\nX\n";
    const Exported e = exportOf(folder, script, "feet.glb", {"--set", "INSUNITS=2", "--set", "LIGHTINGUNITS=1"});
    expectNear(triple(e.node("Pointlight1")["translation"]), {3.048, 9.144, -6.096}, 1e-12);
    EXPECT_DOUBLE_EQ(e.light(e.node("Pointlight1"))["range"].get<double>(), 30.48);
    EXPECT_DOUBLE_EQ(e.light(e.node("Distantlight1"))["intensity"].get<double>(), 1500.0 / (0.3048 * 0.3048));
}

TEST(GltfExport, BothFormsHoldOneDocumentTheWebFilesBytesAndNeverChange) {
    const plandor_test::ScratchFolder folder;
    const std::string script = kLights + "LINE 0,0,0 1000,0,0\nREGION 0,0,0 1000,0,0 0,1000,0\n";
    const Exported text = exportOf(folder, script, "both.gltf");
    const std::string first = readFile(folder.path() / "both.gltf");
    const Exported binary = exportOf(folder, script, "both.glb");
    EXPECT_EQ(exportOf(folder, script, "both.gltf").binary, text.binary);
    EXPECT_EQ(readFile(folder.path() / "both.gltf"), first);

    json profiles = binary.gltf["extensions"]["EXT_lights_ies"]["lights"];
    const char* files[] = {"downlight.ies", "isotropic.ies"};
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        EXPECT_EQ(profiles[i]["mimeType"], "application/x-ies-lm-63");
        EXPECT_EQ(binary.view(profiles[i]["bufferView"]), readFile(kWebs + files[i]));
        EXPECT_EQ(text.gltf["extensions"]["EXT_lights_ies"]["lights"][i]["uri"], std::string("both.") + files[i]);
    }
    // The rest is the same document, buffer and all (profiles follow the geometry in a .glb).
    json a = text.gltf, b = binary.gltf;
    for (json* g : {&a, &b}) {
        (*g)["extensions"].erase("EXT_lights_ies");
        (*g)["buffers"][0].erase("uri");
        (*g)["buffers"][0].erase("byteLength");
        while ((*g)["bufferViews"].size() > 2) (*g)["bufferViews"].erase(2);
    }
    EXPECT_EQ(a, b);
    EXPECT_EQ(binary.binary.substr(0, text.binary.size()), text.binary);
}

TEST(GltfExport, CurvesKeepWithinATenthOfAPercentOfTheDrawingsExtent) {
    const plandor_test::ScratchFolder folder;
    // The line makes the drawing 100 m wide: no chord may stray more than 0.1 m from its curve,
    // which the arc's 5-degree steps would (by 0.19 m).
    const std::string script = "LINE -50000,200000,0 50000,200000,0\nARC 0,0,0 200000 80 100\nCIRCLE 0,150000,0 40000\n"
                               "TEXT 1,150000,3 \"Bühne\" 500\nLINE 0,0,0 0,1,0\nERASE A\n";
    const Exported e = exportOf(folder, script, "curves.gltf");
    const struct {
        const char* name;
        V center;
        double radius;
    } curves[] = {{"Arc 7", {0.0, 0.0, 0.0}, 200.0}, {"Circle 8", {0.0, 0.0, -150.0}, 40.0}};
    for (const auto& c : curves) {
        SCOPED_TRACE(c.name);
        const std::vector<V> points = e.vertices(e.node(c.name));
        const auto off = [&c](const V& p) { return std::hypot(p[0] - c.center[0], p[2] - c.center[2]) - c.radius; };
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            EXPECT_NEAR(off(points[i]), 0.0, 1e-4);
            const V middle = {(points[i][0] + points[i + 1][0]) / 2, 0.0, (points[i][2] + points[i + 1][2]) / 2};
            EXPECT_LE(-off(middle), 0.1);
        }
    }
    EXPECT_EQ(e.node("Text 9")["extras"], json({{"text", "Bühne"}, {"height", 0.5}}));
    expectNear(triple(e.node("Text 9")["translation"]), {0.001, 0.003, -150.0});
    EXPECT_EQ(e.gltf["nodes"].size(), 4u);  // the erased line is left out
}

TEST(GltfExport, RegionsAreCoveredByTheirTriangles) {
    const plandor_test::ScratchFolder folder;
    // An L of 3 square metres, not convex, standing upright.
    const Exported e = exportOf(folder, "REGION 0,0,0 2000,0,0 2000,0,1000 1000,0,1000 1000,0,2000 0,0,2000\n", "l.glb");
    const json& node = e.node("Region 6");
    const std::vector<V> points = e.vertices(node);
    const std::vector<std::uint32_t> triangles = e.indices(node);
    ASSERT_EQ(triangles.size(), 12u);
    double area = 0.0;
    for (std::size_t i = 0; i < triangles.size(); i += 3) {
        const V& a = points[triangles[i]];
        const V& b = points[triangles[i + 1]];
        const V& c = points[triangles[i + 2]];
        const double part = ((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) / 2;
        EXPECT_GT(part, 0.0);  // each on the same side, none folded over
        area += part;
    }
    EXPECT_NEAR(area, 3.0, 1e-9);
}

TEST(GltfExport, AnExportThatCannotBeMadeSaysWhyAndKeepsTheOlderFiles) {
    const plandor_test::ScratchFolder folder;
    const std::string old = "{\"asset\": {\"version\": \"2.0\"}}";
    const std::string target = plandor::toUtf8(plandor::pathText(folder.write("old.gltf", old)));
    std::filesystem::create_directory(folder.path() / "old.bin");  // its buffer cannot go where it belongs
    const struct {
        std::string script;
        std::vector<std::string> args;
        int status;
        const char* said;
    } cases[] = {
        {"EXPORT " + target + "\n", {}, 0, "old.bin\": it is a folder, not a file. Nothing was exported."},
        {"SETVAR LIGHTINGUNITS 0\nEXPORT " + target + "\n", {}, 0, "lit generically (LIGHTINGUNITS 0)"},
        {"EXPORT drawing.obj\n", {}, 0, "the name of a glTF file ends in .gltf or .glb"},
        {"EXPORT\n", {}, 0, "Expected EXPORT FILE.gltf or EXPORT FILE.glb."},
        {"", {"--export", target}, 2, "plandor: cannot export the drawing to"},
        {"", {"--export", target + ".obj"}, 2, "the name of a glTF file ends in .gltf or .glb"},
        {"", {"--export", plandor::toUtf8(plandor::pathText(folder.path() / "no" / "x.glb"))}, 2, "does not exist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script + (c.args.empty() ? "" : c.args[1]));
        const plandor_test::Run run = plandor_test::runScript("LINE 0,0,0 1,0,0\n" + c.script, c.args);
        EXPECT_EQ(run.exitCode, c.status) << run.err;
        EXPECT_NE((run.out + run.err).find(c.said), std::string::npos) << run.out << run.err;
        EXPECT_EQ(readFile(target), old);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);  // no new file left behind
}

}  // namespace
