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

void expectNear(const PlGePoint3d& a, const PlGePoint3d& b) {
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}

TEST_F(Ucs, RotatedAndMovedSystem) {
    // Origin (10,20,30); user X along world Y, user Y along world -X: a quarter turn about Z.
    ASSERT_TRUE(plsim::setUcs(10, 20, 30, 0, 2, 0, -1, 0, 0));
    struct Case {
        PlGePoint3d user;
        PlGePoint3d world;
    };
    const Case cases[] = {
        {{0, 0, 0}, {10, 20, 30}},
        {{0, 1, 0}, {9, 20, 30}},
        {{2, -3, 4}, {13, 22, 34}},
    };
    for (const Case& c : cases) {
        expectNear(trans(c.user, PLED_UCS, PLED_WCS), c.world);
        expectNear(trans(c.world, PLED_WCS, PLED_UCS), c.user);
    }
    // Displacements turn but do not move.
    expectNear(trans({1, 0, 0}, PLED_UCS, PLED_WCS, true), {0, 1, 0});
    expectNear(trans({0, 1, 0}, PLED_WCS, PLED_UCS, true), {1, 0, 0});
    expectNear(trans({0, 0, 0}, PLED_WCS, PLED_UCS, true), {0, 0, 0});
}

TEST_F(Ucs, TiltedSystemRoundTrip) {
    ASSERT_TRUE(plsim::setUcs(-3, 4, 0.5, 1, 1, 1, -1, 2, 0.25));
    const PlGePoint3d points[] = {{0, 0, 0}, {1, 2, 3}, {-100, 0.001, 7}, {1e6, -1e6, 2}};
    for (const PlGePoint3d& p : points) {
        const PlGePoint3d user = trans(p, PLED_WCS, PLED_UCS);
        const PlGePoint3d back = trans(user, PLED_UCS, PLED_WCS);
        EXPECT_NEAR(back.x, p.x, 1e-9 * (1 + std::fabs(p.x)));
        EXPECT_NEAR(back.y, p.y, 1e-9 * (1 + std::fabs(p.y)));
        EXPECT_NEAR(back.z, p.z, 1e-9 * (1 + std::fabs(p.z)));
        // Lengths of displacements are kept.
        EXPECT_NEAR(trans(p, PLED_WCS, PLED_UCS, true).asVector().length(), p.asVector().length(),
                    1e-9 * (1 + p.asVector().length()));
    }
}

TEST_F(Ucs, DegenerateAxesAreRefused) {
    ASSERT_TRUE(plsim::setUcs(5, 0, 0, 1, 0, 0, 0, 1, 0));
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    const double bad[][9] = {
        {0, 0, 0, 0, 0, 0, 0, 1, 0},      // no X
        {0, 0, 0, 1, 0, 0, 0, 0, 0},      // no Y
        {0, 0, 0, 1, 1, 0, 2, 2, 0},      // parallel
        {0, 0, 0, 1, 0, 0, -3, 0, 0},     // opposite
        {nan, 0, 0, 1, 0, 0, 0, 1, 0},
        {0, 0, 0, inf, 0, 0, 0, 1, 0},
        {0, 0, 0, 1e-300, 0, 0, 0, 1, 0},
    };
    for (const auto& b : bad) EXPECT_FALSE(plsim::setUcs(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8]));
    // The system in force is unchanged.
    expectNear(trans({0, 0, 0}, PLED_UCS, PLED_WCS), {5, 0, 0});
}

TEST_F(Ucs, BadCallsAndAliasing) {
    const double in[3] = {1, 2, 3};
    double out[3] = {0, 0, 0};
    EXPECT_EQ(pledTrans(in, 2, PLED_WCS, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(in, PLED_WCS, -1, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(nullptr, PLED_WCS, PLED_UCS, false, out), PLRTERROR);
    EXPECT_EQ(pledTrans(in, PLED_WCS, PLED_UCS, false, nullptr), PLRTERROR);

    ASSERT_TRUE(plsim::setUcs(1, 1, 1, 0, 1, 0, 0, 0, 1));
    double same[3] = {1, 2, 3};
    ASSERT_EQ(pledTrans(same, PLED_UCS, PLED_WCS, false, same), PLRTNORM);
    expectNear({same[0], same[1], same[2]}, {1 + 3, 1 + 1, 1 + 2});
}

TEST_F(Ucs, TypedPointsAreUserCoordinates) {
    ASSERT_TRUE(plsim::setUcs(10, 20, 30, 0, 1, 0, -1, 0, 0));
    PlGePoint3d point;
    plsim::queueReply(L"1,0");
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    expectNear(point, {10, 21, 30});
    // Relative input: the displacement is turned, the world base point is kept.
    const PlGePoint3d base(100, 100, 100);
    plsim::queueReply(L"@1,0,2");
    ASSERT_EQ(pledGetPoint(&base, L"Point: ", point), PLRTNORM);
    expectNear(point, {100, 101, 102});
    plsim::queueReply(L"@0,1");
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    expectNear(point, {9, 20, 30});

    plsim::resetSession();
    plsim::queueReply(L"1,0");
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    EXPECT_EQ(point, PlGePoint3d(1, 0, 0));
}

}  // namespace
