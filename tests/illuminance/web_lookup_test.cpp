// Guards the web lookup against angles that disagree with the light frame's, a wrong 1 / d from the shared
// division, and tables made even that no longer interpolate the file's own samples.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "hostsim/sceneoe/light_frame.h"
#include "illuminance/kernel.h"
#include "tests/illuminance/lights.h"

namespace {

using namespace lights;
using plandor::illuminance::webTable;
using Type = PhotometricWeb::Type;

TEST(WebLookupTest, AnglesAgreeWithTheLightFrame) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> any(-1.0, 1.0);
    std::vector<PlGeVector3d> ways{{0, 0, -1},         {0, 0, 1},       {1, 0, 0},  {0, -1, 0},   {-0.0, 0, -2},
                                   {1e-12, -1e-12, 1}, {-1, 1e-300, 0}, {3, -4, 0}, {0, 1e-9, -1}};
    for (int i = 0; i < 2000; ++i) ways.push_back({any(random), any(random), any(random) * 1e3});
    for (const Type type : {Type::C, Type::B, Type::A}) {
        for (const PlGeVector3d& w : ways) {
            const auto expected = plsim::scene::webAngles(type, w);
            double vertical = 0.0, horizontal = 0.0, r = 0.0;
            plandor::illuminance::kernel::webAngles(static_cast<int>(type), w.x, w.y, w.z, w.length(), vertical,
                                                    horizontal, r);
            const double k = 180.0 / kPi;
            EXPECT_NEAR(expected.vertical, vertical * k, 1e-11) << static_cast<int>(type);
            // At a pole the second angle means nothing; the lookup gets 0 there as webAngles does.
            const double turn = type == Type::C ? 360.0 : 1e9;
            EXPECT_NEAR(0.0, std::remainder(expected.horizontal - horizontal * k, turn), 1e-11)
                << static_cast<int>(type) << " " << w.x << "," << w.y << "," << w.z;
            EXPECT_NEAR(1.0, r * w.length(), 1e-15);
        }
    }
}

TEST(WebLookupTest, EvenAndUnevenTablesInterpolateTheFilesSamples) {
    struct Row {
        std::vector<double> vertical;
        bool even;
    } rows[] = {
        {{0, 2.5, 5, 10, 20, 45, 90}, true},  // a common step of 2.5 degrees
        {{0, 1.2345678, 33.3, 90}, false},    // none worth the table
    };
    for (const Row& row : rows) {
        std::vector<double> candela;
        for (std::size_t i = 0; i < row.vertical.size(); ++i)
            candela.push_back(std::cos(radians(row.vertical[i])) + 0.5 * (i % 2));
        const PhotometricWeb w = webOf(Type::C, row.vertical, {0}, candela);
        const auto table = webTable(w);
        EXPECT_EQ(row.even, table.even());
        const double peak = plsim::scene::peakCandela(w);
        for (double angle = 0.0; angle <= 90.0; angle += 0.37) {
            std::size_t i = 1;
            while (row.vertical[i] < angle) ++i;
            const double t = (angle - row.vertical[i - 1]) / (row.vertical[i] - row.vertical[i - 1]);
            const double expected = (candela[i - 1] + t * (candela[i] - candela[i - 1])) / peak;
            for (const double around : {0.0, 123.0, 359.0})
                EXPECT_NEAR(expected, table.at(angle, around), 1e-13) << angle;
        }
        EXPECT_EQ(0.0, table.at(90.5, 0.0)) << "nothing above the horizon";
    }
}

}  // namespace
