// Light-point pairs a second of the illuminance grid: 100 point and spot lights, 100 web lights,
// on 10^5 and 10^6 points, on one and two threads, in the portable and the vector loop; and a
// floor of 10^6 points under 10,000 lights whose limits reach 5 m. Rates are per second of
// real time (the threads' work together).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "host/plscene.h"
#include "illuminance/grid.h"

namespace {

using plandor::illuminance::GridLayout;
using plandor::illuminance::InstructionSet;
using plandor::illuminance::Scene;
using plsim::scene::LightInfo;
using plsim::scene::PhotometricWeb;

constexpr plandor::illuminance::Units kMetres{1.0, false};
constexpr double kPi = 3.141592653589793;

LightInfo lightOf(int kind, double x, double y, double z) {
    LightInfo l;
    l.kind = kind;
    l.on = true;
    l.intensity = 1.0;
    l.color.red = l.color.green = l.color.blue = 255;
    l.position = {x, y, z};
    l.direction = PlGeVector3d(0.1 * std::sin(x), 0.1 * std::cos(y), -1.0);
    l.hotspot = 0.6;
    l.falloff = 1.0;
    l.photometry.candela = 1000.0;
    l.webFile = L"asymmetric.ies";
    l.webRotation = {0.0, 0.0, 30.0 * x};
    return l;
}

/// A web of type C with 37 vertical angles and 25 horizontal ones over the whole turn.
PhotometricWeb asymmetricWeb() {
    PhotometricWeb web;
    for (int v = 0; v <= 180; v += 5) web.vertical.push_back(v);
    for (int h = 0; h <= 360; h += 15) web.horizontal.push_back(h);
    for (const double h : web.horizontal) {
        for (const double v : web.vertical) {
            const double down = std::max(0.0, std::cos(v * kPi / 180.0));
            web.candela.push_back(100.0 * down * (1.2 + std::cos(h * kPi / 180.0)) + 5.0);
        }
    }
    return web;
}

/// `count` lights of `kinds` in turn, over a 20 m square at 3 m.
Scene sceneOf(std::vector<int> kinds, int count) {
    std::vector<LightInfo> lights;
    for (int i = 0; i < count; ++i)
        lights.push_back(lightOf(kinds[i % kinds.size()], (i % 10) * 2.0, (i / 10) * 2.0, 3.0));
    const PhotometricWeb web = asymmetricWeb();
    return Scene::of(lights, kMetres, [web](const std::wstring&, std::wstring&) { return std::optional(web); });
}

/// A grid of `points` (a square number) over the same 20 m square at desk height.
GridLayout squareGrid(double side, std::size_t across) {
    GridLayout layout;
    layout.columns = layout.rows = across;
    layout.cellWidth = layout.cellHeight = side / static_cast<double>(across);
    layout.height = 0.8;
    return layout;
}

void runGrid(benchmark::State& state, const Scene& scene, std::size_t lights) {
    const std::size_t across = static_cast<std::size_t>(std::lround(std::sqrt(static_cast<double>(state.range(0)))));
    const GridLayout layout = squareGrid(20.0, across);
    plandor::illuminance::GridRun run;
    run.threads = static_cast<unsigned>(state.range(1));
    run.set = state.range(2) != 0 ? InstructionSet::Avx2 : InstructionSet::Portable;
    if (!plandor::illuminance::available(run.set)) {
        state.SkipWithError("no AVX2 here");
        return;
    }
    double sum = 0.0;
    for (auto _ : state) sum += computeGrid(scene, layout, run).stats.average;
    benchmark::DoNotOptimize(sum);
    const double pairs = static_cast<double>(layout.points() * lights);
    state.counters["pairs/s"] = benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["ns/pair"] =
        benchmark::Counter(pairs * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_IlluminancePointSpot(benchmark::State& state) {
    static const Scene scene = sceneOf({PlDbLight::kPointLight, PlDbLight::kSpotLight}, 100);
    runGrid(state, scene, 100);
}

void BM_IlluminanceWeb(benchmark::State& state) {
    static const Scene scene = sceneOf({PlDbLight::kWebLight}, 100);
    runGrid(state, scene, 100);
}

/// 10^6 points over a 100 m square under 10,000 point and spot lights at 3 m, one a square metre,
/// each reaching 5 m: about 50 lights in reach of a point.
void BM_IlluminanceFloor10000Lights(benchmark::State& state) {
    static const Scene scene = [] {
        std::vector<LightInfo> lights;
        for (int i = 0; i < 10000; ++i) {
            LightInfo l =
                lightOf(i % 2 ? PlDbLight::kSpotLight : PlDbLight::kPointLight, i % 100 + 0.5, i / 100 + 0.5, 3.0);
            l.attenuation.useLimits = true;
            l.attenuation.start = 0.0;
            l.attenuation.end = 5.0;
            lights.push_back(l);
        }
        return Scene::of(lights, kMetres);
    }();
    const GridLayout layout = squareGrid(100.0, 1000);
    plandor::illuminance::GridRun run;
    run.threads = static_cast<unsigned>(state.range(0));
    double sum = 0.0;
    for (auto _ : state) sum += computeGrid(scene, layout, run).stats.average;
    benchmark::DoNotOptimize(sum);
}

// Arguments: points, threads, vector loop (1) or portable (0).
BENCHMARK(BM_IlluminancePointSpot)
    ->ArgsProduct({{100000, 1000000}, {1, 2}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IlluminanceWeb)
    ->ArgsProduct({{100000, 1000000}, {1, 2}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IlluminanceFloor10000Lights)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
