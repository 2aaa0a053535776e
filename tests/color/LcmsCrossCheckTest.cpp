#include "color/LabColor.h"
#include "color/RgbColor.h"

#include <QtTest>

#include <lcms2.h>

#include <algorithm>
#include <cmath>
#include <vector>

// An independent check of the sRGB to CIE-Lab (D65) path against Little CMS: it guards the
// matrix, the white point and the transfer function, which no hand-written expected value can
// do over the whole gamut.
//
// Little CMS works in a D50 profile connection space: its built-in sRGB profile carries the sRGB
// matrix adapted from D65 to D50 with the Bradford transform. To compare like with like, the
// D50-relative XYZ it gives is adapted back to D65 with the same Bradford transform
// (cmsAdaptToIlluminant) and then turned into Lab against the D65 white with cmsXYZ2Lab. What
// remains between the two is the rounding of our integer Lab (0.5), our four-decimal matrix and
// the slightly different D65 white of each side (together under 0.02 as measured). The bound is
// therefore 0.6 rather than a whole unit: a step rounded the wrong way shows up.
class LcmsCrossCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void labAgreesWithLcms_data();
    void labAgreesWithLcms();

private:
    cmsHPROFILE m_srgb = nullptr;
    cmsHPROFILE m_xyz = nullptr;
    cmsHTRANSFORM m_toXyz = nullptr;
    cmsCIEXYZ m_d65{};
};

void LcmsCrossCheckTest::initTestCase()
{
    m_srgb = cmsCreate_sRGBProfile();
    m_xyz = cmsCreateXYZProfile();
    QVERIFY(m_srgb && m_xyz);
    // No optimisation: lcms would otherwise precompute a table and interpolate in it.
    m_toXyz =
        cmsCreateTransform(m_srgb, TYPE_RGB_8, m_xyz, TYPE_XYZ_DBL, INTENT_RELATIVE_COLORIMETRIC,
                           cmsFLAGS_NOOPTIMIZE | cmsFLAGS_NOCACHE);
    QVERIFY(m_toXyz);
    cmsCIExyY whiteXyY;
    QVERIFY(cmsWhitePointFromTemp(&whiteXyY, 6504));
    cmsxyY2XYZ(&m_d65, &whiteXyY);
}

void LcmsCrossCheckTest::cleanupTestCase()
{
    if (m_toXyz) {
        cmsDeleteTransform(m_toXyz);
    }
    if (m_xyz) {
        cmsCloseProfile(m_xyz);
    }
    if (m_srgb) {
        cmsCloseProfile(m_srgb);
    }
}

void LcmsCrossCheckTest::labAgreesWithLcms_data()
{
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("step");

    QTest::newRow("whole cube, step 5") << 0 << 255 << 5;
    // The linear segment of the transfer function and the linear branch of the Lab companding.
    QTest::newRow("dark corner, every value") << 0 << 24 << 1;
    QTest::newRow("bright corner, every value") << 232 << 255 << 1;
}

void LcmsCrossCheckTest::labAgreesWithLcms()
{
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(int, step);

    std::vector<quint8> rgb;
    for (int r = low; r <= high; r += step) {
        for (int g = low; g <= high; g += step) {
            for (int b = low; b <= high; b += step) {
                rgb.insert(rgb.end(), {quint8(r), quint8(g), quint8(b)});
            }
        }
    }
    const size_t count = rgb.size() / 3;
    std::vector<cmsCIEXYZ> xyzD50(count);
    cmsDoTransform(m_toXyz, rgb.data(), xyzD50.data(), cmsUInt32Number(count));

    double worst = 0.0;
    QString worstText;
    for (size_t i = 0; i < count; ++i) {
        cmsCIEXYZ xyzD65;
        QVERIFY(cmsAdaptToIlluminant(&xyzD65, cmsD50_XYZ(), &m_d65, &xyzD50[i]));
        cmsCIELab reference;
        cmsXYZ2Lab(&m_d65, &reference, &xyzD65);

        const LabColor ours(RgbColor(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
        const double d =
            std::max({std::fabs(ours.lightness() - reference.L), std::fabs(ours.a() - reference.a),
                      std::fabs(ours.b() - reference.b)});
        if (d > worst) {
            worst = d;
            worstText = QStringLiteral("(%1, %2, %3): ours %4 %5 %6, lcms %7 %8 %9")
                            .arg(rgb[3 * i])
                            .arg(rgb[3 * i + 1])
                            .arg(rgb[3 * i + 2])
                            .arg(ours.lightness())
                            .arg(ours.a())
                            .arg(ours.b())
                            .arg(reference.L, 0, 'f', 3)
                            .arg(reference.a, 0, 'f', 3)
                            .arg(reference.b, 0, 'f', 3);
        }
    }
    qInfo("worst difference %.3f at %s", worst, qPrintable(worstText));
    QVERIFY2(worst <= 0.6, qPrintable(worstText));
}

QTEST_APPLESS_MAIN(LcmsCrossCheckTest)
#include "LcmsCrossCheckTest.moc"
