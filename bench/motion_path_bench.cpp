// Time per dictionary entry the motion-path reactor sweeps when a line is erased in a drawing
// with N named paths and N motion paths.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "host/pldbents.h"
#include "host/pldocs.h"
#include "host/plmotionpath.h"
#include "hostsim/drawing_driver.h"
#include "hostsim/driver.h"
#include "hostsim/sceneoe/path_driver.h"

namespace {

using DictionaryGetter = Plad::ErrorStatus (*)(PlDbDatabase*, PlDbDictionary*&, PlDb::OpenMode, bool);

/// Entries of a path dictionary of `db`.
double entryCount(PlDbDatabase* db, DictionaryGetter getter) {
    PlDbDictionary* dictionary = nullptr;
    if (getter(db, dictionary, PlDb::kForRead, false) != Plad::eOk) return 0;
    const double count = dictionary->numEntries();
    dictionary->close();
    return count;
}

void BM_EraseLineSweepsPaths(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    plsim::resetSession();
    plsim::Application* app = plsim::loadApplication(L"PlZuredUD.vmx");
    if (!app) {
        state.SkipWithError("PlZuredUD.vmx could not be loaded");
        return;
    }
    PlDbDatabase* db = plsim::openDrawing(L"Bench")->database();  // the module watches it
    // Line i carries named path i; motion path i runs from path i to path i + 1.
    std::vector<PlDbObjectId> lines, paths;
    for (int i = 0; i < count; ++i) {
        auto* line = new PlDbLine;
        static_cast<void>(line->set({0, double(i), 0}, {1, double(i), 0}));
        PlDbObjectId id;
        static_cast<void>(plsim::addEntity(db, line, id));
        lines.push_back(id);
        static_cast<void>(plsim::scene::addNamedPath(db, L"P" + std::to_wstring(i), id, paths.emplace_back()));
    }
    for (int i = 0; i < count; ++i) {
        PlDbObjectId id;
        static_cast<void>(plsim::scene::addMotionPath(db, L"M" + std::to_wstring(i), paths[i], paths[(i + 1) % count],
                                                      PlDbObjectId(), id));
    }
    double swept = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        swept += entryCount(db, &pldbGetNamedPathDictionary) + entryCount(db, &pldbGetMotionPathDictionary);
        const PlDbObjectId line = lines[next++ * 7919 % lines.size()];
        state.ResumeTiming();
        static_cast<void>(plsim::setErased(line, true));
    }
    if (entryCount(db, &pldbGetNamedPathDictionary) != count - static_cast<double>(state.iterations()))
        state.SkipWithError("the reactor did not remove the named path of each erased line");
    state.counters["s_per_entry"] = benchmark::Counter(swept, benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                                                       benchmark::Counter::OneK::kIs1000);
    plsim::unloadApplication(app);
    plsim::resetSession();
}

BENCHMARK(BM_EraseLineSweepsPaths)->Arg(10000)->Arg(100000)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
