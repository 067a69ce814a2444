// Guards against keyword replies selecting the wrong keyword or none: abbreviations, ties, case, the "_" form, odd lists.
#include <string>

#include <gtest/gtest.h>

#include "host/pled.h"
#include "tests/hostsim/host_fixture.h"

namespace {

using KeywordMatching = HostTest;

struct MatchCase {
    const wchar_t* list;
    const wchar_t* reply;
    const wchar_t* expected;  // the global name; null: no keyword is selected
};

// A keyword prompt with flags 0: a reply that selects nothing is refused and
// asked again, and with nothing more queued the prompt ends as a cancel.
void expectMatch(const MatchCase& c) {
    plsim::resetSession();
    plsim::queueReply(c.reply);
    pledInitGet(0, c.list);
    PlString reply;
    const int status = pledGetKword(L"Option: ", reply);
    const std::wstring where = std::wstring(L"list \"") + c.list + L"\", reply \"" + c.reply + L"\"";
    if (c.expected) {
        EXPECT_EQ(status, PLRTNORM) << testing::PrintToString(where);
        EXPECT_EQ(reply.str(), c.expected) << testing::PrintToString(where);
    } else {
        EXPECT_EQ(status, PLRTCAN) << testing::PrintToString(where);
        EXPECT_NE(plsim::transcript().find(L"Invalid option keyword."), std::wstring::npos)
            << testing::PrintToString(where);
    }
}

TEST_F(KeywordMatching, AbbreviationsFollowTheCapitals) {
    const MatchCase cases[] = {
        // "soFt" and "soFtmapped": the whole name wins, then the first declared.
        {L"soFt soFtmapped", L"soft", L"soFt"},
        {L"soFt soFtmapped", L"sof", L"soFt"},
        {L"soFt soFtmapped", L"softm", L"soFtmapped"},
        {L"soFt soFtmapped", L"so", nullptr},
        {L"soFt soFtmapped", L"softmappedx", nullptr},
        {L"Sharp soFt soFtmapped softsAmpled Off", L"softs", nullptr},
        {L"Sharp soFt soFtmapped softsAmpled Off", L"softsa", L"softsAmpled"},
        {L"Sharp soFt soFtmapped softsAmpled Off", L"o", L"Off"},
        // "eXit" needs "ex".
        {L"Name Intensity eXit", L"e", nullptr},
        {L"Name Intensity eXit", L"x", L"eXit"},
        {L"Status shadoW Sharp", L"w", L"shadoW"},
        {L"Sharp soFt soFtmapped softsAmpled Off", L"a", L"softsAmpled"},
        {L"Sharp soFt soFtmapped softsAmpled Off", L"f", L"soFt"},
        {L"Kelvin CoolWhite", L"cw", L"CoolWhite"},
        {L"Name Intensity eXit", L"ex", L"eXit"},
        {L"Name Intensity eXit", L"exit", L"eXit"},
        {L"Name Intensity eXit", L"exits", nullptr},
        // "shadoW" must be typed whole; "Status" and "Sharp" share the "S".
        {L"Status shadoW Sharp", L"s", L"Status"},
        {L"Status shadoW Sharp", L"sh", L"Sharp"},
        {L"Status shadoW Sharp", L"shado", nullptr},
        {L"Status shadoW Sharp", L"ShadoW", L"shadoW"},
        // "Intensity" against "Intensityfactor".
        {L"Intensity Intensityfactor", L"i", L"Intensity"},
        {L"Intensity Intensityfactor", L"intensityf", L"Intensityfactor"},
        {L"Name Intensityfactor", L"i", L"Intensityfactor"},
        // "freeweB" against "Freespot".
        {L"Spot Freespot freeweB", L"f", L"Freespot"},
        {L"Spot Freespot freeweB", L"freew", nullptr},
        {L"Spot Freespot freeweB", L"FREEWEB", L"freeweB"},
        // Names without capitals are typed whole.
        {L"64 128 256", L"128", L"128"},
        {L"64 128 256", L"12", nullptr},
        {L"? Kelvin D65", L"?", L"?"},
        // Blanks around the reply do not count.
        {L"Name eXit", L"  ex  ", L"eXit"},
    };
    for (const MatchCase& c : cases) expectMatch(c);
}

TEST_F(KeywordMatching, LocalAndGlobalNames) {
    const wchar_t* list = L"Licht Ende _ Light eXit";
    const MatchCase cases[] = {
        {list, L"ende", L"eXit"},     // local name
        {list, L"e", L"eXit"},        // local abbreviation
        {list, L"l", L"Light"},
        {list, L"exit", L"eXit"},     // whole global name without "_"
        {list, L"ex", nullptr},       // global names are abbreviated only after "_"
        {list, L"_exit", L"eXit"},
        {list, L"_EXIT", L"eXit"},
        {list, L"_ex", L"eXit"},
        {list, L"_ende", nullptr},    // "_" reaches global names only
        {list, L"_", nullptr},
        {list, L"_x", L"eXit"},      // the global shortcut after "_"
        {list, L"x", nullptr},       // but not without it: "x" is no local shortcut
    };
    for (const MatchCase& c : cases) expectMatch(c);
}

TEST_F(KeywordMatching, ListsWithUnevenSidesOrNoKeywords) {
    const MatchCase cases[] = {
        {L"Alpha Beta Gamma _ One Two", L"g", L"Gamma"},  // an extra local name is its own global name
        {L"Alpha Beta Gamma _ One Two", L"b", L"Two"},
        {L"Alpha _ One Two", L"two", L"Two"},             // an extra global name is declared on both sides
        {L"Alpha _ One Two", L"_t", L"Two"},
        {L"Alpha _ One Two", L"a", L"One"},
        {L"_ One", L"o", L"One"},
        {L"Alpha _", L"a", L"Alpha"},
        {L"Alpha _ _ One", L"a", L"One"},                  // a second "_" is ignored
        {L"", L"anything", nullptr},
        {L"   ", L"x", nullptr},
    };
    for (const MatchCase& c : cases) expectMatch(c);
}

}  // namespace
