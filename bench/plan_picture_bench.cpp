// Time to write the picture of a drawing with N lights (every kind, spots with their cones,
// targets, lamp rings) and a few entities, in plan and front elevation.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "picture/plan_picture.h"
#include "hostsim/color_temperature.h"

namespace {

plandor::PlanContent drawingWithLights(int count) {
    plandor::PlanContent content;
    content.photometric = true;
    unsigned state = 12345;
    const auto next = [&state](double range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % 1000000 / 1000000.0 * range;
    };
    const int kinds[] = {2, 3, 10, 1};
    for (int i = 0; i < count; ++i) {
        plsim::scene::LightInfo light;
        light.name = L"Light" + std::to_wstring(i + 1);
        light.kind = kinds[i % 4];
        light.on = i % 7 != 0;
        light.hasTarget = i % 3 != 0 && light.kind != 1;
        light.position = {next(50000.0), next(30000.0), 2000.0 + next(3000.0)};
        light.target = {light.position.x + next(4000.0) - 2000.0, light.position.y + next(4000.0) - 2000.0, 0.0};
        light.direction = light.hasTarget ? (light.target - light.position).normal()
                                          : PlGeVector3d(next(2.0) - 1.0, next(2.0) - 1.0, -1.0).normal();
        light.hotspot = 0.3 + next(1.0);
        light.falloff = light.hotspot + next(0.8);
        light.color.red = static_cast<int>(next(255.0));
        light.color.green = 200;
        light.color.blue = 128;
        light.photometry.lampRgb = plsim::kelvinToSrgb(1800.0 + next(8000.0));
        content.lights.push_back(light);
    }
    content.entities.push_back({L"line", {{0.0, 0.0, 0.0}, {50000.0, 30000.0, 0.0}}, false, L"", 0.0});
    content.entities.push_back({L"text", {{100.0, 100.0, 0.0}}, false, L"Hall", 500.0});
    return content;
}

void BM_PlanPicture(benchmark::State& state) {
    const plandor::PlanContent content = drawingWithLights(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string svg = plandor::planPictureSvg(content);
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

BENCHMARK(BM_PlanPicture)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
