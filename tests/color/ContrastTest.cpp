#include "color/Contrast.h"
#include "color/RgbColor.h"

#include <QtTest>

#include <cmath>

// The WCAG 2 luminance and contrast of every 8-bit level of each primary and of gray, against the
// formula as WCAG 2.0 prints it (threshold 0.03928) in long double.
class ContrastTest : public QObject
{
    Q_OBJECT

private slots:
    void levelSweep_data();
    void levelSweep();
};

namespace {

long double wcagLuminance(int level, long double weight)
{
    const long double v = level / 255.0L;
    return weight * (v <= 0.03928L ? v / 12.92L : std::pow((v + 0.055L) / 1.055L, 2.4L));
}

// Where two rounded double results differ from the exact ones: a few units in the last place.
constexpr long double kBound = 1e-15L;

} // namespace

void ContrastTest::levelSweep_data()
{
    QTest::addColumn<int>("redWeight");
    QTest::addColumn<int>("greenWeight");
    QTest::addColumn<int>("blueWeight");
    QTest::addColumn<QString>("weight");
    QTest::newRow("red") << 1 << 0 << 0 << "0.2126";
    QTest::newRow("green") << 0 << 1 << 0 << "0.7152";
    QTest::newRow("blue") << 0 << 0 << 1 << "0.0722";
    QTest::newRow("gray") << 1 << 1 << 1 << "1";
}

void ContrastTest::levelSweep()
{
    QFETCH(int, redWeight);
    QFETCH(int, greenWeight);
    QFETCH(int, blueWeight);
    QFETCH(QString, weight);
    const long double w = std::strtold(weight.toLatin1().constData(), nullptr);
    const RgbColor black(0, 0, 0);
    const RgbColor white(255, 255, 255);
    long double worst = 0;
    int worstLevel = 0;
    double previous = -1;
    for (int level = 0; level < 256; ++level) {
        const RgbColor color(level * redWeight, level * greenWeight, level * blueWeight);
        const double luminance = relativeLuminance(color);
        const long double expected = wcagLuminance(level, w);
        const long double onBlack = (expected + 0.05L) / 0.05L;
        const long double onWhite = 1.05L / (expected + 0.05L);
        for (const long double error :
             {std::fabs(luminance - expected),
              std::fabs(contrastRatio(color, black) - onBlack) / onBlack,
              std::fabs(contrastRatio(white, color) - onWhite) / onWhite}) {
            if (error > worst) {
                worst = error;
                worstLevel = level;
            }
        }
        QVERIFY2(luminance > previous, qPrintable(QStringLiteral("level %1").arg(level)));
        QCOMPARE(contrastRatio(color, white), contrastRatio(white, color));
        previous = luminance;
    }
    QVERIFY2(
        worst <= kBound,
        qPrintable(QStringLiteral("off by %1 at level %2").arg(double(worst)).arg(worstLevel)));
    // The ends exactly, which the ratio's rounding down to tenths relies on.
    QCOMPARE(relativeLuminance(black), 0.0);
    QCOMPARE(contrastRatio(black, black), 1.0);
    if (weight == QLatin1String("1"))
        QCOMPARE(contrastRatio(black, white), 21.0);
}

QTEST_APPLESS_MAIN(ContrastTest)
#include "ContrastTest.moc"
