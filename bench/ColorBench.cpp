#include "color/ColorValue.h"

#include <benchmark/benchmark.h>

#include <vector>

// Conversions per second over a fixed spread of colors, so that every branch (greys, each hue
// sector, both sides of the transfer function's knee) takes its share.

namespace {

std::vector<RgbColor> sampleRgb()
{
    std::vector<RgbColor> colors;
    for (int r = 0; r < 256; r += 17) {
        for (int g = 3; g < 256; g += 19) {
            for (int b = 7; b < 256; b += 23) {
                colors.emplace_back(r, g, b);
            }
        }
    }
    return colors;
}

template <typename Source, typename Make> std::vector<Source> sampleFrom(Make make)
{
    std::vector<Source> out;
    for (const RgbColor& c : sampleRgb()) {
        out.push_back(make(c));
    }
    return out;
}

template <typename Source, typename Convert>
void run(benchmark::State& state, const std::vector<Source>& inputs, Convert convert)
{
    for (auto _ : state) {
        for (const Source& in : inputs) {
            benchmark::DoNotOptimize(convert(in));
        }
    }
    // Reported as items_per_second: conversions per second.
    state.SetItemsProcessed(state.iterations() * int64_t(inputs.size()));
}

void BM_RgbToHsv(benchmark::State& state)
{
    run(state, sampleRgb(), [](const RgbColor& c) { return HsvColor(c); });
}

void BM_HsvToRgb(benchmark::State& state)
{
    const auto inputs = sampleFrom<HsvColor>([](const RgbColor& c) { return HsvColor(c); });
    run(state, inputs, [](const HsvColor& c) { return RgbColor(c); });
}

void BM_RgbToLab(benchmark::State& state)
{
    run(state, sampleRgb(), [](const RgbColor& c) { return LabColor(c); });
}

void BM_LabToRgb(benchmark::State& state)
{
    const auto inputs = sampleFrom<LabColor>([](const RgbColor& c) { return LabColor(c); });
    run(state, inputs, [](const LabColor& c) { return RgbColor(c); });
}

void BM_RgbToTemperature(benchmark::State& state)
{
    run(state, sampleRgb(), [](const RgbColor& c) { return TemperatureColor(c); });
}

void BM_ColorValueFromRgb(benchmark::State& state)
{
    run(state, sampleRgb(), [](const RgbColor& c) { return ColorValue(c); });
}

} // namespace

BENCHMARK(BM_RgbToHsv);
BENCHMARK(BM_HsvToRgb);
BENCHMARK(BM_RgbToLab);
BENCHMARK(BM_LabToRgb);
BENCHMARK(BM_RgbToTemperature);
BENCHMARK(BM_ColorValueFromRgb);

BENCHMARK_MAIN();
