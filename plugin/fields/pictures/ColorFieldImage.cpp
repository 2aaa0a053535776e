#include "fields/pictures/ColorFieldImage.h"

#include "color/CieMath.h"
#include "color/Rounding.h"
#include "fields/pictures/ColorFieldMapping.h"
#include "fields/pictures/ColorPixels.h"
#include "fields/pictures/SrgbEncodeTable.h"

#include <cstring>
#include <vector>

namespace {

// Copies row y - 1 into row y when both rows show the same axis value; true when it did.
bool repeatRow(QImage& image, const std::vector<int>& row, int y)
{
    if (y == 0 || row[y] != row[y - 1]) {
        return false;
    }
    std::memcpy(image.scanLine(y), image.constScanLine(y - 1), image.bytesPerLine());
    return true;
}

void renderRgb(QImage& image, const std::vector<int>& col, const std::vector<int>& row, int fixed,
               ColorChannel channel)
{
    const int width = image.width();
    // Channel order in a pixel: red << 16, green << 8, blue.
    int fixedShift = 16, columnShift = 0, rowShift = 8;
    if (channel == ColorChannel::Green) {
        fixedShift = 8, columnShift = 0, rowShift = 16;
    } else if (channel == ColorChannel::Blue) {
        fixedShift = 0, columnShift = 16, rowShift = 8;
    }
    std::vector<quint32> columnBits(width);
    for (int x = 0; x < width; ++x) {
        columnBits[x] = quint32(col[x]) << columnShift;
    }
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const quint32 base =
            0xff000000u | quint32(fixed) << fixedShift | quint32(row[y]) << rowShift;
        quint32* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            line[x] = base | columnBits[x];
        }
    }
}

// Hue fixed: saturation along x, value along y.
void renderHueField(QImage& image, const std::vector<int>& col, const std::vector<int>& row,
                    int hue)
{
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        if (!repeatRow(image, row, y)) {
            ColorPixels::hsvPixels(hue, col.data(), row[y], false,
                                   reinterpret_cast<quint32*>(image.scanLine(y)), width);
        }
    }
}

// Saturation or value fixed, hue along x: the per-hue terms are worked out once per column.
void renderHueAxisField(QImage& image, const std::vector<int>& col, const std::vector<int>& row,
                        int fixed, bool saturationFixed)
{
    const ColorPixels::HueRun hues(col.data(), image.width());
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        if (repeatRow(image, row, y)) {
            continue;
        }
        ColorPixels::hueRunPixels(hues, saturationFixed ? fixed : row[y],
                                  saturationFixed ? row[y] : fixed,
                                  reinterpret_cast<quint32*>(image.scanLine(y)));
    }
}

// Lightness fixed: a along x, b along y. X depends only on the column and Z only on the row, so
// each linear channel is a column term (X and Y) plus a row term (Z), summed in the matrix's order.
void renderLightnessField(QImage& image, const std::vector<int>& col, const std::vector<int>& row,
                          int lightness)
{
    const int width = image.width();
    const int height = image.height();
    const SrgbEncodeTable& encode = SrgbEncodeTable::instance();
    const float* xOfA = ColorPixels::labXRow(lightness);
    const float* zOfB = ColorPixels::labZRow(lightness);
    const float y = ColorPixels::labY(lightness);
    const MatrixRow& toRed = kLinearRedFromXyz;
    const MatrixRow& toGreen = kLinearGreenFromXyz;
    const MatrixRow& toBlue = kLinearBlueFromXyz;
    std::vector<float> red(width), green(width), blue(width);
    std::vector<float> rowRed(width), rowGreen(width), rowBlue(width);
    for (int c = 0; c < width; ++c) {
        const float x = xOfA[col[c] + 128];
        red[c] = x * toRed.x + y * toRed.y;
        green[c] = x * toGreen.x + y * toGreen.y;
        blue[c] = x * toBlue.x + y * toBlue.y;
    }
    for (int r = 0; r < height; ++r) {
        if (repeatRow(image, row, r)) {
            continue;
        }
        const float z = zOfB[row[r] + 128];
        const float zRed = z * toRed.z, zGreen = z * toGreen.z, zBlue = z * toBlue.z;
        for (int c = 0; c < width; ++c) {
            rowRed[c] = red[c] + zRed;
            rowGreen[c] = green[c] + zGreen;
            rowBlue[c] = blue[c] + zBlue;
        }
        encode.encodePixels(rowRed.data(), rowGreen.data(), rowBlue.data(),
                            reinterpret_cast<quint32*>(image.scanLine(r)), width);
    }
}

// a or b fixed, the other along x, lightness along y: per row Y and the fixed one of X and Z, the
// terms summed in the matrix's order.
void renderLabAxisField(QImage& image, const std::vector<int>& col, const std::vector<int>& row,
                        int fixed, bool aFixed)
{
    const int width = image.width();
    const int height = image.height();
    const SrgbEncodeTable& encode = SrgbEncodeTable::instance();
    const MatrixRow& toRed = kLinearRedFromXyz;
    const MatrixRow& toGreen = kLinearGreenFromXyz;
    const MatrixRow& toBlue = kLinearBlueFromXyz;
    std::vector<float> along(width), rowRed(width), rowGreen(width), rowBlue(width);
    for (int r = 0; r < height; ++r) {
        if (repeatRow(image, row, r)) {
            continue;
        }
        const int lightness = row[r];
        const float y = ColorPixels::labY(lightness);
        // X (a fixed) or Z (b fixed) is the same for the whole row; the other follows the column.
        const float* byColumn =
            aFixed ? ColorPixels::labZRow(lightness) : ColorPixels::labXRow(lightness);
        for (int c = 0; c < width; ++c) {
            along[c] = byColumn[col[c] + 128];
        }
        if (aFixed) {
            const float x = ColorPixels::labXRow(lightness)[fixed + 128];
            const float red = x * toRed.x + y * toRed.y;
            const float green = x * toGreen.x + y * toGreen.y;
            const float blue = x * toBlue.x + y * toBlue.y;
            for (int c = 0; c < width; ++c) {
                const float z = along[c];
                rowRed[c] = red + z * toRed.z;
                rowGreen[c] = green + z * toGreen.z;
                rowBlue[c] = blue + z * toBlue.z;
            }
        } else {
            const float z = ColorPixels::labZRow(lightness)[fixed + 128];
            const float zRed = z * toRed.z, zGreen = z * toGreen.z, zBlue = z * toBlue.z;
            const float yRed = y * toRed.y, yGreen = y * toGreen.y, yBlue = y * toBlue.y;
            for (int c = 0; c < width; ++c) {
                const float x = along[c];
                rowRed[c] = x * toRed.x + yRed + zRed;
                rowGreen[c] = x * toGreen.x + yGreen + zGreen;
                rowBlue[c] = x * toBlue.x + yBlue + zBlue;
            }
        }
        encode.encodePixels(rowRed.data(), rowGreen.data(), rowBlue.data(),
                            reinterpret_cast<quint32*>(image.scanLine(r)), width);
    }
}

} // namespace

QImage ColorFieldImage::render(int width, int height, const ColorValue& value, ColorChannel channel)
{
    if (!isSliderChannel(channel) || width <= 0 || height <= 0) {
        return QImage();
    }
    QImage image(width, height, QImage::Format_RGB32);
    renderInto(image, value, channel);
    return image;
}

bool ColorFieldImage::renderInto(QImage& image, const ColorValue& value, ColorChannel channel)
{
    const int width = image.width();
    const int height = image.height();
    if (!isSliderChannel(channel) || image.isNull() || image.format() != QImage::Format_RGB32) {
        return false;
    }
    const ColorFieldMapping axes(channel, width, height);
    std::vector<int> col(width), row(height);
    for (int x = 0; x < width; ++x) {
        col[x] = axes.columnValue(x);
    }
    for (int y = 0; y < height; ++y) {
        row[y] = axes.rowValue(y);
    }
    const int fixed = value.channel(channel);
    ColorPixels::clearUpperVectorHalves();
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        renderRgb(image, col, row, fixed, channel);
        break;
    case ColorChannel::Hue:
        renderHueField(image, col, row, fixed);
        break;
    case ColorChannel::Saturation:
        renderHueAxisField(image, col, row, fixed, true);
        break;
    case ColorChannel::Value:
        renderHueAxisField(image, col, row, fixed, false);
        break;
    case ColorChannel::Lightness:
        renderLightnessField(image, col, row, fixed);
        break;
    case ColorChannel::RedGreen:
        renderLabAxisField(image, col, row, fixed, true);
        break;
    default:
        renderLabAxisField(image, col, row, fixed, false);
        break;
    }
    return true;
}
