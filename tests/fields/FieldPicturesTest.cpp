// The fast pictures of the square field and the channel slider against the plain per-pixel
// arithmetic: build the channel's record, overwrite the axis channels through its clamping
// setters, convert with the color model. Every fixed value of every channel, at both sizes used.

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "color/Rounding.h"
#include "fields/pictures/ChannelGradient.h"
#include "fields/pictures/ColorFieldImage.h"
#include "fields/pictures/ColorPixels.h"
#include "fields/pictures/CpuFeatures.h"
#include "fields/pictures/SrgbEncodeTable.h"

#include <QtTest>

#include <cstring>
#include <math.h>
#include <vector>

Q_DECLARE_METATYPE(ColorChannel)

namespace {

QRgb pixelOf(const RgbColor& rgb)
{
    return qRgb(rgb.red(), rgb.green(), rgb.blue());
}

bool isRgb(ColorChannel c)
{
    return c == ColorChannel::Red || c == ColorChannel::Green || c == ColorChannel::Blue;
}

bool isHsv(ColorChannel c)
{
    return c == ColorChannel::Hue || c == ColorChannel::Saturation || c == ColorChannel::Value;
}

// A color whose components for channels a and b are va and vb (same space), the others arbitrary.
ColorValue colorWith(ColorChannel a, int va, ColorChannel b, int vb)
{
    const auto pick = [&](ColorChannel c, int otherwise) {
        return c == a ? va : c == b ? vb : otherwise;
    };
    if (isRgb(a)) {
        return ColorValue(pick(ColorChannel::Red, 40), pick(ColorChannel::Green, 200),
                          pick(ColorChannel::Blue, 7), 255);
    }
    if (isHsv(a)) {
        return ColorValue(HsvColor(pick(ColorChannel::Hue, 200), pick(ColorChannel::Saturation, 30),
                                   pick(ColorChannel::Value, 70)));
    }
    return ColorValue(LabColor(pick(ColorChannel::Lightness, 60), pick(ColorChannel::RedGreen, 20),
                               pick(ColorChannel::BlueYellow, -30)));
}

QRgb referenceFieldPixel(const ColorValue& color, ColorChannel c, int x, int y, int w, int h)
{
    if (isRgb(c)) {
        RgbColor rgb = color.rgb();
        const int along = nearest(255.0f * (255.0f / w) - float(255 - x));
        const int down = nearest(255.0f - y * (255.0f / h));
        c == ColorChannel::Blue ? rgb.setRed(along) : rgb.setBlue(along);
        c == ColorChannel::Green ? rgb.setRed(down) : rgb.setGreen(down);
        return pixelOf(rgb);
    }
    const int down = nearest(100.0f - y * (100.0f / h));
    if (isHsv(c)) {
        HsvColor hsv = color.hsv();
        if (c == ColorChannel::Hue) {
            hsv.setSaturation(nearest(x * (100.0f / w)));
        } else {
            hsv.setHue(nearest(x * (360.0f / w)));
        }
        c == ColorChannel::Value ? hsv.setSaturation(down) : hsv.setValue(down);
        return pixelOf(RgbColor(hsv));
    }
    LabColor lab = color.lab();
    const int along = nearest(x * (255.0f / w)) - 128;
    if (c == ColorChannel::Lightness) {
        lab.setA(along);
        lab.setB(127 + nearest(-y * (255.0f / h)));
    } else {
        lab.setLightness(down);
        c == ColorChannel::RedGreen ? lab.setB(along) : lab.setA(along);
    }
    return pixelOf(RgbColor(lab));
}

QRgb referenceGradientPixel(const ColorValue& color, ColorChannel c, int i, int length)
{
    const float l = float(length);
    const RgbColor& rgb = color.rgb();
    const HsvColor& hsv = color.hsv();
    const LabColor& lab = color.lab();
    const int byte = nearest(255.0f - i * (256.0f / l));
    const int percent = nearest(100.0f - i * (100.0f / l));
    const int ab = nearest(127.0f - i * (256.0f / l));
    switch (c) {
    case ColorChannel::Red:
        return pixelOf(RgbColor(byte, rgb.green(), rgb.blue()));
    case ColorChannel::Green:
        return pixelOf(RgbColor(rgb.red(), byte, rgb.blue()));
    case ColorChannel::Blue:
        return pixelOf(RgbColor(rgb.red(), rgb.green(), byte));
    case ColorChannel::Hue:
        return pixelOf(RgbColor(HsvColor(nearest(360.0f - i * (360.0f / l)), 100, 100)));
    case ColorChannel::Saturation:
        return pixelOf(RgbColor(HsvColor(hsv.hue(), percent, hsv.value())));
    case ColorChannel::Value:
        return pixelOf(RgbColor(HsvColor(hsv.hue(), hsv.saturation(), percent)));
    case ColorChannel::Lightness:
        return pixelOf(RgbColor(LabColor(percent, lab.a(), lab.b())));
    case ColorChannel::RedGreen:
        return pixelOf(RgbColor(LabColor(lab.lightness(), ab, lab.b())));
    default:
        return pixelOf(RgbColor(LabColor(lab.lightness(), lab.a(), ab)));
    }
}

struct ChannelRange
{
    ColorChannel channel;
    const char* name;
    int low, high;
};

const ChannelRange kChannels[] = {{ColorChannel::Red, "Red", 0, 255},
                                  {ColorChannel::Green, "Green", 0, 255},
                                  {ColorChannel::Blue, "Blue", 0, 255},
                                  {ColorChannel::Hue, "Hue", 0, 360},
                                  {ColorChannel::Saturation, "Saturation", 0, 100},
                                  {ColorChannel::Value, "Value", 0, 100},
                                  {ColorChannel::Lightness, "Lightness", 0, 100},
                                  {ColorChannel::RedGreen, "RedGreen", -128, 127},
                                  {ColorChannel::BlueYellow, "BlueYellow", -128, 127}};

const ChannelRange& infoOf(ColorChannel c)
{
    for (const ChannelRange& info : kChannels) {
        if (info.channel == c) {
            return info;
        }
    }
    return kChannels[0];
}

// The HSV pictures come from AVX2 loops where the CPU has them and from SSE2 loops otherwise:
// a row per channel and size runs both ways.
enum class Loops
{
    Wide,
    Baseline
};

void addRows(int size)
{
    for (const ChannelRange& info : kChannels) {
        QTest::addRow("%s %d", info.name, size) << info.channel << size << Loops::Wide;
        if (isHsv(info.channel)) {
            QTest::addRow("%s %d SSE2", info.name, size) << info.channel << size << Loops::Baseline;
        }
    }
}

// Switches the HSV loops for one test function and back to the default after it.
class LoopChoice
{
public:
    explicit LoopChoice(Loops loops)
        : wide(ColorPixels::setWideVectors(loops == Loops::Wide)), wanted(loops == Loops::Wide)
    {
    }
    ~LoopChoice() { ColorPixels::setWideVectors(true); }
    bool unavailable() const { return wanted && !wide; }

private:
    bool wide;
    bool wanted;
};

QString describe(QRgb p)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(p)).arg(qGreen(p)).arg(qBlue(p));
}

} // namespace

Q_DECLARE_METATYPE(Loops)

class FieldPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void cpuFeaturesAgreeWithTheCompiler();
    void encodingEqualsPowf();
    void fieldEqualsReference_data();
    void fieldEqualsReference();
    void gradientEqualsReference_data();
    void gradientEqualsReference();
    void embeddedFieldPicture();
};

// The wide loops are chosen by our own reading of cpuid and XCR0; the compiler's runtime reads
// them too.
void FieldPicturesTest::cpuFeaturesAgreeWithTheCompiler()
{
#if defined(__GNUC__)
    __builtin_cpu_init();
    QCOMPARE(CpuFeatures::hasAvx(), bool(__builtin_cpu_supports("avx")));
    QCOMPARE(CpuFeatures::hasAvx2(), bool(__builtin_cpu_supports("avx2")));
    QCOMPARE(ColorPixels::setWideVectors(true), CpuFeatures::hasAvx2());
#else
    QSKIP("only GCC and Clang read the CPU's features on their own");
#endif
}

// Every float from below the first step of the encoding up to 2.0 (where all encode as 255), one
// by one and in rows of the row encoder (eight-wide where the CPU allows, with a scalar tail),
// whose other channels run through negatives, zeros and huge values.
void FieldPicturesTest::encodingEqualsPowf()
{
    const SrgbEncodeTable& table = SrgbEncodeTable::instance();
    const float from = table.threshold(1) / 2.0f, to = 2.0f;
    std::int32_t first, last;
    std::memcpy(&first, &from, sizeof first);
    std::memcpy(&last, &to, sizeof last);
    constexpr int kRow = 4099;
    const float extremes[] = {-1e30f, -1.0f, -1e-30f, -0.0f, 0.0f, 1e-30f, 2.5f, 1e30f};
    std::vector<float> red(kRow), green(kRow), blue(kRow);
    std::vector<quint32> out(kRow);
    for (std::int64_t start = first; start <= last; start += kRow) {
        for (int i = 0; i < kRow; ++i) {
            const std::int32_t bits = std::int32_t(std::min<std::int64_t>(start + i, last));
            std::memcpy(&red[i], &bits, sizeof bits);
            green[i] = extremes[i % 8];
        }
        std::copy(red.rbegin(), red.rend(), blue.begin());
        table.encodePixels(red.data(), green.data(), blue.data(), out.data(), kRow);
        for (int i = 0; i < kRow; ++i) {
            const int exact = SrgbEncodeTable::exact(red[i]);
            const QRgb expected =
                qRgb(exact, SrgbEncodeTable::exact(green[i]), SrgbEncodeTable::exact(blue[i]));
            if (table.encode(red[i]) != exact || out[i] != expected) {
                QFAIL(qPrintable(QStringLiteral("%1 (row %2, %3): %4 and %5, expected %6")
                                     .arg(double(red[i]), 0, 'g', 9)
                                     .arg(double(green[i]))
                                     .arg(double(blue[i]), 0, 'g', 9)
                                     .arg(table.encode(red[i]))
                                     .arg(describe(out[i]), describe(expected))));
            }
        }
    }
}

void FieldPicturesTest::fieldEqualsReference_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    QTest::addColumn<Loops>("loops");
    for (int size : {256, 128}) {
        addRows(size);
    }
}

void FieldPicturesTest::fieldEqualsReference()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    QFETCH(Loops, loops);
    const LoopChoice choice(loops);
    if (choice.unavailable()) {
        QSKIP("this CPU has no AVX2");
    }
    for (int v = infoOf(channel).low; v <= infoOf(channel).high; ++v) {
        const ColorValue color = colorWith(channel, v, channel, v);
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
                                         .arg(describe(line[x]), describe(expected))));
                }
            }
        }
    }
}

void FieldPicturesTest::gradientEqualsReference_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("length");
    QTest::addColumn<Loops>("loops");
    for (int length : {256, 145}) {
        addRows(length);
    }
}

// The strip depends on the two other components of the channel's space: every value of each,
// against a spread of the other that includes both ends.
void FieldPicturesTest::gradientEqualsReference()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, length);
    QFETCH(Loops, loops);
    const LoopChoice choice(loops);
    if (choice.unavailable()) {
        QSKIP("this CPU has no AVX2");
    }
    std::vector<ColorChannel> others;
    for (const ChannelRange& info : kChannels) {
        const bool sameSpace =
            (isRgb(info.channel) && isRgb(channel)) || (isHsv(info.channel) && isHsv(channel)) ||
            (!isRgb(info.channel) && !isHsv(info.channel) && !isRgb(channel) && !isHsv(channel));
        if (sameSpace && info.channel != channel) {
            others.push_back(info.channel);
        }
    }
    std::vector<QRgb> strip(length);
    for (int pass = 0; pass < 2; ++pass) {
        const ChannelRange& every = infoOf(others[pass]);
        const ChannelRange& spread = infoOf(others[1 - pass]);
        for (int v = every.low; v <= every.high; ++v) {
            for (int k = 0; k <= 8; ++k) {
                const int w = spread.low + (spread.high - spread.low) * k / 8;
                const ColorValue color = colorWith(every.channel, v, spread.channel, w);
                QVERIFY(ChannelGradient::colors(color, channel, length, strip.data()));
                for (int i = 0; i < length; ++i) {
                    const QRgb expected = referenceGradientPixel(color, channel, i, length);
                    if (strip[i] != expected) {
                        QFAIL(qPrintable(QStringLiteral("%1 = %2, %3 = %4, index %5: %6, "
                                                        "expected %7")
                                             .arg(every.name)
                                             .arg(v)
                                             .arg(spread.name)
                                             .arg(w)
                                             .arg(i)
                                             .arg(describe(strip[i]), describe(expected))));
                    }
                }
            }
        }
    }
}

// The square field picture built into the plug-in: the field of Blue at black (red along x, green
// up the y axis), within what JPEG compression changes.
void FieldPicturesTest::embeddedFieldPicture()
{
    const QImage embedded(QStringLiteral(":/ColorFields/resources/RgbColorField.jpg"));
    QCOMPARE(embedded.size(), QSize(256, 256));
    const QImage field =
        ColorFieldImage::render(256, 256, ColorValue(0, 0, 0, 255), ColorChannel::Blue);
    int worst = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb a = embedded.pixel(x, y), b = field.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
        }
    }
    QVERIFY2(worst <= 12, qPrintable(QStringLiteral("off by up to %1").arg(worst)));
}

QTEST_APPLESS_MAIN(FieldPicturesTest)
#include "FieldPicturesTest.moc"
