// Guards against misformatted lengths, precision lost in a round trip, the drawing's unit settings ignored,
// text that is no length being read as one, wrong conversions between world and user coordinates,
// displacements moved by the origin, and degenerate axes being accepted.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using Units = HostTest;

TEST_F(Units, FormattingAndItsRefusals) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int mode;
        int precision;
        const wchar_t* expected;  // null: refused, the text kept
    } cases[] = {
        {10, 1, 4, L"1.0000E+01"},    {-0.0, 1, 2, L"0.00E+00"},    {-0.5, 2, 2, L"-0.50"},
        {-0.0001, 2, 2, L"0.00"},     {2.675, 2, 8, L"2.67500000"}, {-15.5, 3, 2, L"-1'-3.50\""},
        {11.999, 3, 2, L"1'-0.00\""}, {15.5, 4, 2, L"1'-3 1/2\""},  {0.25, 4, 3, L"0'-0 1/4\""},
        {-0.125, 5, 3, L"-1/8"},      {10, 2, 12, L"10.00000000"},  {1.0, 0, 2, nullptr},
        {1.0, 6, 2, nullptr},         {inf, 2, 2, nullptr},         {std::nan(""), 2, 2, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " mode " << c.mode);
        PlString text(L"kept");
        EXPECT_EQ(pldbRToS(c.value, c.mode, c.precision, text), c.expected ? PLRTNORM : PLRTERROR);
        EXPECT_EQ(text.str(), c.expected ? c.expected : L"kept");
    }
}

TEST_F(Units, TheDrawingsModeAndPrecision) {
    PlString text;
    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"1"));
    ASSERT_TRUE(plsim::setVar(L"LUPREC", L"2"));
    ASSERT_EQ(pldbRToS(10, -1, -1, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"1.00E+01");
    ASSERT_EQ(pldbRToS(10, 2, -1, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"10.00");
    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"4"));
    double value = 0;
    ASSERT_EQ(pldbDisToF(L"1'-6\"", -1, &value), PLRTNORM);
    EXPECT_EQ(value, 18.0);
    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"2"));
    EXPECT_EQ(pldbDisToF(L"1'-6\"", -1, &value), PLRTERROR);
}

TEST_F(Units, Reading) {
    const struct {
        const wchar_t* text;
        int mode;
        bool ok;
        double expected;
    } cases[] = {
        {L"1.0000E+01", 1, true, 10},
        {L"abc", 2, false, 0},
        {L"", 2, false, 0},
        {L"1 2", 2, false, 0},
        {L"inf", 2, false, 0},
        {L"1e999", 2, false, 0},
        {L"1'-3.5\"", 2, false, 0},
        {L"1/2", 1, false, 0},
        {L"3.5\"", 3, true, 3.5},
        {L"1'3 1/2\"", 4, true, 15.5},
        {L"-1'-3 1/2\"", 4, true, -15.5},
        {L"1'-", 4, false, 0},
        {L"1'-3 1/0\"", 4, false, 0},
        {L"1'-3 -1/2\"", 4, false, 0},
        {L"3 1/2 1/4", 5, false, 0},
        {L"1", 0, false, 0},
        {L"1", 6, false, 0},
        {nullptr, 2, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text ? c.text : L"(null)") + " mode " + std::to_string(c.mode));
        double value = -99;
        EXPECT_EQ(pldbDisToF(c.text, c.mode, &value), c.ok ? PLRTNORM : PLRTERROR);
        EXPECT_EQ(value, c.ok ? c.expected : -99);
    }
    EXPECT_EQ(pldbDisToF(L"1", 2, nullptr), PLRTERROR);
}

TEST_F(Units, RoundTrips) {
    const std::vector<double> decimals = {0, -1, 0.1, -1e-5, 6.02e23, 1e-300, 2.0 / 3.0};
    const std::vector<double> fractions = {15.5, -15.5, 0.25, 1234.0625};
    for (int mode : {1, 2, 3, 4, 5}) {
        for (double v : mode > 2 ? fractions : decimals) {
            PlString text;
            ASSERT_EQ(pldbRToS(v, mode, mode > 2 ? 4 : 8, text), PLRTNORM);
            double back = 0;
            ASSERT_EQ(pldbDisToF(text, mode, &back), PLRTNORM) << testing::PrintToString(text.str());
            // Eight places: scientific keeps the relative, decimal the absolute error below 5e-9.
            const double allowed = mode == 1 ? 5.000001e-9 * std::fabs(v) : mode == 2 ? 5.000001e-9 : 0.0;
            EXPECT_NEAR(back, v, allowed) << testing::PrintToString(text.str());
        }
    }
}

using Ucs = HostTest;

PlGePoint3d trans(const PlGePoint3d& p, int from, int to, bool displacement = false) {
    const double in[3] = {p.x, p.y, p.z};
    double out[3] = {0, 0, 0};
    EXPECT_EQ(pledTrans(in, from, to, displacement, out), PLRTNORM);
    return {out[0], out[1], out[2]};
}

TEST_F(Ucs, PointsAndDisplacementsConvertBothWays) {
    // A tilted system: there and back; displacements turn only, so their lengths are kept.
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

}  // namespace
