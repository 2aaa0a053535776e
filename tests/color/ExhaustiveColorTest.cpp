#include "color/CmykColor.h"
#include "color/GammaForms.h"
#include "color/HexColor.h"
#include "color/HsvColor.h"
#include "color/LabColor.h"
#include "color/RgbColor.h"
#include "color/TemperatureColor.h"
#include "color/XyzColor.h"

#include <QtTest>

#include <algorithm>
#include <cstdlib>

// Properties over all 16,777,216 opaque RGB colors.
class ExhaustiveColorTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTripWorstError_data();
    void roundTripWorstError();
    void derivedRecordsStayInRange();
    void hexRoundTripIsExact();
    void gammaRoundTrips_data();
    void gammaRoundTrips();
};

namespace {

enum class Space
{
    Hsv,
    Lab,
    Cmyk
};

RgbColor roundTrip(Space space, const RgbColor& c)
{
    switch (space) {
    case Space::Hsv:
        return RgbColor(HsvColor(c));
    case Space::Lab:
        return RgbColor(LabColor(c));
    case Space::Cmyk:
        break;
    }
    RgbColor back;
    back.setFromCmyk(CmykColor(c));
    return back;
}

QString rgbText(int r, int g, int b)
{
    return QStringLiteral("(%1, %2, %3)").arg(r).arg(g).arg(b);
}

} // namespace

Q_DECLARE_METATYPE(Space)

void ExhaustiveColorTest::roundTripWorstError_data()
{
    QTest::addColumn<Space>("space");
    QTest::addColumn<int>("worst");
    QTest::addColumn<QString>("worstAt");

    // Bounds measured over the whole cube; any change in rounding moves them.
    // HSV: whole percentages lose up to 2.55 steps of value, and the value's +1 and the
    // truncations on the way back add to it.
    QTest::newRow("HSV") << Space::Hsv << 4 << rgbText(0, 199, 204);
    // Lab: half a unit of a or b moves a saturated color's dark channel along the steep start of
    // the sRGB curve (12.92 per linear unit, then the 1/2.4 power), so a 0 comes back as 28 at
    // the gamut's cyan edge.
    QTest::newRow("Lab") << Space::Lab << 28 << rgbText(0, 250, 253);
    // CMYK: whole percentages of ink and key, each worth 2.55 steps.
    QTest::newRow("CMYK") << Space::Cmyk << 2 << QString();
}

void ExhaustiveColorTest::roundTripWorstError()
{
    QFETCH(Space, space);
    QFETCH(int, worst);
    QFETCH(QString, worstAt);
    int measured = 0;
    QString measuredAt;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const RgbColor back = roundTrip(space, RgbColor(r, g, b));
                const int d = std::max({std::abs(back.red() - r), std::abs(back.green() - g),
                                        std::abs(back.blue() - b)});
                if (d > measured) {
                    measured = d;
                    measuredAt = rgbText(r, g, b);
                }
            }
        }
    }
    QVERIFY2(measured == worst,
             qPrintable(QStringLiteral("worst %1 at %2").arg(measured).arg(measuredAt)));
    if (!worstAt.isEmpty()) {
        QCOMPARE(measuredAt, worstAt);
    }
}

void ExhaustiveColorTest::derivedRecordsStayInRange()
{
    int labMin[3] = {INT_MAX, INT_MAX, INT_MAX};
    int labMax[3] = {INT_MIN, INT_MIN, INT_MIN};
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const RgbColor c(r, g, b);
                const HsvColor hsv(c);
                const CmykColor cmyk(c);
                const XyzColor xyz(c);
                const LabColor lab(xyz);
                const TemperatureColor t(c);
                const bool ok = hsv.hue() >= 0 && hsv.hue() < 360 && hsv.saturation() >= 0 &&
                                hsv.saturation() <= 100 && hsv.value() >= 0 && hsv.value() <= 100 &&
                                cmyk.cyan() >= 0 && cmyk.cyan() <= 100 && cmyk.magenta() >= 0 &&
                                cmyk.magenta() <= 100 && cmyk.yellow() >= 0 &&
                                cmyk.yellow() <= 100 && cmyk.key() >= 0 && cmyk.key() <= 100 &&
                                xyz.x() >= 0.0f && xyz.x() <= 95.06f && xyz.y() >= 0.0f &&
                                xyz.y() <= 100.0f && xyz.z() >= 0.0f && xyz.z() <= 108.9f &&
                                t.kelvin() >= 1000 && t.kelvin() <= 15000;
                if (!ok) {
                    QFAIL(qPrintable(QStringLiteral("out of range for ") + rgbText(r, g, b)));
                }
                // The Lab a color shows converts back without being marked as clipped.
                bool clipped = false;
                const RgbColor back(lab, &clipped);
                if (clipped) {
                    QFAIL(qPrintable(QStringLiteral("own Lab clipped for ") + rgbText(r, g, b)));
                }
                const int l[3] = {lab.lightness(), lab.a(), lab.b()};
                for (int i = 0; i < 3; ++i) {
                    labMin[i] = std::min(labMin[i], l[i]);
                    labMax[i] = std::max(labMax[i], l[i]);
                }
            }
        }
    }
    // Strictly inside -128..127 for a and b: the range guard of the conversion never acts on an
    // 8-bit color.
    QCOMPARE((QVector<int>{labMin[0], labMax[0], labMin[1], labMax[1], labMin[2], labMax[2]}),
             (QVector<int>{0, 100, -86, 98, -108, 94}));
}

void ExhaustiveColorTest::hexRoundTripIsExact()
{
    // The text is what QString::arg gives with width 8, base 16 and fill '0', last two digits
    // kept; the formatter writes the digits directly.
    const auto pair = [](int v) {
        return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).right(2);
    };
    for (int v = 0; v < 256; ++v) {
        QCOMPARE(HexColor(RgbColor(v, 255 - v, v ^ 0x5a)).text(),
                 pair(v) + pair(255 - v) + pair(v ^ 0x5a));
    }
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const HexColor hex{RgbColor(r, g, b)};
                RgbColor back(0, 0, 0, 12);
                hex.parseInto(back);
                if (back != RgbColor(r, g, b, 12) || hex.text().size() != 6) {
                    QFAIL(qPrintable(rgbText(r, g, b) + QLatin1Char(' ') + hex.text()));
                }
            }
        }
    }
}

void ExhaustiveColorTest::gammaRoundTrips_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<int>("worstDrift");
    QTest::addColumn<int>("firstExact");

    // Measured. Showing a stored value in linear form and storing the shown integer back drifts
    // by up to 14 steps near black, where the 2.2 power squeezes many stored values into few
    // linear integers; from 122 (45 for percentages) on, every value comes back exactly.
    QTest::newRow("channel") << 255 << 14 << 122;
    QTest::newRow("percent") << 100 << 8 << 45;
}

void ExhaustiveColorTest::gammaRoundTrips()
{
    QFETCH(int, scale);
    QFETCH(int, firstExact);
    const auto toLinear = scale == 255 ? linearChannel : linearPercent;
    const auto fromLinear = scale == 255 ? channelFromLinear : percentFromLinear;
    int worst = 0;
    for (int v = 0; v <= scale; ++v) {
        const int stored = fromLinear(toLinear(v));
        worst = std::max(worst, std::abs(stored - v));
        QVERIFY2(v < firstExact || stored == v,
                 qPrintable(QStringLiteral("%1 -> %2").arg(v).arg(stored)));
        // A typed linear value is shown again within one step.
        const int shown = toLinear(fromLinear(v));
        QVERIFY2(std::abs(shown - v) <= 1,
                 qPrintable(QStringLiteral("%1 -> %2").arg(v).arg(shown)));
    }
    QTEST(worst, "worstDrift");
}

QTEST_APPLESS_MAIN(ExhaustiveColorTest)
#include "ExhaustiveColorTest.moc"
