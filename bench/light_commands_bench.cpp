// Time per light when a script places N point lights through the loaded module: at most 3 us.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "hostsim/driver.h"

namespace {

void BM_ScriptedPointLights(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        plsim::resetSession();
        plsim::openDrawing(L"Bench");
        plsim::setScriptActive(true);
        plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx");
        if (!app) {
            state.SkipWithError("PlZuredUD.vmx could not be loaded");
            return;
        }
        // The replies are a user's typing: written before the clock runs.
        std::vector<std::wstring> points;
        points.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) {
            points.push_back(std::to_wstring(i % 1000) + L"," + std::to_wstring(i / 1000) + L",3000");
        }
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) {
            plsim::queueReply(points[static_cast<std::size_t>(i)]);
            plsim::queueEnter();
            plsim::runCommand(L"POINTLIGHT");
            if (i % 1024 == 0) plsim::clearTranscript();
        }
        state.PauseTiming();
        if (plsim::pendingReplies() != 0 || plsim::exhaustedPrompts() != 0)
            state.SkipWithError("the command asked other questions than expected");
        plsim::unloadApplication(app);
        plsim::resetSession();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["s_per_light"] = benchmark::Counter(
        static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}

BENCHMARK(BM_ScriptedPointLights)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
