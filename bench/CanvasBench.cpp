// One drag step of a 100-pixel brush on the dialog's mixing canvas, soft and hard, beside one drag
// step on the square field (the pick, ViewColorChanged and every view), each optionally with the
// repaint that follows. The steps jump between the same two points as the field's, so each covers
// a long segment (about 120 x 80 pixels plus the brush); the summary gives each canvas step as a
// share of the field step.
//
//   scripts/bench --benchmark_filter='Canvas|Field'

#include "BenchSupport.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/CanvasArea.h"
#include "fields/ColorField.h"

#include <QApplication>
#include <QSpinBox>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

const QPoint kFrom(60, 70);
const QPoint kTo(180, 150);

void BM_DialogFieldDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown;
    dragSteps(state, shown.dialog->findChild<ColorField*>(), kFrom, kTo, paint);
}

// The brush is set through the dialog's own spinners, as the user sets it. A drag back and forth
// goes over its own stroke from the third step on, where little is left to lay down; with
// `fresh`, each step starts a new stroke (untimed), so that it covers and blends every pixel of
// its segment anew.
void canvasDragStep(benchmark::State& state, int hardness, bool fresh, bool paint)
{
    ShownDialog shown(3);
    const auto spinner = [&](const char* name) {
        return shown.dialog->findChild<QSpinBox*>(QLatin1String(name));
    };
    spinner("brushSizeSpn")->setValue(100);
    spinner("brushOpacitySpn")->setValue(50);
    spinner("brushHardnessSpn")->setValue(hardness);
    auto* canvas = shown.dialog->findChild<CanvasArea*>();
    if (!fresh) {
        dragSteps(state, canvas, kFrom, kTo, paint);
        return;
    }
    bool toB = true;
    for (auto _ : state) {
        state.PauseTiming();
        const QPoint from = toB ? kFrom : kTo;
        sendMouse(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, from);
        sendMouse(canvas, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, from);
        sendMouse(canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, from);
        QApplication::processEvents();
        state.ResumeTiming();
        sendMouse(canvas, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, toB ? kTo : kFrom);
        if (paint)
            QApplication::processEvents();
        toB = !toB;
    }
    sendMouse(canvas, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, kFrom);
}

void BM_CanvasSoftDragStep(benchmark::State& state, bool paint)
{
    canvasDragStep(state, 50, false, paint);
}

void BM_CanvasHardDragStep(benchmark::State& state, bool paint)
{
    canvasDragStep(state, 100, false, paint);
}

void BM_CanvasSoftFreshStep(benchmark::State& state, bool paint)
{
    canvasDragStep(state, 50, true, paint);
}

void BM_CanvasHardFreshStep(benchmark::State& state, bool paint)
{
    canvasDragStep(state, 100, true, paint);
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    registerDragSteps({{"BM_DialogFieldDragStep", BM_DialogFieldDragStep},
                       {"BM_CanvasSoftDragStep", BM_CanvasSoftDragStep},
                       {"BM_CanvasHardDragStep", BM_CanvasHardDragStep},
                       {"BM_CanvasSoftFreshStep", BM_CanvasSoftFreshStep},
                       {"BM_CanvasHardFreshStep", BM_CanvasHardFreshStep}});
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(RatioReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    // The painted rows compare like with like: the field draws its picture when it is painted,
    // while the canvas blends its stroke at the move itself.
    std::printf("\nCanvas drag steps (100-pixel brush, opacity 50) as a share of the square "
                "field's drag step (compare the painted rows):\n");
    for (const char* suffix : {"", "Painted"}) {
        const auto field = m.find(std::string("BM_DialogFieldDragStep") + suffix);
        if (field == m.end())
            continue;
        for (const char* step : {"BM_CanvasSoftDragStep", "BM_CanvasHardDragStep",
                                 "BM_CanvasSoftFreshStep", "BM_CanvasHardFreshStep"}) {
            const auto it = m.find(std::string(step) + suffix);
            if (it != m.end())
                std::printf("  %-28s %8.1f us  %6.1f %% of %8.1f us\n", it->first.c_str(),
                            it->second / 1000.0, 100.0 * it->second / field->second,
                            field->second / 1000.0);
        }
    }
    return 0;
}
