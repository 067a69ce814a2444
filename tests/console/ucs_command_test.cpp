// Guards against the console's UCS command reading coordinates wrongly, accepting malformed or degenerate input, or changing the user system when it refuses.
#include "console/ucs_command.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "hostsim/driver.h"

namespace {

using plandor::UcsRequest;

TEST(UcsCommand, ReadsWorldShowAndThreeTriples) {
    const struct {
        const wchar_t* arguments;
        UcsRequest::Action action;
        std::array<double, 9> values;
    } cases[] = {
        {L"  ", UcsRequest::Action::Show, {}},
        {L"world", UcsRequest::Action::World, {}},
        {L"1,2,3 0,1,0 0,0,1", UcsRequest::Action::Set, {1, 2, 3, 0, 1, 0, 0, 0, 1}},
        {L"  +1.5,-2,3e2\t-0.25,0,1   0,0,-1  ", UcsRequest::Action::Set, {1.5, -2, 300, -0.25, 0, 1, 0, 0, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        std::wstring error;
        const std::optional<UcsRequest> request = plandor::parseUcsArguments(c.arguments, error);
        ASSERT_TRUE(request.has_value()) << std::string(error.begin(), error.end());
        EXPECT_EQ(request->action, c.action);
        if (c.action == UcsRequest::Action::Set) {
            EXPECT_EQ(request->values, c.values);
        }
    }
}

TEST(UcsCommand, RefusesMalformedInputNamingThePart) {
    const struct {
        const wchar_t* arguments;
        const wchar_t* mentions;
    } cases[] = {
        {L"WORLD 1", L"UCS [WORLD"},
        {L"WORLDS", L"UCS [WORLD"},
        {L"1,2,3 1,0,0 0,1,0 0,0,1", L"UCS [WORLD"},
        {L"1,2 1,0,0 0,1,0", L"origin \"1,2\""},
        {L"1,2,3,4 1,0,0 0,1,0", L"origin"},
        {L"0,0,0 1,,0 0,1,0", L"X axis \"1,,0\""},
        {L"0,0,0 1,0,0 a,b,c", L"Y axis \"a,b,c\""},
        {L"0,0,0 inf,0,0 0,1,0", L"X axis"},
        {L"0,0,0 1e999,0,0 0,1,0", L"X axis"},
        {L"0,0,0 ++1,0,0 0,1,0", L"X axis"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        std::wstring error;
        EXPECT_FALSE(plandor::parseUcsArguments(c.arguments, error).has_value());
        EXPECT_NE(error.find(c.mentions), std::wstring::npos) << std::string(error.begin(), error.end());
    }
}

class UcsCommandRun : public ::testing::Test {
protected:
    void TearDown() override { plsim::resetUcs(); }
};

TEST_F(UcsCommandRun, SetShowsTheSystemInForceAndRefusalsKeepIt) {
    const std::wstring rotated =
        L"UCS: origin 1,2,3, X axis 0,1,0, Y axis 0,0,1, Z axis 1,0,0 (world coordinates)";
    EXPECT_EQ(plandor::runUcsCommand(L"1,2,3 0,2,0 0,0,5"), std::vector<std::wstring>{rotated});
    // Y is made perpendicular to X within their plane.
    EXPECT_EQ(plandor::runUcsCommand(L"1,2,3 0,1,0 0,1,1"), std::vector<std::wstring>{rotated});

    for (const wchar_t* refused : {L"0,0,0 1,0,0 2,0,0", L"0,0,0 0,0,0 0,1,0", L"0,0,0 1,0,0 0,0,0", L"1,2"}) {
        SCOPED_TRACE(refused);
        const std::vector<std::wstring> lines = plandor::runUcsCommand(refused);
        ASSERT_FALSE(lines.empty());
        EXPECT_NE(lines.back().find(L"unchanged"), std::wstring::npos);
        EXPECT_EQ(plandor::runUcsCommand(L""), std::vector<std::wstring>{rotated});
    }

    EXPECT_EQ(plandor::runUcsCommand(L"world"),
              std::vector<std::wstring>{L"UCS: origin 0,0,0, X axis 1,0,0, Y axis 0,1,0, Z axis 0,0,1 (world coordinates)"});
}

}  // namespace
