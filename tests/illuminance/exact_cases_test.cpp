// Guards direct illuminance against wrong physics: the inverse square and the cosine, spot cones, webs looked up
// in the wrong direction, with the wrong symmetry or rotation, distant light, limits, units, and light that is
// lost or counted twice; in the portable and in the vector loop alike.
#include <gtest/gtest.h>

#include <cmath>

#include "hostsim/sceneoe/light_frame.h"
#include "illuminance/scene.h"
#include "tests/illuminance/lights.h"

namespace {

using namespace lights;
using plandor::illuminance::InstructionSet;
using plandor::illuminance::Scene;
using plandor::illuminance::Units;
using Type = PhotometricWeb::Type;

constexpr Units kMetres{1.0, false};

/// Type C, 0 to 90 every 45 degrees, 0 to 360 every 90: brighter towards +X than towards +Y.
PhotometricWeb turningWeb() {
    std::vector<double> c;
    for (const double atSide : {80.0, 60.0, 40.0, 20.0, 80.0}) c.insert(c.end(), {100.0, atSide, 0.0});
    return webOf(Type::C, {0, 45, 90}, {0, 90, 180, 270, 360}, c);
}

std::vector<InstructionSet> everySet() {
    std::vector<InstructionSet> sets{InstructionSet::Portable};
    if (plandor::illuminance::available(InstructionSet::Avx2)) sets.push_back(InstructionSet::Avx2);
    return sets;
}

void expectRelative(double expected, double actual, const std::string& what) {
    EXPECT_NEAR(expected, actual, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

TEST(ExactCasesTest, EachCaseGivesItsFormula) {
    const double s = std::sqrt(0.5), c10 = std::cos(radians(10)), c25 = std::cos(radians(25));
    const double ring = (c25 - std::cos(radians(30))) / (std::cos(radians(20)) - std::cos(radians(30)));
    const double t62 = std::tan(radians(62.5)), c62 = std::cos(radians(62.5));
    LightInfo green = point({0, 0, 2}, 400);
    green.intensity = 2.0;
    green.color.red = green.color.blue = 0;
    LightInfo off = point({0, 0, 2}, 400);
    off.on = false;
    const PlGeVector3d down(0, 0, -1), up(0, 0, 1);
    struct Row {
        const char* what;
        std::vector<LightInfo> lights;
        PlGePoint3d at;
        PlGeVector3d normal;
        double expected;
        Units units = kMetres;
    } rows[] = {
        {"point light straight above", {point({0, 0, 2.5}, 1000)}, {0, 0, 0}, up, 1000 / 6.25},
        {"point light at an offset", {point({0, 0, 2.5}, 1000)}, {2, 0, 0}, up, 1000 * 2.5 / std::pow(10.25, 1.5)},
        {"a vertical surface facing it", {point({0, 0, 3}, 1000)}, {2, 0, 0}, {-4, 0, 0}, 1000 * 2 / std::pow(13, 1.5)},
        {"a surface facing away", {point({0, 0, 3}, 1000)}, {2, 0, 0}, {0, 0, -1}, 0.0},
        {"a spot inside its hotspot",
         {spot({0, 0, 3}, down, 1000, 40, 60)},
         {3 * std::tan(radians(10)), 0, 0},
         up,
         1000 * c10 * c10 * c10 / 9},
        {"a spot in its ring",
         {spot({0, 0, 3}, down, 1000, 40, 60)},
         {3 * std::tan(radians(25)), 0, 0},
         up,
         1000 * ring * c25 * c25 * c25 / 9},
        {"a spot outside its falloff",
         {spot({0, 0, 3}, down, 1000, 40, 60)},
         {3 * std::tan(radians(35)), 0, 0},
         up,
         0.0},
        {"a cosine web straight below", {web({0, 0, 2}, down, 500, L"cosine")}, {0, 0, 0}, up, 500 / 4.0},
        {"a cosine web at a sample, 60 degrees",
         {web({0, 0, 2}, down, 500, L"cosine")},
         {2 * std::sqrt(3.0), 0, 0},
         up,
         250 * 0.5 / 16},
        {"a cosine web between samples",
         {web({0, 0, 2}, down, 500, L"cosine")},
         {2 * t62, 0, 0},
         up,
         500 * (std::cos(radians(60)) + std::cos(radians(65))) / 2 * c62 * c62 * c62 / 4},
        {"a web turned 180 about X lights the ceiling",
         {web({0, 0, 2}, down, 500, L"cosine", {180, 0, 0})},
         {0, 0, 3},
         {0, 0, -1},
         500.0},
        {"and not the floor", {web({0, 0, 2}, down, 500, L"cosine", {180, 0, 0})}, {0, 0, 0}, up, 0.0},
        {"a web without a readable file is a point light",
         {web({0, 0, 2}, down, 500, L"missing")},
         {0, 0, 0},
         up,
         125.0},
        {"web: horizontal 0 along +X", {web({0, 0, 2}, down, 1000, L"turning")}, {2, 0, 0}, up, 800 * s / 8},
        {"web: horizontal 90 along +Y", {web({0, 0, 2}, down, 1000, L"turning")}, {0, 2, 0}, up, 600 * s / 8},
        {"web: 90 about Z turns horizontal 0 to +Y",
         {web({0, 0, 2}, down, 1000, L"turning", {0, 0, 90})},
         {0, 2, 0},
         up,
         800 * s / 8},
        {"web: 90 about X, then Z: horizontal 90",
         {web({0, 0, 0}, down, 1000, L"turning", {90, 0, 90})},
         {-2 * s, 2 * s, 0},
         {s, -s, 0},
         600 / 4.0},
        {"web: 90 about X, then Z: horizontal 0",
         {web({0, 0, 0}, down, 1000, L"turning", {90, 0, 90})},
         {0, 2 * s, 2 * s},
         {0, -s, -s},
         800 / 4.0},
        {"a distant light at 60 degrees incidence",
         {distant({std::sin(radians(60)), 0, -std::cos(radians(60))}, 800)},
         {5, -7, 1},
         up,
         400.0},
        {"a distant light from below", {distant(up, 800)}, {0, 0, 0}, up, 0.0},
        {"limits cutting a light off", {limited(point({0, 0, 5}, 1000), 1, 4)}, {0, 0, 0}, up, 0.0},
        {"limits letting it in, in either order", {limited(point({0, 0, 3}, 1000), 4, 1)}, {0, 0, 0}, up, 1000 / 9.0},
        {"nearer than the start limit", {limited(point({0, 0, 3}, 1000), 4, 10)}, {0, 0, 0}, up, 0.0},
        {"foot-candles in a drawing in feet", {point({0, 0, 10}, 100)}, {0, 0, 0}, up, 1.0, {0.3048, true}},
        {"lux in a drawing in millimetres", {point({0, 0, 2000}, 1000)}, {0, 0, 0}, up, 250.0, {0.001, false}},
        {"two lights adding up", {point({0, 0, 2}, 400), point({0, 0, 4}, 1600)}, {0, 0, 0}, up, 200.0},
        {"intensity factor and colour", {green}, {0, 0, 0}, up, 400 * 2 * 0.7152 / 4},
        {"a light that is off", {off}, {0, 0, 0}, up, 0.0},
    };
    const auto reader = readerOf({{L"cosine", cosineWeb()}, {L"turning", turningWeb()}});
    for (const Row& row : rows) {
        const Scene scene = Scene::of(row.lights, row.units, reader);
        for (const InstructionSet set : everySet())
            expectRelative(row.expected, scene.at(row.at, row.normal, set), row.what);
    }
}

TEST(ExactCasesTest, WebsGiveTheirFileAtEachSampleAndItsMirrorImages) {
    struct Row {
        Type type;
        std::vector<double> vertical, horizontal;
    } rows[] = {
        {Type::C, {0, 30, 60, 90}, {0}},
        {Type::C, {0, 30, 60, 90}, {0, 45, 90}},
        {Type::C, {0, 45, 90, 135, 180}, {0, 60, 120, 180}},
        {Type::C, {90, 120, 150, 180}, {90, 135, 180, 225, 270}},
        {Type::C, {0, 30, 60, 90}, {0, 120, 240, 360}},
        {Type::B, {0, 30, 60, 90}, {0, 30, 60, 90}},
        {Type::B, {-90, -45, 0, 45, 90}, {-90, -45, 0, 45, 90}},
        {Type::A, {0, 30, 60, 90}, {0, 30, 60, 90}},
        {Type::A, {-90, -45, 0, 45, 90}, {-90, -45, 0, 45, 90}},
    };
    for (const Row& row : rows) {
        // Values no interpolation between other samples gives, the column at 360 repeating the one at 0.
        std::vector<double> candela;
        for (std::size_t h = 0; h < row.horizontal.size(); ++h) {
            const std::size_t column = row.horizontal[h] == 360 ? 0 : h;
            for (std::size_t v = 0; v < row.vertical.size(); ++v)
                candela.push_back(10.0 + static_cast<double>(v * v) +
                                  5.0 * static_cast<double>((column * column * 3 + 1) % 7));
        }
        const PhotometricWeb w = webOf(row.type, row.vertical, row.horizontal, candela);
        const double peak = plsim::scene::peakCandela(w);
        const Scene scene = Scene::of({web({0, 0, 0}, {0, 0, -1}, 1000, L"w")}, kMetres, readerOf({{L"w", w}}));
        for (std::size_t h = 0; h < row.horizontal.size(); ++h) {
            for (std::size_t v = 0; v < row.vertical.size(); ++v) {
                const double va = row.vertical[v], ha = row.horizontal[h];
                // Skip the poles, where the second angle means nothing.
                if ((row.type == Type::C && (va == 0 || va == 180)) || (row.type == Type::B && std::fabs(ha) == 90) ||
                    (row.type == Type::A && std::fabs(va) == 90))
                    continue;
                std::vector<std::pair<double, double>> images{{va, ha}};
                if (row.type == Type::C) {
                    const double h0 = row.horizontal.front(), h1 = row.horizontal.back();
                    if (h0 == 0 && h1 == 90)
                        images.insert(images.end(), {{va, 180 - ha}, {va, 180 + ha}, {va, 360 - ha}});
                    if (h0 == 0 && h1 == 180) images.push_back({va, 360 - ha});
                    if (h0 == 90) images.push_back({va, ha <= 180 ? 180 - ha : 540 - ha});
                    if (row.horizontal.size() == 1) images.insert(images.end(), {{va, 100}, {va, 250}});
                } else {
                    if (row.vertical.front() == 0) images.push_back({-va, ha});
                    if (row.horizontal.front() == 0) images.push_back({va, -ha});
                }
                for (const auto& [vi, hi] : images) {
                    const PlGeVector3d way = plsim::scene::webDirection(row.type, vi, hi);
                    const double expected = 1000 * w.at(h, v) / peak / 4;
                    expectRelative(expected, scene.at(PlGePoint3d() + way * 2.0, way * -1.0),
                                   "type " + std::to_string(static_cast<int>(row.type)) + " at " + std::to_string(vi) +
                                       ", " + std::to_string(hi));
                }
            }
        }
    }
}

}  // namespace
