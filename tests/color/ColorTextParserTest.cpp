#include "color/ColorTextParser.h"
#include "color/ColorMime.h"

#include <QMimeData>
#include <QtTest>

// Colors read from pasted or dropped text, and the text and data the picker hands out.
class ColorTextParserTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void formatReadsBack();
    void noNameLooksLikeHex();
    void mimeData();
};

namespace {

QString rgbaText(const QColor& c)
{
    return QString::asprintf("#%02X%02X%02X%02X", c.red(), c.green(), c.blue(), c.alpha());
}

} // namespace

void ColorTextParserTest::parse_data()
{
    // `expected` is "#RRGGBBAA" for a color, or "!" and a piece of the reason for a refusal.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* text, const char* expected) {
        QTest::newRow(text) << QString::fromLatin1(text) << QString::fromLatin1(expected);
    };

    row("#f80", "#FF8800FF");
    row("F80", "#FF8800FF");
    row("#f808", "#FF880088");
    row(" \t#FF8000\r\n", "#FF8000FF");
    row("ff800080", "#FF800080");
    row("#Ff8000", "#FF8000FF");
    row("#12345", "!3, 4, 6 or 8 hex digits");
    row("#ff80zz", "!hex digits");
    row("12345", "!neither");

    row("rgb(255, 128, 0)", "#FF8000FF");
    row("RGBA( 255 ,128,0 , 0.5 )", "#FF800080");
    row("rgba(255, 128, 0)", "#FF8000FF");
    row("rgb(255,128,0,25%)", "#FF800040");
    row("rgb(255 128 0)", "#FF8000FF");
    row("rgb(255 128 0/50%)", "#FF800080");
    row("rgb(100%, 50%, 0%)", "#FF8000FF");
    row("rgb(30%, 0%, 0.2%)", "#4D0001FF");
    // Halves round up, whatever the form; everything below a half rounds down.
    row("rgb(127.5, 0.5, 0.49999999999999999999999)", "#800100FF");
    row("rgb(0, 0, 0, 0.5)", "#00000080");
    row("rgb(0, 0, 0, 0.0019607843137254901)", "#00000000");
    row("rgb(0, 0, 0, 0.0019607843137254902)", "#00000001");
    row("rgb(1e2, 2.55E+2, .5e1)", "#64FF05FF");
    // Out of range is clamped, as in CSS, however far out.
    row("rgb(300, -5, 0, 2)", "#FF0000FF");
    row("rgb(99999999999,0,0)", "#FF0000FF");
    row("rgb(1e999, -1e999, 1e-999, -0)", "#FF000000");
    row("rgb(1e1000, 0, 0)", "!value 1 is not a number");
    row("rgb(1,2)", "!rgb() takes 3 or 4 values");
    row("rgba(1,2,3,4,5)", "!rgba() takes 3 or 4 values");
    row("rgb(1, 2 3)", "!takes 3 or 4 values");
    row("rgb(1 2 / 3)", "!3 values before /");
    row("rgb(1 2 3 / )", "!one alpha");
    row("rgb(1 2 3 / 4 / 5)", "!more than one /");
    row("rgb(1,2,3/4)", "!mixes commas");
    row("rgb(1,2,3", "!closing parenthesis");
    row("rgb(1,(2),3)", "!parentheses inside");
    row("rgb(1,,3)", "!value 2 is not a number");
    row("rgb(1.,2,3)", "!value 1 is not a number");
    row("rgb(1px,2,3)", "!value 1 has a unit");
    row("rgb(1,2,3,90deg)", "!value 4 has a unit");
    row("cmyk(1,2,3,4)", "!cmyk() is not one of");

    row("hsl(0, 100%, 50%)", "#FF0000FF");
    row("hsl(120deg 100% 50%)", "#00FF00FF");
    row("HSLA(0.5turn, 100%, 50%, 0.5)", "#00FFFF80");
    row("hsl(200grad, 100, 50)", "#00FFFFFF");
    row("hsl(-120, 100%, 50%)", "#0000FFFF");
    row("hsl(1e3, 100%, 50%)", "#AA00FFFF");
    row("hsl(30, 100%, 50%)", "#FF8000FF");
    row("hsl(0, 0%, 50%)", "#808080FF");
    row("hsl(0, 150%, -5%)", "#000000FF");
    // 76.5 exactly, up; a hue a hair further moves the red just below the half.
    row("hsl(60, 100%, 15%)", "#4D4D00FF");
    row("hsl(60.000000000000000000001, 100%, 15%)", "#4C4D00FF");
    row("hsl(1rad, 0%, 0%)", "!rad");
    row("hsl(10%, 0%, 0%)", "!no percentage");
    row("hsl(10, 1deg, 0%)", "!value 2 has a unit");

    row("255, 128, 0", "#FF8000FF");
    row(" 255 ,128,0, 128 ", "#FF800080");
    // Whole numbers unless any value has a decimal point or an exponent.
    row("1, 0, 0", "#010000FF");
    row("1.0, 0, 0", "#FF0000FF");
    row("1e0, 0, 0", "#FF0000FF");
    row("0.5, 0.25, 1, 0.5", "#8040FF80");
    row("0.0019607843137254901, 0.0019607843137254902, 0.1", "#00011AFF");
    row("1e-320, 0, 0", "#000000FF");
    row("256, 0, 0", "!value 1 is outside 0..255");
    row("0, -1, 0", "!value 2 is outside 0..255");
    row("0, 0, 1.5", "!value 3 is outside 0..1");
    row("0, 0, 0, 2.", "!value 4 is not a number");
    row("1, 2, 3%", "!value 3 is not a number");
    row("0.5, 0.5", "!3 or 4");
    row("1,2,3,4,5", "!3 or 4");

    row("red", "#FF0000FF");
    row("  AliceBlue ", "#F0F8FFFF");
    row("REBECCAPURPLE", "#663399FF");
    row("grey", "#808080FF");
    row("transparent", "#00000000");
    row("bluish", "!neither");
    row("red;", "!neither");

    row("", "!no text");
    row(" \n ", "!no text");
    QTest::newRow("non-ASCII") << QStringLiteral("r\u00e9d") << QStringLiteral("!ASCII");
    QTest::newRow("control character")
        << QStringLiteral("#ff\u00010000") << QStringLiteral("!ASCII");
    QTest::newRow("longest") << QStringLiteral("rgb(0,0,%1)").arg(QString(247, QLatin1Char('9')))
                             << QStringLiteral("#0000FFFF");
    QTest::newRow("one longer") << QStringLiteral("rgb(0,0,%1)").arg(QString(248, QLatin1Char('9')))
                                << QStringLiteral("!longer than 256");
    QTest::newRow("huge") << QString(1 << 20, QLatin1Char('f')) << QStringLiteral("!longer than");
    QTest::newRow("huge but blank around")
        << QString(1 << 20, QLatin1Char(' ')) + QStringLiteral("#abc")
        << QStringLiteral("#AABBCCFF");
}

void ColorTextParserTest::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const ColorTextParser::Result result = ColorTextParser::parse(text);
    if (expected.startsWith(QLatin1Char('!'))) {
        QVERIFY2(!result.ok, qPrintable(rgbaText(result.color)));
        QVERIFY2(result.reason.contains(expected.mid(1)), qPrintable(result.reason));
        QVERIFY(!result.reason.contains(QLatin1Char('\n')));
    } else {
        QVERIFY2(result.ok, qPrintable(result.reason));
        QCOMPARE(rgbaText(result.color), expected);
        QVERIFY(result.reason.isEmpty());
    }
}

void ColorTextParserTest::formatReadsBack()
{
    QCOMPARE(ColorTextParser::format(QColor(255, 128, 0)), QStringLiteral("#FF8000"));
    QCOMPARE(ColorTextParser::format(QColor(10, 11, 12, 254)), QStringLiteral("#0A0B0CFE"));
    for (int v = 0; v < 256; ++v) {
        for (const QColor& color : {QColor(v, 255 - v, v / 2), QColor(v / 3, v, 7, v)}) {
            const ColorTextParser::Result result =
                ColorTextParser::parse(ColorTextParser::format(color));
            QVERIFY2(result.ok && result.color == color, qPrintable(rgbaText(color)));
        }
    }
}

void ColorTextParserTest::noNameLooksLikeHex()
{
    // Bare hex digits are read as hex before names are looked up; no name may be taken for hex.
    for (const QString& name : QColor::colorNames()) {
        const ColorTextParser::Result result = ColorTextParser::parse(name);
        QVERIFY2(result.ok && result.color == QColor(name), qPrintable(name));
    }
}

void ColorTextParserTest::mimeData()
{
    const QColor color(1, 2, 3, 4);
    const std::unique_ptr<QMimeData> data = ColorMime::create(color);
    QCOMPARE(qvariant_cast<QColor>(data->colorData()), color);
    QCOMPARE(data->text(), QStringLiteral("#01020304"));
    QCOMPARE(ColorMime::read(data.get()).color, color);

    // Color data goes before text; text alone is parsed; neither is refused with a reason.
    QMimeData both;
    both.setColorData(QColor(Qt::red));
    both.setText(QStringLiteral("blue"));
    QCOMPARE(ColorMime::read(&both).color, QColor(Qt::red));
    QMimeData text;
    text.setText(QStringLiteral("blue"));
    QCOMPARE(ColorMime::read(&text).color, QColor(Qt::blue));
    QMimeData none;
    none.setHtml(QStringLiteral("<b>red</b>"));
    QVERIFY(!ColorMime::read(&none).ok);
    QVERIFY(!ColorMime::read(&none).reason.isEmpty());
}

QTEST_APPLESS_MAIN(ColorTextParserTest)
#include "ColorTextParserTest.moc"
