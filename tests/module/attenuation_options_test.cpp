// Guards the attenuation option against limits left out of order, changes kept after a cancel,
// records stored when nothing changed, and prompts that show other values than the ones Enter takes.
#include "light_fixture.h"

namespace {

using AttenuationOptionsTest = LightCommandTest;

struct LimitCase {
    const char* name;
    std::vector<std::wstring> replies;  // after "Attenuation"; the light starts at 1 and 10, limits off
    int type;
    bool useLimits;
    double start, end;
};

TEST_F(AttenuationOptionsTest, LimitsStayInOrder) {
    const LimitCase cases[] = {
        {"start past the end pushes the end", {L"attenuationEndlimit", L"5", L"attenuationstartLimit", L"10", L""},
         0, true, 10, 11},
        {"end before the start pulls the start", {L"attenuationstartLimit", L"5", L"attenuationEndlimit", L"3", L""},
         0, true, 2, 3},
        {"start equal to the end", {L"attenuationstartLimit", L"10", L""}, 0, true, 10, 11},
        {"end equal to the start", {L"attenuationEndlimit", L"1", L""}, 0, true, 0, 1},
        {"end below 1 gives a negative start", {L"attenuationEndlimit", L"0.5", L""}, 0, true, -0.5, 0.5},
        {"Enter at a limit counts as given", {L"attenuationEndlimit", L"", L"eXit"}, 0, true, 1, 10},
        {"negative limit refused by the host", {L"attenuationstartLimit", L"-2", L"2", L""}, 0, true, 2, 10},
        {"limits off keeps their values",
         {L"attenuationstartLimit", L"3", L"Uselimits", L"oFf", L""}, 0, false, 3, 10},
        {"type", {L"attenuationType", L"Squared", L"eXit"}, 2, false, 1, 10},
        {"Enter at the type changes nothing", {L"attenuationType", L"", L""}, 0, false, 1, 10},
        {"cancel in a limit prompt keeps earlier changes",
         {L"attenuationType", L"Inverse", L"attenuationstartLimit", L"^C", L""}, 1, false, 1, 10},
        {"cancel at the sub-menu discards the run",
         {L"attenuationType", L"Inverse", L"attenuationstartLimit", L"4", L"^C"}, 0, false, 1, 10},
    };
    for (const LimitCase& c : cases) {
        edit(kLightPoint, then({L"Attenuation"}, c.replies));
        const plsim::scene::AttenuationInfo a = last().attenuation;
        EXPECT_EQ(a.type, c.type) << c.name;
        EXPECT_EQ(a.useLimits, c.useLimits) << c.name;
        EXPECT_DOUBLE_EQ(a.start, c.start) << c.name;
        EXPECT_DOUBLE_EQ(a.end, c.end) << c.name;
    }
}

TEST_F(AttenuationOptionsTest, PromptsShowTheWorkingCopiesAndEnterTakesThem) {
    // Within one run the end prompt shows the end last entered (5), not the 11 the
    // record was pushed to, and Enter takes that 5: the start is pulled to 4.
    std::wstring text = edit(kLightFreeSpot, {L"Attenuation", L"attenuationEndlimit", L"5", L"attenuationstartLimit",
                                              L"10", L"attenuationEndlimit", L"", L""});
    EXPECT_EQ(occurrences(text, promptWith(msg::kEndLimitPrompt, L"5.0000")), 1);
    EXPECT_DOUBLE_EQ(last().attenuation.start, 4);
    EXPECT_DOUBLE_EQ(last().attenuation.end, 5);
    // A second visit shows what the light had when the menu started (start 1, end 10,
    // type None), while it edits the record the first visit stored (10, 11).
    text = edit(kLightFreeSpot, {L"Attenuation", L"attenuationstartLimit", L"10", L"attenuationType", L"Inverse",
                                 L"eXit", L"Attenuation", L"attenuationType", L"", L"attenuationstartLimit", L"",
                                 L"attenuationEndlimit", L"", L"eXit"});
    EXPECT_EQ(occurrences(text, promptWith(msg::kStartLimitPrompt, L"1.0000")), 2);
    EXPECT_EQ(occurrences(text, promptWith(msg::kAttenuationTypePrompt, message(msg::kAttenuationNone))), 2);
    EXPECT_EQ(occurrences(text, promptWith(msg::kEndLimitPrompt, L"10.0000")), 1);
    EXPECT_DOUBLE_EQ(last().attenuation.start, 1);
    EXPECT_DOUBLE_EQ(last().attenuation.end, 10);
    EXPECT_EQ(last().attenuation.type, 1) << "Enter at the type prompt changes nothing";
    // Within a visit the type prompt shows the type just chosen; the switch shows its word.
    text = edit(kLightPoint, {L"Attenuation", L"attenuationType", L"Inverse", L"attenuationType", L"", L"Uselimits",
                              L"", L""});
    EXPECT_NE(text.find(promptWith(msg::kAttenuationTypePrompt, message(msg::kAttenuationInverse))),
              std::wstring::npos);
    EXPECT_NE(text.find(promptWith(msg::kUseLimitsPrompt, message(msg::kWordOff))), std::wstring::npos);
}

}  // namespace
