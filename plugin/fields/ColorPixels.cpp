#include "fields/ColorPixels.h"

#include <math.h>

namespace {

struct HueTable
{
    double weight[361];
    int sector[361];

    HueTable()
    {
        for (int h = 0; h <= 360; ++h) {
            const float hp = h / 60.0f;
            weight[h] = 1.0 - fabs(fmod(double(hp), 2.0) - 1.0);
            sector[h] = h < 60 ? 0 : h < 120 ? 1 : h < 180 ? 2 : h < 240 ? 3 : h < 300 ? 4 : 5;
        }
    }
};

const HueTable& hueTable()
{
    static const HueTable table;
    return table;
}

} // namespace

float ColorPixels::labInverse(float f)
{
    const float c = powf(f, 3.0f);
    if (c > 0.008856f) {
        return c;
    }
    return (f - 0.13793103f) * 0.12841856f;
}

// Every X, Y and Z a Lab record with integer channels can give.
const ColorPixels::LabTables& ColorPixels::labTables()
{
    static const LabTables* const tables = [] {
        auto* t = new LabTables;
        for (int l = 0; l <= 100; ++l) {
            const float fy = labFy(l);
            t->y[l] = labInverse(fy) * 100.0f / 100.0f;
            for (int i = 0; i < 256; ++i) {
                t->x[l][i] = labInverse(labAOffset(i - 128) + fy) * 95.0489f / 100.0f;
                t->z[l][i] = labInverse(fy - labBOffset(i - 128)) * 108.884f / 100.0f;
            }
        }
        return t;
    }();
    return *tables;
}

double ColorPixels::hueWeight(int hue)
{
    return hueTable().weight[hue];
}

int ColorPixels::hueSector(int hue)
{
    return hueTable().sector[hue];
}

QRgb ColorPixels::hsv(int hue, int saturation, int value)
{
    const HueTable& table = hueTable();
    const float v = value / 100.0f;
    const float c = saturation / 100.0f * v;
    const float m = v - c;
    const float x = static_cast<float>(c * table.weight[hue]);
    return sectorPixel(table.sector[hue], static_cast<int>((c + m) * 255.0f),
                       static_cast<int>((x + m) * 255.0f), static_cast<int>(m * 255.0f));
}
