// One drag step on each wheel page of the dialog (the pick, ViewColorChanged and every view,
// optionally with the repaint that follows), side by side with Qt's own color dialog given a new
// color, and reported as multiples of it: these machines are too noisy for absolute figures.

#include "BenchSupport.h"

#include "dialog/ColorDorvoDialog.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

void BM_HsvWheelDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown(1);
    dragSteps(state, shown.dialog->findChild<HsvWheel*>(), QPoint(60, 90), QPoint(200, 170), paint);
}

// On the ring every step changes the hue, so the inner square redraws its picture too.
void BM_HueWheelDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown(2);
    dragSteps(state, shown.dialog->findChild<HueWheel*>(), QPoint(128, 12), QPoint(240, 128),
              paint);
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    registerDragSteps({{"BM_HsvWheelDragStep", BM_HsvWheelDragStep},
                       {"BM_HueWheelDragStep", BM_HueWheelDragStep},
                       {"BM_QColorDialogSetCurrentColor", BM_QColorDialogSetCurrentColor}});
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(RatioReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    printMultiplesOfQColorDialog(m, "Wheel drag steps",
                                 {"BM_HsvWheelDragStep", "BM_HueWheelDragStep"}, 28);
    return 0;
}
