// The input phase, the load pipeline and the interactive steps at the capacities.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench_fixture.h"
#include "checks/checks.h"
#include "combined/combined_footing.h"
#include "design/design.h"
#include "model/frame_grids.h"
#include "plan/interaction.h"
#include "sizing/sizing.h"

using namespace ormevak;
using namespace ormevak::bench;

namespace {

const std::string& capacityFile() {
    static const std::string path = analysisFile("capacity", "--capacity");
    return path;
}
const std::string& fiveHundredFile() {
    static const std::string path =
        analysisFile("500-supports", "--nx 25 --nz 20 --storeys 3 --cases 12");
    return path;
}

void BM_InputPhase(benchmark::State& state) {
    const std::string text = readAll(capacityFile());
    SilentPrompts prompts;
    std::unique_ptr<Project> p;
    for (auto _ : state) {
        state.PauseTiming();
        p = std::make_unique<Project>(); // the previous model is freed outside the timed part
        state.ResumeTiming();
        readAnalysisText(*p, "capacity.ANL", text, prompts);
        buildMemberGrids(*p);
        linkSupportColumns(*p);
        benchmark::DoNotOptimize(p->footings.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_InputPhase)->Unit(benchmark::kMillisecond);

void BM_InputPhaseFromDisk(benchmark::State& state) {
    SilentPrompts prompts;
    std::unique_ptr<Project> p;
    for (auto _ : state) {
        state.PauseTiming();
        p = std::make_unique<Project>();
        state.ResumeTiming();
        runInputPhase(*p, capacityFile(), prompts);
        benchmark::DoNotOptimize(p->footings.data());
    }
}
BENCHMARK(BM_InputPhaseFromDisk)->Unit(benchmark::kMillisecond);

void BM_LoadPipeline(benchmark::State& state) {
    Project base;
    SilentPrompts prompts;
    runInputPhase(base, capacityFile(), prompts);
    applySoilValues(base, "1.5", "200");
    // Copying and freeing the model stay outside the timed part.
    std::unique_ptr<Project> p;
    for (auto _ : state) {
        state.PauseTiming();
        p.reset();
        p = std::make_unique<Project>(base);
        state.ResumeTiming();
        placeFootings(*p);
        sizeFootings(*p, prompts);
        buildGrid(*p);
        formGroups(*p);
        assignGroups(*p, prompts);
        benchmark::DoNotOptimize(p->groups.data());
    }
}
BENCHMARK(BM_LoadPipeline)->Unit(benchmark::kMillisecond);

void BM_WheelStep500(benchmark::State& state) {
    Project p = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    PlanState plan;
    selectFooting(p, plan, 250);
    int direction = 1;
    for (auto _ : state) {
        wheelStep(p, prompts, direction);
        direction = -direction;
    }
}
BENCHMARK(BM_WheelStep500)->Unit(benchmark::kMicrosecond);

void BM_ToggleGroup500(benchmark::State& state) {
    Project p = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    for (auto _ : state) toggleGroup(p, prompts, 1);
}
BENCHMARK(BM_ToggleGroup500)->Unit(benchmark::kMicrosecond);

void BM_NudgeGroup500(benchmark::State& state) {
    Project p = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    for (auto _ : state) nudgeGroup(p, prompts, p.groupCount);
}
BENCHMARK(BM_NudgeGroup500)->Unit(benchmark::kMicrosecond);

void BM_Combine500(benchmark::State& state) {
    const Project base = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    std::unique_ptr<Project> p;
    for (auto _ : state) {
        state.PauseTiming();
        p.reset();
        p = std::make_unique<Project>(base);
        PlanState plan;
        plan.bandX1 = -100;
        plan.bandY1 = -100;
        plan.bandX2 = 100;
        plan.bandY2 = 5100;
        state.ResumeTiming();
        combineBand(*p, prompts, plan);
        benchmark::DoNotOptimize(p->combinedCount);
    }
}
BENCHMARK(BM_Combine500)->Unit(benchmark::kMicrosecond);

void BM_Design60Groups(benchmark::State& state) {
    Project p = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    // Spread the required sides over 60 sizes so that every group has members.
    for (int i = 1; i <= p.footingCount; ++i)
        p.footings[static_cast<size_t>(i)].reqSide = 1.0f + 0.1f * static_cast<float>((i - 1) % 60);
    formGroups(p);
    assignGroups(p, prompts);
    for (auto _ : state) {
        runDesign(p, prompts);
        benchmark::DoNotOptimize(p.designRowCount);
    }
    state.counters["groups"] = p.groupCount;
}
BENCHMARK(BM_Design60Groups)->Unit(benchmark::kMillisecond);

// Every design check on the capacity project (1,000 supports x 36 cases) after the Design
// command, as the windows run them after each change.
void BM_Checks1000(benchmark::State& state) {
    Project p = loadedProject(capacityFile());
    SilentPrompts prompts;
    runDesign(p, prompts);
    size_t count = 0;
    for (auto _ : state) {
        const std::vector<Check> checks = runChecks(p);
        count = checks.size();
        benchmark::DoNotOptimize(checks.data());
    }
    state.counters["supports"] = p.footingCount;
    state.counters["checks"] = static_cast<double>(count);
}
BENCHMARK(BM_Checks1000)->Unit(benchmark::kMillisecond);

// One wheel notch and the checks that follow it, at 500 footings.
void BM_WheelStepWithChecks500(benchmark::State& state) {
    Project p = loadedProject(fiveHundredFile());
    SilentPrompts prompts;
    runDesign(p, prompts);
    PlanState plan;
    selectFooting(p, plan, 250);
    int direction = 1;
    for (auto _ : state) {
        wheelStep(p, prompts, direction);
        direction = -direction;
        const std::vector<Check> checks = runChecks(p);
        benchmark::DoNotOptimize(checks.data());
    }
}
BENCHMARK(BM_WheelStepWithChecks500)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
