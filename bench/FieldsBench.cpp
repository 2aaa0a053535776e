// Costs of the square field and the channel slider, as ratios to filling a 256 x 256 RGB32 image
// with a constant through scanLine, measured side by side in one run (these machines are noisy).
//
//   scripts/bench --benchmark_filter='Fill|Field|Slider'
//
// prints, after Google Benchmark's table, each median as a multiple of the scanLine fill and each
// slider update as a share of the field update of the same channel.

#include "color/ColorValue.h"
#include "dialog/ColorChannel.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"

#include <QApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
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

void BM_ScanLineFill(benchmark::State& state)
{
    QImage image(256, 256, QImage::Format_RGB32);
    quint32 value = 0xff102030u;
    for (auto _ : state) {
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
    }
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

// Keeps the median (or the only) real time of every benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.str())) {
                medians[run.run_name.str()] = run.GetAdjustedRealTime();
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.str()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    for (const ChannelCase& c : kChannels) {
        benchmark::RegisterBenchmark((std::string("BM_FieldSetColor/") + c.name).c_str(),
                                     BM_FieldSetColor, c.channel);
    }
    for (const ChannelCase& c : kChannels) {
        benchmark::RegisterBenchmark((std::string("BM_SliderSetColor/") + c.name).c_str(),
                                     BM_SliderSetColor, c.channel);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    const auto fill = m.find("BM_ScanLineFill");
    if (fill == m.end()) {
        return 0;
    }
    std::printf("\nRatios to BM_ScanLineFill (%.2f us):\n", fill->second / 1000.0);
    for (const auto& [name, time] : m) {
        std::printf("  %-28s %8.2f x\n", name.c_str(), time / fill->second);
    }
    std::printf("\nSlider update as a share of the field update of its channel:\n");
    for (const ChannelCase& c : kChannels) {
        const auto field = m.find(std::string("BM_FieldSetColor/") + c.name);
        const auto slider = m.find(std::string("BM_SliderSetColor/") + c.name);
        if (field != m.end() && slider != m.end()) {
            std::printf("  %-12s %6.2f %%\n", c.name, 100.0 * slider->second / field->second);
        }
    }
    return 0;
}
