#include "color/ColorValue.h"

#include <QtTest>

#include <limits>

// The value that holds one color in every space: which member is kept as given, which are
// derived from RGB, and what happens to alpha on the way.
class ColorValueTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultIsNotDerived();
    void fromUnitFloats_data();
    void fromUnitFloats();
    void editedMemberIsKept_data();
    void editedMemberIsKept();
    void fromHex_data();
    void fromHex();
    void complementary_data();
    void complementary();
    void invertedAndOutForms();
};

namespace {

using Ints = QVector<int>;

enum class Member
{
    Rgb,
    Hsv,
    Cmyk,
    Lab,
    Temperature,
    Hex
};

Ints rgbOf(const ColorValue& v)
{
    return {v.rgb().red(), v.rgb().green(), v.rgb().blue(), v.rgb().alpha()};
}

// Every member but the kept one must be what a value built from the same RGB alone holds.
bool derivedFromRgb(const ColorValue& v, Member kept)
{
    const ColorValue r(v.rgb());
    return (kept == Member::Hsv || v.hsv() == r.hsv()) &&
           (kept == Member::Cmyk || v.cmyk() == r.cmyk()) && v.xyz() == r.xyz() &&
           (kept == Member::Lab || v.lab() == r.lab()) &&
           (kept == Member::Temperature || v.temperature() == r.temperature()) &&
           (kept == Member::Hex || v.hex() == r.hex());
}

} // namespace

Q_DECLARE_METATYPE(Member)

void ColorValueTest::defaultIsNotDerived()
{
    const ColorValue v;
    QCOMPARE(rgbOf(v), (Ints{0, 0, 0, 255}));
    // A derived black would have key 100.
    QCOMPARE((Ints{v.hsv().value(), v.cmyk().key(), v.lab().lightness(), v.temperature().kelvin()}),
             (Ints{0, 0, 0, 1000}));
    QCOMPARE(v.hex().text(), QStringLiteral("000000"));
    QCOMPARE(ColorValue(0, 0, 0, 255).cmyk().key(), 100);
}

void ColorValueTest::fromUnitFloats_data()
{
    QTest::addColumn<QVector<float>>("floats");
    QTest::addColumn<Ints>("rgba");
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();

    // 127.5 + 0.5 = 128: half steps round up here, unlike the ties-to-even elsewhere.
    QTest::newRow("half") << QVector<float>{0.5f, 0.5f, 0.5f, 1.0f} << Ints{128, 128, 128, 255};
    QTest::newRow("exact steps") << QVector<float>{0.0f, 1 / 255.0f, 254 / 255.0f, 0.0f}
                                 << Ints{0, 1, 254, 0};
    QTest::newRow("below half") << QVector<float>{0.498f, 0.0f, 0.0f, 1.0f} << Ints{127, 0, 0, 255};
    QTest::newRow("out of range") << QVector<float>{-0.5f, 1.5f, 2.0f, -1.0f}
                                  << Ints{0, 255, 255, 0};
    // Values the integer conversion cannot hold are kept inside 0..255 before it.
    QTest::newRow("infinite, huge")
        << QVector<float>{inf, -inf, 3e38f, -3e38f} << Ints{255, 0, 255, 0};
    QTest::newRow("nan") << QVector<float>{nan, 1.0f, nan, nan} << Ints{0, 255, 0, 0};
}

void ColorValueTest::fromUnitFloats()
{
    QFETCH(QVector<float>, floats);
    const ColorValue v(floats[0], floats[1], floats[2], floats[3]);
    QTEST(rgbOf(v), "rgba");
    QVERIFY(derivedFromRgb(v, Member::Rgb));
}

void ColorValueTest::editedMemberIsKept_data()
{
    QTest::addColumn<Member>("member");
    QTest::addColumn<Ints>("in");
    QTest::addColumn<Ints>("rgba");

    // Each row edits one member of (10, 20, 30, alpha 77) and updates from it. The edited member
    // must survive although RGB alone would give something else, and alpha must stay.
    QTest::newRow("rgb") << Member::Rgb << Ints{0, 0, 255} << Ints{0, 0, 255, 77};
    // The grey (127, 127, 127) alone has hue 0 and value 50.
    QTest::newRow("hsv grey keeps hue")
        << Member::Hsv << Ints{200, 0, 50} << Ints{127, 127, 127, 77};
    // (178, 178, 178) alone has key 30 and no ink.
    QTest::newRow("cmyk") << Member::Cmyk << Ints{30, 30, 30, 0} << Ints{178, 178, 178, 77};
    QTest::newRow("lab white") << Member::Lab << Ints{100, 0, 0} << Ints{255, 255, 254, 77};
    QTest::newRow("lab out of gamut")
        << Member::Lab << Ints{50, 127, -128} << Ints{183, 0, 255, 77};
    // White alone reads 6504 K.
    QTest::newRow("temperature") << Member::Temperature << Ints{6600} << Ints{255, 255, 255, 77};
}

void ColorValueTest::editedMemberIsKept()
{
    QFETCH(Member, member);
    QFETCH(Ints, in);
    ColorValue v(10, 20, 30, 77);
    Ints kept;
    switch (member) {
    case Member::Rgb:
        v.setRgb(RgbColor(in[0], in[1], in[2], 77));
        kept = rgbOf(v).mid(0, 3);
        break;
    case Member::Hsv:
        v.setHsv(HsvColor(in[0], in[1], in[2], 3));
        kept = {v.hsv().hue(), v.hsv().saturation(), v.hsv().value()};
        break;
    case Member::Cmyk:
        v.setCmyk(CmykColor(in[0], in[1], in[2], in[3]));
        kept = {v.cmyk().cyan(), v.cmyk().magenta(), v.cmyk().yellow(), v.cmyk().key()};
        break;
    case Member::Lab:
        v.setLab(LabColor(in[0], in[1], in[2]));
        kept = {v.lab().lightness(), v.lab().a(), v.lab().b()};
        break;
    case Member::Hex:
        QFAIL("hex text is typed, not edited in place");
    case Member::Temperature:
        v.setTemperature(TemperatureColor(in[0]));
        kept = {v.temperature().kelvin()};
        break;
    }
    QTEST(rgbOf(v), "rgba");
    QCOMPARE(kept, in);
    QVERIFY(derivedFromRgb(v, member));

    // Built directly from the record, the same holds; the new value takes the record's alpha
    // (HSV) or is opaque (Lab).
    if (member == Member::Hsv) {
        const ColorValue h(HsvColor(in[0], in[1], in[2], 90));
        QCOMPARE((Ints{h.hsv().hue(), h.rgb().alpha()}), (Ints{in[0], 90}));
        QVERIFY(derivedFromRgb(h, Member::Hsv));
    } else if (member == Member::Lab) {
        const ColorValue l(LabColor(in[0], in[1], in[2]));
        QCOMPARE((Ints{l.lab().lightness(), l.lab().a(), l.lab().b(), l.rgb().alpha()}),
                 in + Ints{255});
        QVERIFY(derivedFromRgb(l, Member::Lab));
    }
}

void ColorValueTest::fromHex_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Ints>("rgba");
    QTest::addColumn<QString>("hex");

    QTest::newRow("five characters") << "12345" << Ints{0, 0, 0, 255} << "000000";
    QTest::newRow("upper case kept") << "FF8000" << Ints{255, 128, 0, 255} << "FF8000";
    QTest::newRow("too long") << "FF80001" << Ints{255, 255, 255, 255} << "FFFFFF";
    QTest::newRow("not hex, kept") << "12zz56" << Ints{18, 0, 86, 255} << "12zz56";
}

void ColorValueTest::fromHex()
{
    QFETCH(QString, typed);
    ColorValue v{HexColor(typed)};
    QTEST(rgbOf(v), "rgba");
    QTEST(v.hex().text(), "hex");
    QVERIFY(derivedFromRgb(v, Member::Hex));
    // The next update from another member formats the text again, and a copy is independent.
    const ColorValue before = v;
    v.setChannel(ColorChannel::Red, 1);
    QCOMPARE(v.hex().text(), HexColor(v.rgb()).text());
    QTEST(before.hex().text(), "hex");
}

void ColorValueTest::complementary_data()
{
    QTest::addColumn<int>("hue");
    QTest::addColumn<int>("opposite");

    QTest::newRow("180") << 180 << 0;
    QTest::newRow("360") << 360 << 180;
    QTest::newRow("10") << 10 << 190;
    QTest::newRow("179") << 179 << 359;
}

void ColorValueTest::complementary()
{
    QFETCH(int, hue);
    QFETCH(int, opposite);
    ColorValue v(HsvColor(hue, 80, 60, 33));
    v.setAlpha(44);
    const ColorValue c = v.complementary();
    QCOMPARE((Ints{c.hsv().hue(), c.hsv().saturation(), c.hsv().value()}),
             (Ints{opposite, 80, 60}));
    QCOMPARE(c.rgb(), RgbColor::fromHsv(opposite, 80, 60, 44));
    QVERIFY(derivedFromRgb(c, Member::Hsv));
    QCOMPARE(v.hsv().hue(), hue);

    v.setHue(hue + 1000);
    QCOMPARE(v.hsv().hue(), 360);
    QCOMPARE(v.rgb(), RgbColor::fromHsv(360, 80, 60, 44));
}

void ColorValueTest::invertedAndOutForms()
{
    const ColorValue v(10, 20, 30, 40);
    const ColorValue i = v.inverted();
    QCOMPARE(rgbOf(i), (Ints{245, 235, 225, 255}));
    QVERIFY(derivedFromRgb(i, Member::Rgb));
    QCOMPARE(rgbOf(v), (Ints{10, 20, 30, 40}));

    QCOMPARE(v.toQColor(), QColor(10, 20, 30, 40));
    QCOMPARE(quint32(ColorValue(1, 2, 3, 4).toColorRef()), quint32(197121));
    QCOMPARE(RgbColor(v), v.rgb());
    // What the host sends back in its own form lands on the same color.
    float out[4];
    v.toFloats(out);
    QVERIFY(ColorValue(out[0], out[1], out[2], out[3]) == v);
    QVERIFY(ColorValue(QColor(10, 20, 30, 40)) == v);
}

QTEST_APPLESS_MAIN(ColorValueTest)
#include "ColorValueTest.moc"
