// Guards against light setters that accept bad values or change the light when they refuse or when it is not open
// for write, shadow and attenuation records that lose fields, light names that repeat or skip a free number or
// stay taken after an erase or a rename, case-sensitive look-ups, and duplicate light layers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "hostsim/sceneoe/scene_driver.h"
#include "tests/hostsim/drawing_fixture.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

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
    };
    PlDbLight* light = nullptr;
    ASSERT_EQ(Plad::eOk, pldbOpenObject(light, addClosedLight(L"Keeper"), PlDb::kForWrite));
    for (const Setter& s : refused) {
        SCOPED_TRACE(s.what);
        const std::wstring before = stateOf(*light);
        EXPECT_EQ(Plad::eInvalidInput, s.set(*light));
        EXPECT_EQ(before, stateOf(*light));
    }
    light->close();
}

TEST_F(LightPropertiesTest, ValuesAtTheEdgesAreKept) {
    PlDbLight light;
    // A hotspot wider than the falloff is kept as given.
    EXPECT_EQ(Plad::eOk, light.setHotspotAndFalloff(degrees(60), degrees(30)));
    EXPECT_EQ(degrees(60), light.hotspotAngle());
    EXPECT_EQ(degrees(30), light.falloffAngle());
    EXPECT_EQ(Plad::eOk, light.setLightDirection(PlGeVector3d(0, 3, 4)));
    EXPECT_TRUE(PlGeVector3d(0, 0.6, 0.8).isEqualTo(light.lightDirection())) << "kept as a unit vector";
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
        {"position", [](PlDbLight& l) { return l.setPosition(PlGePoint3d(1, 2, 3)); }},
        {"web file", [](PlDbLight& l) { return l.setWebFile(L"a.ies"); }},
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
    PlGiShadowParameters stored;
    light->shadowParameters(stored);
    EXPECT_TRUE(stored == shadow) << "the record is stored whole";
    light->close();
}

TEST(ShadowAndAttenuationTest, OutOfRangeValuesAreRefusedAndTheOldKept) {
    PlGiShadowParameters shadow;
    EXPECT_TRUE(shadow.setExtendedLightShape(PlGiShadowParameters::kSphere));
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
    // Records clone, copy and compare as values, every field counting.
    std::unique_ptr<PlRxObject> copy(attenuation.clone());
    EXPECT_TRUE(attenuation.isEqualTo(copy.get()));
    PlGiLightAttenuation other;
    EXPECT_FALSE(other.isEqualTo(&attenuation));
    EXPECT_EQ(Plad::eOk, other.copyFrom(&attenuation));
    EXPECT_TRUE(other == attenuation);
    EXPECT_EQ(Plad::eInvalidInput, other.copyFrom(&shadow));
    EXPECT_FALSE(other.isEqualTo(&shadow));
}

class LightNamesTest : public DrawingTest {
protected:
    static std::wstring next(const wchar_t* base) { return LightingUtil::findNextLightName(base).str(); }

    /// Opens `id` for write, runs `change` on the light and closes it.
    template <class Change>
    void edit(PlDbObjectId id, Change change) {
        PlDbLight* light = nullptr;
        ASSERT_EQ(Plad::eOk, pldbOpenObject(light, id, PlDb::kForWrite, true));
        change(*light);
        light->close();
    }
};

TEST_F(LightNamesTest, NumbersCountUpAndGapsAreFilledSmallestFirst) {
    EXPECT_EQ(L"Spotlight1", next(L"Spotlight"));
    std::vector<PlDbObjectId> ids;
    for (int i = 0; i < 5; ++i) ids.push_back(addClosedLight(next(L"Spotlight").c_str()));
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));

    edit(ids[3], [](PlDbLight& l) { l.erase(true); });  // Spotlight4
    edit(ids[1], [](PlDbLight& l) { l.erase(true); });  // Spotlight2
    EXPECT_EQ(L"Spotlight2", next(L"Spotlight"));
    addClosedLight(L"Spotlight2");
    EXPECT_EQ(L"Spotlight4", next(L"Spotlight"));
    addClosedLight(L"Spotlight4");
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));

    // An un-erased light takes its name back (and may then share it).
    edit(ids[1], [](PlDbLight& l) { l.erase(false); });
    EXPECT_EQ(L"Spotlight6", next(L"Spotlight"));
    PlDbObjectId found;
    EXPECT_EQ(Plad::eOk, PlLightServiceManager::idAt(found, L"Spotlight2", db));
}

TEST_F(LightNamesTest, NamesCompareIgnoringCaseAndOnlyWholeNumbersCount) {
    addClosedLight(L"SPOTLIGHT1");
    addClosedLight(L"spotlight2");
    addClosedLight(L"Spotlight04");   // not the number 4 written plainly
    addClosedLight(L"Spotlight3x");   // no number at the end
    addClosedLight(L"\u00c9toile1");  // a Latin-1 capital
    EXPECT_EQ(L"Spotlight3", next(L"Spotlight"));
    EXPECT_EQ(L"sPoTlIgHt3", next(L"sPoTlIgHt")) << "the base keeps the caller's letters";
    EXPECT_EQ(L"\u00e9toile2", next(L"\u00e9toile"));
    // A base that ends in a digit is numbered after it.
    addClosedLight(L"Lamp21");
    EXPECT_EQ(L"Lamp22", next(L"Lamp2"));
    EXPECT_EQ(L"Lamp1", next(L"Lamp"));
}

TEST_F(LightNamesTest, RenamesMoveTheNameAndIdAtFindsOnlyLightsThatAreThere) {
    addClosedLight(L"Spotlight1");
    const PlDbObjectId second = addClosedLight(L"Spotlight2");
    edit(second, [](PlDbLight& l) {
        EXPECT_EQ(Plad::eDuplicateKey, l.setName(L"spotlight1"));
        EXPECT_STREQ(L"Spotlight2", l.name());
        EXPECT_EQ(Plad::eOk, l.setName(L"SPOTLIGHT2")) << "a light may keep its own name";
        EXPECT_EQ(Plad::eOk, l.setName(L"Desk lamp"));
    });
    EXPECT_EQ(L"Spotlight2", next(L"Spotlight"));
    PlDbObjectId found;
    EXPECT_EQ(Plad::eOk, PlLightServiceManager::idAt(found, L"desk LAMP", db));
    EXPECT_EQ(second, found);
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, L"Spotlight2", db));
    EXPECT_TRUE(found.isNull());
    EXPECT_EQ(Plad::eNoDatabase, PlLightServiceManager::idAt(found, L"Spotlight1", nullptr));
    edit(second, [](PlDbLight& l) { l.erase(true); });
    EXPECT_EQ(Plad::eKeyNotFound, PlLightServiceManager::idAt(found, L"Desk lamp", db));

    // A light outside the drawing is checked against the working drawing.
    PlDbLight loose;
    EXPECT_EQ(Plad::eDuplicateKey, loose.setName(L"Spotlight1"));
    EXPECT_EQ(Plad::eOk, loose.setName(L"Desk Lamp"));
}

TEST_F(LightNamesTest, NoNameWithoutADrawingOrABase) {
    EXPECT_EQ(L"", next(L""));
    EXPECT_EQ(L"", next(nullptr));
    EXPECT_EQ(L"", next(L"Bad:base")) << "no light could bear it";
    EXPECT_EQ(L"", next(std::wstring(255, L'x').c_str())) << "too long with its number";
    EXPECT_EQ(std::wstring(254, L'x') + L"1", next(std::wstring(254, L'x').c_str())) << "just long enough";
    plsim::closeDrawing(doc);
    EXPECT_EQ(L"", next(L"Spotlight"));
    PlDbObjectId layer;
    EXPECT_EQ(Plad::eNoDatabase, LightingUtil::getLightsLayer(layer));
    EXPECT_TRUE(layer.isNull());
}

// Against a plain count of the names in use: lights named, erased, brought back (two may then share a name) and
// renamed in a fixed pseudo-random order; after each step the next number is the smallest no light bears, and
// each name is found while a light bears it.
TEST_F(LightNamesTest, NumbersFollowEveryChangeOfTheNamesInUse) {
    struct Light {
        PlDbObjectId id;
        int number;  // of its name "Spotlight<number>"; 0 for another name
        bool erased;
    };
    std::vector<Light> lights;
    auto bears = [&lights](int n) {
        return std::any_of(lights.begin(), lights.end(), [n](const Light& l) { return !l.erased && l.number == n; });
    };
    auto name = [](int number) { return L"spotLIGHT" + std::to_wstring(number); };
    std::mt19937 random(17);
    for (int step = 0; step < 300; ++step) {
        const int number = static_cast<int>(random() % 12) + 1;
        const unsigned action = lights.size() < 3 ? 0 : random() % 4;
        Light* some = action == 0 ? nullptr : &lights[random() % lights.size()];
        switch (action) {
            case 0:  // a new light under a free number
                if (!bears(number)) lights.push_back({addClosedLight(name(number).c_str()), number, false});
                break;
            case 1:  // erased, or brought back
                edit(some->id, [&](PlDbLight& l) { l.erase(!some->erased); });
                some->erased = !some->erased;
                break;
            case 2: {  // renamed to a number, refused while another light bears it
                if (some->erased) break;
                const bool taken = std::any_of(lights.begin(), lights.end(), [&](const Light& l) {
                    return &l != some && !l.erased && l.number == number;
                });
                edit(some->id, [&](PlDbLight& l) {
                    EXPECT_EQ(taken ? Plad::eDuplicateKey : Plad::eOk, l.setName(name(number).c_str()));
                });
                if (!taken) some->number = number;
                break;
            }
            default:  // renamed to a name without a number
                if (some->erased) break;
                edit(some->id, [&](PlDbLight& l) { l.setName((L"Desk " + std::to_wstring(step)).c_str()); });
                some->number = 0;
        }
        int free = 1;
        while (bears(free)) ++free;
        ASSERT_EQ(L"Spotlight" + std::to_wstring(free), next(L"Spotlight")) << "step " << step;
        for (int n = 1; n <= 12; ++n) {
            PlDbObjectId found;
            EXPECT_EQ(bears(n), PlLightServiceManager::idAt(found, name(n).c_str(), db) == Plad::eOk) << n;
        }
    }
}

// Every character up to the end of Latin Extended-A, in a name.
TEST_F(LightNamesTest, NamesRefuseControlCharactersAndTheHostsPunctuation) {
    const std::wstring_view forbidden = L"<>/\\\":;?*|,=`";
    for (wchar_t c = 1; c < 0x180; ++c) {
        const bool refused = c < 0x20 || c == 0x7F || forbidden.find(c) != std::wstring_view::npos;
        PlDbLight light;
        EXPECT_EQ(refused ? Plad::eInvalidInput : Plad::eOk, light.setName((L"a" + std::wstring(1, c)).c_str()))
            << static_cast<int>(c);
    }
    static_cast<void>(plsim::scene::takeRefusedLightValues());
}

TEST_F(LightNamesTest, TheLightsLayerIsMadeOnce) {
    PlDbObjectId made, again;
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(made));
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(again));
    EXPECT_EQ(made, again);
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"Lights"}), plsim::layerNames(db));

    PlApDocument* second = plsim::openDrawing(L"Drawing2");
    PlDbObjectId existing;
    ASSERT_EQ(Plad::eOk, second->database()->addLayer(L"LIGHTS", existing));
    PlDbObjectId found;
    ASSERT_EQ(Plad::eOk, LightingUtil::getLightsLayer(found));
    EXPECT_EQ(existing, found) << "an existing layer of another case is used";
}

}  // namespace

// A light aims at its target: moving either end turns it, unless they coincide.
TEST(LightAim, DirectionFollowsPositionAndTarget) {
    PlDbLight light;
    ASSERT_EQ(Plad::eOk, light.setTargetLocation(PlGePoint3d(1, 1, 4)));
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
