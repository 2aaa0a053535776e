// The fast pictures of the square field and the channel slider against the plain per-pixel
// arithmetic: build the channel's record, overwrite the axis channels through its clamping
// setters, convert with the color model. Every fixed value of every channel, at both sizes the
// dialog uses.

#include "color/ColorValue.h"
#include "dialog/ColorChannel.h"
#include "fields/ChannelGradient.h"
#include "fields/ColorFieldImage.h"
#include "fields/SrgbEncodeTable.h"

#include <QtTest>

#include <cstring>
#include <math.h>
#include <vector>

Q_DECLARE_METATYPE(ColorChannel)

namespace {

int nearest(float v)
{
    return static_cast<int>(nearbyintf(v));
}

QRgb pixelOf(const RgbColor& rgb)
{
    return qRgb(rgb.red(), rgb.green(), rgb.blue());
}

// A color whose component for channel is v (the other components arbitrary but fixed).
ColorValue colorWith(ColorChannel channel, int v)
{
    switch (channel) {
    case ColorChannel::Red:
        return ColorValue(v, 40, 200, 255);
    case ColorChannel::Green:
        return ColorValue(40, v, 200, 255);
    case ColorChannel::Blue:
        return ColorValue(40, 200, v, 255);
    case ColorChannel::Hue:
        return ColorValue(HsvColor(v, 30, 70));
    case ColorChannel::Saturation:
        return ColorValue(HsvColor(200, v, 70));
    case ColorChannel::Value:
        return ColorValue(HsvColor(200, 30, v));
    case ColorChannel::Lightness:
        return ColorValue(LabColor(v, 20, -30));
    case ColorChannel::RedGreen:
        return ColorValue(LabColor(60, v, -30));
    default:
        return ColorValue(LabColor(60, 20, v));
    }
}

// The field's pixel (x, y) by the plain formula.
QRgb referenceFieldPixel(const ColorValue& color, ColorChannel channel, int x, int y, int w, int h)
{
    const float fw = float(w), fh = float(h);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue: {
        RgbColor rgb = color.rgb;
        const int along = nearest(255.0f * (255.0f / fw) - float(255 - x));
        const int down = nearest(255.0f - y * (255.0f / fh));
        if (channel == ColorChannel::Blue) {
            rgb.setRed(along);
        } else {
            rgb.setBlue(along);
        }
        if (channel == ColorChannel::Green) {
            rgb.setRed(down);
        } else {
            rgb.setGreen(down);
        }
        return pixelOf(rgb);
    }
    case ColorChannel::Hue:
    case ColorChannel::Saturation:
    case ColorChannel::Value: {
        HsvColor hsv = color.hsv;
        const int down = nearest(100.0f - y * (100.0f / fh));
        if (channel == ColorChannel::Hue) {
            hsv.setSaturation(nearest(x * (100.0f / fw)));
            hsv.setValue(down);
        } else {
            hsv.setHue(nearest(x * (360.0f / fw)));
            if (channel == ColorChannel::Saturation) {
                hsv.setValue(down);
            } else {
                hsv.setSaturation(down);
            }
        }
        return pixelOf(RgbColor(hsv));
    }
    default: {
        LabColor lab = color.lab;
        const int along = nearest(x * (255.0f / fw)) - 128;
        if (channel == ColorChannel::Lightness) {
            lab.setA(along);
            lab.setB(127 + nearest(-y * (255.0f / fh)));
        } else {
            lab.setLightness(nearest(100.0f - y * (100.0f / fh)));
            if (channel == ColorChannel::RedGreen) {
                lab.setB(along);
            } else {
                lab.setA(along);
            }
        }
        return pixelOf(RgbColor(lab));
    }
    }
}

QRgb referenceGradientPixel(const ColorValue& color, ColorChannel channel, int i, int length)
{
    const float l = float(length);
    const RgbColor& rgb = color.rgb;
    const HsvColor& hsv = color.hsv;
    const LabColor& lab = color.lab;
    const int rgbStep = nearest(255.0f - i * (256.0f / l));
    const int percentStep = nearest(100.0f - i * (100.0f / l));
    const int labStep = nearest(127.0f - i * (256.0f / l));
    switch (channel) {
    case ColorChannel::Red:
        return pixelOf(RgbColor(rgbStep, rgb.green(), rgb.blue()));
    case ColorChannel::Green:
        return pixelOf(RgbColor(rgb.red(), rgbStep, rgb.blue()));
    case ColorChannel::Blue:
        return pixelOf(RgbColor(rgb.red(), rgb.green(), rgbStep));
    case ColorChannel::Hue:
        return pixelOf(RgbColor(HsvColor(nearest(360.0f - i * (360.0f / l)), 100, 100)));
    case ColorChannel::Saturation:
        return pixelOf(RgbColor(HsvColor(hsv.hue(), percentStep, hsv.value())));
    case ColorChannel::Value:
        return pixelOf(RgbColor(HsvColor(hsv.hue(), hsv.saturation(), percentStep)));
    case ColorChannel::Lightness:
        return pixelOf(RgbColor(LabColor(percentStep, lab.a(), lab.b())));
    case ColorChannel::RedGreen:
        return pixelOf(RgbColor(LabColor(lab.lightness(), labStep, lab.b())));
    default:
        return pixelOf(RgbColor(LabColor(lab.lightness(), lab.a(), labStep)));
    }
}

// Lowest and highest value of the channel's component.
void channelRange(ColorChannel channel, int& low, int& high)
{
    switch (channel) {
    case ColorChannel::Hue:
        low = 0, high = 360;
        break;
    case ColorChannel::Saturation:
    case ColorChannel::Value:
    case ColorChannel::Lightness:
        low = 0, high = 100;
        break;
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        low = -128, high = 127;
        break;
    default:
        low = 0, high = 255;
        break;
    }
}

QString describePixel(QRgb p)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p));
}

const ColorChannel kFieldChannels[] = {
    ColorChannel::Red,       ColorChannel::Green,      ColorChannel::Blue,
    ColorChannel::Hue,       ColorChannel::Saturation, ColorChannel::Value,
    ColorChannel::Lightness, ColorChannel::RedGreen,   ColorChannel::BlueYellow};

const char* channelName(ColorChannel channel)
{
    static const char* const names[] = {"Red",   "Green",     "Blue",     "Hue",       "Saturation",
                                        "Value", "Lightness", "RedGreen", "BlueYellow"};
    for (int i = 0; i < 9; ++i) {
        if (kFieldChannels[i] == channel) {
            return names[i];
        }
    }
    return "None";
}

} // namespace

class FieldPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void encodeTableEqualsPowf();
    void encodePixelsEqualsPowf();
    void fieldEqualsReference_data();
    void fieldEqualsReference();
    void gradientEqualsReference_data();
    void gradientEqualsReference();
    void rgbAxisRounding_data();
    void rgbAxisRounding();
    void labMarkerIsLastMatchingPixel_data();
    void labMarkerIsLastMatchingPixel();
    void nonFieldChannelHasNoPicture();
};

// Every float from below the first step of the encoding up to 2.0, where every encoding is 255.
void FieldPicturesTest::encodeTableEqualsPowf()
{
    const SrgbEncodeTable& table = SrgbEncodeTable::instance();
    std::int32_t first, last;
    const float from = table.threshold(1) / 2.0f, to = 2.0f;
    std::memcpy(&first, &from, sizeof first);
    std::memcpy(&last, &to, sizeof last);
    for (std::int32_t bits = first; bits <= last; ++bits) {
        float v;
        std::memcpy(&v, &bits, sizeof v);
        const int exact = SrgbEncodeTable::exact(v);
        if (table.encode(v) != exact) {
            QFAIL(qPrintable(QStringLiteral("encode(%1) = %2, powf gives %3")
                                 .arg(double(v), 0, 'g', 9)
                                 .arg(table.encode(v))
                                 .arg(exact)));
        }
    }
    for (float v : {-1.0f, -0.0f, 0.0f, 1e-30f, 3.0f, 1e30f}) {
        QCOMPARE(table.encode(v), SrgbEncodeTable::exact(v));
    }
}

// The row encoder (eight at a time where the CPU allows) over the same floats, with negatives,
// values beyond 2.0 and a tail that is not a multiple of eight.
void FieldPicturesTest::encodePixelsEqualsPowf()
{
    const SrgbEncodeTable& table = SrgbEncodeTable::instance();
    std::int32_t first, last;
    const float from = table.threshold(1) / 2.0f, to = 2.0f;
    std::memcpy(&first, &from, sizeof first);
    std::memcpy(&last, &to, sizeof last);
    constexpr int kBatch = 4099;
    std::vector<float> red(kBatch), green(kBatch), blue(kBatch);
    std::vector<quint32> out(kBatch);
    const float extremes[] = {-1e30f, -1.0f, -1e-30f, -0.0f, 0.0f, 1e-30f, 2.5f, 1e30f};
    for (std::int64_t start = first; start <= last; start += kBatch) {
        for (int i = 0; i < kBatch; ++i) {
            const std::int32_t bits = std::int32_t(std::min<std::int64_t>(start + i, last));
            std::memcpy(&red[i], &bits, sizeof bits);
            // The other channels run backwards and through the extremes.
            green[i] = red[kBatch - 1 - i < i ? i : 0];
            blue[i] = extremes[i % 8];
        }
        table.encodePixels(red.data(), green.data(), blue.data(), out.data(), kBatch);
        for (int i = 0; i < kBatch; ++i) {
            const quint32 expected =
                qRgb(SrgbEncodeTable::exact(red[i]), SrgbEncodeTable::exact(green[i]),
                     SrgbEncodeTable::exact(blue[i]));
            if (out[i] != expected) {
                QFAIL(qPrintable(QStringLiteral("(%1, %2, %3): %4, expected %5")
                                     .arg(double(red[i]), 0, 'g', 9)
                                     .arg(double(green[i]), 0, 'g', 9)
                                     .arg(double(blue[i]), 0, 'g', 9)
                                     .arg(out[i], 8, 16)
                                     .arg(expected, 8, 16)));
            }
        }
    }
}

void FieldPicturesTest::fieldEqualsReference_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    for (int size : {256, 128}) {
        for (ColorChannel channel : kFieldChannels) {
            QTest::addRow("%s %d", channelName(channel), size) << channel << size;
        }
    }
}

void FieldPicturesTest::fieldEqualsReference()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    int low, high;
    channelRange(channel, low, high);
    for (int v = low; v <= high; ++v) {
        const ColorValue color = colorWith(channel, v);
        const QImage image = ColorFieldImage::render(size, size, color, channel);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        for (int y = 0; y < size; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < size; ++x) {
                const QRgb expected = referenceFieldPixel(color, channel, x, y, size, size);
                if (line[x] != expected) {
                    QFAIL(qPrintable(QStringLiteral("fixed %1, pixel (%2, %3): %4, expected %5")
                                         .arg(v)
                                         .arg(x)
                                         .arg(y)
                                         .arg(describePixel(line[x]))
                                         .arg(describePixel(expected))));
                }
            }
        }
    }
}

void FieldPicturesTest::gradientEqualsReference_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("length");
    for (int length : {256, 145}) {
        for (ColorChannel channel : kFieldChannels) {
            QTest::addRow("%s %d", channelName(channel), length) << channel << length;
        }
    }
}

// The strip depends on the two other components of the channel's space: every value of the first,
// each against a spread of the second (both ends included).
void FieldPicturesTest::gradientEqualsReference()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, length);
    std::vector<ColorValue> colors;
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        for (int a = 0; a <= 255; ++a) {
            for (int b : {0, 1, 127, 128, 254, 255}) {
                colors.push_back(ColorValue(a, b, 255 - a, 255));
                colors.push_back(ColorValue(b, a, a, 255));
            }
        }
        break;
    case ColorChannel::Hue:
        colors.push_back(ColorValue());
        colors.push_back(ColorValue(HsvColor(123, 45, 67)));
        break;
    case ColorChannel::Saturation:
    case ColorChannel::Value:
        for (int hue = 0; hue <= 360; ++hue) {
            for (int other = 0; other <= 100; other += 4) {
                colors.push_back(ColorValue(HsvColor(hue, other, other)));
            }
        }
        break;
    default:
        for (int first = -128; first <= 127; ++first) {
            for (int second = -128; second <= 127; second += 15) {
                colors.push_back(
                    ColorValue(LabColor(std::clamp(first + 28, 0, 100), first, second)));
                colors.push_back(
                    ColorValue(LabColor(std::clamp(second + 28, 0, 100), second, first)));
            }
        }
        for (int lightness = 0; lightness <= 100; ++lightness) {
            for (int ab = -128; ab <= 127; ab += 5) {
                colors.push_back(ColorValue(LabColor(lightness, ab, -ab - 1)));
            }
        }
        break;
    }
    std::vector<QRgb> strip(length);
    for (const ColorValue& color : colors) {
        QVERIFY(ChannelGradient::colors(color, channel, length, strip.data()));
        for (int i = 0; i < length; ++i) {
            const QRgb expected = referenceGradientPixel(color, channel, i, length);
            if (strip[i] != expected) {
                QFAIL(qPrintable(QStringLiteral("rgb (%1, %2, %3) hsv (%4, %5, %6) lab (%7, %8, "
                                                "%9), index %10: %11, expected %12")
                                     .arg(color.rgb.red())
                                     .arg(color.rgb.green())
                                     .arg(color.rgb.blue())
                                     .arg(color.hsv.hue())
                                     .arg(color.hsv.saturation())
                                     .arg(color.hsv.value())
                                     .arg(color.lab.lightness())
                                     .arg(color.lab.a())
                                     .arg(color.lab.b())
                                     .arg(i)
                                     .arg(describePixel(strip[i]))
                                     .arg(describePixel(expected))));
            }
        }
    }
}

// The RGB axis is nearest(255 * (255 / W) - (255 - x)): one below x on a 256-wide field, so
// column 128 shows 127 and the first two columns both show 0.
void FieldPicturesTest::rgbAxisRounding_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("256, column 0") << 256 << 0 << 0;
    QTest::newRow("256, column 1") << 256 << 1 << 0;
    QTest::newRow("256, column 128") << 256 << 128 << 127;
    QTest::newRow("256, column 255") << 256 << 255 << 254;
    // The formula is tuned to 256 columns: at 128 it starts at 253 and clamps from column 2.
    QTest::newRow("128, column 0") << 128 << 0 << 253;
    QTest::newRow("128, column 2 clamps") << 128 << 2 << 255;
    QTest::newRow("128, column 127 clamps") << 128 << 127 << 255;
}

void FieldPicturesTest::rgbAxisRounding()
{
    QFETCH(int, size);
    QFETCH(int, x);
    QFETCH(int, expected);
    const QImage image =
        ColorFieldImage::render(size, size, ColorValue(10, 20, 30, 255), ColorChannel::Red);
    QCOMPARE(qBlue(image.pixel(x, 0)), expected);
    QCOMPARE(qRed(image.pixel(x, 0)), 10);
    QCOMPARE(qGreen(image.pixel(x, 0)), 255);
}

void FieldPicturesTest::labMarkerIsLastMatchingPixel_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    for (int size : {256, 128}) {
        for (ColorChannel channel :
             {ColorChannel::Lightness, ColorChannel::RedGreen, ColorChannel::BlueYellow}) {
            QTest::addRow("%s %d", channelName(channel), size) << channel << size;
        }
    }
}

// Against a plain search in visiting order (columns from the left, each from the top), over every
// (axis, axis) pair, including pairs that occur nowhere.
void FieldPicturesTest::labMarkerIsLastMatchingPixel()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    const float step = 255.0f / size, lightnessStep = 100.0f / size;
    int misses = 0;
    for (int first = -128; first <= 127; ++first) {
        for (int second = -128; second <= 127; second += 3) {
            const int lightness = std::clamp(second + 28, 0, 100);
            LabColor lab = channel == ColorChannel::Lightness  ? LabColor(50, first, second)
                           : channel == ColorChannel::RedGreen ? LabColor(lightness, 7, first)
                                                               : LabColor(lightness, first, 7);
            ColorValue color;
            color.lab = lab;
            QPoint expected(0, 0);
            for (int x = 0; x < size; ++x) {
                const int along = nearest(x * step) - 128;
                for (int y = 0; y < size; ++y) {
                    bool match;
                    if (channel == ColorChannel::Lightness) {
                        match = along == lab.a() && 127 + nearest(-y * step) == lab.b();
                    } else {
                        const int l = nearest(100.0f - y * lightnessStep);
                        const int other = channel == ColorChannel::RedGreen ? lab.b() : lab.a();
                        match = along == other && l == lab.lightness();
                    }
                    if (match) {
                        expected = QPoint(x, y);
                    }
                }
            }
            misses += expected == QPoint(0, 0);
            QCOMPARE(ColorFieldImage::markerPosition(size, size, color, channel), expected);
        }
    }
    // At 128 pixels only every other a and b value appears: some pairs must have missed.
    QVERIFY(size == 256 || misses > 0);
}

void FieldPicturesTest::nonFieldChannelHasNoPicture()
{
    for (ColorChannel channel : {ColorChannel::None, ColorChannel::Cyan, ColorChannel::Hex}) {
        QVERIFY(ColorFieldImage::render(256, 256, ColorValue(1, 2, 3, 255), channel).isNull());
        QCOMPARE(ColorFieldImage::markerPosition(256, 256, ColorValue(1, 2, 3, 255), channel),
                 QPoint(0, 0));
        QRgb strip[4] = {1, 2, 3, 4};
        QVERIFY(!ChannelGradient::colors(ColorValue(1, 2, 3, 255), channel, 4, strip));
        QCOMPARE(strip[0], QRgb(1));
    }
}

QTEST_APPLESS_MAIN(FieldPicturesTest)
#include "FieldPicturesTest.moc"
