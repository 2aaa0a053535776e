// Costs of the picker dialog itself: opening it as the host does (and its designed form alone),
// one typed spinner value spread over every view (the spinner path), and one notifying change
// (ApplyColor through the hex line), each next to QColorDialog doing the nearest equivalent. The
// program ends with the open-and-close rows as multiples of QColorDialog's.
//
//   scripts/bench --benchmark_filter='OpenClose|ShownClose|SpinnerEdit|HexEntry|QColorDialogSpin'

#include "BenchSupport.h"

#include "dialog/ColorDorvoDialog.h"
#include "ui_ColorDorvoDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QSpinBox>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace {

// Construction (form, settings, field pages, first refresh) and destruction (settings
// written back).
void BM_DialogOpenClose(benchmark::State& state)
{
    HostSide host;
    for (auto _ : state) {
        auto dialog = host.open();
        benchmark::DoNotOptimize(dialog.get());
    }
}

// The fixed part of the above: the designed form alone, built on a bare dialog and destroyed,
// with no settings, field pages, size fitting or first refresh. No work of the picker's own can
// bring an opening below this.
void BM_FormOpenClose(benchmark::State& state)
{
    for (auto _ : state) {
        QDialog dialog;
        Ui::ColorDorvoDialog form;
        form.setupUi(&dialog);
        benchmark::DoNotOptimize(&form);
    }
}

void BM_QColorDialogOpenClose(benchmark::State& state)
{
    for (auto _ : state) {
        QColorDialog dialog(QColor(90, 140, 200));
        benchmark::DoNotOptimize(&dialog);
    }
}

// What a user waits for: built, shown and painted once, then closed and destroyed. QColorDialog
// lays itself out and polishes its widgets only when it is shown; the picker fits its size while
// it is built. Here both pay for the same steps.
void BM_DialogShownClose(benchmark::State& state)
{
    HostSide host;
    for (auto _ : state) {
        auto dialog = host.open();
        dialog->show();
        QApplication::processEvents();
        dialog->close();
    }
}

void BM_QColorDialogShownClose(benchmark::State& state)
{
    for (auto _ : state) {
        QColorDialog dialog(QColor(90, 140, 200));
        dialog.show();
        QApplication::processEvents();
        dialog.close();
    }
}

// One value arriving in the red spinner: the current color, every other group, the
// swatch, the palette strip, the field and the slider.
void BM_SpinnerEdit(benchmark::State& state)
{
    HostSide host;
    auto dialog = host.open();
    auto* red = dialog->findChild<QSpinBox*>(QStringLiteral("redIntSpinner"));
    int value = 0;
    for (auto _ : state) {
        red->setValue(value);
        value = (value + 37) % 256;
    }
}

void BM_QColorDialogSpinnerEdit(benchmark::State& state)
{
    QColorDialog dialog(QColor(90, 140, 200));
    QSpinBox* red = nullptr;
    for (QSpinBox* box : dialog.findChildren<QSpinBox*>()) {
        if (box->maximum() == 255 && !red)
            red = box;
    }
    int value = 0;
    for (auto _ : state) {
        red->setValue(value);
        value = (value + 37) % 256;
    }
}

// A finished hex edit: ApplyColor rewrites every group, the hex line included.
void BM_HexEntry(benchmark::State& state)
{
    HostSide host;
    auto dialog = host.open();
    auto* hex = dialog->findChild<QLineEdit*>(QStringLiteral("hexEditLine"));
    const QString texts[] = {QStringLiteral("ff8000"), QStringLiteral("1040c0")};
    int i = 0;
    for (auto _ : state) {
        hex->setText(texts[i]);
        hex->setModified(true);
        emit hex->editingFinished();
        i ^= 1;
    }
}

} // namespace

BENCHMARK(BM_DialogOpenClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormOpenClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QColorDialogOpenClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DialogShownClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QColorDialogShownClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpinnerEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QColorDialogSpinnerEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HexEntry)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(RatioReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& m = reporter.medians;
    std::printf("\nOpening and closing as multiples of QColorDialog's (CPU time, medians):\n");
    const std::pair<const char*, const char*> rows[] = {
        {"BM_DialogOpenClose", "BM_QColorDialogOpenClose"},
        {"BM_FormOpenClose", "BM_QColorDialogOpenClose"},
        {"BM_DialogShownClose", "BM_QColorDialogShownClose"},
    };
    for (const auto& [name, peerName] : rows) {
        const auto ours = m.find(name);
        const auto peer = m.find(peerName);
        if (ours != m.end() && peer != m.end()) {
            std::printf("  %-22s %8.3f ms  %8.3f ms  %6.2f x\n", name, ours->second, peer->second,
                        ours->second / peer->second);
        }
    }
    return 0;
}
