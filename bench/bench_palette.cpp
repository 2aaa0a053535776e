#include "BenchSupport.h"

#include "color/HsvColor.h"
#include "dialog/PaletteAngleType.h"
#include "swatches/ColorPaletteLayout.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

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

// Dragging around the hue ring: every tile and most shades change at each step.
void BM_HueDrag(benchmark::State& state)
{
    ShownStrip shown;
    int hue = 0;
    for (auto _ : state) {
        shown.strip->updatePalettes(HsvColor(hue, 70, 80), Tetrad, 30);
        hue = (hue + 1) % 361;
    }
}
BENCHMARK(BM_HueDrag);

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

// Reference: the price of one style-sheet write on a shown label.
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
} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
