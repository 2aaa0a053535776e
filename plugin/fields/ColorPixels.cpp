#include "fields/ColorPixels.h"

#include "fields/SrgbEncodeTable.h"

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

QRgb ColorPixels::lab(int lightness, int a, int b)
{
    const float fy = labFy(lightness);
    const float x = labX(labAOffset(a) + fy);
    const float y = labY(fy);
    const float z = labZ(fy - labBOffset(b));
    const SrgbEncodeTable& encode = SrgbEncodeTable::instance();
    return qRgb(encode.encode(x * 3.2406f - y * 1.5372f - z * 0.4986f),
                encode.encode(y * 1.8758f - x * 0.9689f + z * 0.0415f),
                encode.encode(x * 0.0557f - y * 0.204f + z * 1.057f));
}
