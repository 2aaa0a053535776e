#include "color/ColorTexts.h"
#include "color/HexColor.h"
#include "color/RgbColor.h"

#include <QtTest>

// The hex record's length rules, formatting and parsing, and the shared text constants.
class HexTextTest : public QObject
{
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void formatMatchesArgRule();
    void typedText_data();
    void typedText();
    void parse_data();
    void parse();
    void tooShortTextParsesAsBlack();
    void swatchToolTip_data();
    void swatchToolTip();
    void otherTexts();
};

void HexTextTest::format_data()
{
    QTest::addColumn<QVector<int>>("rgb");
    QTest::addColumn<QString>("text");

    QTest::newRow("orange") << QVector<int>{255, 128, 0} << QStringLiteral("ff8000");
    QTest::newRow("small blue") << QVector<int>{0, 0, 10} << QStringLiteral("00000a");
    QTest::newRow("black") << QVector<int>{0, 0, 0} << QStringLiteral("000000");
    QTest::newRow("white") << QVector<int>{255, 255, 255} << QStringLiteral("ffffff");
    QTest::newRow("red first") << QVector<int>{1, 35, 69} << QStringLiteral("012345");
}

void HexTextTest::format()
{
    QFETCH(QVector<int>, rgb);
    QTEST(HexColor(RgbColor(rgb[0], rgb[1], rgb[2], 0)).text(), "text");
}

void HexTextTest::formatMatchesArgRule()
{
    // The rule as words: QString::arg with width 8, base 16, fill '0', and the last two kept.
    const auto pair = [](int v) {
        return QStringLiteral("%1").arg(v, 8, 16, QLatin1Char('0')).right(2);
    };
    for (int v = 0; v < 256; ++v) {
        const int g = 255 - v;
        const int b = v ^ 0x5a;
        QCOMPARE(HexColor(RgbColor(v, g, b)).text(), pair(v) + pair(g) + pair(b));
    }
}

void HexTextTest::typedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("held");

    QTest::newRow("three") << QStringLiteral("abc") << QStringLiteral("000000");
    QTest::newRow("empty") << QString() << QStringLiteral("000000");
    QTest::newRow("five") << QStringLiteral("12345") << QStringLiteral("000000");
    QTest::newRow("seven") << QStringLiteral("1234567") << QStringLiteral("FFFFFF");
    QTest::newRow("six kept") << QStringLiteral("GGGGGG") << QStringLiteral("GGGGGG");
    QTest::newRow("six, upper case kept") << QStringLiteral("FF8000") << QStringLiteral("FF8000");
}

void HexTextTest::typedText()
{
    QFETCH(QString, typed);
    QTEST(HexColor(typed).text(), "held");
    QCOMPARE(HexColor().text(), QStringLiteral("000000"));
}

void HexTextTest::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<int>>("rgb");

    QTest::newRow("upper") << QStringLiteral("FF8000") << QVector<int>{255, 128, 0};
    QTest::newRow("lower") << QStringLiteral("ff8000") << QVector<int>{255, 128, 0};
    QTest::newRow("mixed") << QStringLiteral("fF0a0B") << QVector<int>{255, 10, 11};
    // The bad pair reads 0, the others are still taken.
    QTest::newRow("bad middle") << QStringLiteral("12zz56") << QVector<int>{18, 0, 86};
    QTest::newRow("not hex at all") << QStringLiteral("GGGGGG") << QVector<int>{0, 0, 0};
    // A sign is accepted by the integer parser; the clamp keeps the channel at 0.
    QTest::newRow("signed pair") << QStringLiteral("-f10ff") << QVector<int>{0, 16, 255};
    QTest::newRow("white from too long")
        << QStringLiteral("1234567") << QVector<int>{255, 255, 255};
}

void HexTextTest::parse()
{
    QFETCH(QString, text);
    QFETCH(QVector<int>, rgb);
    RgbColor c(7, 7, 7, 99);
    HexColor(text).parseInto(c);
    QCOMPARE((QVector<int>{c.red(), c.green(), c.blue()}), rgb);
    QCOMPARE(c.alpha(), 99);
}

void HexTextTest::tooShortTextParsesAsBlack()
{
    // The typed text was replaced by "000000", so parsing writes black, not the old channels.
    RgbColor c(7, 8, 9, 10);
    HexColor(QStringLiteral("abc")).parseInto(c);
    QCOMPARE((QVector<int>{c.alpha(), c.red(), c.green(), c.blue()}), (QVector<int>{10, 0, 0, 0}));
}

void HexTextTest::swatchToolTip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tip");

    QTest::newRow("plain") << QStringLiteral("Sky")
                           << QStringLiteral("Sky\nRed: 1\nGreen: 20\nBlue: 255");
    // A name with a placeholder of its own must not swallow the channel values.
    QTest::newRow("percent in name")
        << QStringLiteral("50%2 off") << QStringLiteral("50%2 off\nRed: 1\nGreen: 20\nBlue: 255");
    QTest::newRow("empty name") << QString() << QStringLiteral("\nRed: 1\nGreen: 20\nBlue: 255");
}

void HexTextTest::swatchToolTip()
{
    QFETCH(QString, name);
    QTEST(swatchToolTipText(name, RgbColor(1, 20, 255)), "tip");
}

void HexTextTest::otherTexts()
{
    QCOMPARE(cellStyleSheetText(RgbColor(255, 128, 0)),
             QStringLiteral("background-color: rgb(255, 128, 0)"));
    QCOMPARE(versionLineText(QStringLiteral("0.3.1")),
             QStringLiteral("Color Dorvo Color Picker version: 0.3.1"));
    QCOMPARE(fieldTypeNames, (QStringList{QStringLiteral("Square"), QStringLiteral("HSV Wheel"),
                                          QStringLiteral("Hue Wheel")}));
    QCOMPARE(QString::fromLatin1(kEyeDropperIconPath), QStringLiteral("ColorPicker/EyeDropper"));
    QCOMPARE(QString::fromLatin1(kHexDefaultBlack), QStringLiteral("000000"));
    QCOMPARE(QString::fromLatin1(kHexWhite), QStringLiteral("FFFFFF"));
}

QTEST_APPLESS_MAIN(HexTextTest)
#include "HexTextTest.moc"
