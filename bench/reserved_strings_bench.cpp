// Time of one reserved-name test through the module's exported queries, for texts that match
// nothing and texts that match, in English and German; and the same test as a plain scan.
#include <benchmark/benchmark.h>

#include <cwchar>
#include <string>
#include <vector>

#include "hostsim/driver.h"
#include "reserved/ReservedStringType.h"

namespace {

using IsReserved = bool (*)(const wchar_t*);
using GetReserved = const wchar_t* (*)(ReservedStringType, bool);

const std::vector<std::wstring> kMisses = {L"Spotlight1", L"Lights", L"Glass-Clear", L"*Topp*", L"Overnight Qualiti",
                                           L"W\u00E4nde", L"Drafts", L"Paper - translucent!", L"Stone polishe", L"x"};
const std::vector<std::wstring> kMatches = {L"*top*", L"Coffee-Break Quality", L"GLASS - CLEAR", L"mirror",
                                            L"Paper - Translucent", L"*SW ISOMETRIC*", L"Spiegel", L"*Oben*",
                                            L"Kaffeepausen-Qualit\u00E4t", L"Entwurf"};
/// The longest forms with every letter in the other case: the most left to the library.
const std::vector<std::wstring> kShouted = {L"COFFEE-BREAK QUALITY", L"pAPER - tRANSLUCENT", L"KERAMIKFLIESE, GLASIERT"};

/// Loads the module in `language` and times `test` over `texts`, one call an item.
template <class Test>
void timeQueries(benchmark::State& state, const wchar_t* language, const std::vector<std::wstring>& texts, Test test) {
    plsim::resetSession();
    plsim::setLanguage(language);
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx");
    const auto isReserved = reinterpret_cast<IsReserved>(plsim::findApplicationSymbol("_ZN10ZuredUDKMX16isReservedStringEPKw"));
    const auto getReserved =
        reinterpret_cast<GetReserved>(plsim::findApplicationSymbol("_ZN10ZuredUDKMX17getReservedStringE18ReservedStringTypeb"));
    if (!app || !isReserved || !getReserved) {
        state.SkipWithError("the module or its reserved-name queries could not be loaded");
        return;
    }
    isReserved(L"");  // builds the table
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(test(isReserved, getReserved, texts[i].c_str()));
        i = i + 1 == texts.size() ? 0 : i + 1;
    }
    state.SetItemsProcessed(state.iterations());
    plsim::unloadApplication(app);
    plsim::resetSession();
}

bool fast(IsReserved isReserved, GetReserved, const wchar_t* text) { return isReserved(text); }

/// Every type in order, global form first, through the exported getReservedString.
bool plainScan(IsReserved, GetReserved getReserved, const wchar_t* text) {
    for (int type = kViewCurrent; type <= kRenderPresetOvernight; ++type) {
        for (const bool localized : {false, true}) {
            const wchar_t* form = getReserved(static_cast<ReservedStringType>(type), localized);
            if (form && wcscasecmp(text, form) == 0) return true;
        }
    }
    return false;
}

void BM_IsReservedMiss(benchmark::State& state, const wchar_t* language) { timeQueries(state, language, kMisses, fast); }
void BM_IsReservedMatch(benchmark::State& state, const wchar_t* language) { timeQueries(state, language, kMatches, fast); }
void BM_IsReservedShouted(benchmark::State& state, const wchar_t* language) {
    timeQueries(state, language, kShouted, fast);
}
void BM_PlainScanMiss(benchmark::State& state, const wchar_t* language) { timeQueries(state, language, kMisses, plainScan); }
void BM_PlainScanMatch(benchmark::State& state, const wchar_t* language) { timeQueries(state, language, kMatches, plainScan); }

BENCHMARK_CAPTURE(BM_IsReservedMiss, en, L"en");
BENCHMARK_CAPTURE(BM_IsReservedMiss, de, L"de");
BENCHMARK_CAPTURE(BM_IsReservedMatch, en, L"en");
BENCHMARK_CAPTURE(BM_IsReservedMatch, de, L"de");
BENCHMARK_CAPTURE(BM_IsReservedShouted, de, L"de");
BENCHMARK_CAPTURE(BM_PlainScanMiss, de, L"de");
BENCHMARK_CAPTURE(BM_PlainScanMatch, de, L"de");

}  // namespace
