// Colors put into words for screen readers: the nearest CSS name, its spoken form, and the
// announcement of a color.

#include "color/ColorNames.h"
#include "color/ColorValue.h"

#include <QColor>
#include <QtTest>

Q_DECLARE_METATYPE(ColorValue)

class ColorNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void nearestName_data();
    void nearestName();
    void everyNameIsItsOwnNearest();
    void spokenName_data();
    void spokenName();
    void announcement_data();
    void announcement();
};

void ColorNamesTest::nearestName_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QString>("name");
    QTest::newRow("a CSS color") << QColor(0xff, 0x8c, 0x00) << "darkorange";
    QTest::newRow("aqua answers as cyan") << QColor(0x00, 0xff, 0xff) << "cyan";
    QTest::newRow("fuchsia answers as magenta") << QColor(0xff, 0x00, 0xff) << "magenta";
    QTest::newRow("grey answers as gray") << QColor(0x80, 0x80, 0x80) << "gray";
    QTest::newRow("between orange and dark orange") << QColor(0xff, 0x80, 0x00) << "darkorange";
    QTest::newRow("a step off red") << QColor(0xfe, 0x01, 0x00) << "red";
    QTest::newRow("near black") << QColor(0x08, 0x08, 0x0a) << "black";
    QTest::newRow("a dark blue") << QColor(0x10, 0x20, 0x80) << "midnightblue";
    QTest::newRow("alpha is no part of it") << QColor(0xff, 0xff, 0xff, 0) << "white";
}

void ColorNamesTest::nearestName()
{
    QFETCH(QColor, color);
    QFETCH(QString, name);
    QCOMPARE(nearestColorName(RgbColor(color)), name);
}

void ColorNamesTest::everyNameIsItsOwnNearest()
{
    // Synonyms answer by one spelling, and the transparent pseudo-color is no name to give.
    const auto spelling = [](QString name) {
        if (name == QLatin1String("aqua"))
            return QStringLiteral("cyan");
        if (name == QLatin1String("fuchsia"))
            return QStringLiteral("magenta");
        return name.replace(QLatin1String("grey"), QLatin1String("gray"));
    };
    for (const QString& name : QColor::colorNames()) {
        if (name == QLatin1String("transparent"))
            continue;
        QVERIFY2(nearestColorName(RgbColor(QColor(name))) == spelling(name), qPrintable(name));
    }
}

void ColorNamesTest::spokenName_data()
{
    QTest::addColumn<QString>("css");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("two words") << "darkorange"
                               << "dark orange";
    QTest::newRow("three words") << "lightgoldenrodyellow"
                                 << "light goldenrod yellow";
    QTest::newRow("a color word leading") << "greenyellow"
                                          << "green yellow";
    QTest::newRow("a color word alone") << "green"
                                        << "green";
    QTest::newRow("a leading part alone stays whole") << "goldenrod"
                                                      << "goldenrod";
    QTest::newRow("a name of no known parts") << "honeydew"
                                              << "honeydew";
    QTest::newRow("violet in the middle") << "mediumvioletred"
                                          << "medium violet red";
}

void ColorNamesTest::spokenName()
{
    QFETCH(QString, css);
    QFETCH(QString, spoken);
    QCOMPARE(spokenColorName(css), spoken);
}

void ColorNamesTest::announcement_data()
{
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QString>("text");
    QTest::newRow("orange") << ColorValue(RgbColor(255, 128, 0))
                            << "#FF8000, dark orange, hue 30, saturation 100, value 100";
    // The HSV held, not one derived again: a grey keeps the hue it was given.
    QTest::newRow("a grey keeps its hue")
        << ColorValue(HsvColor(200, 0, 40)) << "#666666, dim gray, hue 200, saturation 0, value 40";
}

void ColorNamesTest::announcement()
{
    QFETCH(ColorValue, color);
    QFETCH(QString, text);
    QCOMPARE(spokenColor(color), text);
}

QTEST_GUILESS_MAIN(ColorNamesTest)
#include "ColorNamesTest.moc"
