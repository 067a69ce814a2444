// Guards against misformatted lengths, precision lost in a round trip, the drawing's unit settings ignored,
// and text that is no length being read as one.
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using Units = HostTest;

TEST_F(Units, Formatting) {
    struct Case {
        double value;
        int mode;
        int precision;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {10, 1, 4, L"1.0000E+01"},
        {-0.0, 1, 2, L"0.00E+00"},
        {-0.5, 2, 2, L"-0.50"},
        {-0.0001, 2, 2, L"0.00"},  // no "-0.00"
        {2.675, 2, 8, L"2.67500000"},
        {-15.5, 3, 2, L"-1'-3.50\""},
        {11.999, 3, 2, L"1'-0.00\""},  // inches that round to a foot carry
        {15.5, 4, 2, L"1'-3 1/2\""},
        {0.25, 4, 3, L"0'-0 1/4\""},
        {15.5, 5, 3, L"15 1/2"},
        {-0.125, 5, 3, L"-1/8"},
        {10, 2, 12, L"10.00000000"},  // precision beyond 8 is 8
    };
    for (const Case& c : cases) {
        PlString text;
        EXPECT_EQ(pldbRToS(c.value, c.mode, c.precision, text), PLRTNORM) << c.value << " mode " << c.mode;
        EXPECT_EQ(text.str(), c.expected) << c.value << " mode " << c.mode;
    }
}

TEST_F(Units, FormattingRefusals) {
    PlString text(L"kept");
    for (int mode : {0, 6, -2}) EXPECT_EQ(pldbRToS(1.0, mode, 2, text), PLRTERROR) << mode;
    for (double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::nan("")})
        EXPECT_EQ(pldbRToS(value, 2, 2, text), PLRTERROR);
    EXPECT_EQ(text.str(), L"kept");
}

TEST_F(Units, TheDrawingsModeAndPrecision) {
    PlString text;
    ASSERT_EQ(pldbRToS(10, -1, -1, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"10.0000");
    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"1"));
    ASSERT_TRUE(plsim::setVar(L"LUPREC", L"2"));
    ASSERT_EQ(pldbRToS(10, -1, -1, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"1.00E+01");
    ASSERT_EQ(pldbRToS(10, 2, -1, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"10.00");
    ASSERT_EQ(pldbRToS(10, -1, 3, text), PLRTNORM);
    EXPECT_EQ(text.str(), L"1.000E+01");

    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"4"));
    double value = 0;
    ASSERT_EQ(pldbDisToF(L"1'-6\"", -1, &value), PLRTNORM);
    EXPECT_EQ(value, 18.0);
    ASSERT_TRUE(plsim::setVar(L"LUNITS", L"2"));
    EXPECT_EQ(pldbDisToF(L"1'-6\"", -1, &value), PLRTERROR);
}

TEST_F(Units, Reading) {
    struct Case {
        const wchar_t* text;
        int mode;
        bool ok;
        double expected;
    };
    const Case cases[] = {
        {L"10", 2, true, 10},
        {L"1.0000E+01", 1, true, 10},
        {L"abc", 2, false, 0},
        {L"", 2, false, 0},
        {L"1 2", 2, false, 0},
        {L"inf", 2, false, 0},
        {L"1e999", 2, false, 0},
        {L"1'-3.5\"", 2, false, 0},
        {L"1/2", 1, false, 0},
        {L"1'-3.5\"", 3, true, 15.5},
        {L"3.5\"", 3, true, 3.5},
        {L"1'3 1/2\"", 4, true, 15.5},
        {L"-1'-3 1/2\"", 4, true, -15.5},
        {L"1'-", 4, false, 0},
        {L"1'-3 1/0\"", 4, false, 0},
        {L"1'-3 -1/2\"", 4, false, 0},
        {L"3 1/2", 5, true, 3.5},
        {L"1/0", 5, false, 0},
        {L"3 1/2 1/4", 5, false, 0},
    };
    for (const Case& c : cases) {
        double value = -99;
        EXPECT_EQ(pldbDisToF(c.text, c.mode, &value), c.ok ? PLRTNORM : PLRTERROR)
            << testing::PrintToString(c.text) << " mode " << c.mode;
        EXPECT_EQ(value, c.ok ? c.expected : -99) << testing::PrintToString(c.text) << " mode " << c.mode;
    }
    double value = 0;
    EXPECT_EQ(pldbDisToF(L"1", 0, &value), PLRTERROR);
    EXPECT_EQ(pldbDisToF(L"1", 6, &value), PLRTERROR);
    EXPECT_EQ(pldbDisToF(nullptr, 2, &value), PLRTERROR);
    EXPECT_EQ(pldbDisToF(L"1", 2, nullptr), PLRTERROR);
}

TEST_F(Units, RoundTrips) {
    const double values[] = {0, -1, 0.1, -1e-5, 6.02e23, 1e-300, 2.0 / 3.0};
    for (double v : values) {
        for (int mode : {1, 2}) {
            PlString text;
            ASSERT_EQ(pldbRToS(v, mode, 8, text), PLRTNORM);
            double back = 0;
            ASSERT_EQ(pldbDisToF(text, mode, &back), PLRTNORM) << testing::PrintToString(text.str());
            // Eight places: scientific keeps the relative, decimal the absolute error below 5e-9.
            const double allowed = mode == 1 ? 5.000001e-9 * std::fabs(v) : 5.000001e-9;
            EXPECT_NEAR(back, v, allowed) << testing::PrintToString(text.str());
        }
    }
    for (double v : {15.5, -15.5, 0.25, 1234.0625}) {
        for (int mode : {3, 4, 5}) {
            PlString text;
            ASSERT_EQ(pldbRToS(v, mode, 4, text), PLRTNORM);
            double back = 0;
            ASSERT_EQ(pldbDisToF(text, mode, &back), PLRTNORM) << testing::PrintToString(text.str());
            EXPECT_EQ(back, v) << testing::PrintToString(text.str());
        }
    }
}

}  // namespace
