// Guards the orientation of a light's distribution against a frame that does not aim the light, loses its
// handedness, applies the web rotation in another order or sense, or puts a web's angles elsewhere than the
// others read them.
#include <gtest/gtest.h>

#include <cmath>

#include "hostsim/sceneoe/light_frame.h"

namespace {

using plsim::scene::lightFrame;
using plsim::scene::LightFrame;
using Type = plsim::scene::PhotometricWeb::Type;

void expectNear(const PlGeVector3d& expected, const PlGeVector3d& actual, const char* what) {
    EXPECT_NEAR(expected.x, actual.x, 1e-12) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-12) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-12) << what;
}

double dot(const PlGeVector3d& a, const PlGeVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

TEST(LightFrameTest, AimsTheLightAndTurnsItsWebAboutItsOwnAxes) {
    const double s = std::sqrt(0.5);
    struct Row {
        PlGeVector3d direction, rotation, x, y;
    } rows[] = {
        {{0, 0, -5}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},      // straight down keeps the world axes
        {{0, 0, 2}, {0, 0, 0}, {1, 0, 0}, {0, -1, 0}},      // straight up: half a turn about world X
        {{1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 1, 0}},       // the shortest turn onto +X
        {{0, 0, -1}, {180, 0, 0}, {1, 0, 0}, {0, -1, 0}},   // 180 about X: it shines up
        {{0, 0, -1}, {0, 0, 90}, {0, 1, 0}, {-1, 0, 0}},    // 90 about Z: horizontal 0 along +Y
        {{0, 0, -1}, {90, 0, 90}, {0, 0, 1}, {-1, 0, 0}},   // X first, then the turned Z
        {{0, 0, -1}, {0, 45, 0}, {s, 0, -s}, {0, 1, 0}},    // 45 about Y tips the axis towards +X
        {{0, 0, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}},       // no direction counts as straight down
    };
    for (const Row& row : rows) {
        const LightFrame frame = lightFrame(row.direction, row.rotation);
        expectNear(row.x, frame.x, "x");
        expectNear(row.y, frame.y, "y");
        const PlGeVector3d z{row.x.y * row.y.z - row.x.z * row.y.y, row.x.z * row.y.x - row.x.x * row.y.z,
                             row.x.x * row.y.y - row.x.y * row.y.x};
        expectNear(z, frame.z, "right-handed");
    }
    // Without rotation the light's -Z is its direction, whatever the direction.
    for (const PlGeVector3d d : {PlGeVector3d{0.3, -0.4, 0.866}, PlGeVector3d{1e-9, 0, 1}, PlGeVector3d{-2, 3, -1e-12}}) {
        const LightFrame frame = lightFrame(d);
        expectNear(d.normal() * -1.0, frame.z, "aimed");
        EXPECT_NEAR(0.0, dot(frame.x, frame.y), 1e-12);
        EXPECT_NEAR(1.0, frame.x.length(), 1e-12);
    }
}

TEST(LightFrameTest, WebDirectionsAndAnglesAgree) {
    const double s = std::sqrt(0.5);
    struct Row {
        Type type;
        double vertical, horizontal;
        PlGeVector3d local;
    } rows[] = {
        {Type::C, 0, 0, {0, 0, -1}},   {Type::C, 90, 0, {1, 0, 0}},  {Type::C, 90, 90, {0, 1, 0}},
        {Type::C, 180, 0, {0, 0, 1}},  {Type::C, 45, 270, {0, -s, -s}},
        {Type::B, 0, 0, {0, 0, -1}},   {Type::B, 0, 90, {1, 0, 0}},  {Type::B, 90, 0, {0, 1, 0}},
        {Type::B, -45, 0, {0, -s, -s}}, {Type::B, 180, 0, {0, 0, 1}},
        {Type::B, 180, 0, {0, -0.0, 1}}, {Type::A, 0, 0, {0, 0, -1}},   {Type::A, 90, 0, {0, 1, 0}},  {Type::A, 0, 90, {1, 0, 0}},
        {Type::A, 0, -45, {-s, 0, -s}}, {Type::A, 0, 180, {0, 0, 1}},
    };
    for (const Row& row : rows) {
        expectNear(row.local, plsim::scene::webDirection(row.type, row.vertical, row.horizontal), "direction");
        const auto angles = plsim::scene::webAngles(row.type, row.local * 3.0);
        EXPECT_NEAR(row.vertical, angles.vertical, 1e-9) << static_cast<int>(row.type);
        EXPECT_NEAR(row.horizontal, angles.horizontal, 1e-9) << static_cast<int>(row.type);
    }
}

}  // namespace
