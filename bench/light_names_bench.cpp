// How long naming and appending a light takes as a drawing grows: each light is named with
// findNextLightName and appended to model space the way a light command does it; at most 1 us
// a light at 100,000 lights.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "host/pldb.h"
#include "host/pldocs.h"
#include "host/plrx.h"
#include "host/plscene.h"
#include "hostsim/driver.h"

namespace {

/// Names and appends one light; false when a step fails.
bool appendNamedLight(PlDbDatabase* db) {
    const PlString name = LightingUtil::findNextLightName(L"Spotlight");
    if (name.isEmpty()) return false;
    auto* light = new PlDbLight;
    if (!light || light->setName(name.kwszPtr()) != Plad::eOk) {
        delete light;
        return false;
    }
    PlDbBlockTableRecord* space = nullptr;
    if (pldbOpenObject(space, db->currentSpaceId(), PlDb::kForWrite) != Plad::eOk) {
        delete light;
        return false;
    }
    const bool appended = space->appendPlDbEntity(light) == Plad::eOk;
    space->close();
    if (!appended) {
        delete light;
        return false;
    }
    light->close();
    return true;
}

void BM_AppendNamedLights(benchmark::State& state) {
    const auto count = static_cast<std::int64_t>(state.range(0));
    plsim::resetSession();
    if (!plrxLoadModule(L"PlSceneOE.dbx", false, false)) {
        state.SkipWithError("the light-entity module did not load");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        PlApDocument* doc = plsim::openDrawing(L"Bench");
        PlDbDatabase* db = doc->database();
        state.ResumeTiming();
        for (std::int64_t i = 0; i < count; ++i) {
            if (!appendNamedLight(db)) {
                state.SkipWithError("a light could not be named or appended");
                break;
            }
        }
        state.PauseTiming();
        plsim::closeDrawing(doc);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
    // Time per light, in seconds (shown scaled).
    state.counters["per_light"] =
        benchmark::Counter(static_cast<double>(state.iterations() * count),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    plrxUnloadModule(L"PlSceneOE.dbx", false);
    plsim::resetSession();
}

}  // namespace

BENCHMARK(BM_AppendNamedLights)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
