// Time to save a drawing of N lights (every kind, every property set) and a few entities and paths to its file
// (SAVE: read through the driver, written, flushed to the disk, renamed into place), and to open that file in
// the place of the drawing that is open (OPEN: read, checked whole, built). "per_light" is the time over N.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "drawingfile/drawing_builder.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace {

/// A drawing of `count` lights of every kind, with a line, a view and a named and a motion path.
PlApDocument* drawingWithLights(int count) {
    plsim::resetSession();
    static_cast<void>(plrxLoadModule(L"PlSceneOE.dbx", false, false));
    PlApDocument* drawing = plsim::openDrawing(L"Bench");
    PlDbDatabase* db = drawing->database();
    PlDbObjectId id, line, rail, view;
    static_cast<void>(db->addLayer(L"Lights", id));
    const int kinds[] = {2, 3, 10, 1};
    for (int i = 0; i < count; ++i) {
        plsim::scene::LightInfo light;
        light.name = L"Light" + std::to_wstring(i + 1);
        light.kind = kinds[i % 4];
        light.hasTarget = light.kind != 1 && i % 3 != 0;
        light.layer = L"Lights";
        light.on = i % 7 != 0;
        light.position = {100.0 * (i % 500), 100.0 * (i / 500), 2800.0};
        light.target = {light.position.x + 10.0, light.position.y, 0.0};
        light.direction = (light.target - light.position).normal();
        light.intensity = 1.0 + i % 5;
        light.hotspot = 0.5;
        light.falloff = 0.75;
        light.color = {plsim::scene::ColorInfo::Method::Rgb, i % 256, 128, 64, 0, L"", L"", L""};
        light.shadow = {true, 1, 512, 3, 2, 1.5, 2.0, 0.25, 8, true};
        light.attenuation = {2, true, 0.5, 100.0};
        light.photometry.physicalIntensity = 1200.0 + i;
        light.photometry.distance = 2.5;
        light.photometry.lampColorTemp = 3000.0 + i % 4000;
        static_cast<void>(plsim::scene::addLight(db, light, id));
    }
    plsim::EntityInfo entity;
    entity.points = {{0.0, 0.0, 0.0}, {50000.0, 30000.0, 0.0}};
    static_cast<void>(plsim::addEntity(db, entity, line));
    static_cast<void>(plsim::addView(db, L"Front", view));
    static_cast<void>(plsim::scene::addNamedPath(db, L"Rail", line, rail));
    static_cast<void>(plsim::scene::addMotionPath(db, L"Fly", rail, PlDbObjectId::kNull, view, id));
    return drawing;
}

std::filesystem::path benchFile() { return std::filesystem::temp_directory_path() / "pl_bench_drawing.json"; }

void perLight(benchmark::State& state) {
    state.counters["per_light"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

void BM_SaveDrawing(benchmark::State& state) {
    PlApDocument* drawing = drawingWithLights(static_cast<int>(state.range(0)));
    plandor::SavedDrawing saved;
    std::wstring error;
    for (auto _ : state) {
        if (!plandor::saveDrawing(benchFile(), drawing, saved, error)) state.SkipWithError("the drawing was not saved");
    }
    perLight(state);
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(benchFile())) / 1e6;
    plsim::resetSession();
}

void BM_OpenDrawing(benchmark::State& state) {
    PlApDocument* drawing = drawingWithLights(static_cast<int>(state.range(0)));
    plandor::SavedDrawing saved;
    std::wstring error;
    if (!plandor::saveDrawing(benchFile(), drawing, saved, error)) state.SkipWithError("the drawing was not saved");
    for (auto _ : state) {
        const plandor::ReadDrawing read = plandor::readDrawingFile(benchFile());
        const plandor::BuiltDrawing built =
            read.drawing ? plandor::buildDrawing(*read.drawing, L"Opened") : plandor::BuiltDrawing{};
        if (!built.drawing) {
            state.SkipWithError("the drawing was not opened");
            break;
        }
        // The drawing it takes the place of is closed, as OPEN closes it.
        plsim::closeDrawing(drawing);
        drawing = built.drawing;
    }
    perLight(state);
    plsim::resetSession();
    std::filesystem::remove(benchFile());
}

BENCHMARK(BM_SaveDrawing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDrawing)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
