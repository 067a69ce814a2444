// Guards placing every kind of light: kind, target, placement, layer and name; discarding on
// cancel; the distant-light warning; the LIGHT kind memory; direction input.
#include <cmath>

#include "common/SysVars.h"
#include "light_fixture.h"
#include "lights/DirectionInput.h"

namespace {

struct PlacementCase : LightCommandCase {
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
        {"point, eXit", kLightPoint, {L"4,5,6", L"X"}, 2, false, {4, 5, 6}, {4, 5, -4}, {0, 0, -1}, L"Pointlight1"},
        {"target point", kLightTargetPoint, {L"1,1,1", L"1,1,1", L""}, 2, true, {1, 1, 1}, {1, 1, 1},
         {0, 0, -1}, L"Pointlight2"},
        {"web", kLightWeb, {L"0,0,5", L"3,0,5", L""}, 10, true, {0, 0, 5}, {3, 0, 5}, {1, 0, 0}, L"Weblight1"},
        {"free web", kLightFreeWeb, {L"0,0,5", L""}, 10, false, {0, 0, 5}, {0, 0, -5}, {0, 0, -1}, L"Weblight2"},
        {"distant", kLightDistant, {L"", L"", L""}, 1, false, {0, 0, 0}, {1, 1, 1},
         {kInvRoot3, kInvRoot3, kInvRoot3}, L"Distantlight1"},
        {"a spot aimed at itself asks again", kLightSpot, {L"2,2,2", L"2,2,2", L"2,2,0", L""}, 3, true, {2, 2, 2},
         {2, 2, 0}, {0, 0, -1}, L"Spotlight4"},
    };
    std::size_t count = 0;
    for (const PlacementCase& c : cases) {
        run(c.type, c.replies);
        const auto all = lights();
        ASSERT_EQ(all.size(), ++count) << c.name;
        const plsim::scene::LightInfo& light = all.back();
        EXPECT_EQ(light.kind, c.kind) << c.name;
        EXPECT_EQ(light.hasTarget, c.hasTarget) << c.name;
        expectNear(light.position, c.position.x, c.position.y, c.position.z, c.name);
        expectNear(light.target, c.target.x, c.target.y, c.target.z, c.name);
        if (c.hasTarget || c.kind == 1)
            expectNear(light.direction, c.direction.x, c.direction.y, c.direction.z, c.name);
        EXPECT_EQ(light.name, c.lightName) << c.name;
        EXPECT_EQ(light.layer, L"Lights") << c.name;
    }
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 0) << "a scripted light switches default lighting off";
}

TEST_F(LightCommandTest, CancelAtTheMenuLeavesNoLightAndSaysNothing) {
    const std::wstring text = run(kLightSpot, {L"1,2,3", L"1,2,0", L"^C"});
    EXPECT_TRUE(lights().empty());
    EXPECT_EQ(count(text, msg::kLightNotCreated), 0);
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1) << "no light, so default lighting stays";
    plsim::setScriptActive(false);  // a cancel at the default-lighting question ends it as silently
    EXPECT_EQ(run(kLightPoint, {L"^C"}).find(message(msg::kLightNotCreated)), std::wstring::npos);
    EXPECT_TRUE(lights().empty());
    EXPECT_EQ(getSysVarInt(L"DEFAULTLIGHTING"), 1);
}

TEST_F(LightCommandTest, TheDistantWarningRefusesItsFirstButtonWhileItsBoxIsTicked) {
    plsim::setScriptActive(false);
    ASSERT_TRUE(plsim::setVar(L"DEFAULTLIGHTING", L"0"));  // no question before the warning
    const std::wstring text = run(kLightDistant, {L"V", L"1001", L"V", L"1001"});
    EXPECT_EQ(occurrences(text, L"Choose one of the buttons shown"), 1) << "taken once the box is clear again";
    EXPECT_TRUE(lights().empty());
}

TEST_F(LightCommandTest, LightRepeatsTheLastKind) {
    run(kLightAnyKind, {L"Targetpoint", L"0,0,0", L"0,0,3", L""});
    run(kLightAnyKind, {L"", L"1,0,0", L"1,0,3", L""});
    EXPECT_EQ(last().kind, 2);
    EXPECT_TRUE(last().hasTarget);
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
    EXPECT_EQ(count(text, msg::kWebNeedsPhotometry), 1);
    EXPECT_EQ(count(text, msg::kLightNotCreated), 0);
    EXPECT_TRUE(lights().empty());
}

struct UcsCase : LightCommandCase {
    PlGePoint3d position, target;  // in world coordinates
};

TEST_F(LightCommandTest, PositionsUnderAUserCoordinateSystem) {
    // Origin 5,5,5; user X along world Y, user Y along world Z: user Z is world X.
    ASSERT_TRUE(plsim::setUcs(5, 5, 5, 0, 1, 0, 0, 0, 1));
    const UcsCase cases[] = {
        {"typed: a free light's target lies 10 below along user Z", kLightFreeSpot, {L"0,0,0", L""}, {5, 5, 5},
         {-5, 5, 5}},
        // Enter takes the prompt's <0,0,0> as the world origin and aims 10 down world Z.
        {"Enter at a free light's position", kLightFreeSpot, {L"", L""}, {0, 0, 0}, {0, 0, -10}},
        {"Enter at the position and target", kLightSpot, {L"", L"", L""}, {0, 0, 0}, {0, 0, -10}},
        {"Enter at the target only", kLightSpot, {L"0,0,0", L"", L""}, {5, 5, 5}, {5, 5, -5}},
        {"typed direction", kLightDistant, {L"0,0,0", L"1,0,0", L""}, {5, 5, 5}, {5, 6, 5}},
        {"Enter at both direction points", kLightDistant, {L"", L"", L""}, {0, 0, 0}, {1, 1, 1}},
    };
    for (const UcsCase& c : cases) {
        run(c.type, c.replies);
        expectNear(last().position, c.position.x, c.position.y, c.position.z, c.name);
        expectNear(last().target, c.target.x, c.target.y, c.target.z, c.name);
    }
}

struct DirectionCase : LightCommandCase {  // replies: before the Enter at the menu
    PlGeVector3d direction;
    unsigned messageId;  // printed `times` times
    int times;
};

TEST_F(LightCommandTest, DirectionsByPointsAndTypedVectors) {
    const double n = std::sqrt(14.0);
    const double e = std::sqrt(0.0001 + 1.0);
    const DirectionCase cases[] = {
        {"three numbers", kLightDistant, {L"Vector", L"1,2,3"}, {1 / n, 2 / n, 3 / n}, msg::kInvalidVector, 0},
        {"two numbers, then three", kLightDistant, {L"Vector", L"1,2", L"1,2,3"}, {1 / n, 2 / n, 3 / n},
         msg::kInvalidVector, 1},
        {"comma at the end", kLightDistant, {L"Vector", L"1,2,", L"0,0,1"}, {0, 0, 1}, msg::kInvalidVector, 1},
        {"zero length", kLightDistant, {L"Vector", L"0,0,0", L"0,0,2"}, {0, 0, 1}, msg::kInvalidVector, 1},
        {"not numbers", kLightDistant, {L"Vector", L"a,b,c", L"0,0,-1"}, {0, 0, -1}, msg::kInvalidVector, 1},
        {"empty", kLightDistant, {L"Vector", L""}, {0, -0.01 / e, 1 / e}, msg::kInvalidVector, 0},
        {"coincident points are asked again", kLightDistant, {L"1,1,1", L"1,1,1", L"1,1,2"}, {0, 0, 1},
         msg::kSamePoints, 1},
        // Their difference is too large for a double; the fixture also checks the light refused nothing.
        {"spot, ends of the range", kLightSpot, {L"-1.7e308,0,0", L"1.7e308,0,0"}, {1, 0, 0}, msg::kSamePoints, 0},
        {"distant, ends of the range", kLightDistant, {L"0,-1.7e308,0", L"0,1.7e308,0"}, {0, 1, 0},
         msg::kSamePoints, 0},
    };
    for (const DirectionCase& c : cases) {
        const std::wstring text = run(c.type, then(c.replies, {L""}));
        expectNear(last().direction, c.direction.x, c.direction.y, c.direction.z, c.name);
        EXPECT_EQ(count(text, c.messageId), c.times) << c.name;
    }
}

TEST_F(LightCommandTest, DirectionFromABasePointKeepsTheOldOneForThePointItself) {
    const double base[3] = {1, 2, 3};
    PlGeVector3d direction(0, 0, -1);
    PlGePoint3d point;
    queue({L"1,2,3", L"1,2,5", L"", L"^C"});
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point));
    expectNear(direction, 0, 0, -1, "the base point itself gives no direction");
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point));
    expectNear(direction, 0, 0, 1, "towards 1,2,5");
    expectNear(point, 1, 2, 5, "the point picked");
    ASSERT_TRUE(JigUtil::GetVectorDirection(direction, base, point)) << "Enter keeps both";
    expectNear(point, 1, 2, 5, "kept");
    EXPECT_FALSE(JigUtil::GetVectorDirection(direction, base, point));
}

}  // namespace
