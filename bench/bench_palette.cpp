// The harmony strip's cost per drag step, alone and as a share of a whole drag step on the
// dialog's square field, measured side by side in one run (these machines are noisy):
//
//   build/bin/bench_palette --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// prints, after Google Benchmark's table, the strip's Tetrad hue drag as a share of the field's
// drag step, plain and painted (budget: 10 %).

#include "BenchSupport.h"

#include "color/HsvColor.h"
#include "fields/ColorField.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/PaletteAngleType.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

// The dialog recolours the strip on every drag step, so one updatePalettes call is the
// unit measured here, on a shown strip laid out as in the dialog.
namespace {
constexpr int Tetrad = static_cast<int>(PaletteAngleType::Tetrad);

struct ShownStrip
{
    ShownStrip()
    {
        auto* layout = new QVBoxLayout(&window);
        strip = new ColorPaletteLayout(&window);
        layout->addWidget(strip);
        window.resize(480, 80);
        window.show();
        QCoreApplication::processEvents();
    }
    QWidget window;
    ColorPaletteLayout* strip = nullptr;
};

// Dragging around the hue ring: every tile and most shades change at each step. With `paint`,
// the strip is painted after each step.
void BM_HueDrag(benchmark::State& state, bool paint)
{
    ShownStrip shown;
    int hue = 0;
    for (auto _ : state) {
        shown.strip->updatePalettes(HsvColor(hue, 70, 80), Tetrad, 30);
        if (paint)
            shown.strip->repaint();
        hue = (hue + 1) % 361;
    }
}

// Dragging value at full brightness: the brighter shades stay clamped at value 100.
void BM_ValueDragNearTop(benchmark::State& state)
{
    ShownStrip shown;
    int value = 80;
    for (auto _ : state) {
        shown.strip->updatePalettes(HsvColor(200, 60, value), Tetrad, 30);
        value = value == 100 ? 80 : value + 1;
    }
}
BENCHMARK(BM_ValueDragNearTop);

// A refresh that does not change the color (spinner-type switch, angle unchanged).
void BM_SameColor(benchmark::State& state)
{
    ShownStrip shown;
    for (auto _ : state)
        shown.strip->updatePalettes(HsvColor(120, 50, 50), Tetrad, 30);
}
BENCHMARK(BM_SameColor);

// Reference: the price of one style-sheet write on a shown label, which the strip no longer pays.
void BM_OneStyleSheetWrite(benchmark::State& state)
{
    QWidget window;
    auto* label = new QLabel(&window);
    window.show();
    QCoreApplication::processEvents();
    int red = 0;
    for (auto _ : state) {
        label->setStyleSheet(QStringLiteral("background-color: rgb(%1, 0, 0)").arg(red));
        red = (red + 1) % 256;
    }
}
BENCHMARK(BM_OneStyleSheetWrite);

// The budget's reference: one step of a drag on the dialog's square field, strip included.
void BM_DialogFieldDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown;
    dragSteps(state, shown.dialog->findChild<ColorField*>(), QPoint(60, 70), QPoint(180, 150),
              paint);
}
} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::RegisterBenchmark("BM_HueDrag", BM_HueDrag, false);
    benchmark::RegisterBenchmark("BM_HueDragPainted", BM_HueDrag, true);
    benchmark::RegisterBenchmark("BM_DialogFieldDragStep", BM_DialogFieldDragStep, false);
    benchmark::RegisterBenchmark("BM_DialogFieldDragStepPainted", BM_DialogFieldDragStep, true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(RatioReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& m = reporter.medians;
    std::printf("\nTetrad hue drag as a share of the field's drag step (budget 10 %%):\n");
    for (const char* suffix : {"", "Painted"}) {
        const auto strip = m.find(std::string("BM_HueDrag") + suffix);
        const auto field = m.find(std::string("BM_DialogFieldDragStep") + suffix);
        if (strip != m.end() && field != m.end()) {
            std::printf("  %-8s %9.2f us of %9.2f us  %7.2f %%\n", *suffix ? suffix : "plain",
                        strip->second / 1000.0, field->second / 1000.0,
                        100.0 * strip->second / field->second);
        }
    }
    return 0;
}
