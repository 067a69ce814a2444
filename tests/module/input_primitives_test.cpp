// Guards the reply copy rule (truncation, empty buffers on failure) and the on/off prompt
// against off-by-one and status mix-ups.
#include <string>

#include "host/pled.h"
#include "lightedit/InputPrimitives.h"
#include "resources/MessageIds.h"
#include "support/host_fixture.h"

namespace {

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
        {"enter empties", PLRTNONE, L"abc", 4, PLRTNONE, L""},
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

class InputPrimitivesTest : public HostTest {
protected:
    LightEditContext context{nullptr, false, PlString(L"<"), PlString(L">: ")};
};

TEST_F(InputPrimitivesTest, KeywordReplyOf132CharactersFitsAnd133IsCut) {
    const std::wstring fits(132, L'a');
    const std::wstring tooLong(133, L'b');
    wchar_t reply[kReplyBufferSize];

    pledInitGet(128, L"Dummy");
    plsim::queueReply(fits);
    EXPECT_EQ(getKeywordInput(L"Text: ", reply), PLRTNORM);
    EXPECT_EQ(std::wstring(reply), fits);

    pledInitGet(128, L"Dummy");
    plsim::queueReply(tooLong);
    EXPECT_EQ(getKeywordInput(L"Text: ", reply), PLRTTRUNC);
    EXPECT_EQ(std::wstring(reply), tooLong.substr(0, 132));
}

struct OnOffCase {
    const char* name;
    bool initial;
    std::wstring reply;  // L"^C" for a cancel
    bool expectedResult;
    bool expectedValue;
};

TEST_F(InputPrimitivesTest, PromptOnOff) {
    const OnOffCase cases[] = {
        {"enter keeps", true, L"", false, true},
        {"cancel keeps", false, L"^C", false, false},
        {"off", true, L"oFf", true, false},
        {"off when already off", false, L"OFF", true, false},
        {"on by shortcut", false, L"n", true, true},
        {"on", false, L"on", true, true},
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
