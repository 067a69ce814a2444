// Guards against out-of-range or mistyped system variable writes being stored, text values shared with
// the caller, and a reset that does not bring the defaults back.
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using SysVars = HostTest;

wchar_t* text(const wchar_t* v) { return const_cast<wchar_t*>(v); }

TEST_F(SysVars, WritesAreCheckedByTypeAndRange) {
    struct Case {
        const wchar_t* name;
        resbuf value;
        int status;
        const wchar_t* after;  // the variable as text afterwards
    };
    const Case cases[] = {
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTSHORT, {.rint = 0}}, PLRTNORM, L"0"},
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTSHORT, {.rint = 2}}, PLRTERROR, L"1"},
        {L"DEFAULTLIGHTING", resbuf{nullptr, PLRTREAL, {.rreal = 0.0}}, PLRTERROR, L"1"},
        {L"CVPORT", resbuf{nullptr, PLRTLONG, {.rlong = 70000}}, PLRTERROR, L"2"},
        {L"LUPREC", resbuf{nullptr, PLRTSHORT, {.rint = 9}}, PLRTERROR, L"4"},
        {L"VIEWTWIST", resbuf{nullptr, PLRTSHORT, {.rint = 2}}, PLRTNORM, L"2"},
        {L"VIEWTWIST", resbuf{nullptr, PLRTREAL, {.rreal = std::numeric_limits<double>::infinity()}}, PLRTERROR, L"0"},
        {L"CLAYER", resbuf{nullptr, PLRTSTR, {.rstring = text(L"Lights")}}, PLRTNORM, L"Lights"},
        {L"CLAYER", resbuf{nullptr, PLRTSTR, {.rstring = text(nullptr)}}, PLRTERROR, L"0"},
        {L"PLHOSTVER", resbuf{nullptr, PLRTSTR, {.rstring = text(L"9.9")}}, PLRTERROR, L"1.0"},  // read-only
        {L"NOSUCHVAR", resbuf{nullptr, PLRTSHORT, {.rint = 1}}, PLRTERROR, L""},
    };
    for (const Case& c : cases) {
        plsim::resetSession();
        EXPECT_EQ(pledSetVar(c.name, &c.value), c.status) << testing::PrintToString(c.name);
        EXPECT_EQ(plsim::getVar(c.name), c.after) << testing::PrintToString(c.name);
    }
    EXPECT_EQ(pledSetVar(L"CVPORT", nullptr), PLRTERROR);

    // A text read back is the caller's copy.
    const resbuf layer = resbuf{nullptr, PLRTSTR, {.rstring = text(L"Lights")}};
    ASSERT_EQ(pledSetVar(L"CLAYER", &layer), PLRTNORM);
    resbuf rb;
    ASSERT_EQ(pledGetVar(L"CLAYER", &rb), PLRTNORM);
    rb.resval.rstring[0] = L'X';
    pledFreeString(rb.resval.rstring);
    EXPECT_EQ(plsim::getVar(L"CLAYER"), L"Lights");
}

TEST_F(SysVars, DriverWritesFromText) {
    struct Case {
        const wchar_t* name;
        const wchar_t* text;
        bool ok;
        const wchar_t* after;
    };
    const Case cases[] = {
        {L"CVPORT", L"0", false, L"2"},           {L"LUPREC", L"2.0", false, L"4"},
        {L"VIEWTWIST", L"-2.9e0", true, L"-2.9"}, {L"VIEWTWIST", L"twist", false, L"0"},
        {L"NOSUCHVAR", L"1", false, L""},
    };
    for (const Case& c : cases) {
        plsim::resetSession();
        std::wstring error;
        EXPECT_EQ(plsim::setVar(c.name, c.text, &error), c.ok) << testing::PrintToString(c.name);
        EXPECT_EQ(error.empty(), c.ok) << testing::PrintToString(error);
        EXPECT_EQ(plsim::getVar(c.name), c.after) << testing::PrintToString(c.name);
    }
    std::wstring error;
    plsim::setVar(L"LUPREC", L"9", &error);
    EXPECT_NE(error.find(L"between 0 and 8"), std::wstring::npos) << testing::PrintToString(error);
    EXPECT_FALSE(plsim::setVar(L"LUPREC", L"9"));  // no error wanted: still refused
}

TEST_F(SysVars, DefinedVariablesAndReset) {
    plsim::defineVar(L"TESTLONG", plsim::VarType::Long, L"100000");
    plsim::defineVar(L"TESTREAL", plsim::VarType::Real, L"-2.9");
    plsim::defineVar(L"TESTBAD", plsim::VarType::Short, L"not a number");
    resbuf rb;
    ASSERT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTNORM);
    EXPECT_EQ(rb.restype, PLRTLONG);
    EXPECT_EQ(rb.resval.rlong, 100000);
    ASSERT_EQ(pledGetVar(L"TESTREAL", &rb), PLRTNORM);
    EXPECT_EQ(rb.restype, PLRTREAL);
    EXPECT_EQ(rb.resval.rreal, -2.9);
    EXPECT_EQ(plsim::getVar(L"TESTBAD"), L"0");

    const resbuf tooBig = resbuf{nullptr, PLRTLONG, {.rlong = std::numeric_limits<int>::max()}};
    EXPECT_EQ(pledSetVar(L"TESTLONG", &tooBig), PLRTNORM);
    EXPECT_FALSE(plsim::setVar(L"TESTLONG", L"2147483648"));

    // A built-in replaced, another removed.
    plsim::defineVar(L"CVPORT", plsim::VarType::Real, L"1.5");
    EXPECT_TRUE(plsim::removeVar(L"lunits"));
    EXPECT_FALSE(plsim::removeVar(L"LUNITS"));
    EXPECT_EQ(pledGetVar(L"LUNITS", &rb), PLRTERROR);
    const auto names = plsim::varNames();
    EXPECT_EQ(std::find(names.begin(), names.end(), L"LUNITS"), names.end());

    // Variables belong to the session, not the drawing; a reset brings the defaults back.
    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"0"));
    plsim::openDrawing(L"Two");
    EXPECT_EQ(plsim::getVar(L"DEFAULTLIGHTING"), L"0");
    plsim::resetSession();
    EXPECT_EQ(pledGetVar(L"TESTLONG", &rb), PLRTERROR);
    ASSERT_EQ(pledGetVar(L"CVPORT", &rb), PLRTNORM);
    EXPECT_EQ(rb.restype, PLRTSHORT);
    EXPECT_EQ(plsim::getVar(L"LUNITS"), L"2");
}

}  // namespace
