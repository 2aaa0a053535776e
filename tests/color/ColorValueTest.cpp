#include "color/ColorValue.h"

#include <QtTest>

#include <cmath>
#include <limits>

// The value that holds one color in every space: which member is kept as given, which are
// derived, and what happens to alpha on the way.
class ColorValueTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultIsNotDerived();
    void fromIntegersDerivesEverything();
    void fromUnitFloats_data();
    void fromUnitFloats();
    void fromQColorAndRgb();
    void fromHsvKeepsHue();
    void fromLabKeepsLab();
    void fromHex_data();
    void fromHex();
    void updateFromEachMemberKeepsAlpha_data();
    void updateFromEachMemberKeepsAlpha();
    void editedMemberIsNotDerivedBack();
    void setHueClamps();
    void complementary_data();
    void complementary();
    void inverted();
    void outForms();
    void copiesAreIndependent();
};

namespace {

QVector<int> rgbOf(const ColorValue& v)
{
    return {v.rgb.red(), v.rgb.green(), v.rgb.blue(), v.rgb.alpha()};
}

QVector<int> hsvOf(const ColorValue& v)
{
    return {v.hsv.hue(), v.hsv.saturation(), v.hsv.value()};
}

// Every member except the one named is what a value built from its RGB alone would hold.
void verifyDerivedFromRgb(const ColorValue& v, const char* except)
{
    const ColorValue fromRgb(v.rgb);
    const QByteArray skip(except);
    if (skip != "hsv") {
        QVERIFY2(v.hsv == fromRgb.hsv, "hsv");
    }
    if (skip != "cmyk") {
        QVERIFY2(v.cmyk == fromRgb.cmyk, "cmyk");
    }
    QVERIFY2(v.xyz == fromRgb.xyz, "xyz");
    if (skip != "lab") {
        QVERIFY2(v.lab == fromRgb.lab, "lab");
    }
    if (skip != "temperature") {
        QVERIFY2(v.temperature == fromRgb.temperature, "temperature");
    }
    if (skip != "hex") {
        QVERIFY2(v.hex == fromRgb.hex, "hex");
    }
}

} // namespace

void ColorValueTest::defaultIsNotDerived()
{
    const ColorValue v;
    QCOMPARE(rgbOf(v), (QVector<int>{0, 0, 0, 255}));
    QCOMPARE(hsvOf(v), (QVector<int>{0, 0, 0}));
    // A derived black would have key 100; the default has key 0.
    QCOMPARE(v.cmyk.key(), 0);
    QCOMPARE(v.lab.lightness(), 0);
    QCOMPARE(v.xyz.y(), 0.0f);
    QCOMPARE(v.temperature.kelvin(), 1000);
    QCOMPARE(v.hex.text(), QStringLiteral("000000"));
}

void ColorValueTest::fromIntegersDerivesEverything()
{
    const ColorValue v(255, 0, 0, 300);
    QCOMPARE(rgbOf(v), (QVector<int>{255, 0, 0, 255}));
    QCOMPARE(hsvOf(v), (QVector<int>{0, 100, 100}));
    QCOMPARE((QVector<int>{v.cmyk.cyan(), v.cmyk.magenta(), v.cmyk.yellow(), v.cmyk.key()}),
             (QVector<int>{0, 100, 100, 0}));
    QCOMPARE((QVector<int>{v.lab.lightness(), v.lab.a(), v.lab.b()}), (QVector<int>{53, 80, 67}));
    QCOMPARE(v.temperature.kelvin(), 2654);
    QCOMPARE(v.hex.text(), QStringLiteral("ff0000"));
    verifyDerivedFromRgb(v, "");

    const ColorValue black(0, 0, 0, 255);
    QCOMPARE(black.cmyk.key(), 100);
}

void ColorValueTest::fromUnitFloats_data()
{
    QTest::addColumn<QVector<float>>("floats");
    QTest::addColumn<QVector<int>>("rgba");

    // 127.5 + 0.5 = 128: half steps round up, unlike the ties-to-even elsewhere.
    QTest::newRow("half grey") << QVector<float>{0.5f, 0.5f, 0.5f, 1.0f}
                               << QVector<int>{128, 128, 128, 255};
    QTest::newRow("exact steps") << QVector<float>{0.0f, 1 / 255.0f, 254 / 255.0f, 0.0f}
                                 << QVector<int>{0, 1, 254, 0};
    QTest::newRow("just below half step")
        << QVector<float>{0.498f, 0.0f, 0.0f, 1.0f} << QVector<int>{127, 0, 0, 255};
    QTest::newRow("out of range") << QVector<float>{-0.5f, 1.5f, 2.0f, -1.0f}
                                  << QVector<int>{0, 255, 255, 0};
    const float inf = std::numeric_limits<float>::infinity();
    QTest::newRow("infinite and huge")
        << QVector<float>{inf, -inf, 3e38f, -3e38f} << QVector<int>{255, 0, 255, 0};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    QTest::newRow("nan") << QVector<float>{nan, 1.0f, nan, nan} << QVector<int>{0, 255, 0, 0};
}

void ColorValueTest::fromUnitFloats()
{
    QFETCH(QVector<float>, floats);
    const ColorValue v(floats[0], floats[1], floats[2], floats[3]);
    QTEST(rgbOf(v), "rgba");
    verifyDerivedFromRgb(v, "");
}

void ColorValueTest::fromQColorAndRgb()
{
    const ColorValue q(QColor(10, 20, 30, 40));
    QCOMPARE(rgbOf(q), (QVector<int>{10, 20, 30, 40}));
    verifyDerivedFromRgb(q, "");
    const ColorValue r(RgbColor(10, 20, 30, 40));
    QVERIFY(r == q);
    QCOMPARE(RgbColor(q), RgbColor(10, 20, 30, 40));
}

void ColorValueTest::fromHsvKeepsHue()
{
    const ColorValue v(HsvColor(200, 0, 50, 90));
    QCOMPARE(hsvOf(v), (QVector<int>{200, 0, 50}));
    QCOMPARE(rgbOf(v), (QVector<int>{127, 127, 127, 90}));
    verifyDerivedFromRgb(v, "hsv");
    // The same grey from RGB alone has hue 0 and value 50 (127/255 * 100 + 1 = 50.8).
    const ColorValue grey(v.rgb);
    QCOMPARE(hsvOf(grey), (QVector<int>{0, 0, 50}));
}

void ColorValueTest::fromLabKeepsLab()
{
    const ColorValue v(LabColor(100, 0, 0));
    QCOMPARE((QVector<int>{v.lab.lightness(), v.lab.a(), v.lab.b()}), (QVector<int>{100, 0, 0}));
    QCOMPARE(rgbOf(v), (QVector<int>{255, 255, 254, 255}));
    QCOMPARE(v.hex.text(), QStringLiteral("fffffe"));
    verifyDerivedFromRgb(v, "lab");
}

void ColorValueTest::fromHex_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVector<int>>("rgba");
    QTest::addColumn<QString>("hex");

    QTest::newRow("five characters")
        << QStringLiteral("12345") << QVector<int>{0, 0, 0, 255} << QStringLiteral("000000");
    QTest::newRow("upper case kept")
        << QStringLiteral("FF8000") << QVector<int>{255, 128, 0, 255} << QStringLiteral("FF8000");
    QTest::newRow("too long") << QStringLiteral("FF80001") << QVector<int>{255, 255, 255, 255}
                              << QStringLiteral("FFFFFF");
    QTest::newRow("not hex kept as typed")
        << QStringLiteral("12zz56") << QVector<int>{18, 0, 86, 255} << QStringLiteral("12zz56");
}

void ColorValueTest::fromHex()
{
    QFETCH(QString, typed);
    const ColorValue v{HexColor(typed)};
    QTEST(rgbOf(v), "rgba");
    QTEST(v.hex.text(), "hex");
    verifyDerivedFromRgb(v, "hex");
}

void ColorValueTest::updateFromEachMemberKeepsAlpha_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QVector<int>>("rgb");

    QTest::newRow("rgb") << QStringLiteral("rgb") << QVector<int>{0, 0, 255};
    QTest::newRow("hsv") << QStringLiteral("hsv") << QVector<int>{0, 255, 0};
    QTest::newRow("cmyk") << QStringLiteral("cmyk") << QVector<int>{128, 128, 128};
    QTest::newRow("lab") << QStringLiteral("lab") << QVector<int>{255, 255, 254};
    QTest::newRow("temperature") << QStringLiteral("temperature") << QVector<int>{255, 137, 14};
}

void ColorValueTest::updateFromEachMemberKeepsAlpha()
{
    QFETCH(QString, member);
    QFETCH(QVector<int>, rgb);
    ColorValue v(10, 20, 30, 77);
    const char* kept = "";
    if (member == QLatin1String("rgb")) {
        v.rgb.setRgba(0, 0, 255, 77);
        v.updateFromRgb();
    } else if (member == QLatin1String("hsv")) {
        v.hsv = HsvColor(120, 100, 100, 3);
        v.updateFromHsv();
        kept = "hsv";
    } else if (member == QLatin1String("cmyk")) {
        v.cmyk = CmykColor(0, 0, 0, 50);
        v.updateFromCmyk();
        kept = "cmyk";
    } else if (member == QLatin1String("lab")) {
        v.lab = LabColor(100, 0, 0);
        v.updateFromLab();
        kept = "lab";
    } else {
        v.temperature.setKelvin(2000);
        v.updateFromTemperature();
        kept = "temperature";
    }
    QCOMPARE(rgbOf(v), rgb + QVector<int>{77});
    verifyDerivedFromRgb(v, kept);
}

void ColorValueTest::editedMemberIsNotDerivedBack()
{
    // CMYK (0, 0, 0, 50) gives grey 128, which derives back as key 50 too; a CMYK that RGB cannot
    // reproduce shows whether the edited member survives.
    ColorValue v(0, 0, 0, 255);
    v.cmyk = CmykColor(30, 30, 30, 0);
    v.updateFromCmyk();
    QCOMPARE(rgbOf(v), (QVector<int>{178, 178, 178, 255}));
    QCOMPARE((QVector<int>{v.cmyk.cyan(), v.cmyk.magenta(), v.cmyk.yellow(), v.cmyk.key()}),
             (QVector<int>{30, 30, 30, 0}));
    QCOMPARE(ColorValue(v.rgb).cmyk.key(), 30);

    v.lab = LabColor(50, 127, -128);
    v.updateFromLab();
    QCOMPARE(rgbOf(v), (QVector<int>{183, 0, 255, 255}));
    QCOMPARE((QVector<int>{v.lab.lightness(), v.lab.a(), v.lab.b()}),
             (QVector<int>{50, 127, -128}));

    v.temperature.setKelvin(6600);
    v.updateFromTemperature();
    QCOMPARE(v.temperature.kelvin(), 6600);
    QCOMPARE(ColorValue(v.rgb).temperature.kelvin(), 6504);
}

void ColorValueTest::setHueClamps()
{
    ColorValue v(HsvColor(0, 100, 100));
    v.setHue(400);
    QCOMPARE(hsvOf(v), (QVector<int>{360, 100, 100}));
    QCOMPARE(rgbOf(v), (QVector<int>{255, 0, 0, 255}));
    v.setHue(-1);
    QCOMPARE(v.hsv.hue(), 0);
    v.setHue(240);
    QCOMPARE(rgbOf(v), (QVector<int>{0, 0, 255, 255}));
    verifyDerivedFromRgb(v, "hsv");
}

void ColorValueTest::complementary_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("opposite");

    QTest::newRow("180") << 180 << 0;
    QTest::newRow("360") << 360 << 180;
    QTest::newRow("10") << 10 << 190;
    QTest::newRow("179") << 179 << 359;
    QTest::newRow("0") << 0 << 180;
}

void ColorValueTest::complementary()
{
    QFETCH(int, hue);
    QFETCH(int, opposite);
    ColorValue v(HsvColor(hue, 80, 60, 33));
    v.rgb.setAlpha(44);
    const ColorValue c = v.complementary();
    QCOMPARE(hsvOf(c), (QVector<int>{opposite, 80, 60}));
    QCOMPARE(c.rgb.alpha(), 44);
    QVERIFY(c.rgb == RgbColor::fromHsv(opposite, 80, 60, 44));
    verifyDerivedFromRgb(c, "hsv");
    // The original is untouched.
    QCOMPARE(v.hsv.hue(), hue);
}

void ColorValueTest::inverted()
{
    const ColorValue v(10, 20, 30, 40);
    const ColorValue i = v.inverted();
    QCOMPARE(rgbOf(i), (QVector<int>{245, 235, 225, 255}));
    verifyDerivedFromRgb(i, "");
    QCOMPARE(rgbOf(v), (QVector<int>{10, 20, 30, 40}));
    QCOMPARE(rgbOf(i.inverted()), (QVector<int>{10, 20, 30, 255}));
}

void ColorValueTest::outForms()
{
    const ColorValue v(1, 2, 3, 51);
    QCOMPARE(v.toQColor(), QColor(1, 2, 3, 51));
    QCOMPARE(quint32(v.toColorRef()), quint32(197121));
    float out[4];
    v.toFloats(out);
    QCOMPARE((QVector<float>{out[0], out[1], out[2], out[3]}),
             (QVector<float>{1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 0.2f}));
    // What the host sends back in its own form lands on the same color.
    QVERIFY(ColorValue(out[0], out[1], out[2], out[3]) == v);
}

void ColorValueTest::copiesAreIndependent()
{
    ColorValue a{HexColor(QStringLiteral("ABCDEF"))};
    ColorValue b = a;
    b.rgb.setRed(0);
    b.updateFromRgb();
    QCOMPARE(a.hex.text(), QStringLiteral("ABCDEF"));
    QCOMPARE(b.hex.text(), QStringLiteral("00cdef"));
    QVERIFY(a != b);
}

QTEST_APPLESS_MAIN(ColorValueTest)
#include "ColorValueTest.moc"
