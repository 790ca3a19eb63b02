// The calculation report of the largest project the tables hold: 1,000 footings and 60 schedule
// rows, content and PDF, as the Report button and --report make it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "bench_fixture.h"
#include "design/design.h"
#include "model/numbers.h"
#include "output/report_pdf.h"
#include "report/report.h"

using namespace ormevak;
using namespace ormevak::bench;

namespace {

// 40 x 25 supports with 36 load cases, designed; the rows it gives are repeated under new marks
// up to the schedule's 60 rows, each still the design's own arithmetic (the report replays them).
Project largestProject() {
    Project p = loadedProject(analysisFile("capacity", "--capacity"));
    SilentPrompts prompts;
    runDesign(p, prompts);
    const int designed = p.designRowCount;
    if (designed < 1) throw std::runtime_error("nothing designed");
    p.designRows.resize(61);
    p.designRowTexts.resize(61);
    for (int n = designed + 1; n <= 60; ++n) {
        const int from = 1 + (n - 1) % designed;
        p.designRows[static_cast<size_t>(n)] = p.designRows[static_cast<size_t>(from)];
        p.designRowTexts[static_cast<size_t>(n)] = p.designRowTexts[static_cast<size_t>(from)];
        p.designRowTexts[static_cast<size_t>(n)][col::LabF1] = "F" + formatInt(n);
    }
    p.designRowCount = 60;
    return p;
}

report::Inputs inputsOf(const Project& p) {
    report::Inputs in = reportInputs(p);
    in.runDate = "bench";
    return in;
}

void BM_ReportContent1000(benchmark::State& state) {
    const Project p = largestProject();
    const report::Inputs in = inputsOf(p);
    for (auto _ : state) benchmark::DoNotOptimize(report::buildReport(p, in));
}
BENCHMARK(BM_ReportContent1000)->Unit(benchmark::kMillisecond);

void BM_ReportPdf1000(benchmark::State& state) {
    const Project p = largestProject();
    const report::Inputs in = inputsOf(p);
    for (auto _ : state) {
        const QByteArray pdf = renderReportPdf(report::buildReport(p, in));
        state.counters["pages"] = static_cast<double>(pdf.count("/Type /Page\n"));
        state.counters["kB"] = static_cast<double>(pdf.size()) / 1024;
    }
}
BENCHMARK(BM_ReportPdf1000)->Unit(benchmark::kMillisecond);

void BM_ReportFile1000(benchmark::State& state) {
    const Project p = largestProject();
    for (auto _ : state) writeReportPdf(p, "bench-data/bench-report.pdf");
}
BENCHMARK(BM_ReportFile1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
