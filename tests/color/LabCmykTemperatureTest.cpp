#include "color/CmykColor.h"
#include "color/LabColor.h"
#include "color/RgbColor.h"
#include "color/TemperatureColor.h"
#include "color/XyzColor.h"

#include <QtTest>

Q_DECLARE_METATYPE(XyzColor)

// CMYK, XYZ, CIE-Lab and temperature: the rounding of each step, the clamps, and the writes into
// an existing RGB record that must leave its alpha alone.
class LabCmykTemperatureTest : public QObject
{
    Q_OBJECT

private slots:
    void rgbToCmyk_data();
    void rgbToCmyk();
    void cmykToRgb_data();
    void cmykToRgb();
    void cmykClampsAndUnitFloats();
    void rgbToXyz_data();
    void rgbToXyz();
    void rgbToLab_data();
    void rgbToLab();
    void labToRgb_data();
    void labToRgb();
    void labClampsAndUnitFloats_data();
    void labClampsAndUnitFloats();
    void labFromWildXyzStaysInRange_data();
    void labFromWildXyzStaysInRange();
    void rgbToTemperature_data();
    void rgbToTemperature();
    void temperatureToRgb_data();
    void temperatureToRgb();
    void temperatureClamps_data();
    void temperatureClamps();
};

void LabCmykTemperatureTest::rgbToCmyk_data()
{
    QTest::addColumn<QVector<int>>("rgb");
    QTest::addColumn<QVector<int>>("cmyk");

    QTest::newRow("black") << QVector<int>{0, 0, 0} << QVector<int>{0, 0, 0, 100};
    QTest::newRow("white") << QVector<int>{255, 255, 255} << QVector<int>{0, 0, 0, 0};
    QTest::newRow("red") << QVector<int>{255, 0, 0} << QVector<int>{0, 100, 100, 0};
    QTest::newRow("grey 128") << QVector<int>{128, 128, 128} << QVector<int>{0, 0, 0, 50};
    QTest::newRow("pink") << QVector<int>{255, 128, 128} << QVector<int>{0, 50, 50, 0};
    // Nearly black: 1 - k is 1/255, the inks are still whole percentages of it.
    QTest::newRow("near black") << QVector<int>{1, 0, 0} << QVector<int>{0, 100, 100, 100};
    QTest::newRow("dark teal") << QVector<int>{10, 60, 50} << QVector<int>{83, 0, 17, 76};
}

void LabCmykTemperatureTest::rgbToCmyk()
{
    QFETCH(QVector<int>, rgb);
    QFETCH(QVector<int>, cmyk);
    const CmykColor c(RgbColor(rgb[0], rgb[1], rgb[2], 3));
    QCOMPARE((QVector<int>{c.cyan(), c.magenta(), c.yellow(), c.key()}), cmyk);
    QCOMPARE(c.alpha(), 255);
}

void LabCmykTemperatureTest::cmykToRgb_data()
{
    QTest::addColumn<QVector<int>>("cmyk");
    QTest::addColumn<QVector<int>>("rgb");

    // 127.5 goes to the even 128.
    QTest::newRow("key 50") << QVector<int>{0, 0, 0, 50} << QVector<int>{128, 128, 128};
    // 178.5 goes to the even 178, 229.5 to 230 and 76.5 to 76: rounding half up would fail.
    QTest::newRow("key 30") << QVector<int>{0, 0, 0, 30} << QVector<int>{178, 178, 178};
    QTest::newRow("key 10") << QVector<int>{0, 0, 0, 10} << QVector<int>{230, 230, 230};
    QTest::newRow("cyan 40, key 50") << QVector<int>{40, 0, 0, 50} << QVector<int>{76, 128, 128};
    QTest::newRow("inks 10, 30, 50") << QVector<int>{10, 30, 50, 0} << QVector<int>{230, 178, 128};
    QTest::newRow("full key") << QVector<int>{0, 0, 0, 100} << QVector<int>{0, 0, 0};
    QTest::newRow("no ink") << QVector<int>{0, 0, 0, 0} << QVector<int>{255, 255, 255};
}

void LabCmykTemperatureTest::cmykToRgb()
{
    QFETCH(QVector<int>, cmyk);
    QFETCH(QVector<int>, rgb);
    RgbColor c(1, 2, 3, 77);
    c.setFromCmyk(CmykColor(cmyk[0], cmyk[1], cmyk[2], cmyk[3]));
    QCOMPARE((QVector<int>{c.red(), c.green(), c.blue()}), rgb);
    QCOMPARE(c.alpha(), 77);
}

void LabCmykTemperatureTest::cmykClampsAndUnitFloats()
{
    CmykColor c(-1, 101, 50, 1000);
    QCOMPARE((QVector<int>{c.cyan(), c.magenta(), c.yellow(), c.key()}),
             (QVector<int>{0, 100, 50, 100}));
    c.setCyan(200);
    c.setMagenta(-200);
    c.setYellow(25);
    c.setKey(-1);
    QCOMPARE((QVector<int>{c.cyan(), c.magenta(), c.yellow(), c.key()}),
             (QVector<int>{100, 0, 25, 0}));
    QCOMPARE(c.cyanF(), 1.0f);
    QCOMPARE(c.magentaF(), 0.0f);
    QCOMPARE(c.yellowF(), 0.25f);
    QCOMPARE(c.keyF(), 0.0f);
}

void LabCmykTemperatureTest::rgbToXyz_data()
{
    QTest::addColumn<QVector<int>>("rgb");
    QTest::addColumn<QVector<float>>("xyz");

    // The four-decimal matrix rows summed: white is 95.05, 100, 108.9.
    QTest::newRow("white") << QVector<int>{255, 255, 255} << QVector<float>{95.05f, 100.0f, 108.9f};
    QTest::newRow("red") << QVector<int>{255, 0, 0} << QVector<float>{41.24f, 21.26f, 1.93f};
    QTest::newRow("blue") << QVector<int>{0, 0, 255} << QVector<float>{18.05f, 7.22f, 95.05f};
    // 10/255 lies on the linear segment of the transfer function.
    QTest::newRow("dark grey 10") << QVector<int>{10, 10, 10}
                                  << QVector<float>{0.2882f, 0.3035f, 0.3304f};
    QTest::newRow("grey 128") << QVector<int>{128, 128, 128}
                              << QVector<float>{20.5175f, 21.5861f, 23.5072f};
}

void LabCmykTemperatureTest::rgbToXyz()
{
    QFETCH(QVector<int>, rgb);
    QFETCH(QVector<float>, xyz);
    const XyzColor c(RgbColor(rgb[0], rgb[1], rgb[2]));
    QVERIFY2(qAbs(c.x() - xyz[0]) < 1e-3f && qAbs(c.y() - xyz[1]) < 1e-3f &&
                 qAbs(c.z() - xyz[2]) < 1e-3f,
             qPrintable(QStringLiteral("%1 %2 %3").arg(c.x()).arg(c.y()).arg(c.z())));
    const XyzColor given(1.5f, 2.5f, 3.5f);
    QCOMPARE((QVector<float>{given.x(), given.y(), given.z()}), (QVector<float>{1.5f, 2.5f, 3.5f}));
    QCOMPARE(given.alpha(), 255);
}

void LabCmykTemperatureTest::rgbToLab_data()
{
    QTest::addColumn<QVector<int>>("rgb");
    QTest::addColumn<QVector<int>>("lab");

    QTest::newRow("black") << QVector<int>{0, 0, 0} << QVector<int>{0, 0, 0};
    QTest::newRow("white") << QVector<int>{255, 255, 255} << QVector<int>{100, 0, 0};
    QTest::newRow("red") << QVector<int>{255, 0, 0} << QVector<int>{53, 80, 67};
    QTest::newRow("green") << QVector<int>{0, 255, 0} << QVector<int>{88, -86, 83};
    QTest::newRow("blue") << QVector<int>{0, 0, 255} << QVector<int>{32, 79, -108};
    QTest::newRow("grey 128") << QVector<int>{128, 128, 128} << QVector<int>{54, 0, 0};
    // Y/100 below 0.008856 takes the linear branch of the companding.
    QTest::newRow("near black") << QVector<int>{5, 5, 5} << QVector<int>{1, 0, 0};
}

void LabCmykTemperatureTest::rgbToLab()
{
    QFETCH(QVector<int>, rgb);
    QFETCH(QVector<int>, lab);
    const LabColor c(RgbColor(rgb[0], rgb[1], rgb[2]));
    QCOMPARE((QVector<int>{c.lightness(), c.a(), c.b()}), lab);
    const LabColor viaXyz(XyzColor(RgbColor(rgb[0], rgb[1], rgb[2])));
    QVERIFY(viaXyz == c);
}

void LabCmykTemperatureTest::labToRgb_data()
{
    QTest::addColumn<QVector<int>>("lab");
    QTest::addColumn<QVector<int>>("rgb");

    // The blue row gives 0.99985 before encoding, and the result is truncated.
    QTest::newRow("white") << QVector<int>{100, 0, 0} << QVector<int>{255, 255, 254};
    QTest::newRow("black") << QVector<int>{0, 0, 0} << QVector<int>{0, 0, 0};
    QTest::newRow("red") << QVector<int>{53, 80, 67} << QVector<int>{254, 0, 0};
    // Out of gamut: negative linear values clamp to 0, above 1 to 255.
    QTest::newRow("out of gamut") << QVector<int>{50, 127, -128} << QVector<int>{183, 0, 255};
    QTest::newRow("clamped input") << QVector<int>{500, 0, 0} << QVector<int>{255, 255, 254};
}

void LabCmykTemperatureTest::labToRgb()
{
    QFETCH(QVector<int>, lab);
    QFETCH(QVector<int>, rgb);
    const RgbColor c(LabColor(lab[0], lab[1], lab[2]));
    QCOMPARE((QVector<int>{c.red(), c.green(), c.blue()}), rgb);
    QCOMPARE(c.alpha(), 255);
    const RgbColor fromInts = RgbColor::fromLab(lab[0], lab[1], lab[2]);
    QVERIFY(fromInts == c);
}

void LabCmykTemperatureTest::labClampsAndUnitFloats_data()
{
    QTest::addColumn<QVector<int>>("in");
    QTest::addColumn<QVector<int>>("stored");
    QTest::addColumn<QVector<float>>("unit");

    QTest::newRow("lowest") << QVector<int>{0, -128, -128} << QVector<int>{0, -128, -128}
                            << QVector<float>{0.0f, 0.0f, 0.0f};
    QTest::newRow("highest") << QVector<int>{100, 127, 127} << QVector<int>{100, 127, 127}
                             << QVector<float>{1.0f, 1.0f, 1.0f};
    QTest::newRow("below") << QVector<int>{-1, -129, -1000} << QVector<int>{0, -128, -128}
                           << QVector<float>{0.0f, 0.0f, 0.0f};
    QTest::newRow("above") << QVector<int>{101, 128, 1000} << QVector<int>{100, 127, 127}
                           << QVector<float>{1.0f, 1.0f, 1.0f};
    QTest::newRow("middle") << QVector<int>{50, 0, -1} << QVector<int>{50, 0, -1}
                            << QVector<float>{0.5f, 128 / 255.0f, 127 / 255.0f};
}

void LabCmykTemperatureTest::labClampsAndUnitFloats()
{
    QFETCH(QVector<int>, in);
    QFETCH(QVector<int>, stored);
    QFETCH(QVector<float>, unit);
    const LabColor c(in[0], in[1], in[2]);
    QCOMPARE((QVector<int>{c.lightness(), c.a(), c.b()}), stored);
    QCOMPARE((QVector<float>{c.lightnessF(), c.aF(), c.bF()}), unit);

    LabColor s;
    s.setLightness(in[0]);
    s.setA(in[1]);
    s.setB(in[2]);
    QVERIFY(s == c);
}

void LabCmykTemperatureTest::labFromWildXyzStaysInRange_data()
{
    QTest::addColumn<XyzColor>("xyz");
    QTest::addColumn<QVector<int>>("lab");

    QTest::newRow("huge") << XyzColor(1e30f, 0.0f, 0.0f) << QVector<int>{0, 127, 0};
    QTest::newRow("negative") << XyzColor(0.0f, -1e30f, 0.0f) << QVector<int>{0, 127, -128};
    QTest::newRow("nan") << XyzColor(qQNaN(), qQNaN(), qQNaN()) << QVector<int>{0, -128, -128};
    QTest::newRow("infinite") << XyzColor(qInf(), qInf(), qInf()) << QVector<int>{100, -128, -128};
}

void LabCmykTemperatureTest::labFromWildXyzStaysInRange()
{
    QFETCH(XyzColor, xyz);
    QFETCH(QVector<int>, lab);
    const LabColor c(xyz);
    QCOMPARE((QVector<int>{c.lightness(), c.a(), c.b()}), lab);
}

void LabCmykTemperatureTest::rgbToTemperature_data()
{
    QTest::addColumn<QVector<int>>("rgb");
    QTest::addColumn<int>("kelvin");

    QTest::newRow("black") << QVector<int>{0, 0, 0} << 1000;
    QTest::newRow("white") << QVector<int>{255, 255, 255} << 6504;
    QTest::newRow("grey 128") << QVector<int>{128, 128, 128} << 6504;
    QTest::newRow("red") << QVector<int>{255, 0, 0} << 2654;
    QTest::newRow("green") << QVector<int>{0, 255, 0} << 6068;
    QTest::newRow("blue") << QVector<int>{0, 0, 255} << 1667;
    QTest::newRow("sky, clamped") << QVector<int>{100, 150, 255} << 15000;
    QTest::newRow("warm") << QVector<int>{255, 200, 150} << 3634;
}

void LabCmykTemperatureTest::rgbToTemperature()
{
    QFETCH(QVector<int>, rgb);
    const TemperatureColor t(RgbColor(rgb[0], rgb[1], rgb[2]));
    QTEST(t.kelvin(), "kelvin");
}

void LabCmykTemperatureTest::temperatureToRgb_data()
{
    QTest::addColumn<int>("kelvin");
    QTest::addColumn<QVector<int>>("rgb");

    // At t = 10 the blue logarithm is minus infinity; the clamp gives 0.
    QTest::newRow("1000") << 1000 << QVector<int>{255, 68, 0};
    // Blue for t below about 19.05 is negative before the clamp.
    QTest::newRow("1900") << 1900 << QVector<int>{255, 132, 0};
    QTest::newRow("2000") << 2000 << QVector<int>{255, 137, 14};
    QTest::newRow("4000") << 4000 << QVector<int>{255, 206, 166};
    QTest::newRow("6500") << 6500 << QVector<int>{255, 254, 250};
    // Green computes 256 and clamps.
    QTest::newRow("6600") << 6600 << QVector<int>{255, 255, 255};
    QTest::newRow("6700") << 6700 << QVector<int>{254, 249, 255};
    QTest::newRow("15000") << 15000 << QVector<int>{181, 205, 255};
}

void LabCmykTemperatureTest::temperatureToRgb()
{
    QFETCH(int, kelvin);
    QFETCH(QVector<int>, rgb);
    RgbColor c(9, 9, 9, 42);
    c.setFromTemperature(TemperatureColor(kelvin));
    QCOMPARE((QVector<int>{c.red(), c.green(), c.blue()}), rgb);
    QCOMPARE(c.alpha(), 42);
}

void LabCmykTemperatureTest::temperatureClamps_data()
{
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("kelvin");

    QTest::newRow("500") << 500 << 1000;
    QTest::newRow("20000") << 20000 << 15000;
    QTest::newRow("negative") << -6500 << 1000;
    QTest::newRow("inside") << 4321 << 4321;
}

void LabCmykTemperatureTest::temperatureClamps()
{
    QFETCH(int, in);
    QTEST(TemperatureColor(in).kelvin(), "kelvin");
    TemperatureColor t;
    QCOMPARE(t.kelvin(), 1000);
    t.setKelvin(in);
    QTEST(t.kelvin(), "kelvin");
}

QTEST_APPLESS_MAIN(LabCmykTemperatureTest)
#include "LabCmykTemperatureTest.moc"
