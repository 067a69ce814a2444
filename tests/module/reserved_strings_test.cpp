// Guards against the reserved-name queries answering wrongly for local forms that differ from the global ones, the fast test disagreeing with a plain scan under any system's or locale's letter-case rules, and host types not reaching the host.
#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <map>
#include <string>
#include <vector>

#include "host/pldb.h"
#include "host/plres.h"
#include "reserved/ReservedStringTable.h"
#include "resources/MessageIds.h"
#include "support/host_fixture.h"

namespace {

/// The texts of a resource module, with some replaced.
std::function<PlString(unsigned)> textsOf(PlResModuleHandle module, std::map<unsigned, std::wstring> replaced = {}) {
    return [module, replaced](unsigned id) {
        if (const auto it = replaced.find(id); it != replaced.end()) return PlString(it->second);
        PlString text;
        text.loadString(PlRxResourceInstance(module), id);
        return text;
    };
}

class ReservedStringsTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        english = PlUtResource::loadDll(L"PlSceneRes.dll", 0, 0);
        ASSERT_TRUE(plsim::setLanguage(L"de"));
        german = PlUtResource::loadDll(L"PlSceneRes.dll", 0, 0);
        ASSERT_TRUE(english && german && english != german);
    }
    void TearDown() override {
        PlUtResource::freeDll(english, 0);
        PlUtResource::freeDll(german, 0);
        HostTest::TearDown();
    }
    PlResModuleHandle english = nullptr;
    PlResModuleHandle german = nullptr;
};

// The console's RESERVED test asks the exported queries the common questions;
// these are the rules it does not reach.
TEST_F(ReservedStringsTest, QueriesKeepToTheirForms) {
    const ReservedStringTable table(textsOf(german));
    for (const wchar_t* other : {L"Entwurf", L"", L"ByLayer"}) EXPECT_FALSE(table.isReservedViewString(other)) << other;
    EXPECT_FALSE(table.isReservedString(nullptr));
    EXPECT_FALSE(table.isReservedString(L"Draft", kRenderPresetOvernight + 1));
    EXPECT_EQ(table.anyForm(PlDb::kNone + 1, false), nullptr);
    ASSERT_TRUE(plsim::setLanguage(L"en"));
    EXPECT_TRUE(table.isReservedString(L"VonBlock", PlDb::kByBlock)) << "the host's own test, though no form matches";
    EXPECT_FALSE(table.isReservedString(L"ByLayer", PlDb::kByBlock));
    EXPECT_EQ(table.translateReservedString(L"VonLayer", false), nullptr) << "host names are not translated";
}

TEST_F(ReservedStringsTest, CoincidingLocalFormsTranslateToTheLowestType) {
    // Low (10041) and Draft (10040) share a local form, which is also Mirror's global one.
    const ReservedStringTable table(textsOf(german, {{msg::kRenderLow, L"Mirror"}, {msg::kRenderDraft, L"mirror"}}));
    EXPECT_STREQ(table.translateReservedString(L"MIRROR", false), L"Draft");
    EXPECT_STREQ(table.translateReservedString(L"Mirror", true), L"Spiegel");
}

/// Variants of a form that some system may fold to it, and near misses.
std::vector<std::wstring> variantsOf(const std::wstring& form) {
    std::vector<std::wstring> out{form, form.substr(0, form.size() / 2), form + L"e", L"*" + form};
    if (!form.empty()) out.push_back(form.substr(0, form.size() - 1));
    std::wstring upper = form, lower = form;
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    out.insert(out.end(), {upper, lower});
    // Look-alikes that fold to ASCII letters on some systems only.
    const std::map<wchar_t, std::vector<wchar_t>> lookAlikes = {
        {L'k', {L'\u212A'}}, {L'K', {L'\u212A'}}, {L'i', {L'\u0130', L'\u0131'}}, {L'I', {L'\u0131', L'\u0130'}},
        {L's', {L'\u017F'}}, {L'a', {L'\u00E4', L'b'}}, {L'\u00E4', {L'\u00C4', L'a'}}, {L' ', {L'\u00A0', L'-'}}};
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (const auto it = lookAlikes.find(form[i]); it != lookAlikes.end()) {
            for (const wchar_t alike : it->second) out.push_back(form.substr(0, i) + alike + upper.substr(i + 1));
        }
    }
    return out;
}

TEST_F(ReservedStringsTest, FastTestAnswersAsThePlainScan) {
    // English, German, and forms made of what systems fold differently.
    const ReservedStringTable tables[] = {
        ReservedStringTable(textsOf(english)),
        ReservedStringTable(textsOf(german)),
        ReservedStringTable(textsOf(german, {{msg::kViewCurrent, L"\u212Aelvin"},
                                             {msg::kViewTop, L"D\u0131V\u0130S"},
                                             {msg::kViewBottom, L"\u017Ftop"},
                                             {msg::kRenderDraft, L""},
                                             {msg::kRenderLow, L"Draft"},
                                             {msg::kMaterialMirror, L"\u00C4\u00D6\u00DC\u00DF"},
                                             {msg::kMaterialMetal, L"High"},
                                             {msg::kShadeAsDisplayed, L"*top*"}})),
    };
    for (const char* locale : {"C", "C.UTF-8", ""}) {
        if (!std::setlocale(LC_ALL, locale)) continue;
        int found = 0, total = 0;
        for (const ReservedStringTable& table : tables) {
            std::vector<std::wstring> texts{L"", L"kelvin", L"divis", L"stop", L"\u00E4\u00F6\u00FC\u00DF", L"x"};
            for (int type = kViewCurrent; type <= kRenderPresetOvernight; ++type) {
                for (const bool localized : {false, true}) {
                    const std::vector<std::wstring> more = variantsOf(table.form(type, localized));
                    texts.insert(texts.end(), more.begin(), more.end());
                }
            }
            for (const std::wstring& text : texts) {
                const bool plain = table.scanForReservedString(text.c_str());
                ASSERT_EQ(table.isReservedString(text.c_str()), plain) << "locale \"" << locale << "\", text of "
                                                                       << text.size() << " characters";
                found += plain;
                ++total;
            }
        }
        EXPECT_GT(found, total / 8) << "the variants must hold matches";
        EXPECT_LT(found, total / 2) << "and near misses";
    }
    std::setlocale(LC_ALL, "C");
}

}  // namespace
