// Costs of the picker dialog itself: opening it as the host does, one typed spinner value
// spread over every view (the spinner path), and one notifying change (ApplyColor through
// the hex line), each next to QColorDialog doing the nearest equivalent.
//
//   scripts/bench --benchmark_filter='DialogOpen|SpinnerEdit|HexEntry|QColorDialog(Open|Spin)'

#include "BenchSupport.h"

#include "dialog/ColorDorvoDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QSpinBox>

#include <benchmark/benchmark.h>

#include <memory>

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

void BM_QColorDialogOpenClose(benchmark::State& state)
{
    for (auto _ : state) {
        QColorDialog dialog(QColor(90, 140, 200));
        benchmark::DoNotOptimize(&dialog);
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
BENCHMARK(BM_QColorDialogOpenClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpinnerEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QColorDialogSpinnerEdit)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HexEntry)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
