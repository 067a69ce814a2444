// Guards against keyword replies selecting the wrong keyword or none: abbreviations, ties, case, the "_" form, odd lists.
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using KeywordMatching = HostTest;

// A keyword prompt with flags 0: a reply that selects nothing is refused and
// asked again, and with nothing more queued the prompt ends as a cancel.
TEST_F(KeywordMatching, RepliesSelectTheKeywordTheRulesName) {
    const wchar_t* const soft = L"Sharp soFt soFtmapped softsAmpled Off";
    const wchar_t* const exit = L"Name Intensity eXit";
    const wchar_t* const shadow = L"Status shadoW Sharp";
    const wchar_t* const local = L"Licht Ende _ Light eXit";
    const wchar_t* const uneven = L"Alpha Beta Gamma _ One Two";
    const struct {
        const wchar_t* list;
        const wchar_t* reply;
        const wchar_t* expected;  // the global name; null: no keyword is selected
    } cases[] = {
        // Abbreviations follow the capitals; the whole name wins, then the first declared.
        {soft, L"sof", L"soFt"}, {soft, L"softm", L"soFtmapped"}, {soft, L"so", nullptr},
        {soft, L"softmappedx", nullptr}, {soft, L"softs", nullptr}, {soft, L"softsa", L"softsAmpled"},
        {soft, L"a", L"softsAmpled"}, {soft, L"f", L"soFt"}, {soft, L"o", L"Off"},
        {exit, L"e", nullptr}, {exit, L"x", L"eXit"}, {exit, L"exit", L"eXit"}, {exit, L"exits", nullptr},
        {L"Kelvin CoolWhite", L"cw", L"CoolWhite"},
        // "shadoW" must be typed whole or by its capital; "Status" and "Sharp" share the "S".
        {shadow, L"w", L"shadoW"}, {shadow, L"s", L"Status"}, {shadow, L"sh", L"Sharp"},
        {shadow, L"shado", nullptr}, {shadow, L"ShadoW", L"shadoW"},
        {L"Intensity Intensityfactor", L"i", L"Intensity"}, {L"Name Intensityfactor", L"i", L"Intensityfactor"},
        {L"Spot Freespot freeweB", L"freew", nullptr}, {L"Spot Freespot freeweB", L"FREEWEB", L"freeweB"},
        // Names without capitals are typed whole; blanks around the reply do not count.
        {L"64 128 256", L"12", nullptr}, {L"? Kelvin D65", L"?", L"?"}, {L"Name eXit", L"  ex  ", L"eXit"},
        // Local names and their abbreviations; global ones whole, or abbreviated after "_".
        {local, L"ende", L"eXit"}, {local, L"e", L"eXit"}, {local, L"exit", L"eXit"}, {local, L"ex", nullptr},
        {local, L"_EXIT", L"eXit"}, {local, L"_ex", L"eXit"}, {local, L"_x", L"eXit"}, {local, L"x", nullptr},
        {local, L"_ende", nullptr}, {local, L"_", nullptr},
        // Uneven sides: an extra local name is its own global name, an extra global one is declared on both.
        {uneven, L"g", L"Gamma"}, {uneven, L"b", L"Two"}, {L"Alpha _ One Two", L"two", L"Two"},
        {L"Alpha _ One Two", L"a", L"One"}, {L"_ One", L"o", L"One"}, {L"Alpha _", L"a", L"Alpha"},
        {L"Alpha _ _ One", L"a", L"One"}, {L"", L"anything", nullptr}, {L"   ", L"x", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.list) + L" <- " + c.reply));
        plsim::resetSession();
        plsim::queueReply(c.reply);
        pledInitGet(0, c.list);
        PlString reply;
        EXPECT_EQ(pledGetKword(L"Option: ", reply), c.expected ? PLRTNORM : PLRTCAN);
        if (c.expected) EXPECT_EQ(reply.str(), c.expected);
        else EXPECT_NE(plsim::transcript().find(L"Invalid option keyword."), std::wstring::npos);
    }
}

}  // namespace
