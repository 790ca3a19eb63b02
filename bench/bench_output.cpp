// The workbook export and the plan drawing with 500 footings.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_fixture.h"
#include "design/design.h"
#include "output/plan_print.h"
#include "output/xlsx_writer.h"

using namespace ormevak;
using namespace ormevak::bench;

namespace {

Project designedProject() {
    Project p =
        loadedProject(analysisFile("500-supports", "--nx 25 --nz 20 --storeys 3 --cases 12"));
    SilentPrompts prompts;
    runDesign(p, prompts);
    return p;
}

void BM_WorkbookExport500(benchmark::State& state) {
    const Project p = designedProject();
    const std::string path = "bench-data/bench.xlsx";
    for (auto _ : state) writeWorkbook(p, path);
}
BENCHMARK(BM_WorkbookExport500)->Unit(benchmark::kMillisecond);

void BM_PlanDrawing500(benchmark::State& state) {
    const Project p = designedProject();
    QImage image(2339, 1654, QImage::Format_ARGB32_Premultiplied); // A3 at 200 dpi
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        printPlan(p, painter, QRectF(0, 0, image.width(), image.height()));
    }
}
BENCHMARK(BM_PlanDrawing500)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
