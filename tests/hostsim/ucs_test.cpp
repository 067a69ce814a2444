// Guards against wrong conversions between world and user coordinates, displacements moved by the origin,
// degenerate axes being accepted, and typed points read in the wrong system.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using Ucs = HostTest;

PlGePoint3d trans(const PlGePoint3d& p, int from, int to, bool displacement = false) {
    const double in[3] = {p.x, p.y, p.z};
    double out[3] = {0, 0, 0};
    EXPECT_EQ(pledTrans(in, from, to, displacement, out), PLRTNORM);
    return {out[0], out[1], out[2]};
}

TEST_F(Ucs, PointsAndDisplacementsConvertBothWays) {
    // Origin (10,20,30); user X along world Y, user Y along world -X: a quarter turn about Z.
    ASSERT_TRUE(plsim::setUcs(10, 20, 30, 0, 2, 0, -1, 0, 0));
    EXPECT_TRUE(trans({2, -3, 4}, PLED_UCS, PLED_WCS).isEqualTo({13, 22, 34}));
    EXPECT_TRUE(trans({13, 22, 34}, PLED_WCS, PLED_UCS).isEqualTo({2, -3, 4}));
    EXPECT_TRUE(trans({1, 0, 0}, PLED_UCS, PLED_WCS, true).isEqualTo({0, 1, 0})) << "displacements turn only";
    // A tilted system: there and back, lengths of displacements kept.
    ASSERT_TRUE(plsim::setUcs(-3, 4, 0.5, 1, 1, 1, -1, 2, 0.25));
    for (const PlGePoint3d& p : {PlGePoint3d(1, 2, 3), PlGePoint3d(-100, 0.001, 7), PlGePoint3d(1e6, -1e6, 2)}) {
        const PlGePoint3d back = trans(trans(p, PLED_WCS, PLED_UCS), PLED_UCS, PLED_WCS);
        EXPECT_NEAR(p.distanceTo(back), 0.0, 1e-9 * (1 + p.asVector().length()));
        EXPECT_NEAR(trans(p, PLED_WCS, PLED_UCS, true).asVector().length(), p.asVector().length(),
                    1e-9 * (1 + p.asVector().length()));
    }
    // The result may overwrite the input.
    ASSERT_TRUE(plsim::setUcs(1, 1, 1, 0, 1, 0, 0, 0, 1));
    double same[3] = {1, 2, 3};
    ASSERT_EQ(pledTrans(same, PLED_UCS, PLED_WCS, false, same), PLRTNORM);
    EXPECT_TRUE(PlGePoint3d(same[0], same[1], same[2]).isEqualTo({4, 2, 3}));
}

TEST_F(Ucs, DegenerateAxesAndBadCallsAreRefused) {
    ASSERT_TRUE(plsim::setUcs(5, 0, 0, 1, 0, 0, 0, 1, 0));
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const double bad[][9] = {
        {0, 0, 0, 0, 0, 0, 0, 1, 0},   {0, 0, 0, 1, 1, 0, 2, 2, 0},   {0, 0, 0, 1, 0, 0, -3, 0, 0},
        {nan, 0, 0, 1, 0, 0, 0, 1, 0}, {0, 0, 0, inf, 0, 0, 0, 1, 0}, {0, 0, 0, 1e-300, 0, 0, 0, 1, 0},
    };
    for (const auto& b : bad) EXPECT_FALSE(plsim::setUcs(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8]));
    EXPECT_TRUE(trans({0, 0, 0}, PLED_UCS, PLED_WCS).isEqualTo({5, 0, 0})) << "the system in force is unchanged";

    const double in[3] = {1, 2, 3};
    double out[3] = {0, 0, 0};
    EXPECT_EQ(pledTrans(in, 2, PLED_WCS, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(in, PLED_WCS, -1, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(nullptr, PLED_WCS, PLED_UCS, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(in, PLED_WCS, PLED_UCS, false, nullptr), PLRTERROR);
}

TEST_F(Ucs, TypedPointsAreUserCoordinates) {
    ASSERT_TRUE(plsim::setUcs(10, 20, 30, 0, 1, 0, -1, 0, 0));
    PlGePoint3d point;
    plsim::queueReply(L"1,0");
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    EXPECT_TRUE(point.isEqualTo({10, 21, 30}));
    // Relative input: the displacement is turned, the world base point is kept.
    const PlGePoint3d base(100, 100, 100);
    plsim::queueReply(L"@1,0,2");
    ASSERT_EQ(pledGetPoint(&base, L"Point: ", point), PLRTNORM);
    EXPECT_TRUE(point.isEqualTo({100, 101, 102}));
    plsim::resetSession();
    plsim::queueReply(L"1,0");
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    EXPECT_EQ(point, PlGePoint3d(1, 0, 0));
}

}  // namespace
