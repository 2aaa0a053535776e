// The information line's texts and its clip mark, without a dialog.

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "dialog/ColorInfoLine.h"

#include <QtTest>

class tst_ColorInfoLine : public QObject
{
    Q_OBJECT

private slots:
    void contrast_data();
    void contrast();
    void texts_data();
    void texts();
    void clipMarkFollowsEntries();
};

void tst_ColorInfoLine::contrast_data()
{
    QTest::addColumn<QColor>("first");
    QTest::addColumn<QColor>("second");
    QTest::addColumn<QString>("shown");
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    QTest::newRow("black on white") << black << white << "21:1";
    QTest::newRow("either order") << white << black << "21:1";
    QTest::newRow("a color against itself")
        << QColor(90, 140, 200) << QColor(90, 140, 200) << "1:1";
    QTest::newRow("#767676 on white, 4.54") << QColor(0x76, 0x76, 0x76) << white << "4.5:1";
    // Rounded to nearest these would read as meeting 4.5, 3 and 4 to one.
    QTest::newRow("#777777 on white, 4.478") << QColor(0x77, 0x77, 0x77) << white << "4.4:1";
    QTest::newRow("#595959 on black, 2.998") << QColor(0x59, 0x59, 0x59) << black << "2.9:1";
    QTest::newRow("red on white, 3.998") << QColor(255, 0, 0) << white << "3.9:1";
    QTest::newRow("#959595 on black, 7.01") << QColor(0x95, 0x95, 0x95) << black << "7:1";
    QTest::newRow("blue on white, 8.59") << QColor(0, 0, 255) << white << "8.5:1";
    QTest::newRow("alpha is no part of it") << QColor(0, 0, 0, 0) << white << "21:1";
}

void tst_ColorInfoLine::contrast()
{
    QFETCH(QColor, first);
    QFETCH(QColor, second);
    QFETCH(QString, shown);
    QCOMPARE(ColorInfoLine::contrastText(
                 ColorInfoLine::contrastRatio(RgbColor(first), RgbColor(second))),
             shown);
}

void tst_ColorInfoLine::texts_data()
{
    QTest::addColumn<QColor>("current");
    QTest::addColumn<QColor>("initial");
    QTest::addColumn<bool>("clipped");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("dark orange on white")
        << QColor(255, 140, 0) << QColor(255, 255, 255) << false
        << QString::fromUtf8("≈ darkorange · 2.3:1")
        << "Nearest named color dark orange, contrast with the initial color 2.3 to 1";
    QTest::newRow("clipped, nearest name")
        << QColor(255, 0, 211) << QColor(0, 0, 0) << true
        << QString::fromUtf8("≈ magenta · 6.1:1 · ⚠ clipped")
        << "Nearest named color magenta, contrast with the initial color 6.1 to 1, outside sRGB, "
           "clipped";
}

void tst_ColorInfoLine::texts()
{
    QFETCH(QColor, current);
    QFETCH(QColor, initial);
    QFETCH(bool, clipped);
    const ColorValue c(current);
    const ColorValue i(initial);
    QTEST(ColorInfoLine::lineText(c, i, clipped), "line");
    QTEST(ColorInfoLine::spokenText(c, i, clipped), "spoken");
}

void tst_ColorInfoLine::clipMarkFollowsEntries()
{
    ColorInfoLine line;
    const ColorValue initial(QColor(90, 140, 200));
    line.showColor(initial, initial, ColorChannel::None);
    QVERIFY(!line.clipMarked());

    ColorValue outside;
    outside.setLab(LabColor(60, 127, -36));
    line.showColor(outside, initial, ColorChannel::LabGroup);
    QVERIFY(line.clipMarked());
    QVERIFY(line.text().endsWith(QString::fromUtf8("⚠ clipped")));
    // The same color again (the host told of it when the typing timer fired) keeps the mark.
    line.showColor(outside, initial, ColorChannel::None);
    QVERIFY(line.clipMarked());
    // Another change that is no entry clears it.
    line.showColor(ColorValue(QColor(10, 20, 30)), initial, ColorChannel::None);
    QVERIFY(!line.clipMarked());

    ColorValue warm;
    warm.setTemperature(TemperatureColor(1500));
    line.showColor(warm, initial, ColorChannel::Temperature);
    QVERIFY(line.clipMarked());
    // Every CMYK entry is inside sRGB.
    ColorValue ink;
    ink.setCmyk(CmykColor(0, 100, 100, 0));
    line.showColor(ink, initial, ColorChannel::Cyan);
    QVERIFY(!line.clipMarked());

    line.showColor(outside, initial, ColorChannel::LabGroup);
    ColorValue inside;
    inside.setLab(LabColor(53, 80, 67));
    line.showColor(inside, initial, ColorChannel::LabGroup);
    QVERIFY(!line.clipMarked());
}

QTEST_MAIN(tst_ColorInfoLine)
#include "tst_ColorInfoLine.moc"
