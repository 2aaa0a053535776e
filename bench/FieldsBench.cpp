// Costs of the square field and the channel slider, as ratios to filling a 256 x 256 RGB32 image
// with a constant through scanLine, measured side by side in one run (these machines are noisy).
//
//   scripts/bench --benchmark_filter='Fill|Field|Slider|Dialog'
//                 --benchmark_enable_random_interleaving=true
//
// prints, after Google Benchmark's table, each median CPU time as a multiple of the scanLine fill,
// each slider update as a share of the field update of the same channel, and the dialog's drag
// steps as multiples of QColorDialog::setCurrentColor on a shown dialog, and what the information
// line above the swatches adds to the square field's drag step.

#include "BenchSupport.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "dialog/ColorInfoLine.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/pictures/ColorPixels.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct ChannelCase
{
    const char* name;
    ColorChannel channel;
};

const ChannelCase kChannels[] = {{"Red", ColorChannel::Red},
                                 {"Green", ColorChannel::Green},
                                 {"Blue", ColorChannel::Blue},
                                 {"Hue", ColorChannel::Hue},
                                 {"Saturation", ColorChannel::Saturation},
                                 {"Value", ColorChannel::Value},
                                 {"Lightness", ColorChannel::Lightness},
                                 {"RedGreen", ColorChannel::RedGreen},
                                 {"BlueYellow", ColorChannel::BlueYellow}};

// Colors that differ in every component, so that every update redraws: the field's picture
// depends on the channel's own component, the slider's strip on the two others.
std::vector<ColorValue> changingColors()
{
    std::vector<ColorValue> colors;
    for (int i = 0; i < 64; ++i) {
        colors.push_back(ColorValue(HsvColor((i * 37) % 361, 20 + i, 30 + i)));
    }
    return colors;
}

// The limit the field budgets are measured against. Like the plug-in's picture loops, the fill
// starts from clear upper vector halves: in a process whose C library left them dirty, this SSE
// loop otherwise runs about 60% slower, which would flatter every ratio.
void BM_ScanLineFill(benchmark::State& state)
{
    QImage image(256, 256, QImage::Format_RGB32);
    quint32 value = 0xff102030u;
    for (auto _ : state) {
        ColorPixels::clearUpperVectorHalves();
        for (int y = 0; y < image.height(); ++y) {
            quint32* line = reinterpret_cast<quint32*>(image.scanLine(y));
            std::fill(line, line + image.width(), value);
        }
        benchmark::DoNotOptimize(image.constBits());
        ++value;
    }
}
BENCHMARK(BM_ScanLineFill);

void BM_SetPixelFill(benchmark::State& state)
{
    QImage image(256, 256, QImage::Format_RGB32);
    quint32 value = 0xff102030u;
    for (auto _ : state) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                image.setPixel(x, y, value);
            }
        }
        benchmark::DoNotOptimize(image.constBits());
        ++value;
    }
}
BENCHMARK(BM_SetPixelFill);

void BM_FieldSetColor(benchmark::State& state, ColorChannel channel)
{
    ColorField field(nullptr);
    const std::vector<ColorValue> colors = changingColors();
    size_t i = 0;
    for (auto _ : state) {
        field.setColor(colors[i++ % colors.size()], channel);
        // The field draws its picture when it is next painted; count that drawing here.
        benchmark::DoNotOptimize(field.shownPicture().constBits());
    }
}

// The same on the SSE2 loops that CPUs without AVX2 run for the HSV fields.
void BM_FieldSetColorSse2(benchmark::State& state, ColorChannel channel)
{
    ColorPixels::setWideVectors(false);
    BM_FieldSetColor(state, channel);
    ColorPixels::setWideVectors(true);
}

void BM_SliderSetColor(benchmark::State& state, ColorChannel channel)
{
    ColorSlider slider(nullptr);
    const std::vector<ColorValue> colors = changingColors();
    size_t i = 0;
    for (auto _ : state) {
        slider.setColor(colors[i++ % colors.size()], channel);
    }
}

// One step of a drag on the dialog's square field: the pick, ViewColorChanged and every view.
void BM_DialogFieldDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown;
    ColorField* field = shown.dialog->findChild<ColorField*>();
    dragSteps(state, field, QPoint(60, 70), QPoint(180, 150), paint);
}

// The same with the information line above the swatches hidden: neither painted nor its text
// built. Beside the step above, what the line costs a drag.
void BM_DialogFieldDragStepInfoLineHidden(benchmark::State& state, bool paint)
{
    ShownDialog shown;
    shown.dialog->findChild<ColorInfoLine*>()->hide();
    QApplication::processEvents();
    ColorField* field = shown.dialog->findChild<ColorField*>();
    dragSteps(state, field, QPoint(60, 70), QPoint(180, 150), paint);
}

// One step of a drag on the dialog's channel slider: SliderValueChanged, the spinner path and
// every view.
void BM_DialogSliderDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown;
    ColorSlider* slider = nullptr;
    for (ColorSlider* candidate : shown.dialog->findChildren<ColorSlider*>()) {
        if (candidate->sliderOrientation() == ColorSlider::Vertical) {
            slider = candidate;
        }
    }
    dragSteps(state, slider, QPoint(25, 60), QPoint(25, 190), paint);
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    for (const ChannelCase& c : kChannels) {
        benchmark::RegisterBenchmark((std::string("BM_FieldSetColor/") + c.name).c_str(),
                                     BM_FieldSetColor, c.channel);
    }
    for (const ChannelCase& c : kChannels) {
        if (c.channel == ColorChannel::Hue || c.channel == ColorChannel::Saturation ||
            c.channel == ColorChannel::Value) {
            benchmark::RegisterBenchmark((std::string("BM_FieldSetColorSse2/") + c.name).c_str(),
                                         BM_FieldSetColorSse2, c.channel);
        }
    }
    for (const ChannelCase& c : kChannels) {
        benchmark::RegisterBenchmark((std::string("BM_SliderSetColor/") + c.name).c_str(),
                                     BM_SliderSetColor, c.channel);
    }
    benchmark::RegisterBenchmark("BM_DialogFieldDragStep", BM_DialogFieldDragStep, false);
    benchmark::RegisterBenchmark("BM_DialogFieldDragStepInfoLineHidden",
                                 BM_DialogFieldDragStepInfoLineHidden, false);
    benchmark::RegisterBenchmark("BM_DialogSliderDragStep", BM_DialogSliderDragStep, false);
    benchmark::RegisterBenchmark("BM_QColorDialogSetCurrentColor", BM_QColorDialogSetCurrentColor,
                                 false);
    benchmark::RegisterBenchmark("BM_DialogFieldDragStepPainted", BM_DialogFieldDragStep, true);
    benchmark::RegisterBenchmark("BM_DialogFieldDragStepInfoLineHiddenPainted",
                                 BM_DialogFieldDragStepInfoLineHidden, true);
    benchmark::RegisterBenchmark("BM_DialogSliderDragStepPainted", BM_DialogSliderDragStep, true);
    benchmark::RegisterBenchmark("BM_QColorDialogSetCurrentColorPainted",
                                 BM_QColorDialogSetCurrentColor, true);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(RatioReporter::Clock::Cpu);
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    const auto fill = m.find("BM_ScanLineFill");
    if (fill != m.end()) {
        std::printf("\nRatios to BM_ScanLineFill (%.2f us):\n", fill->second / 1000.0);
        for (const auto& [name, time] : m) {
            if (name.rfind("BM_Field", 0) == 0 || name.rfind("BM_Slider", 0) == 0 ||
                name.rfind("BM_SetPixel", 0) == 0) {
                std::printf("  %-28s %8.2f x\n", name.c_str(), time / fill->second);
            }
        }
    }
    std::printf("\nSlider update as a share of the field update of its channel:\n");
    for (const ChannelCase& c : kChannels) {
        const auto field = m.find(std::string("BM_FieldSetColor/") + c.name);
        const auto slider = m.find(std::string("BM_SliderSetColor/") + c.name);
        if (field != m.end() && slider != m.end()) {
            std::printf("  %-12s %6.2f %%\n", c.name, 100.0 * slider->second / field->second);
        }
    }
    printMultiplesOfQColorDialog(m, "Dialog steps",
                                 {"BM_DialogFieldDragStep", "BM_DialogFieldDragStepInfoLineHidden",
                                  "BM_DialogSliderDragStep"},
                                 43);
    std::printf("\nThe information line's share of the square field's drag step:\n");
    for (const char* suffix : {"", "Painted"}) {
        const auto with = m.find(std::string("BM_DialogFieldDragStep") + suffix);
        const auto without = m.find(std::string("BM_DialogFieldDragStepInfoLineHidden") + suffix);
        if (with != m.end() && without != m.end()) {
            std::printf("  %-8s %8.1f us with, %8.1f us hidden, %+6.2f %%\n",
                        *suffix ? suffix : "plain", with->second / 1000.0, without->second / 1000.0,
                        100.0 * (with->second - without->second) / without->second);
        }
    }
    return 0;
}
