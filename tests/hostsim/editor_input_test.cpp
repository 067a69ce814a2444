// Guards against keyword replies selecting the wrong keyword or none (abbreviations, ties, case, the "_" form,
// odd lists), wrong input statuses, values written when they must stay, missing host messages and re-asks,
// flags or keywords leaking to later prompts, and prompts without a reply not ending as a cancel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using EditorInput = HostTest;

// ---- Keywords and texts ------------------------------------------------------

TEST_F(EditorInput, KeywordDeclarationsHoldForOneCallOnly) {
    PlString reply(L"stale");
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

// The host keeps the lists declared lately parsed: a list must answer by its own text when it is declared
// again after more others than are kept, and from a buffer whose text changed in place.
TEST_F(EditorInput, KeywordListsAnswerByTheirOwnText) {
    wchar_t buffer[32];
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 40; ++i) {
            const std::wstring name = L"Alpha" + std::to_wstring(i);
            const std::wstring list = name + L" eXit";
            std::copy(list.c_str(), list.c_str() + list.size() + 1, buffer);
            plsim::queueReply(L"alpha" + std::to_wstring(i));
            pledInitGet(0, buffer);
            PlString reply;
            EXPECT_EQ(pledGetKword(L"Option: ", reply), PLRTNORM);
            EXPECT_EQ(reply.str(), name) << "round " << round;
        }
    }
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
TEST_F(EditorInput, NumbersReadRefusedAndFlagged) {
    struct Case {
        int flags;
        bool whole;  // read with pledGetShort
        const wchar_t* first;
        const wchar_t* message;  // null: the first reply is taken as `expected`
        double expected;
    };
    const wchar_t* const notNumeric = L"Requires numeric value.";
    const wchar_t* const range = L"Requires an integer between -2147483648 and 2147483647.";
    const Case cases[] = {
        {0, false, L"-1e3", nullptr, -1000.0},
        {0, false, L"+.5", nullptr, 0.5},
        {0, false, L"-0", nullptr, -0.0},
        {0, false, L" 5. ", nullptr, 5.0},
        {0, false, L"2.5x", notNumeric, 3.0},
        {0, false, L"1e999", notNumeric, 3.0},
        {0, false, L"nan", notNumeric, 3.0},
        {0, false, L"0x10", notNumeric, 3.0},
        {0, false, L"-007", nullptr, -7.0},
        {0, false, L"999999999999999", nullptr, 999999999999999.0},
        {0, false, L"9007199254740993", nullptr, 9007199254740992.0},  // 2^53 + 1 rounds to even
        {2, false, L"-1", nullptr, -1.0},
        {4, false, L"-1", L"Value must be positive.", 3.0},
        {6, false, L"-0.0", L"Value must be nonzero.", 3.0},
        {1, false, L"", L"Requires a value.", 3.0},
        {0, true, L"2147483647", nullptr, 2147483647.0},
        {0, true, L"-2147483648", nullptr, -2147483648.0},
        {0, true, L"2147483648", range, 3.0},
        {0, true, L"2.5", L"Requires an integer value.", 3.0},
        {0, true, L"1e2", L"Requires an integer value.", 3.0},
        {0, true, L"99999999999999999999", range, 3.0},
        {4, true, L"-3", L"Value must be positive.", 3.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.first) + " flags " + std::to_string(c.flags));
        plsim::clearTranscript();
        double value = -99.0;
        int whole = -99;
        plsim::queueReply(c.first);
        plsim::queueReply(L"3");
        pledInitGet(c.flags, L"");
        EXPECT_EQ(c.whole ? pledGetShort(L"Value: ", &whole) : pledGetReal(L"Value: ", &value), PLRTNORM);
        EXPECT_EQ(c.whole ? whole : value, c.expected);
        EXPECT_EQ(std::signbit(c.whole ? whole : value), std::signbit(c.expected));
        EXPECT_EQ(plsim::pendingReplies(), c.message ? 0u : 1u);
        EXPECT_TRUE(!c.message || contains(plsim::transcript(), c.message));
        plsim::clearReplies();
    }
}

TEST_F(EditorInput, NumberPromptsKeepTheValueAndPassKeywordsThroughGetInput) {
    PlString keyword;
    EXPECT_EQ(pledGetInput(keyword), PLRTERROR);
    double value = 42.0;
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

// A keyword prompt with flags 0: a reply that selects nothing is refused and asked again, and with nothing more
// queued the prompt ends as a cancel. The rows, in order: abbreviations follow the capitals, the whole name wins,
// then the first declared; "shadoW" must be typed whole or by its capital, "Status" and "Sharp" share the "S";
// names without capitals are typed whole, blanks around the reply do not count; local names and their
// abbreviations, global ones whole or abbreviated after "_"; uneven sides: an extra local name is its own global
// name, an extra global one is declared on both.
TEST_F(EditorInput, KeywordRepliesSelectTheKeywordTheRulesName) {
    const wchar_t* const soft = L"Sharp soFt soFtmapped softsAmpled Off";
    const wchar_t* const local = L"Licht Ende _ Light eXit";
    struct Reply {
        const wchar_t* typed;
        const wchar_t* expected;  // the global name; null: no keyword is selected
    };
    const struct {
        const wchar_t* list;
        std::vector<Reply> replies;
    } lists[] = {
        {soft, {{L"sof", L"soFt"}, {L"softm", L"soFtmapped"}, {L"so", nullptr}, {L"softmappedx", nullptr}}},
        {soft, {{L"softs", nullptr}, {L"softsa", L"softsAmpled"}, {L"a", L"softsAmpled"}, {L"f", L"soFt"}}},
        {soft, {{L"o", L"Off"}}},
        {L"Name Intensity eXit", {{L"e", nullptr}, {L"x", L"eXit"}, {L"exit", L"eXit"}, {L"exits", nullptr}}},
        {L"Kelvin CoolWhite", {{L"cw", L"CoolWhite"}}},
        {L"Status shadoW Sharp",
         {{L"w", L"shadoW"}, {L"s", L"Status"}, {L"sh", L"Sharp"}, {L"shado", nullptr}, {L"ShadoW", L"shadoW"}}},
        {L"Intensity Intensityfactor", {{L"i", L"Intensity"}}},
        {L"Name Intensityfactor", {{L"i", L"Intensityfactor"}}},
        {L"Spot Freespot freeweB", {{L"freew", nullptr}, {L"FREEWEB", L"freeweB"}}},
        {L"64 128 256", {{L"12", nullptr}}},
        {L"? Kelvin D65", {{L"?", L"?"}}},
        {L"Name eXit", {{L"  ex  ", L"eXit"}}},
        {local, {{L"ende", L"eXit"}, {L"e", L"eXit"}, {L"exit", L"eXit"}, {L"ex", nullptr}, {L"_EXIT", L"eXit"}}},
        {local, {{L"_ex", L"eXit"}, {L"_x", L"eXit"}, {L"x", nullptr}, {L"_ende", nullptr}, {L"_", nullptr}}},
        {L"Alpha Beta Gamma _ One Two", {{L"g", L"Gamma"}, {L"b", L"Two"}}},
        {L"Alpha _ One Two", {{L"two", L"Two"}, {L"a", L"One"}}},
        {L"_ One", {{L"o", L"One"}}},
        {L"Alpha _", {{L"a", L"Alpha"}}},
        {L"Alpha _ _ One", {{L"a", L"One"}}},
        {L"", {{L"anything", nullptr}}},
        {L"   ", {{L"x", nullptr}}},
    };
    for (const auto& list : lists) {
        for (const Reply& c : list.replies) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(list.list) + L" <- " + c.typed));
            plsim::resetSession();
            plsim::queueReply(c.typed);
            pledInitGet(0, list.list);
            PlString reply;
            EXPECT_EQ(pledGetKword(L"Option: ", reply), c.expected ? PLRTNORM : PLRTCAN);
            EXPECT_EQ(reply.str(), c.expected ? c.expected : L"");
            EXPECT_EQ(contains(plsim::transcript(), L"Invalid option keyword."), !c.expected);
        }
    }
}

}  // namespace
