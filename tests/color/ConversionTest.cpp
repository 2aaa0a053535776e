#include "color/CmykColor.h"
#include "color/ColorTexts.h"
#include "color/GammaForms.h"
#include "color/HexColor.h"
#include "color/HsvColor.h"
#include "color/LabColor.h"
#include "color/RgbColor.h"
#include "color/TemperatureColor.h"
#include "color/UnitFloat.h"
#include "color/XyzColor.h"

#include <QtTest>

#include <limits>

// The records one conversion at a time: clamping, and each step's own rounding (ties to even,
// truncation or half up), checked on the cases where the wrong choice gives another integer.
class ConversionTest : public QObject
{
    Q_OBJECT

private slots:
    void convert_data();
    void convert();
    void alphaRules();
    void unitFloats();
    void hexText_data();
    void hexText();
    void sharedTexts();
};

namespace {

enum class Op
{
    RgbClamp,
    HsvClamp,
    LabClamp,
    CmykClamp,
    KelvinClamp,
    RgbToHsv,
    HsvToRgb,
    RgbToCmyk,
    CmykToRgb,
    RgbToLab,
    LabToRgb,
    RgbToKelvin,
    KelvinToRgb,
    LabClipped,
    KelvinClipped,
    LinearChannel,
    ChannelFromLinear,
    LinearPercent,
    PercentFromLinear,
    WildXyzToLab
};

using Ints = QVector<int>;

Ints rgbOf(const RgbColor& c)
{
    return {c.red(), c.green(), c.blue(), c.alpha()};
}

// The constructor's result, or {-1} when building the same record through its setters differs.
Ints apply(Op op, const Ints& v)
{
    switch (op) {
    case Op::RgbClamp: {
        RgbColor s;
        s.setRed(v[0]);
        s.setGreen(v[1]);
        s.setBlue(v[2]);
        s.setAlpha(v[3]);
        const RgbColor c(v[0], v[1], v[2], v[3]);
        return s == c ? rgbOf(c) : Ints{-1};
    }
    case Op::HsvClamp: {
        HsvColor s;
        s.setHue(v[0]);
        s.setSaturation(v[1]);
        s.setValue(v[2]);
        const HsvColor c(v[0], v[1], v[2], v[3]);
        return s == c ? Ints{c.hue(), c.saturation(), c.value(), c.alpha()} : Ints{-1};
    }
    case Op::LabClamp: {
        LabColor s;
        s.setLightness(v[0]);
        s.setA(v[1]);
        s.setB(v[2]);
        const LabColor c(v[0], v[1], v[2]);
        return s == c ? Ints{c.lightness(), c.a(), c.b()} : Ints{-1};
    }
    case Op::CmykClamp: {
        CmykColor s;
        s.setCyan(v[0]);
        s.setMagenta(v[1]);
        s.setYellow(v[2]);
        s.setKey(v[3]);
        const CmykColor c(v[0], v[1], v[2], v[3]);
        return s == c ? Ints{c.cyan(), c.magenta(), c.yellow(), c.key()} : Ints{-1};
    }
    case Op::KelvinClamp: {
        TemperatureColor s;
        s.setKelvin(v[0]);
        return s == TemperatureColor(v[0]) ? Ints{s.kelvin()} : Ints{-1};
    }
    case Op::RgbToHsv: {
        const HsvColor c{RgbColor(v[0], v[1], v[2])};
        return {c.hue(), c.saturation(), c.value()};
    }
    case Op::HsvToRgb:
        return rgbOf(RgbColor(HsvColor(v[0], v[1], v[2], v[3])));
    case Op::RgbToCmyk: {
        const CmykColor c{RgbColor(v[0], v[1], v[2])};
        return {c.cyan(), c.magenta(), c.yellow(), c.key()};
    }
    case Op::CmykToRgb: {
        RgbColor c;
        c.setFromCmyk(CmykColor(v[0], v[1], v[2], v[3]));
        return rgbOf(c).mid(0, 3);
    }
    case Op::RgbToLab: {
        const LabColor c{RgbColor(v[0], v[1], v[2])};
        return {c.lightness(), c.a(), c.b()};
    }
    case Op::LabToRgb: {
        const RgbColor c = RgbColor::fromLab(v[0], v[1], v[2]);
        return c == RgbColor(LabColor(v[0], v[1], v[2])) ? rgbOf(c).mid(0, 3) : Ints{-1};
    }
    case Op::RgbToKelvin:
        return {TemperatureColor(RgbColor(v[0], v[1], v[2])).kelvin()};
    case Op::KelvinToRgb: {
        RgbColor c;
        c.setFromTemperature(TemperatureColor(v[0]));
        return rgbOf(c).mid(0, 3);
    }
    case Op::LabClipped: {
        bool clipped = false;
        const RgbColor c(LabColor(v[0], v[1], v[2]), &clipped);
        return c == RgbColor(LabColor(v[0], v[1], v[2])) ? Ints{clipped} : Ints{-1};
    }
    case Op::KelvinClipped: {
        bool clipped = false;
        RgbColor c;
        c.setFromTemperature(TemperatureColor(v[0]), &clipped);
        return {clipped};
    }
    case Op::LinearChannel: {
        const RgbColor c(v[0], v[0], v[0]);
        const bool same = c.linearRed() == c.linearGreen() && c.linearGreen() == c.linearBlue();
        return same && c.linearRed() == linearChannel(v[0]) ? Ints{c.linearRed()} : Ints{-1};
    }
    case Op::ChannelFromLinear: {
        RgbColor c;
        c.setLinearRed(v[0]);
        c.setLinearGreen(v[0]);
        c.setLinearBlue(v[0]);
        const bool same = c.red() == c.green() && c.green() == c.blue();
        return same && c.red() == channelFromLinear(v[0]) ? Ints{c.red()} : Ints{-1};
    }
    case Op::LinearPercent: {
        const HsvColor c(0, v[0], v[0]);
        const bool same = c.linearSaturation() == c.linearValue();
        return same && c.linearValue() == linearPercent(v[0]) ? Ints{c.linearValue()} : Ints{-1};
    }
    case Op::PercentFromLinear: {
        HsvColor c;
        c.setLinearSaturation(v[0]);
        c.setLinearValue(v[0]);
        const bool same = c.saturation() == c.value();
        return same && c.value() == percentFromLinear(v[0]) ? Ints{c.value()} : Ints{-1};
    }
    case Op::WildXyzToLab: {
        // Codes for values no 8-bit color produces: 1 huge, -1 huge negative, 2 NaN, 3 infinity.
        const auto wild = [](int code) {
            switch (code) {
            case 1:
                return 1e30f;
            case -1:
                return -1e30f;
            case 2:
                return std::numeric_limits<float>::quiet_NaN();
            case 3:
                return std::numeric_limits<float>::infinity();
            }
            return 0.0f;
        };
        const LabColor c(XyzColor(wild(v[0]), wild(v[1]), wild(v[2])));
        return {c.lightness(), c.a(), c.b()};
    }
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Op)

void ConversionTest::convert_data()
{
    QTest::addColumn<Op>("op");
    QTest::addColumn<Ints>("in");
    QTest::addColumn<Ints>("out");
    const auto row = [](const char* name, Op op, const Ints& in, const Ints& out) {
        QTest::newRow(name) << op << in << out;
    };

    // Clamp to the nearest end, never wrap (256 is not 0, 361 is not 1).
    row("rgb inside", Op::RgbClamp, {1, 2, 3, 4}, {1, 2, 3, 4});
    row("rgb out", Op::RgbClamp, {256, -1, INT_MAX, INT_MIN}, {255, 0, 255, 0});
    row("hsv 360 kept", Op::HsvClamp, {360, 0, 100, 255}, {360, 0, 100, 255});
    row("hsv out", Op::HsvClamp, {400, 150, -5, 300}, {360, 100, 0, 255});
    row("hsv below", Op::HsvClamp, {-1, -1, 101, -1}, {0, 0, 100, 0});
    row("lab out", Op::LabClamp, {101, -129, 128}, {100, -128, 127});
    row("lab below", Op::LabClamp, {-1, 1000, -1000}, {0, 127, -128});
    row("cmyk out", Op::CmykClamp, {-1, 101, 50, 1000}, {0, 100, 50, 100});
    row("kelvin 500", Op::KelvinClamp, {500}, {1000});
    row("kelvin 20000", Op::KelvinClamp, {20000}, {15000});

    row("hsv black", Op::RgbToHsv, {0, 0, 0}, {0, 0, 0});
    // The value's +1: white reaches 101 and clamps; red 128 alone reads 51.
    row("hsv white", Op::RgbToHsv, {255, 255, 255}, {0, 0, 100});
    row("hsv grey 128", Op::RgbToHsv, {128, 128, 128}, {0, 0, 51});
    row("hsv red 128", Op::RgbToHsv, {128, 0, 0}, {0, 100, 51});
    // 359.76 rounds to 360, and the remainder makes it 0.
    row("hsv red, blue 1", Op::RgbToHsv, {255, 0, 1}, {0, 100, 100});
    row("hsv red-green tie", Op::RgbToHsv, {255, 255, 0}, {60, 100, 100});
    row("hsv green-blue tie", Op::RgbToHsv, {0, 255, 255}, {180, 100, 100});
    row("hsv blue", Op::RgbToHsv, {0, 0, 255}, {240, 100, 100});
    row("hsv saturation truncated", Op::RgbToHsv, {255, 128, 128}, {0, 49, 100});
    // h is exactly 232.5 and 238.5: ties go to even.
    row("hsv hue tie 232", Op::RgbToHsv, {0, 1, 8}, {232, 100, 4});
    row("hsv hue tie 238", Op::RgbToHsv, {0, 1, 40}, {238, 100, 16});

    // Truncated: 0.51 * 255 = 130.05, 0.5 * 255 = 127.5.
    row("rgb of grey 51", Op::HsvToRgb, {0, 0, 51, 33}, {130, 130, 130, 33});
    row("rgb of grey 50", Op::HsvToRgb, {200, 0, 50, 255}, {127, 127, 127, 255});
    row("rgb of hue 360", Op::HsvToRgb, {360, 100, 100, 255}, {255, 0, 0, 255});
    row("rgb of hue 30", Op::HsvToRgb, {30, 100, 100, 255}, {255, 127, 0, 255});
    row("rgb of hue 180", Op::HsvToRgb, {180, 100, 100, 255}, {0, 255, 255, 255});
    row("rgb of hue 270", Op::HsvToRgb, {270, 50, 80, 255}, {153, 102, 204, 255});
    row("rgb of hue 359", Op::HsvToRgb, {359, 100, 100, 255}, {255, 0, 4, 255});

    row("cmyk black", Op::RgbToCmyk, {0, 0, 0}, {0, 0, 0, 100});
    row("cmyk white", Op::RgbToCmyk, {255, 255, 255}, {0, 0, 0, 0});
    row("cmyk near black", Op::RgbToCmyk, {1, 0, 0}, {0, 100, 100, 100});
    row("cmyk teal", Op::RgbToCmyk, {10, 60, 50}, {83, 0, 17, 76});
    // 127.5, 178.5, 229.5 and 76.5 go to the even neighbour.
    row("rgb of key 50", Op::CmykToRgb, {0, 0, 0, 50}, {128, 128, 128});
    row("rgb of inks 10 30 50", Op::CmykToRgb, {10, 30, 50, 0}, {230, 178, 128});
    row("rgb of cyan 40 key 50", Op::CmykToRgb, {40, 0, 0, 50}, {76, 128, 128});

    row("lab white", Op::RgbToLab, {255, 255, 255}, {100, 0, 0});
    row("lab red", Op::RgbToLab, {255, 0, 0}, {53, 80, 67});
    row("lab green", Op::RgbToLab, {0, 255, 0}, {88, -86, 83});
    row("lab blue", Op::RgbToLab, {0, 0, 255}, {32, 79, -108});
    // Both linear branches: the transfer function's and the companding's.
    row("lab near black", Op::RgbToLab, {5, 5, 5}, {1, 0, 0});
    // The blue row gives 0.99985 before encoding, then truncation.
    row("rgb of lab white", Op::LabToRgb, {100, 0, 0}, {255, 255, 254});
    row("rgb of lab clamped", Op::LabToRgb, {500, 0, 0}, {255, 255, 254});
    row("rgb of lab out of gamut", Op::LabToRgb, {50, 127, -128}, {183, 0, 255});
    row("lab of huge x", Op::WildXyzToLab, {1, 0, 0}, {0, 127, 0});
    row("lab of negative y", Op::WildXyzToLab, {0, -1, 0}, {0, 127, -128});
    row("lab of nan", Op::WildXyzToLab, {2, 2, 2}, {0, -128, -128});
    row("lab of infinity", Op::WildXyzToLab, {3, 3, 3}, {100, -128, -128});

    row("kelvin black", Op::RgbToKelvin, {0, 0, 0}, {1000});
    row("kelvin white", Op::RgbToKelvin, {255, 255, 255}, {6504});
    row("kelvin red", Op::RgbToKelvin, {255, 0, 0}, {2654});
    row("kelvin warm", Op::RgbToKelvin, {255, 200, 150}, {3634});
    row("kelvin sky clamped", Op::RgbToKelvin, {100, 150, 255}, {15000});
    // The blue logarithm is minus infinity at 1000 K and negative below about 1905 K.
    row("rgb of 1000 K", Op::KelvinToRgb, {1000}, {255, 68, 0});
    row("rgb of 1900 K", Op::KelvinToRgb, {1900}, {255, 132, 0});
    row("rgb of 2000 K", Op::KelvinToRgb, {2000}, {255, 137, 14});
    // Green computes 256 and clamps.
    row("rgb of 6600 K", Op::KelvinToRgb, {6600}, {255, 255, 255});
    row("rgb of 6700 K", Op::KelvinToRgb, {6700}, {254, 249, 255});
    row("rgb of 15000 K", Op::KelvinToRgb, {15000}, {181, 205, 255});

    // Clipped: beyond what rounding an in-gamut color's Lab to integers explains (red's and blue's
    // own Lab land just outside and are not), and for the fit more than one step out.
    row("lab white not clipped", Op::LabClipped, {100, 0, 0}, {0});
    row("lab of red not clipped", Op::LabClipped, {53, 80, 67}, {0});
    row("lab of blue not clipped", Op::LabClipped, {32, 79, -108}, {0});
    row("lab magenta beyond red", Op::LabClipped, {50, 127, 0}, {1});
    row("lab green beyond green", Op::LabClipped, {90, -128, 127}, {1});
    row("lab black not clipped", Op::LabClipped, {0, 0, 0}, {0});
    row("1000 K clipped", Op::KelvinClipped, {1000}, {1});
    row("1894 K clipped", Op::KelvinClipped, {1894}, {1});
    row("1895 K not clipped", Op::KelvinClipped, {1895}, {0});
    row("6600 K green 256 not clipped", Op::KelvinClipped, {6600}, {0});
    row("6601 K red overshoots", Op::KelvinClipped, {6601}, {1});
    row("6659 K not clipped", Op::KelvinClipped, {6659}, {0});
    row("15000 K not clipped", Op::KelvinClipped, {15000}, {0});

    row("linear 128", Op::LinearChannel, {128}, {56});
    row("linear 200", Op::LinearChannel, {200}, {149});
    row("linear clamped", Op::LinearChannel, {300}, {255});
    row("stored of linear 56", Op::ChannelFromLinear, {56}, {128});
    row("stored of linear clamped", Op::ChannelFromLinear, {-3}, {0});
    row("linear percent 50", Op::LinearPercent, {50}, {22});
    row("linear percent clamped", Op::LinearPercent, {101}, {100});
    row("stored percent of 22", Op::PercentFromLinear, {22}, {50});
    row("stored percent clamped", Op::PercentFromLinear, {1000}, {100});
}

void ConversionTest::convert()
{
    QFETCH(Op, op);
    QFETCH(Ints, in);
    QTEST(apply(op, in), "out");
}

void ConversionTest::alphaRules()
{
    // Conversions into an existing record leave its alpha alone.
    HsvColor hsv(10, 20, 30, 40);
    hsv.setFromRgb(RgbColor(0, 255, 0, 200));
    QCOMPARE((Ints{hsv.hue(), hsv.alpha()}), (Ints{120, 40}));
    RgbColor rgb(1, 2, 3, 77);
    rgb.setFromCmyk(CmykColor(0, 0, 0, 0));
    rgb.setFromTemperature(TemperatureColor(1000));
    QCOMPARE(rgbOf(rgb), (Ints{255, 68, 0, 77}));
    // New records are opaque, except RGB from HSV, which takes the HSV alpha.
    QCOMPARE(HsvColor(RgbColor(1, 2, 3, 4)).alpha(), 255);
    QCOMPARE(RgbColor(LabColor(50, 0, 0)).alpha(), 255);
    QCOMPARE(RgbColor::fromHsv(-20, 100, 200, 9), RgbColor(255, 0, 0, 9));
    // A packed pixel's alpha byte is not used.
    QCOMPARE(rgbOf(RgbColor(qRgba(255, 128, 0, 128))), (Ints{255, 128, 0, 255}));
    QCOMPARE(RgbColor(QColor(10, 20, 30, 40)).toQColor(), QColor(10, 20, 30, 40));
    QCOMPARE(quint32(RgbColor(1, 2, 3, 4).toColorRef()), quint32(197121));
    QVERIFY(RgbColor(1, 2, 3, 4) != RgbColor(1, 2, 3, 5));
    QVERIFY(HsvColor(1, 2, 3, 4) == HsvColor(1, 2, 3, 200));
}

void ConversionTest::unitFloats()
{
    float out[4];
    RgbColor(51, 0, 255, 102).toFloats(out);
    QCOMPARE((QVector<float>{out[0], out[1], out[2], out[3]}),
             (QVector<float>{0.2f, 0.0f, 1.0f, 0.4f}));
    QCOMPARE(
        (QVector<float>{channelToUnitFloat(-7), channelToUnitFloat(51), channelToUnitFloat(256)}),
        (QVector<float>{0.0f, 0.2f, 1.0f}));
    const LabColor lowest(0, -128, -128);
    const LabColor highest(100, 127, 127);
    QCOMPARE((QVector<float>{lowest.lightnessF(), lowest.aF(), highest.lightnessF(), highest.bF()}),
             (QVector<float>{0.0f, 0.0f, 1.0f, 1.0f}));
    QVERIFY(qAbs(RgbColor(128, 0, 0).linearRedF() - 0.21952f) < 1e-5f);
    QVERIFY(qAbs(HsvColor(0, 0, 50).linearValueF() - 0.21764f) < 1e-5f);
}

void ConversionTest::hexText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");
    QTest::addColumn<Ints>("parsed");

    QTest::newRow("three") << "abc"
                           << "000000" << Ints{0, 0, 0};
    QTest::newRow("seven") << "1234567"
                           << "FFFFFF" << Ints{255, 255, 255};
    QTest::newRow("upper") << "FF8000"
                           << "FF8000" << Ints{255, 128, 0};
    QTest::newRow("lower") << "ff8000"
                           << "ff8000" << Ints{255, 128, 0};
    // A bad pair reads 0 and the others are still taken.
    QTest::newRow("bad middle") << "12zz56"
                                << "12zz56" << Ints{18, 0, 86};
    QTest::newRow("no hex") << "GGGGGG"
                            << "GGGGGG" << Ints{0, 0, 0};
    // toInt accepts a sign; the clamp keeps the channel at 0.
    QTest::newRow("signed pair") << "-f10ff"
                                 << "-f10ff" << Ints{0, 16, 255};
}

void ConversionTest::hexText()
{
    QFETCH(QString, typed);
    const HexColor hex(typed);
    QTEST(hex.text(), "held");
    RgbColor rgb(7, 7, 7, 99);
    hex.parseInto(rgb);
    QTEST(rgbOf(rgb).mid(0, 3), "parsed");
    QCOMPARE(rgb.alpha(), 99);
}

void ConversionTest::sharedTexts()
{
    QCOMPARE(HexColor().text(), QStringLiteral("000000"));
    QCOMPARE(HexColor(RgbColor(255, 128, 0)).text(), QStringLiteral("ff8000"));
    QCOMPARE(HexColor(RgbColor(0, 0, 10)).text(), QStringLiteral("00000a"));
    // A name with a placeholder of its own must not swallow the channel values.
    QCOMPARE(swatchToolTipText(QStringLiteral("50%2 off"), RgbColor(1, 20, 255)),
             QStringLiteral("50%2 off\nRed: 1\nGreen: 20\nBlue: 255"));
    QCOMPARE(cellStyleSheetText(RgbColor(255, 128, 0)),
             QStringLiteral("background-color: rgb(255, 128, 0)"));
    QCOMPARE(versionLineText(QStringLiteral("0.3.1")),
             QStringLiteral("Color Dorvo Color Picker version: 0.3.1"));
    QCOMPARE(fieldTypeNames.join(QLatin1Char('|')),
             QStringLiteral("Square|HSV Wheel|Hue Wheel|Mixing Canvas"));
}

QTEST_APPLESS_MAIN(ConversionTest)
#include "ConversionTest.moc"
