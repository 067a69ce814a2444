// Photometric files read per second: a type C file of 100 x 100 angles (10,000 candela
// values, about 90 kB), read from memory, and the flux integrated over it.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "hostsim/sceneoe/photometric_web.h"

namespace {

constexpr int kAngles = 100;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

/// A spot-like distribution with a little variation between planes, ten values a line.
std::string largeFile() {
    std::string text = "IESNA:LM-63-2002\n[TEST] benchmark\n[MANUFAC] none\nTILT=NONE\n";
    text += "1 -1 1 " + std::to_string(kAngles) + " " + std::to_string(kAngles) + " 1 2 0.1 0.1 0\n1 1 50\n";
    for (int axis = 0; axis < 2; ++axis) {
        const double last = axis == 0 ? 180.0 : 360.0;
        for (int i = 0; i < kAngles; ++i) text += number(last * i / (kAngles - 1)) + (i % 10 == 9 ? "\n" : " ");
    }
    for (int h = 0; h < kAngles; ++h) {
        for (int v = 0; v < kAngles; ++v) {
            const double theta = 180.0 * v / (kAngles - 1);
            const double value = 2000.0 * std::exp(-theta * theta / 800.0) * (1.0 + 0.1 * std::sin(h * 0.3)) + 1.0;
            text += number(value) + (v % 10 == 9 ? "\n" : " ");
        }
    }
    return text;
}

void BM_ReadWebFile(benchmark::State& state) {
    const std::string text = largeFile();
    std::wstring error;
    for (auto _ : state) {
        auto web = plsim::scene::readPhotometricWeb(text, L"bench.ies", error);
        if (!web) {
            state.SkipWithError("the benchmark's file was refused");
            return;
        }
        benchmark::DoNotOptimize(web->candela.data());
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
    state.counters["candela_per_s"] = benchmark::Counter(
        static_cast<double>(kAngles * kAngles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_WebFlux(benchmark::State& state) {
    std::wstring error;
    const auto web = plsim::scene::readPhotometricWeb(largeFile(), L"bench.ies", error);
    if (!web) {
        state.SkipWithError("the benchmark's file was refused");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(plsim::scene::webFlux(*web));
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_ReadWebFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WebFlux)->Unit(benchmark::kMicrosecond);

}  // namespace
