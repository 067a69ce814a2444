// Guards the shadow option against wrong types stored, map sizes and softness taken that must
// be refused (or refused that must be taken), fields stored while shadows go off, lost working
// values, and a shape sub-menu that asks the wrong dimensions or shows the wrong default.
#include "light_fixture.h"

namespace {

using ShadowOptionsTest = LightCommandTest;

struct TypeCase {
    const char* name;
    std::vector<std::wstring> replies;
    bool on;
    int type;
    unsigned mapSize, softness;
    int refusedSizes, refusedSoftness;  // times msg::kInvalidMapSize and msg::kInvalidSoftness are printed
};

TEST_F(ShadowOptionsTest, TypesMapSizesAndSoftness) {
    const TypeCase cases[] = {
        {"sharp", {L"shadoW", L"Sharp"}, true, 0, 256, 1, 0, 0},
        {"soFt", {L"shadoW", L"soFt", L"512", L"3"}, true, 1, 512, 3, 0, 0},
        {"shortcut", {L"shadoW", L"f", L"4096", L"10"}, true, 1, 4096, 10, 0, 0},
        {"512.0 is 512", {L"shadoW", L"soFt", L"512.0", L"1"}, true, 1, 512, 1, 0, 0},
        {"sizes refused", {L"shadoW", L"soFt", L"100", L"64.5", L"8192", L"big", L"0", L"64", L""},
         true, 1, 64, 1, 5, 0},
        {"softness refused", {L"shadoW", L"soFt", L"", L"0", L"11", L"2.5", L"-3", L"soft", L"7"},
         true, 1, 256, 7, 0, 5},
        {"Enter keeps size and softness", {L"shadoW", L"soFt", L"", L""}, true, 1, 256, 1, 0, 0},
        {"Enter at the type keeps type 0 and asks nothing", {L"shadoW", L""}, true, 0, 256, 1, 0, 0},
        {"an unknown reply is asked again", {L"shadoW", L"Shape", L"Sharp"}, true, 0, 256, 1, 0, 0},
        {"cancel at the type", {L"shadoW", L"^C"}, true, 0, 256, 1, 0, 0},
        {"cancel at the softness stores nothing", {L"shadoW", L"soFt", L"1024", L"^C"}, true, 0, 256, 1, 0, 0},
    };
    for (const TypeCase& c : cases) {
        const std::wstring text = edit(kLightFreeSpot, c.replies);
        const plsim::scene::ShadowInfo shadow = last().shadow;
        EXPECT_EQ(shadow.on, c.on) << c.name;
        EXPECT_EQ(shadow.type, c.type) << c.name;
        EXPECT_EQ(shadow.mapSize, c.mapSize) << c.name;
        EXPECT_EQ(shadow.softness, c.softness) << c.name;
        EXPECT_EQ(count(text, msg::kInvalidMapSize), c.refusedSizes) << c.name;
        EXPECT_EQ(count(text, msg::kInvalidSoftness), c.refusedSoftness) << c.name;
    }
}

TEST_F(ShadowOptionsTest, AReplyCutShortByTheBufferIsNeverReadInPart) {
    // 132 zeros and then more: the first 132 characters alone would read as 0 or 512.
    const std::wstring longSize = std::wstring(129, L'0') + L"512" + L"9";
    const std::wstring longSoftness = std::wstring(131, L'0') + L"5" + L"0";
    const std::wstring text = edit(kLightFreeSpot, {L"shadoW", L"soFt", longSize, L"1024", longSoftness, L"2"});
    EXPECT_EQ(count(text, msg::kInvalidMapSize), 0) << "a cut reply is asked again without a message";
    EXPECT_EQ(count(text, msg::kInvalidSoftness), 0);
    EXPECT_EQ(last().shadow.mapSize, 1024u);
    EXPECT_EQ(last().shadow.softness, 2u);
}

TEST_F(ShadowOptionsTest, OffStoresOnlyTheSwitchAndIsShownNextTime) {
    const std::wstring text = edit(kLightPoint, {L"shadoW", L"soFt", L"2048", L"4", L"shadoW", L"Off", L"shadoW", L""});
    const plsim::scene::ShadowInfo shadow = last().shadow;
    EXPECT_FALSE(shadow.on);
    EXPECT_EQ(shadow.type, 1) << "the type stays what it was";
    EXPECT_EQ(shadow.mapSize, 2048u);
    EXPECT_EQ(shadow.softness, 4u);
    EXPECT_EQ(occurrences(text, promptWith(msg::kShadowTypePrompt, message(msg::kShadowMapped))), 1)
        << "soFtmapped shown the second time";
    EXPECT_EQ(occurrences(text, promptWith(msg::kShadowTypePrompt, message(msg::kShadowOff))), 1)
        << "after Off the default is Off";
    // Shadows back on: the record's other fields are still there.
    edit(kLightPoint, {L"shadoW", L"Off", L"shadoW", L"Sharp"});
    EXPECT_TRUE(last().shadow.on);
    EXPECT_EQ(last().shadow.type, 0);
}

TEST_F(ShadowOptionsTest, WorkingValuesOutliveACancel) {
    // The size entered before the softness was cancelled is offered the next time.
    const std::wstring text = edit(kLightFreeSpot, {L"shadoW", L"soFt", L"1024", L"^C", L"shadoW", L"", L"", L""});
    EXPECT_NE(text.find(promptWith(msg::kMapSizePrompt, L"1024")), std::wstring::npos);
    EXPECT_EQ(last().shadow.mapSize, 1024u);
    EXPECT_EQ(last().shadow.type, 1);
}

struct ShapeCase {
    const char* name;
    LightType light;
    std::vector<std::wstring> replies;
    int shape;
    double length, width, radius;
    unsigned samples;
    bool visible;
};

TEST_F(ShadowOptionsTest, ShapeSubMenu) {
    const ShapeCase cases[] = {
        {"spot: Enter keeps Rect, asks length and width", kLightFreeSpot,
         {L"Shape", L"", L"2", L"3", L"eXit"}, 1, 2, 3, 1, 16, false},
        {"cylinder: radius, then length", kLightPoint,
         {L"Shape", L"Cylinder", L"0.5", L"4", L"eXit"}, 3, 4, 1, 0.5, 16, false},
        {"cancelled radius skips the length", kLightPoint,
         {L"Shape", L"Cylinder", L"^C", L"eXit"}, 3, 1, 1, 1, 16, false},
        {"linear: length only", kLightFreeWeb, {L"Shape", L"Linear", L"0", L"eXit"}, 0, 0, 1, 1, 16, false},
        {"sphere: radius only", kLightPoint, {L"Shape", L"Sphere", L"7", L"eXit"}, 4, 1, 1, 7, 16, false},
        {"negative dimension refused by the host", kLightPoint,
         {L"Shape", L"Disk", L"-1", L"2", L"eXit"}, 2, 1, 1, 2, 16, false},
        {"samples and visibility", kLightPoint,
         {L"sAmples", L"32", L"Visible", L"Yes", L"eXit"}, 1, 1, 1, 1, 32, true},
        {"samples up to 65535", kLightPoint, {L"sAmples", L"65535", L"eXit"}, 1, 1, 1, 1, 65535, false},
        {"samples past 16 bits are not cut down", kLightPoint, {L"sAmples", L"65536", L"eXit"},
         1, 1, 1, 1, 16, false},
        {"samples Enter keeps, visible No", kLightPoint,
         {L"Visible", L"Yes", L"sAmples", L"", L"Visible", L"No", L"eXit"}, 1, 1, 1, 1, 16, false},
        {"cancel in the sub-menu still stores the type", kLightPoint, {L"sAmples", L"8", L"^C"}, 1, 1, 1, 1, 8, false},
        {"Enter in the sub-menu still stores the type", kLightPoint, {L"sAmples", L"0", L""}, 1, 1, 1, 1, 0, false},
        {"distant lights have no shape", kLightDistant, {L"Shape"}, 1, 1, 1, 1, 16, false},
    };
    for (const ShapeCase& c : cases) {
        edit(c.light, then({L"shadoW", L"softsAmpled"}, c.replies));
        const plsim::scene::ShadowInfo shadow = last().shadow;
        EXPECT_TRUE(shadow.on) << c.name;
        EXPECT_EQ(shadow.type, 2) << c.name;
        EXPECT_EQ(shadow.shape, c.shape) << c.name;
        EXPECT_DOUBLE_EQ(shadow.length, c.length) << c.name;
        EXPECT_DOUBLE_EQ(shadow.width, c.width) << c.name;
        EXPECT_DOUBLE_EQ(shadow.radius, c.radius) << c.name;
        EXPECT_EQ(shadow.samples, c.samples) << c.name;
        EXPECT_EQ(shadow.shapeVisible, c.visible) << c.name;
    }
}

TEST_F(ShadowOptionsTest, PromptsAndTheirDefaults) {
    // The spot prompt names the disk whatever the shape; the others name the working shape.
    std::wstring text = edit(kLightFreeSpot, {L"shadoW", L"softsAmpled", L"Shape", L"Sphere", L"", L"Shape", L"", L"",
                                              L"eXit"});
    EXPECT_EQ(occurrences(text, promptWith(msg::kSpotShapePrompt, message(msg::kShapeDisk))), 2);
    EXPECT_EQ(last().shadow.shape, 4);
    text = edit(kLightPoint, {L"shadoW", L"softsAmpled", L"Shape", L"Sphere", L"", L"Shape", L"", L"", L"eXit"});
    EXPECT_EQ(occurrences(text, promptWith(msg::kPointShapePrompt, message(msg::kShapeRect))), 1);
    EXPECT_EQ(occurrences(text, promptWith(msg::kPointShapePrompt, message(msg::kShapeSphere))), 1);
    // Distant lights have a shadow prompt of their own.
    text = edit(kLightDistant, {L"shadoW", L"Sharp"});
    EXPECT_NE(text.find(promptWith(msg::kDistantShadowTypePrompt, message(msg::kShadowSharp))), std::wstring::npos);
}

}  // namespace
