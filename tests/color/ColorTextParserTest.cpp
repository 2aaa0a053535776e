#include "color/ColorTextParser.h"
#include "color/ColorCopyTexts.h"

#include <QtTest>

#include <cmath>

#include <random>

Q_DECLARE_METATYPE(ColorCopyTexts::Form)

// Colors read from pasted or dropped text, and the text and data the picker hands out.
class ColorTextParserTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void formatReadsBack();
    void copyTexts_data();
    void copyTexts();
    void noNameLooksLikeHex();
};

namespace {

QString rgbaText(const QColor& c)
{
    return QString::asprintf("#%02X%02X%02X%02X", c.red(), c.green(), c.blue(), c.alpha());
}

} // namespace

void ColorTextParserTest::parse_data()
{
    // `expected` is "#RRGGBBAA" for a color, with "~" after it when the color was clipped to
    // sRGB ("~" alone: any color, clipped), or "!" and a piece of the reason for a refusal.
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
    row("rgb(300, -5, 0, 2)", "#FF0000FF~");
    row("rgb(99999999999,0,0)", "#FF0000FF~");
    row("rgb(1e999, -1e999, 1e-999, -0)", "#FF000000~");
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
    // Beyond 0..255 by more than half a step is outside sRGB and says so ("~" marks clipped).
    row("rgb(255.49 -0.5 0)", "#FF0000FF");
    row("rgb(255.5 0 0)", "#FF0000FF~");
    row("rgb(0 -0.51 0)", "#000000FF~");

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
    row("hsl(3.14159265rad 100% 50%)", "#00FFFFFF");
    row("hsl(none none 50%)", "#808080FF");
    row("rgb(none 128 none / none)", "#00800000");
    row("hsl(10%, 0%, 0%)", "!no percentage");
    row("hsl(10, 1deg, 0%)", "!value 2 has a unit");

    row("hwb(0 0% 0%)", "#FF0000FF");
    row("hwb(120deg 20% 30%)", "#33B333FF");
    row("hwb(90 50 50)", "#808080FF");
    row("hwb(0 60% 60%)", "#808080FF");
    row("hwb(0 30% 90% / 0.5)", "#40404080");

    // Against CSS Color 4's definitions and examples: lab() and lch() on D50 adapted to D65.
    row("lab(29.2345% 39.3825 20.0664)", "#7D2329FF");
    row("lch(29.2345% 44.2 27)", "#7D2329FF");
    row("LAB(54.29 80.8 69.89)", "#FF0000FF");
    row("lab(100 0 0)", "#FFFFFFFF");
    row("lab(50 0 0)", "#777777FF");
    row("lab(-20 0 0)", "#000000FF");
    row("lch(50 20 0.25turn)", "#807655FF");
    row("lab(50% 100% -100%)", "#D600FFFF~");
    row("lch(50 100% 0)", "#FF0080FF~");
    row("lch(50 -10 0)", "#777777FF");
    row("oklch(62.8% 0.2577 29.23)", "#FF0000FF");
    row("oklab(0.5862 -0.0339 -0.1495)", "#3A7BD5FF");
    row("oklab(50% 50% 0)", "#B4065FFF");
    row("oklch(0.7 0.1 1.5rad / 50%)", "#BA9A5180");
    row("oklch(100% 0 none)", "#FFFFFFFF");
    row("oklch(2 0 0)", "#FFFFFFFF");
    row("color(srgb 1 0.5 0)", "#FF8000FF");
    row("color(srgb 110% 0 -1)", "#FF0000FF~");
    row("color(srgb-linear 0.5 none 50%)", "#BC00BCFF");
    row("color(display-p3 0.2 0.4 0.6)", "#1B689DFF");
    row("color(display-p3 1 0 0)", "#FF0000FF~");
    row("color(rec2020 0.5 0.3 0.2 / 0.5)", "#A3533D80");
    row("color(rec2020 0 1 0)", "#00FF00FF~");
    row("color(xyz 1 0 0)", "!color space xyz is not one of");
    row("color( )", "!names no color space");
    row("lch(50 20 30%)", "!a hue is no percentage");
    row("lab(50 20deg 30)", "!value 2 has a unit");
    row("lab(nan 0 0)", "!value 1 is not a number");
    row("oklab(1e999 -1e999 1e999)", "~");
    row("oklch(0.5 1e999 1e999rad)", "~");
    row("color(rec2020 1e999 -1e999 1e-999)", "~");

    // The host's script forms and a Python tuple.
    row("(color 58 123 213)", "#3A7BD5FF");
    row("color 58 123 213 128", "#3A7BD580");
    row("( COLOR 58.5 123 213 )", "#3B7BD5FF");
    row("(color 300 -1 0)", "#FF0000FF~");
    row("color 1 2", "!3 or 4 numbers");
    row("(color 1 2 3", "!missing closing parenthesis");
    row("[58,123,213]", "#3A7BD5FF");
    row("[58.0, 123.0, 213.4]", "#3A7BD5FF");
    row("[58, 123]", "!a point takes 3 numbers");
    row("[58, 123, 213", "!closing bracket");
    row("(58, 123, 213)", "#3A7BD5FF");
    row("(58, 123, 213, 128)", "#3A7BD580");
    row("(1.0, 0.5, 0)", "#FF8000FF");
    row("((1, 2, 3))", "!parentheses inside");

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
                             << QStringLiteral("#0000FFFF~");
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
        const bool clipped = expected.endsWith(QLatin1Char('~'));
        expected.remove(QLatin1Char('~'));
        if (!expected.isEmpty())
            QCOMPARE(rgbaText(result.color), expected);
        QCOMPARE(result.clipped, clipped);
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

void ColorTextParserTest::copyTexts_data()
{
    QTest::addColumn<ColorCopyTexts::Form>("form");
    QTest::addColumn<QString>("opaque");
    QTest::addColumn<QString>("translucent");
    using Form = ColorCopyTexts::Form;
    const auto row = [](Form form, const char* opaque, const char* translucent) {
        QTest::newRow(opaque) << form << QString::fromLatin1(opaque)
                              << QString::fromLatin1(translucent);
    };
    // #3A7BD5, opaque and at alpha 128.
    row(Form::Hex, "#3A7BD5", "#3A7BD580");
    row(Form::Rgb, "rgb(58, 123, 213)", "rgba(58, 123, 213, 0.502)");
    row(Form::Hsl, "hsl(214.84, 64.85%, 53.14%)", "hsla(214.84, 64.85%, 53.14%, 0.502)");
    row(Form::Oklch, "oklch(58.619% 0.15327 257.23)", "oklch(58.619% 0.15327 257.23 / 0.502)");
    row(Form::Script, "(color 58 123 213)", "(color 58 123 213 128)");
    row(Form::LinearFloats, "0.0423, 0.1981, 0.6654", "0.0423, 0.1981, 0.6654, 0.5020");
    row(Form::LinearGamma22, "0.0385, 0.2011, 0.6730", "0.0385, 0.2011, 0.6730, 0.5020");
    row(Form::PythonTuple, "(58, 123, 213)", "(58, 123, 213, 128)");
    QCOMPARE(ColorCopyTexts::forms().size(), 8);
}

void ColorTextParserTest::copyTexts()
{
    QFETCH(ColorCopyTexts::Form, form);
    QFETCH(QString, opaque);
    QFETCH(QString, translucent);
    QCOMPARE(ColorCopyTexts::text(form, QColor(0x3a, 0x7b, 0xd5)), opaque);
    QCOMPARE(ColorCopyTexts::text(form, QColor(0x3a, 0x7b, 0xd5, 128)), translucent);

    // Every copied text pastes back as the same color: a grid of 4096 colors with its ends, and
    // as many drawn at random with random alphas.
    QVector<QColor> colors;
    for (int i = 0; i < 4096; ++i)
        colors << QColor((i & 15) * 17, (i >> 4 & 15) * 17, (i >> 8) * 17);
    std::mt19937 random(23);
    for (int i = 0; i < 4096; ++i) {
        const auto channels = random();
        colors << QColor(channels & 255, channels >> 8 & 255, channels >> 16 & 255,
                         i % 2 ? 255 : int(channels >> 24));
    }
    for (const QColor& color : colors) {
        QString text = ColorCopyTexts::text(form, color);
        // Gamma 2.2 values decode by the power law to the channels they came from; no text form
        // of CSS or the host names that curve.
        if (form == ColorCopyTexts::Form::LinearGamma22) {
            const QStringList values = text.split(QStringLiteral(", "));
            const auto channel = [&](int i) {
                return int(std::lround(std::pow(values[i].toDouble(), 1 / 2.2) * 255));
            };
            const int alpha =
                values.size() == 4 ? int(std::lround(values[3].toDouble() * 255)) : 255;
            QVERIFY2(QColor(channel(0), channel(1), channel(2), alpha) == color,
                     qPrintable(rgbaText(color) + QStringLiteral(" ") + text));
            continue;
        }
        // Bare linear floats read as gamma-encoded ones; as CSS's linear sRGB they read back.
        if (form == ColorCopyTexts::Form::LinearFloats) {
            QStringList values = text.split(QStringLiteral(", "));
            if (values.size() == 4)
                values.insert(3, QStringLiteral("/"));
            text = QStringLiteral("color(srgb-linear %1)").arg(values.join(QLatin1Char(' ')));
        }
        const ColorTextParser::Result result = ColorTextParser::parse(text);
        QVERIFY2(result.ok && result.color == color && !result.clipped,
                 qPrintable(rgbaText(color) + QStringLiteral(" ") + text + QStringLiteral(" ") +
                            rgbaText(result.color)));
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

QTEST_APPLESS_MAIN(ColorTextParserTest)
#include "ColorTextParserTest.moc"
