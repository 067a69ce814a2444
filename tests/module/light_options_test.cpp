// Guards the name, intensity, status, hotspot and falloff options: what they store,
// which answers they refuse with which message, and what Enter and a cancel keep.
#include <cmath>

#include "light_fixture.h"

namespace {

constexpr double kDegree = 3.141592653589793 / 180.0;

class LightOptionsTest : public LightCommandTest {
protected:
    /// Places a free spot light at the origin and answers the menu with `replies`, then Enter.
    std::wstring spotWith(const std::vector<std::wstring>& replies) {
        plsim::queueReply(L"0,0,0");
        for (const std::wstring& reply : replies) {
            if (reply == L"^C") plsim::queueCancel();
            else plsim::queueReply(reply);
        }
        plsim::queueReply(L"");
        plsim::clearTranscript();
        ZuredUDKMX::doLightCommand(kLightFreeSpot);
        EXPECT_EQ(plsim::pendingReplies(), 0u);
        EXPECT_EQ(plsim::exhaustedPrompts(), 0);
        return takeTranscript();
    }
    plsim::scene::LightInfo last() const { return lights().back(); }
};

TEST_F(LightOptionsTest, NameIsStoredWhenValid) {
    spotWith({L"Name", L"Key light"});
    EXPECT_EQ(last().name, L"Key light") << "a name may hold spaces";
}

TEST_F(LightOptionsTest, NameOfExactly255CharactersIsAcceptedAnd256Refused) {
    const std::wstring longest(255, L'n');
    spotWith({L"Name", longest});
    EXPECT_EQ(last().name, longest);
    const std::wstring text = spotWith({L"Name", std::wstring(256, L'm'), L""});
    EXPECT_TRUE(contains(text, msg::kNameTooLong) || text.find(L"too long") != std::wstring::npos);
    EXPECT_EQ(last().name, L"Spotlight1") << "the second light keeps its default name";
}

TEST_F(LightOptionsTest, NameTruncatedByTheBufferIsRefused) {
    const std::wstring text = spotWith({L"Name", std::wstring(600, L'q'), L"Short"});
    EXPECT_NE(text.find(std::wstring(511, L'q')), std::wstring::npos) << "the message shows the name it cut";
    EXPECT_EQ(last().name, L"Short");
}

TEST_F(LightOptionsTest, TakenNameIsRefusedAndTheSuggestionOffered) {
    spotWith({L"Name", L"Fill"});
    const std::wstring text = spotWith({L"Name", L"Fill", L""});
    EXPECT_TRUE(contains(text, msg::kNameTaken));
    EXPECT_EQ(last().name, L"Spotlight1");
    // The prompt after a taken name offers the suggested name.
    EXPECT_NE(text.find(L"<Spotlight1>"), std::wstring::npos);
}

TEST_F(LightOptionsTest, ForbiddenCharactersAreRefused) {
    // Control characters too: the light refuses them, so the option must not take one.
    for (const wchar_t* bad : {L"a:b", L"a<b", L"a\"b", L"a`b", L"a,b", L"a\\b", L"a\x1b[2Jb", L"\tb", L"a\x7f"}) {
        const std::wstring text = spotWith({L"Name", bad, L""});
        EXPECT_TRUE(contains(text, msg::kNameForbiddenCharacters)) << std::wstring(bad).size();
    }
    for (const auto& light : lights()) EXPECT_EQ(light.name.rfind(L"Spotlight", 0), 0u) << "the names stay";
}

TEST_F(LightOptionsTest, CancelledNameLeavesTheLightsNameAndOffersTheSuggestion) {
    const std::wstring text = spotWith({L"Name", L"^C", L"Name", L""});
    EXPECT_EQ(last().name, L"Spotlight1");
    // After the cancel the buffer is empty: the second prompt offers the suggestion.
    const std::size_t first = text.find(L"<Spotlight1>");
    ASSERT_NE(first, std::wstring::npos);
    EXPECT_NE(text.find(L"<Spotlight1>", first + 1), std::wstring::npos);
}

TEST_F(LightOptionsTest, IntensityAndStatus) {
    spotWith({L"Intensity", L"2.5", L"Status", L"oFf"});
    EXPECT_DOUBLE_EQ(last().intensity, 2.5);
    EXPECT_FALSE(last().on);
    // Enter keeps; a negative value is refused by the host and asked again.
    spotWith({L"Intensity", L"", L"Intensity", L"-1", L"3", L"Status", L""});
    EXPECT_DOUBLE_EQ(last().intensity, 3.0);
    EXPECT_TRUE(last().on);
}

struct AngleCase {
    const char* name;
    std::vector<std::wstring> replies;
    double hotspotDeg, falloffDeg;
    int refused;  // times message msg::kAngleOutOfRange is printed
};

TEST_F(LightOptionsTest, HotspotAndFalloff) {
    const AngleCase cases[] = {
        {"hotspot 160", {L"Hotspot", L"160"}, 160, 50, 0},
        {"hotspot 0", {L"Hotspot", L"0"}, 0, 50, 0},
        {"hotspot 160.5 refused", {L"Hotspot", L"160.5", L"30"}, 30, 50, 1},
        {"falloff 30", {L"Falloff", L"30"}, 44, 30, 0},
        {"falloff 170 refused", {L"Falloff", L"170", L"60"}, 44, 60, 1},
        {"hotspot above falloff passes", {L"Hotspot", L"70"}, 70, 50, 0},
        {"cancelled hotspot, then falloff", {L"Hotspot", L"^C", L"Falloff", L"55"}, 44, 55, 0},
    };
    for (const AngleCase& c : cases) {
        const std::wstring text = spotWith(c.replies);
        EXPECT_NEAR(last().hotspot / kDegree, c.hotspotDeg, 1e-9) << c.name;
        EXPECT_NEAR(last().falloff / kDegree, c.falloffDeg, 1e-9) << c.name;
        EXPECT_EQ(count(text, msg::kAngleOutOfRange), c.refused) << c.name;
    }
}

TEST_F(LightOptionsTest, FalloffDefaultIsWholeDegreesButEnterKeepsTheExactAngle) {
    const std::wstring first = spotWith({L"Falloff", L"30.7", L"Falloff", L""});
    EXPECT_NE(first.find(L"<30>"), std::wstring::npos);
    EXPECT_NEAR(last().falloff / kDegree, 30.7, 1e-9);
}

TEST_F(LightOptionsTest, KeywordsAreComparedExactly) {
    // The point menu shares the spot menu's keywords but has no angles.
    plsim::queueReply(L"0,0,0");
    plsim::queueReply(L"Hotspot");
    plsim::queueReply(L"");
    ZuredUDKMX::doLightCommand(kLightPoint);
    EXPECT_EQ(plsim::pendingReplies(), 0u);
    EXPECT_NEAR(last().hotspot / kDegree, 44, 1e-9);
}

}  // namespace
