// Guards placing every kind of light: kind, target, placement, layer, name and
// shadow settings; discarding on cancel; the LIGHT kind memory; direction input.
#include <cmath>

#include "common/SysVars.h"
#include "light_fixture.h"
#include "lights/DirectionInput.h"

namespace {

struct PlacementCase {
    const char* name;
    LightType type;
    std::vector<std::wstring> replies;
    int kind;
    bool hasTarget;
    PlGePoint3d position, target;
    PlGeVector3d direction;
    const wchar_t* lightName;
};

const double kInvRoot3 = 1.0 / std::sqrt(3.0);

TEST_F(LightCommandTest, EveryCommandPlacesItsLight) {
    const PlacementCase cases[] = {
        {"light, first time", kLightAnyKind, {L"", L"7,7,7", L""}, 3, false, {7, 7, 7}, {7, 7, -3}, {0, 0, -1},
         L"Spotlight1"},
        {"spot", kLightSpot, {L"1,2,3", L"1,2,0", L""}, 3, true, {1, 2, 3}, {1, 2, 0}, {0, 0, -1}, L"Spotlight2"},
        {"free spot", kLightFreeSpot, {L"1,2,3", L""}, 3, false, {1, 2, 3}, {1, 2, -7}, {0, 0, -1}, L"Spotlight3"},
        {"point", kLightPoint, {L"4,5,6", L""}, 2, false, {4, 5, 6}, {4, 5, -4}, {0, 0, -1}, L"Pointlight1"},
        {"target point", kLightTargetPoint, {L"1,1,1", L"1,1,1", L""}, 2, true, {1, 1, 1}, {1, 1, 1},
         {0, 0, -1}, L"Pointlight2"},
        {"web", kLightWeb, {L"0,0,5", L"3,0,5", L""}, 10, true, {0, 0, 5}, {3, 0, 5}, {1, 0, 0}, L"Weblight1"},
        {"free web", kLightFreeWeb, {L"0,0,5", L""}, 10, false, {0, 0, 5}, {0, 0, -5}, {0, 0, -1}, L"Weblight2"},
        {"distant", kLightDistant, {L"", L"", L""}, 1, false, {0, 0, 0}, {1, 1, 1},
         {kInvRoot3, kInvRoot3, kInvRoot3}, L"Distantlight1"},
    };
    std::size_t count = 0;
    for (const PlacementCase& c : cases) {
        for (const std::wstring& reply : c.replies) plsim::queueReply(reply);
        ZuredUDKMX::doLightCommand(c.type);
        EXPECT_EQ(plsim::pendingReplies(), 0u) << c.name;
        EXPECT_EQ(plsim::openObjectCount(), 0) << c.name;
        const auto all = lights();
        ASSERT_EQ(all.size(), ++count) << c.name;
        const plsim::scene::LightInfo& light = all.back();
        EXPECT_EQ(light.kind, c.kind) << c.name;
        EXPECT_EQ(light.hasTarget, c.hasTarget) << c.name;
        expectPoint(light.position, c.position.x, c.position.y, c.position.z, c.name);
        expectPoint(light.target, c.target.x, c.target.y, c.target.z, c.name);
        if (c.hasTarget || c.kind == 1)
            expectVector(light.direction, c.direction.x, c.direction.y, c.direction.z, c.name);
        EXPECT_EQ(light.name, c.lightName) << c.name;
        EXPECT_EQ(light.layer, L"Lights") << c.name;
        EXPECT_TRUE(light.shadow.on) << c.name;
        EXPECT_EQ(light.shadow.type, 0) << c.name;
        if (c.kind == 3) {
            EXPECT_EQ(light.shadow.shape, 1) << c.name;
        }
    }
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 0) << "a scripted light switches default lighting off";
}

TEST_F(LightCommandTest, CancelAtTheMenuLeavesNoLightAndSaysNothing) {
    const std::wstring text = run(kLightSpot, {L"1,2,3", L"1,2,0", L"^C"});
    EXPECT_TRUE(lights().empty());
    EXPECT_FALSE(contains(text, msg::kLightNotCreated));
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1) << "no light, so default lighting stays";
    run(kLightPoint, {L"^C"});
    EXPECT_TRUE(lights().empty());
}

TEST_F(LightCommandTest, ExitKeepsTheLight) {
    run(kLightPoint, {L"1,1,1", L"X"});
    EXPECT_EQ(lights().size(), 1u);
}

TEST_F(LightCommandTest, LightRepeatsTheLastKind) {
    run(kLightAnyKind, {L"Targetpoint", L"0,0,0", L"0,0,3", L""});
    run(kLightAnyKind, {L"", L"1,0,0", L"1,0,3", L""});
    const auto all = lights();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].kind, 2);
    EXPECT_TRUE(all[1].hasTarget);
    // A distant light keeps the targeted flag of the point light for later.
    run(kLightAnyKind, {L"Distant", L"", L"", L""});
    run(kLightAnyKind, {L"", L"", L"", L""});
    EXPECT_EQ(lights().back().kind, 1);
    run(kLightAnyKind, {L"Point", L"0,0,0", L""});
    EXPECT_FALSE(lights().back().hasTarget);
}

TEST_F(LightCommandTest, WebLightsNeedPhotometricUnits) {
    ASSERT_TRUE(plsim::setVar(L"LIGHTINGUNITS", L"0"));
    const std::wstring text = run(kLightWeb, {});
    EXPECT_TRUE(contains(text, msg::kWebNeedsPhotometry));
    EXPECT_FALSE(contains(text, msg::kLightNotCreated));
    EXPECT_TRUE(lights().empty());
}

TEST_F(LightCommandTest, ViewportOneForADirectKind) {
    ASSERT_TRUE(plsim::setVar(L"CVPORT", L"1"));
    const std::wstring text = run(kLightAnyKind, {});
    EXPECT_TRUE(contains(text, msg::kNotInThisViewport));
    EXPECT_TRUE(lights().empty());
}

TEST_F(LightCommandTest, ASpotCannotAimAtItsOwnPosition) {
    run(kLightSpot, {L"2,2,2", L"2,2,2", L"2,2,0", L""});
    const auto all = lights();
    ASSERT_EQ(all.size(), 1u);
    expectPoint(all[0].target, 2, 2, 0, "target asked again");
}

TEST_F(LightCommandTest, FreeLightTargetFollowsTheUserZAxis) {
    // User X along world Y, user Y along world Z: user Z is world X.
    ASSERT_TRUE(plsim::setUcs(0, 0, 0, 0, 1, 0, 0, 0, 1));
    run(kLightFreeSpot, {L"0,0,0", L""});
    const auto all = lights();
    ASSERT_EQ(all.size(), 1u);
    expectPoint(all[0].position, 0, 0, 0, "position");
    expectPoint(all[0].target, -10, 0, 0, "10 below along user Z");
}

TEST_F(LightCommandTest, EnterAtThePositionPlacesAtTheOrigin) {
    run(kLightFreeSpot, {L"", L""});
    run(kLightSpot, {L"", L"", L""});
    for (const auto& light : lights()) {
        expectPoint(light.position, 0, 0, 0, "position");
        expectPoint(light.target, 0, 0, -10, "target");
    }
}

struct VectorCase {
    const char* name;
    std::vector<std::wstring> replies;  // after the vector keyword
    PlGeVector3d direction;
    int rejected;  // times message msg::kInvalidVector is printed
};

TEST_F(LightCommandTest, TypedDirectionVectors) {
    const double n = std::sqrt(14.0);
    const double e = std::sqrt(0.0001 + 1.0);
    const VectorCase cases[] = {
        {"three numbers", {L"1,2,3"}, {1 / n, 2 / n, 3 / n}, 0},
        {"two numbers, then three", {L"1,2", L"1,2,3"}, {1 / n, 2 / n, 3 / n}, 1},
        {"comma at the end", {L"1,2,", L"0,0,1"}, {0, 0, 1}, 1},
        {"zero length", {L"0,0,0", L"0,0,2"}, {0, 0, 1}, 1},
        {"not numbers", {L"a,b,c", L"0,0,-1"}, {0, 0, -1}, 1},
        {"empty", {L""}, {0, -0.01 / e, 1 / e}, 0},
    };
    for (const VectorCase& c : cases) {
        plsim::queueReply(L"Vector");
        for (const std::wstring& reply : c.replies) plsim::queueReply(reply);
        plsim::queueReply(L"");
        plsim::clearTranscript();
        ZuredUDKMX::doLightCommand(kLightDistant);
        const std::wstring text = takeTranscript();
        const auto all = lights();
        ASSERT_FALSE(all.empty()) << c.name;
        expectVector(all.back().direction, c.direction.x, c.direction.y, c.direction.z, c.name);
        EXPECT_EQ(count(text, msg::kInvalidVector), c.rejected) << c.name;
    }
}

TEST_F(LightCommandTest, CoincidentDirectionPointsAreAskedAgain) {
    const std::wstring text = run(kLightDistant, {L"1,1,1", L"1,1,1", L"1,1,2", L""});
    EXPECT_TRUE(contains(text, msg::kSamePoints));
    expectVector(lights().back().direction, 0, 0, 1, "direction");
}

TEST_F(LightCommandTest, PointsAtTheEndsOfTheRangeGiveADirection) {
    // Their difference is too large for a double; the fixture also checks the light refused nothing.
    run(kLightSpot, {L"-1.7e308,0,0", L"1.7e308,0,0", L""});
    expectVector(lights().back().direction, 1, 0, 0, "spot");
    run(kLightDistant, {L"0,-1.7e308,0", L"0,1.7e308,0", L""});
    expectVector(lights().back().direction, 0, 1, 0, "distant");
}

TEST_F(LightCommandTest, DirectionFromABasePointKeepsTheOldOneForThePointItself) {
    const double base[3] = {1, 2, 3};
    PlGeVector3d direction(0, 0, -1);
    PlGePoint3d point;
    for (const wchar_t* reply : {L"1,2,3", L"1,2,5", L"", L"^C"}) {
        if (std::wstring(reply) == L"^C") plsim::queueCancel();
        else plsim::queueReply(reply);
    }
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point));
    expectVector(direction, 0, 0, -1, "the base point itself gives no direction");
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point));
    expectVector(direction, 0, 0, 1, "towards 1,2,5");
    expectPoint(point, 1, 2, 5, "the point picked");
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point)) << "Enter keeps both";
    expectPoint(point, 1, 2, 5, "kept");
    EXPECT_FALSE(JigUtil::GetVectorDirection(direction, base, point));
}

TEST(DirectionVector, Parsing) {
    PlGeVector3d v;
    EXPECT_FALSE(JigUtil::parseDirectionVector(L"", v));
    EXPECT_FALSE(JigUtil::parseDirectionVector(L"1", v));
    EXPECT_FALSE(JigUtil::parseDirectionVector(L"1,2", v));
    EXPECT_FALSE(JigUtil::parseDirectionVector(L",,", v));
}

}  // namespace
