// The edit history at the largest project: recording an edit, one undo, one redo, and what two
// hundred edits hold.
#include <benchmark/benchmark.h>

#include <fstream>

#include "bench_fixture.h"
#include "design/design.h"
#include "plan/history.h"
#include "plan/interaction.h"

using namespace ormevak;
using namespace ormevak::bench;

namespace {

const std::string& capacityFile() {
    static const std::string path = analysisFile("capacity", "--capacity");
    return path;
}

// The capacity project designed, with footing 500 picked: what an engineer edits.
Project designedProject() {
    Project p = loadedProject(capacityFile());
    SilentPrompts prompts;
    runDesign(p, prompts);
    PlanState plan;
    selectFooting(p, plan, 500);
    return p;
}

// Resident memory of the process, bytes.
size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

// 200 wheel steps, each one entry.
void fill(EditHistory& h, Project& p, int edits) {
    SilentPrompts prompts;
    for (int i = 0; i < edits; ++i)
        recordEdit(h, p, edit_name::resize(p, 500),
                   [&] { wheelStep(p, prompts, i % 4 < 2 ? 1 : -1); });
}

void BM_RecordedWheelStep1000(benchmark::State& state) {
    Project p = designedProject();
    EditHistory h;
    SilentPrompts prompts;
    int direction = 1;
    for (auto _ : state) {
        recordEdit(h, p, "resize", [&] { wheelStep(p, prompts, direction); });
        direction = -direction;
        if (h.undoCount() > 400) {
            state.PauseTiming();
            h.clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_RecordedWheelStep1000)->Unit(benchmark::kMillisecond);

void BM_Undo1000(benchmark::State& state) {
    Project p = designedProject();
    EditHistory h;
    fill(h, p, 200);
    for (auto _ : state) {
        if (!h.canUndo()) {
            state.PauseTiming();
            while (h.redo(p)) {
            }
            state.ResumeTiming();
        }
        h.undo(p);
    }
}
BENCHMARK(BM_Undo1000)->Unit(benchmark::kMillisecond);

void BM_Redo1000(benchmark::State& state) {
    Project p = designedProject();
    EditHistory h;
    fill(h, p, 200);
    while (h.undo(p)) {
    }
    for (auto _ : state) {
        if (!h.canRedo()) {
            state.PauseTiming();
            while (h.undo(p)) {
            }
            state.ResumeTiming();
        }
        h.redo(p);
    }
}
BENCHMARK(BM_Redo1000)->Unit(benchmark::kMillisecond);

// Not a timing: the bytes 200 edits hold, as the history counts them and as the process's
// resident memory grows.
void BM_HistoryMemory200Edits(benchmark::State& state) {
    Project p = designedProject();
    for (auto _ : state) {
        state.PauseTiming();
        const size_t before = residentBytes();
        EditHistory h;
        fill(h, p, 200);
        const size_t after = residentBytes();
        state.counters["entries"] = static_cast<double>(h.undoCount());
        state.counters["history_MB"] = static_cast<double>(h.bytes()) / (1024.0 * 1024.0);
        state.counters["rss_growth_MB"] =
            static_cast<double>(after > before ? after - before : 0) / (1024.0 * 1024.0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryMemory200Edits)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
