// The start of a screen pick: grabbing every screen and showing the overlay over the desktop,
// until the X server holds the overlay's first picture. Budget: under 100 ms on a 2560 x 1440
// desktop. It needs an X display; scripts/bench runs it under xvfb-run on a screen of that size:
//
//   xvfb-run -a -s "-screen 0 2560x1440x24" env QT_QPA_PLATFORM=xcb
//   build-bench/bin/bench_eyedropper

#include "BenchSupport.h"

#include "fields/eyedropper/ColorPickScreen.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

// Lets the window system expose the overlay; Qt paints and sends the picture when it does. The
// pointer query is a round trip: the server has drawn everything sent before it answers.
bool waitUntilShown(QWidget& overlay)
{
    QElapsedTimer waited;
    waited.start();
    while (!overlay.windowHandle() || !overlay.windowHandle()->isExposed()) {
        if (waited.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    QApplication::processEvents();
    QCursor::pos();
    return true;
}

void BM_GrabAndShowOverlay(benchmark::State& state)
{
    HostSide host;
    for (auto _ : state) {
        ColorPickScreen overlay(RgbColor(90, 140, 200), &host.mainWindow);
        overlay.show();
        if (!waitUntilShown(overlay)) {
            state.SkipWithError("the overlay was never exposed");
            break;
        }
        state.PauseTiming();
        overlay.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
    state.counters["width"] = desktop.width();
    state.counters["height"] = desktop.height();
}

} // namespace

BENCHMARK(BM_GrabAndShowOverlay)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
