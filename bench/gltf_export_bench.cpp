// Time to export a drawing of N lights (every kind; web lights with a file, spots with cones,
// some off, some with a range) and N entities (lines, circles, polylines, texts, regions) as
// glTF: read from the drawing and made into the files' bytes, as .gltf and as .glb.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "gltf/gltf_export.h"
#include "host/pldbents.h"
#include "host/pldocs.h"
#include "host/plscene.h"
#include "hostsim/driver.h"
#include "hostsim/drawing_driver.h"

namespace {

/// Adds `count` lights and `count` entities to `db`, spread over a hall of 100 by 60 m.
void fillDrawing(PlDbDatabase* db, int count) {
    const int kinds[] = {PlDbLight::kPointLight, PlDbLight::kSpotLight, PlDbLight::kWebLight, PlDbLight::kDistantLight};
    const std::wstring web = PL_EXAMPLES_DIR L"/webs/downlight.ies";
    PlDbObjectId id;
    for (int i = 0; i < count; ++i) {
        const PlGePoint3d at(100.0 * (i % 1000), 60.0 * (i / 1000 % 1000), 3000.0);
        auto* light = new PlDbLight;
        static_cast<void>(light->setLightKind(kinds[i % 4]));
        static_cast<void>(light->setName((L"Light" + std::to_wstring(i + 1)).c_str()));
        static_cast<void>(light->setPosition(at));
        static_cast<void>(light->setHasTarget(i % 3 == 0));
        static_cast<void>(light->setTargetLocation(at + PlGeVector3d(500.0, 200.0, -3000.0)));
        static_cast<void>(light->setOn(i % 7 != 0));
        if (i % 4 == 2) static_cast<void>(light->setWebFile(web.c_str()));
        if (i % 5 == 0) {
            PlGiLightAttenuation limits;
            limits.setUseLimits(true);
            limits.setLimits(100.0, 8000.0);
            static_cast<void>(light->setLightAttenuation(limits));
        }
        static_cast<void>(plsim::addEntity(db, light, id));

        PlDbEntity* entity = nullptr;
        switch (i % 5) {
            case 0: {
                auto* line = new PlDbLine;
                static_cast<void>(line->set(at, at + PlGeVector3d(90.0, 0.0, -3000.0)));
                entity = line;
                break;
            }
            case 1: {
                auto* circle = new PlDbCircle;
                static_cast<void>(circle->set(at, 40.0));
                entity = circle;
                break;
            }
            case 2: {
                auto* pline = new PlDbPolyline;
                static_cast<void>(pline->setPoints({at, at + PlGeVector3d(50.0, 0.0, 0.0), at + PlGeVector3d(50.0, 50.0, 0.0)}));
                entity = pline;
                break;
            }
            case 3: {
                auto* text = new PlDbText;
                static_cast<void>(text->set(at, L"Seat", 200.0));
                entity = text;
                break;
            }
            default: {
                auto* region = new PlDbRegion;
                static_cast<void>(region->setBoundary({at, at + PlGeVector3d(80.0, 0.0, 0.0), at + PlGeVector3d(80.0, 50.0, 0.0),
                                                        at + PlGeVector3d(0.0, 50.0, 0.0)}));
                entity = region;
                break;
            }
        }
        static_cast<void>(plsim::addEntity(db, entity, id));
    }
}

void BM_GltfExport(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const char* name = state.range(1) == 0 ? "bench.gltf" : "bench.glb";
    PlApDocument* drawing = plsim::openDrawing(L"Bench");
    fillDrawing(drawing->database(), count);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const plandor::gltf::GltfScene scene = plandor::gltf::gltfSceneOf(drawing->database(), "bench");
        std::wstring error;
        const std::vector<plandor::gltf::ExportFile> files = plandor::gltf::exportFiles(scene, name, error);
        if (files.empty()) state.SkipWithError("the drawing could not be exported");
        bytes = 0;
        for (const auto& file : files) bytes += file.bytes.size();
        benchmark::DoNotOptimize(files.data());
    }
    plsim::closeDrawing(drawing);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

BENCHMARK(BM_GltfExport)->Args({1000, 0})->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

}  // namespace
