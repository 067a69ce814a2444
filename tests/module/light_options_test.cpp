// Guards the name, intensity, status, hotspot and falloff options: what they store, which answers they refuse
// with which message, and what Enter and a cancel keep; the reply copy rule under every prompt (truncation, empty
// buffers on failure) and the on/off prompt against off-by-one and status mix-ups.
#include "host/pled.h"
#include "light_fixture.h"
#include "lightedit/InputPrimitives.h"
#include "lightedit/ScalarOptions.h"

namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;

using LightOptionsTest = LightCommandTest;

struct NameCase {
    const char* what;
    std::vector<std::wstring> replies;  // at the free spot's menu, in a drawing with a light named Fill
    std::wstring name;                  // the light's name afterwards
    unsigned messageId;                 // printed once
    std::wstring shown;                 // also in the transcript
};

TEST_F(LightOptionsTest, NamesAreStoredOrRefused) {
    const std::wstring longest(255, L'n');
    const NameCase cases[] = {
        {"a name may hold spaces", {L"Name", L"Key light"}, L"Key light", 0, L""},
        {"255 characters", {L"Name", longest}, longest, 0, L""},
        {"256 are too long", {L"Name", std::wstring(256, L'm'), L""}, L"Spotlight1", msg::kNameTooLong, L""},
        {"a name cut by the buffer is refused", {L"Name", std::wstring(600, L'q'), L"Short"}, L"Short",
         msg::kNameTooLong, std::wstring(511, L'q')},
        {"taken, in other letter case", {L"Name", L"fILL", L""}, L"Spotlight1", msg::kNameTaken, L""},
        {"a cancel keeps the name", {L"Name", L"^C", L"Name", L""}, L"Spotlight1", 0, L""},
    };
    for (const NameCase& c : cases) {
        plsim::closeDrawing(drawing);
        drawing = plsim::openDrawing(L"Names");
        edit(kLightPoint, {L"Name", L"Fill"});
        const std::wstring text = edit(kLightFreeSpot, c.replies);
        EXPECT_EQ(last().name, c.name) << c.what;
        EXPECT_TRUE(!c.messageId || count(text, c.messageId) == 1) << c.what;
        EXPECT_NE(text.find(c.shown), std::wstring::npos) << c.what;
        // After a refusal or a cancel the prompt offers the suggested name again.
        EXPECT_TRUE(c.name != L"Spotlight1" || occurrences(text, L"<Spotlight1>") == 2) << c.what;
    }
    // Control characters too: the light refuses them, so the option must not take one.
    for (const wchar_t* bad : {L"a:b", L"a<b", L"a\"b", L"a`b", L"a,b", L"a\\b", L"a\x1b[2Jb", L"\tb", L"a\x7f"}) {
        EXPECT_EQ(count(edit(kLightFreeSpot, {L"Name", bad, L""}), msg::kNameForbiddenCharacters), 1)
            << std::wstring(bad).size();
        EXPECT_EQ(last().name.rfind(L"Spotlight", 0), 0u);
    }
}

TEST_F(LightOptionsTest, IntensityAndStatus) {
    const struct : LightCommandCase {
        double intensity;
        bool on;
        int refused;  // times msg::kIntensityOutOfRange is printed
    } cases[] = {
        {"stored", kLightFreeSpot, {L"Intensity", L"2.5", L"Status", L"oFf"}, 2.5, false, 0},
        // Enter keeps; a negative value is refused by the host and asked again.
        {"Enter, negative", kLightFreeSpot, {L"Intensity", L"", L"Intensity", L"-1", L"3", L"Status", L""}, 3, true, 0},
        {"the largest", kLightFreeWeb, {L"Intensityfactor", L"3.4e38"}, kLargestIntensity, true, 0},
        {"above it", kLightFreeWeb, {L"Intensityfactor", L"1e39", L"^C", L"Intensityfactor", L"3.5e38", L"7"}, 7, true, 2},
    };
    for (const auto& c : cases) {
        const std::wstring text = edit(c.type, c.replies);
        EXPECT_DOUBLE_EQ(last().intensity, c.intensity) << c.name;
        EXPECT_EQ(last().on, c.on) << c.name;
        EXPECT_EQ(count(text, msg::kIntensityOutOfRange), c.refused) << c.name;
    }
    // The prompt names the largest value the option takes, in every language.
    for (const wchar_t* language : {L"en", L"de"}) {
        ASSERT_TRUE(plsim::setLanguage(language));
        const PlResModuleHandle texts = PlUtResource::loadDll(kResourceModuleName, 0, 0);
        PlString prompt;
        ASSERT_TRUE(prompt.loadString(PlRxResourceInstance(texts), msg::kIntensityPrompt));
        const std::wstring range = prompt.str().substr(prompt.str().find(L"(0.00-") + 6);
        EXPECT_EQ(std::stod(range.substr(0, range.find(L')'))), kLargestIntensity) << prompt.str();
        PlUtResource::freeDll(texts, 0);
    }
    ASSERT_TRUE(plsim::setLanguage(L"en"));
}

struct AngleCase : LightCommandCase {
    double hotspotDeg, falloffDeg;
    int refused;  // times message msg::kAngleOutOfRange is printed
};

TEST_F(LightOptionsTest, HotspotAndFalloff) {
    const AngleCase cases[] = {
        {"hotspot 160", kLightFreeSpot, {L"Hotspot", L"160"}, 160, 50, 0},
        {"hotspot 0", kLightFreeSpot, {L"Hotspot", L"0"}, 0, 50, 0},
        {"hotspot 160.5 refused", kLightFreeSpot, {L"Hotspot", L"160.5", L"30"}, 30, 50, 1},
        {"falloff 30", kLightFreeSpot, {L"Falloff", L"30"}, 44, 30, 0},
        {"falloff 170 refused", kLightFreeSpot, {L"Falloff", L"170", L"60"}, 44, 60, 1},
        {"hotspot above falloff passes", kLightFreeSpot, {L"Hotspot", L"70"}, 70, 50, 0},
        {"cancelled hotspot, then falloff", kLightFreeSpot, {L"Hotspot", L"^C", L"Falloff", L"55"}, 44, 55, 0},
        {"the default is whole degrees, Enter keeps the exact angle", kLightFreeSpot,
         {L"Falloff", L"30.7", L"Falloff", L""}, 44, 30.7, 0},
        // The point menu shares the spot menu's keywords but has no angles.
        {"a point light has none", kLightPoint, {L"Hotspot"}, 44, 50, 0},
    };
    for (const AngleCase& c : cases) {
        const std::wstring text = edit(c.type, c.replies);
        EXPECT_NEAR(last().hotspot / kDegree, c.hotspotDeg, 1e-9) << c.name;
        EXPECT_NEAR(last().falloff / kDegree, c.falloffDeg, 1e-9) << c.name;
        EXPECT_EQ(count(text, msg::kAngleOutOfRange), c.refused) << c.name;
    }
    EXPECT_EQ(occurrences(edit(kLightFreeSpot, {L"Falloff", L"30.7", L"Falloff", L""}), L"<30>"), 1);
}

struct CopyCase {
    const char* name;
    int hostStatus;
    const wchar_t* text;
    std::size_t capacity;
    int expectedStatus;
    const wchar_t* expectedBuffer;
};

TEST(CopyReply, FollowsTheCopyRule) {
    const CopyCase cases[] = {
        {"fits", PLRTNORM, L"abc", 4, PLRTNORM, L"abc"},
        {"one too long", PLRTNORM, L"abcd", 4, PLRTTRUNC, L"abc"},
        {"empty text", PLRTNORM, L"", 4, PLRTNORM, L""},
        {"no text", PLRTNORM, nullptr, 4, PLRTERROR, L""},
        {"cancel empties", PLRTCAN, L"abc", 4, PLRTCAN, L""},
        {"capacity one", PLRTNORM, L"a", 1, PLRTTRUNC, L""},
    };
    for (const CopyCase& c : cases) {
        wchar_t buffer[8];
        buffer[0] = L'x';
        buffer[1] = L'\0';
        EXPECT_EQ(copyReply(c.hostStatus, c.text, buffer, c.capacity), c.expectedStatus) << c.name;
        EXPECT_EQ(std::wstring(buffer), c.expectedBuffer) << c.name;
    }
    EXPECT_EQ(copyReply(PLRTNORM, L"abc", nullptr, 4), PLRTERROR);
    wchar_t untouched[2] = {L'x', L'\0'};
    EXPECT_EQ(copyReply(PLRTNORM, L"abc", untouched, 0), PLRTERROR);
    EXPECT_EQ(untouched[0], L'x');
}

struct OnOffCase {
    const char* name;
    bool initial;
    std::wstring reply;  // L"^C" for a cancel
    bool expectedResult;
    bool expectedValue;
};

TEST_F(LightOptionsTest, TheOnOffPromptUnderStatus) {
    LightEditContext context{nullptr, false, PlString(L"<"), PlString(L">: ")};
    const OnOffCase cases[] = {
        {"enter keeps", true, L"", false, true},
        {"cancel keeps", false, L"^C", false, false},
        {"off", true, L"oFf", true, false},
        {"off when already off", false, L"OFF", true, false},
        {"on by shortcut", false, L"n", true, true},
    };
    for (const OnOffCase& c : cases) {
        plsim::clearReplies();
        if (c.reply == L"^C") plsim::queueCancel();
        else plsim::queueReply(c.reply);
        bool value = c.initial;
        EXPECT_EQ(promptOnOff(context, msg::kStatusPrompt, value), c.expectedResult) << c.name;
        EXPECT_EQ(value, c.expectedValue) << c.name;
        EXPECT_EQ(plsim::pendingReplies(), 0u) << c.name;
    }
}

}  // namespace
