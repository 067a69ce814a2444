// Guards against wrong input statuses, values written when they must stay, missing host messages and re-asks,
// flags or keywords leaking to later prompts, and prompts without a reply not ending as a cancel.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using EditorInput = HostTest;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// ---- Keywords and texts ------------------------------------------------------

TEST_F(EditorInput, KeywordPromptStatusesAndDeclarationsForOneCallOnly) {
    PlString reply(L"stale");
    plsim::queueEnter();
    pledInitGet(0, L"Name eXit");
    EXPECT_EQ(pledGetKword(L"Option: ", reply), PLRTNONE);
    EXPECT_TRUE(reply.isEmpty());

    plsim::queueReply(L"nonsense");
    plsim::queueReply(L"n");
    pledInitGet(0, L"Name eXit");
    EXPECT_EQ(pledGetKword(L"Option: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"Name");
    EXPECT_TRUE(contains(plsim::transcript(), L"Option: nonsense\n"));
    EXPECT_TRUE(contains(plsim::transcript(), L"Invalid option keyword."));

    // Flag 128 takes free text, trimmed; a keyword still answers as the keyword.
    plsim::queueReply(L"  5000 K ");
    pledInitGet(128, L"Kelvin _ Kelvin");
    EXPECT_EQ(pledGetKword(L"Color: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"5000 K");
    plsim::queueReply(L"k");
    pledInitGet(128, L"Kelvin _ Kelvin");
    EXPECT_EQ(pledGetKword(L"Color: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"Kelvin");
    // Nothing declared now: "k" is no keyword and free text is refused.
    plsim::queueReply(L"k");
    EXPECT_EQ(pledGetKword(L"Second: ", reply), PLRTCAN);
    EXPECT_EQ(plsim::exhaustedPrompts(), 1);

    // A refused Enter under flag 1 is asked again with the same declaration.
    pledInitGet(1, L"Alpha");
    plsim::queueEnter();
    plsim::queueReply(L"alpha");
    EXPECT_EQ(pledGetKword(L"Third: ", reply), PLRTNORM);
    EXPECT_TRUE(contains(plsim::transcript(), L"Requires a value."));
}

TEST_F(EditorInput, StringPrompt) {
    const struct {
        int allowSpaces;
        const wchar_t* typed;
        const wchar_t* expected;
    } cases[] = {{0, L"  hello world", L"hello"}, {0, L"   ", L""}, {1, L"hello world", L"hello world"}};
    for (const auto& c : cases) {
        PlString reply(L"stale");
        plsim::queueReply(c.typed);
        EXPECT_EQ(pledGetString(c.allowSpaces, L"Text: ", reply), PLRTNORM) << testing::PrintToString(c.typed);
        EXPECT_EQ(reply.str(), c.expected) << testing::PrintToString(c.typed);
    }
}

// ---- Numbers -------------------------------------------------------------------

// A refused first reply is asked again; the second reply, "3", is then taken.
TEST_F(EditorInput, RealsReadRefusedAndFlagged) {
    struct Case {
        int flags;
        const wchar_t* first;
        const wchar_t* message;  // null: the first reply is taken as `expected`
        double expected;
    };
    const wchar_t* const notNumeric = L"Requires numeric value.";
    const Case cases[] = {
        {0, L"-1e3", nullptr, -1000.0},
        {0, L"+.5", nullptr, 0.5},
        {0, L" 5. ", nullptr, 5.0},
        {0, L"2.5x", notNumeric, 3.0},
        {0, L"1,5", notNumeric, 3.0},
        {0, L"1e999", notNumeric, 3.0},
        {0, L"nan", notNumeric, 3.0},
        {0, L"inf", notNumeric, 3.0},
        {0, L"0x10", notNumeric, 3.0},
        {2, L"-1", nullptr, -1.0},
        {4, L"-1", L"Value must be positive.", 3.0},
        {6, L"-0.0", L"Value must be nonzero.", 3.0},
        {1, L"", L"Requires a value.", 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.first) + " flags " + std::to_string(c.flags));
        plsim::clearTranscript();
        double value = -99.0;
        plsim::queueReply(c.first);
        plsim::queueReply(L"3");
        pledInitGet(c.flags, L"");
        EXPECT_EQ(pledGetReal(L"Value: ", &value), PLRTNORM);
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(plsim::pendingReplies(), c.message ? 0u : 1u);
        EXPECT_TRUE(!c.message || contains(plsim::transcript(), c.message));
        plsim::clearReplies();
    }
}

TEST_F(EditorInput, NumberPromptsKeepTheValueAndPassKeywordsThroughGetInput) {
    PlString keyword;
    EXPECT_EQ(pledGetInput(keyword), PLRTERROR);
    double value = 42.0;
    plsim::queueEnter();
    pledInitGet(4, L"");
    EXPECT_EQ(pledGetReal(L"Value: ", &value), PLRTNONE);
    plsim::queueCancel();
    EXPECT_EQ(pledGetReal(L"Value: ", &value), PLRTCAN);
    plsim::queueReply(L"f");
    pledInitGet(0, L"Distance Flux _ Distance Flux");
    ASSERT_EQ(pledGetReal(L"Value: ", &value), PLRTKWORD);
    ASSERT_EQ(pledGetInput(keyword), PLRTNORM);
    EXPECT_EQ(keyword.str(), L"Flux");
    EXPECT_EQ(value, 42.0);
    EXPECT_EQ(pledGetReal(L"Value: ", nullptr), PLRTERROR);

    // With flag 128 any text answers as a keyword; the next input call forgets it.
    plsim::queueReply(L"about 5");
    pledInitGet(128, L"Distance");
    ASSERT_EQ(pledGetReal(L"Value: ", &value), PLRTKWORD);
    ASSERT_EQ(pledGetInput(keyword), PLRTNORM);
    EXPECT_EQ(keyword.str(), L"about 5");
    plsim::queueReply(L"2");
    ASSERT_EQ(pledGetReal(L"Value: ", &value), PLRTNORM);
    EXPECT_EQ(pledGetInput(keyword), PLRTERROR);
}

TEST_F(EditorInput, IntegerPrompt) {
    constexpr const wchar_t* kRange = L"Requires an integer between -2147483648 and 2147483647.";
    const struct {
        const wchar_t* typed;
        const wchar_t* message;  // null: taken as `expected`
        int expected;
    } cases[] = {
        {L"2147483647", nullptr, 2147483647}, {L"-2147483648", nullptr, -2147483647 - 1}, {L"2147483648", kRange, 5},
        {L"-2147483649", kRange, 5},          {L"2.5", L"Requires an integer value.", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.typed));
        plsim::clearTranscript();
        int value = -1;
        plsim::queueReply(c.typed);
        plsim::queueReply(L"5");
        EXPECT_EQ(pledGetShort(L"Size: ", &value), PLRTNORM);
        EXPECT_EQ(value, c.expected);
        EXPECT_TRUE(!c.message || contains(plsim::transcript(), c.message));
        plsim::clearReplies();
    }
    int value = 7;
    plsim::queueReply(L"-3");
    plsim::queueEnter();
    pledInitGet(4, L"");
    EXPECT_EQ(pledGetShort(L"Size: ", &value), PLRTNONE);
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(contains(plsim::transcript(), L"Value must be positive."));
}

// ---- Points --------------------------------------------------------------------

// An unreadable point is asked again; the second reply, "4,5,6", is then taken.
TEST_F(EditorInput, PointsReadAndRefused) {
    const struct {
        const wchar_t* typed;
        bool withBase;
        PlGePoint3d expected;
    } cases[] = {
        {L"1,2", false, {1, 2, 0}},       {L" 1 , -2.5 , 3e1 ", false, {1, -2.5, 30}},
        {L"@1,2,-3", true, {11, 22, 27}}, {L"@", true, {10, 20, 30}},
        {L"@1,2", false, {1, 2, 0}},      {L"1", false, {4, 5, 6}},
        {L"1,2,3,4", false, {4, 5, 6}},   {L"1,,2", false, {4, 5, 6}},
        {L"@x", true, {4, 5, 6}},         {L"1e999,0", false, {4, 5, 6}},
    };
    const PlGePoint3d base(10, 20, 30);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.typed));
        plsim::clearTranscript();
        PlGePoint3d point(-1, -1, -1);
        plsim::queueReply(c.typed);
        plsim::queueReply(L"4,5,6");
        EXPECT_EQ(pledGetPoint(c.withBase ? &base : nullptr, L"Point: ", point), PLRTNORM);
        EXPECT_EQ(point, c.expected);
        EXPECT_EQ(contains(plsim::transcript(), L"Invalid point."), c.expected == PlGePoint3d(4, 5, 6));
        plsim::clearReplies();
    }
    // Queued points read back exactly; a keyword leaves the point alone.
    plsim::queuePoint(0.1, 1.0 / 3.0, -1e-300);
    PlGePoint3d point;
    ASSERT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTNORM);
    EXPECT_EQ(point, PlGePoint3d(0.1, 1.0 / 3.0, -1e-300));
    plsim::queueReply(L"v");
    pledInitGet(0, L"Vector _ Vector");
    EXPECT_EQ(pledGetPoint(nullptr, L"Point: ", point), PLRTKWORD);
    EXPECT_EQ(point, PlGePoint3d(0.1, 1.0 / 3.0, -1e-300));
}

// ---- The reply queue and input sources ------------------------------------------

TEST_F(EditorInput, PromptsWithoutAReplyAreCancelsAndCounted) {
    PlString reply;
    double value = 5.0;
    PlGePoint3d point;
    int whole = 5;
    EXPECT_EQ(pledGetKword(L"A: ", reply), PLRTCAN);
    EXPECT_EQ(pledGetString(1, L"B: ", reply), PLRTCAN);
    EXPECT_EQ(pledGetReal(L"C: ", &value), PLRTCAN);
    EXPECT_EQ(pledGetShort(L"D: ", &whole), PLRTCAN);
    EXPECT_EQ(pledGetPoint(nullptr, L"E: ", point), PLRTCAN);
    EXPECT_EQ(plsim::exhaustedPrompts(), 5);
    EXPECT_TRUE(contains(plsim::transcript(), L"C: *Cancel*\n"));
    plsim::resetSession();
    EXPECT_EQ(plsim::exhaustedPrompts(), 0);
}

class ScriptedSource : public plsim::InputSource {
public:
    bool next(const std::wstring& prompt, plsim::Reply& reply) override {
        prompts.push_back(prompt);
        if (prompts.size() > 1) return false;
        reply = plsim::Reply{plsim::Reply::Text, L"from source"};
        return true;
    }
    bool showsPrompts() const override { return false; }
    std::vector<std::wstring> prompts;
};

TEST_F(EditorInput, SourceAnswersAfterTheQueue) {
    ScriptedSource source;
    plsim::setInputSource(&source);
    plsim::queueReply(L"from queue");
    PlString reply;
    EXPECT_EQ(pledGetString(1, L"One: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"from queue");
    EXPECT_EQ(pledGetString(1, L"Two: ", reply), PLRTNORM);
    EXPECT_EQ(reply.str(), L"from source");
    EXPECT_EQ(pledGetString(1, L"Three: ", reply), PLRTCAN);
    plsim::setInputSource(nullptr);
    EXPECT_EQ(source.prompts, (std::vector<std::wstring>{L"Two: ", L"Three: "}));
    EXPECT_EQ(plsim::exhaustedPrompts(), 1);
}

}  // namespace
