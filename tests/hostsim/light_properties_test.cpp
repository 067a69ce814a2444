// Guards against setters that accept bad values or change the light when
// they refuse, setters that write to a light not open for write, and shadow and attenuation
// records that lose or corrupt fields.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <sstream>
#include <string>

#include "tests/hostsim/drawing_fixture.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

double degrees(double d) { return d * kPi / 180.0; }

/// Every property of a light as one text, to see that nothing moved.
std::wstring stateOf(const PlDbLight& l) {
    std::wostringstream out;
    PlGiShadowParameters s;
    l.shadowParameters(s);
    const PlGiLightAttenuation& a = l.lightAttenuation();
    auto p = [&out](const PlGePoint3d& v) { out << v.x << ',' << v.y << ',' << v.z << ' '; };
    auto v = [&out](const PlGeVector3d& w) { out << w.x << ',' << w.y << ',' << w.z << ' '; };
    out << l.lightKind() << ' ' << l.name() << '|' << l.isOn() << ' ' << l.intensity() << ' '
        << l.lightColor().getDescription().str() << ' ' << l.hotspotAngle() << ' ' << l.falloffAngle() << ' ';
    v(l.lightDirection());
    p(l.position());
    p(l.targetLocation());
    out << l.hasTarget() << ' ' << l.webFile() << '|';
    v(l.webRotation());
    out << l.physicalIntensity() << ' ' << l.physicalIntensityMethod() << ' ' << l.illuminanceDistance() << ' '
        << l.lampColorType() << ' ' << l.lampColorTemp() << ' ' << l.lampColorPreset() << ' ' << s.shadowsOn() << ' '
        << s.shadowType() << ' ' << s.shadowMapSize() << ' ' << int{s.shadowMapSoftness()} << ' ' << s.shadowSamples()
        << ' ' << s.shapeVisibility() << ' ' << s.extendedLightShape() << ' ' << s.extendedLightLength() << ' '
        << s.extendedLightWidth() << ' ' << s.extendedLightRadius() << ' ' << a.attenuationType() << ' '
        << a.useLimits() << ' ' << a.startLimit() << ' ' << a.endLimit();
    return out.str();
}

struct Setter {
    const char* what;
    std::function<Plad::ErrorStatus(PlDbLight&)> set;
};

using LightPropertiesTest = DrawingTest;

TEST_F(LightPropertiesTest, BadValuesAreRefusedAndNothingChanges) {
    const Setter refused[] = {
        {"kind 4", [](PlDbLight& l) { return l.setLightKind(4); }},
        {"negative intensity", [](PlDbLight& l) { return l.setIntensity(-0.5); }},
        {"NaN intensity", [](PlDbLight& l) { return l.setIntensity(kNaN); }},
        {"negative hotspot", [](PlDbLight& l) { return l.setHotspotAndFalloff(-0.1, 1.0); }},
        {"falloff of half a turn", [](PlDbLight& l) { return l.setHotspotAndFalloff(0.5, kPi); }},
        {"zero direction", [](PlDbLight& l) { return l.setLightDirection(PlGeVector3d(0, 0, 0)); }},
        {"tiny direction", [](PlDbLight& l) { return l.setLightDirection(PlGeVector3d(1e-14, 0, 0)); }},
        {"infinite position", [](PlDbLight& l) { return l.setPosition(PlGePoint3d(kInf, 0, 0)); }},
        {"NaN target", [](PlDbLight& l) { return l.setTargetLocation(PlGePoint3d(0, kNaN, 0)); }},
        {"NaN web rotation", [](PlDbLight& l) { return l.setWebRotation(PlGeVector3d(0, 0, kNaN)); }},
        {"negative physical intensity", [](PlDbLight& l) { return l.setPhysicalIntensity(-1); }},
        {"method 3",
         [](PlDbLight& l) { return l.setPhysicalIntensityMethod(static_cast<PlDbLight::PhysicalIntensityMethod>(3)); }},
        {"zero distance", [](PlDbLight& l) { return l.setIlluminanceDistance(0.0); }},
        {"lamp colour type 2",
         [](PlDbLight& l) { return l.setLampColorType(static_cast<PlDbLight::LampColorType>(2)); }},
        {"-1 K", [](PlDbLight& l) { return l.setLampColorTemp(-1.0); }},
        {"preset 14", [](PlDbLight& l) { return l.setLampColorPreset(static_cast<PlDbLight::LampColorPreset>(14)); }},
        {"empty name", [](PlDbLight& l) { return l.setName(L""); }},
        {"256 characters", [](PlDbLight& l) { return l.setName(std::wstring(256, L'a').c_str()); }},
        {"name with a tab", [](PlDbLight& l) { return l.setName(L"a\tb"); }},
    };
    PlDbLight* light = appendLight(L"Keeper");
    ASSERT_NE(nullptr, light);
    for (const Setter& s : refused) {
        SCOPED_TRACE(s.what);
        const std::wstring before = stateOf(*light);
        EXPECT_EQ(Plad::eInvalidInput, s.set(*light));
        EXPECT_EQ(before, stateOf(*light));
    }
    light->close();
}

TEST_F(LightPropertiesTest, NamesAndValuesAtTheEdgesAreAccepted) {
    PlDbLight light;
    for (const wchar_t c : std::wstring(L"<>/\\\":;?*|,=`")) {
        const wchar_t name[] = {L'L', c, L'1', 0};
        EXPECT_EQ(Plad::eInvalidInput, light.setName(name)) << static_cast<int>(c);
    }
    EXPECT_EQ(Plad::eOk, light.setName(L"Spot light #1 (north) & co."));
    EXPECT_EQ(Plad::eOk, light.setName(std::wstring(255, L'z').c_str()));
    // A hotspot wider than the falloff is kept as given.
    EXPECT_EQ(Plad::eOk, light.setHotspotAndFalloff(degrees(60), degrees(30)));
    EXPECT_EQ(degrees(60), light.hotspotAngle());
    EXPECT_EQ(degrees(30), light.falloffAngle());
    EXPECT_EQ(Plad::eOk, light.setHotspotAndFalloff(0.0, degrees(179.9)));
    for (int kind : {1, 2, 3, 10}) EXPECT_EQ(Plad::eOk, light.setLightKind(kind));
    EXPECT_EQ(Plad::eOk, light.setLampColorTemp(0.0));
    EXPECT_EQ(Plad::eOk, light.setIlluminanceDistance(1e-6));
    EXPECT_EQ(Plad::eOk, light.setLightDirection(PlGeVector3d(0, 3, 4)));
    EXPECT_TRUE(PlGeVector3d(0, 0.6, 0.8).isEqualTo(light.lightDirection())) << "kept as a unit vector";
    EXPECT_EQ(Plad::eOk, light.setWebFile(L"lamp.ies"));
    EXPECT_EQ(Plad::eOk, light.setWebFile(nullptr));
    EXPECT_STREQ(L"", light.webFile());
}

TEST_F(LightPropertiesTest, ALightInADrawingChangesOnlyWhileOpenForWrite) {
    PlGiShadowParameters shadow;
    shadow.setShadowsOn(false);
    PlGiLightAttenuation attenuation;
    attenuation.setUseLimits(true);
    PlCmColor red;
    red.setColorIndex(1);
    const Setter valid[] = {
        {"name", [](PlDbLight& l) { return l.setName(L"Renamed"); }},
        {"intensity", [](PlDbLight& l) { return l.setIntensity(2.5); }},
        {"colour", [&](PlDbLight& l) { return l.setLightColor(red); }},
        {"attenuation", [&](PlDbLight& l) { return l.setLightAttenuation(attenuation); }},
        {"shadow", [&](PlDbLight& l) { return l.setShadowParameters(shadow); }},
        {"direction", [](PlDbLight& l) { return l.setLightDirection(PlGeVector3d(1, 0, 0)); }},
        {"position", [](PlDbLight& l) { return l.setPosition(PlGePoint3d(1, 2, 3)); }},
        {"web file", [](PlDbLight& l) { return l.setWebFile(L"a.ies"); }},
        {"temperature", [](PlDbLight& l) { return l.setLampColorTemp(5000); }},
        {"layer", [&](PlDbLight& l) { return l.setLayer(db->layerId(L"0")); }},
    };
    const PlDbObjectId id = addClosedLight(L"Reader");
    PlDbLight* light = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(light, id, PlDb::kForRead));
    for (const Setter& s : valid) {
        SCOPED_TRACE(s.what);
        const std::wstring before = stateOf(*light);
        EXPECT_EQ(Plad::eNotOpenForWrite, s.set(*light));
        EXPECT_EQ(before, stateOf(*light));
    }
    ASSERT_EQ(Plad::eOk, light->upgradeOpen());
    for (const Setter& s : valid) {
        SCOPED_TRACE(s.what);
        EXPECT_EQ(Plad::eOk, s.set(*light));
    }
    EXPECT_STREQ(L"Renamed", light->name());
    EXPECT_EQ(L"red", light->lightColor().getDescription().str());
    PlGiShadowParameters stored;
    light->shadowParameters(stored);
    EXPECT_TRUE(stored == shadow);
    EXPECT_TRUE(light->lightAttenuation().useLimits());
    light->close();
}

TEST(ShadowAndAttenuationTest, OutOfRangeValuesAreRefusedAndTheOldKept) {
    PlGiShadowParameters shadow;
    EXPECT_TRUE(shadow.setShadowMapSize(64));
    for (std::uint16_t size : {0, 32, 100, 8192}) EXPECT_FALSE(shadow.setShadowMapSize(size)) << size;
    EXPECT_EQ(64, shadow.shadowMapSize());
    EXPECT_FALSE(shadow.setShadowMapSoftness(0));
    EXPECT_FALSE(shadow.setShadowMapSoftness(11));
    EXPECT_TRUE(shadow.setExtendedLightShape(PlGiShadowParameters::kSphere));
    EXPECT_FALSE(shadow.setExtendedLightShape(static_cast<PlGiShadowParameters::ExtendedLightShape>(5)));
    EXPECT_FALSE(shadow.setExtendedLightShape(static_cast<PlGiShadowParameters::ExtendedLightShape>(-1)));
    EXPECT_EQ(PlGiShadowParameters::kSphere, shadow.extendedLightShape());
    EXPECT_FALSE(shadow.setExtendedLightLength(-1.0));
    EXPECT_FALSE(shadow.setExtendedLightWidth(kNaN));
    EXPECT_FALSE(shadow.setExtendedLightRadius(kInf));
    EXPECT_EQ(1.0, shadow.extendedLightWidth());
    shadow.setShadowType(PlGiShadowParameters::kAreaSampled);
    shadow.setShadowType(static_cast<PlGiShadowParameters::ShadowType>(-1));  // the "off" of a menu
    EXPECT_EQ(PlGiShadowParameters::kAreaSampled, shadow.shadowType());

    PlGiLightAttenuation attenuation;
    attenuation.setLimits(-2.0, -1.0);  // a start derived below zero is kept
    attenuation.setLimits(kNaN, 5.0);
    attenuation.setLimits(5.0, kInf);
    EXPECT_EQ(-2.0, attenuation.startLimit());
    EXPECT_EQ(-1.0, attenuation.endLimit());
    attenuation.setAttenuationType(PlGiLightAttenuation::kInverseSquare);
    attenuation.setAttenuationType(static_cast<PlGiLightAttenuation::AttenuationType>(3));
    EXPECT_EQ(PlGiLightAttenuation::kInverseSquare, attenuation.attenuationType());
}

}  // namespace

// A light aims at its target: moving either end turns it, unless they coincide.
TEST(LightAim, DirectionFollowsPositionAndTarget) {
    PlDbLight light;
    ASSERT_EQ(Plad::eOk, light.setPosition(PlGePoint3d(1, 1, 1)));
    ASSERT_EQ(Plad::eOk, light.setTargetLocation(PlGePoint3d(1, 1, 4)));
    EXPECT_TRUE(PlGeVector3d(0, 0, 1).isEqualTo(light.lightDirection()));
    ASSERT_EQ(Plad::eOk, light.setPosition(PlGePoint3d(1, 5, 4)));
    EXPECT_TRUE(PlGeVector3d(0, -1, 0).isEqualTo(light.lightDirection()));
    ASSERT_EQ(Plad::eOk, light.setTargetLocation(PlGePoint3d(1, 5, 4)));
    EXPECT_TRUE(PlGeVector3d(0, -1, 0).isEqualTo(light.lightDirection())) << "no aim when the ends coincide";
    // Ends whose difference no double holds, and a direction whose length none does.
    ASSERT_EQ(Plad::eOk, light.setPosition(PlGePoint3d(-1.7e308, 0, 0)));
    ASSERT_EQ(Plad::eOk, light.setTargetLocation(PlGePoint3d(1.7e308, 0, 0)));
    EXPECT_TRUE(PlGeVector3d(1, 0, 0).isEqualTo(light.lightDirection()));
    ASSERT_EQ(Plad::eOk, light.setLightDirection(PlGeVector3d(0, -1.7e308, -1.7e308)));
    EXPECT_TRUE(PlGeVector3d(0, -std::sqrt(0.5), -std::sqrt(0.5)).isEqualTo(light.lightDirection()));
}
