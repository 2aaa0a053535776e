#include "color/ExactDecimal.h"

#include <QtTest>

// The exact decimal pasted color text is read with, on the cases where a carry, a borrow, a sign,
// a limb boundary, the rounding or the hue's wrap goes wrong.
class ExactDecimalTest : public QObject
{
    Q_OBJECT

private slots:
    void operations_data();
    void operations();
};

namespace {

// "-12.5", "1e-999": a sign, digits with an optional point, an optional exponent.
ExactDecimal fromText(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('e'));
    QString mantissa = parts[0];
    const bool negative = mantissa.startsWith(QLatin1Char('-'));
    if (negative)
        mantissa.remove(0, 1);
    const int point = mantissa.indexOf(QLatin1Char('.'));
    int scale = point < 0 ? 0 : mantissa.size() - point - 1;
    mantissa.remove(QLatin1Char('.'));
    if (parts.size() > 1)
        scale -= parts[1].toInt();
    return ExactDecimal(mantissa.toStdString(), scale, negative);
}

// As few digits as the value takes; "0" for zero, which has no sign.
QString toText(const ExactDecimal& d)
{
    if (d.isZero())
        return d.isNegative() ? QStringLiteral("-0") : QStringLiteral("0");
    QString digits = QString::fromStdString(d.digits());
    if (d.scale() <= 0) {
        digits += QString(-d.scale(), QLatin1Char('0'));
    } else {
        if (digits.size() <= d.scale())
            digits.prepend(QString(d.scale() - digits.size() + 1, QLatin1Char('0')));
        digits.insert(digits.size() - d.scale(), QLatin1Char('.'));
    }
    return (d.isNegative() ? QStringLiteral("-") : QString()) + digits;
}

} // namespace

void ExactDecimalTest::operations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* operation, const char* a, const char* b, const char* expected) {
        if (*b)
            QTest::addRow("%s %s %s", a, operation, b) << operation << a << b << expected;
        else
            QTest::addRow("%s %s", operation, a) << operation << a << b << expected;
    };
    row("+", "0.95", "0.05", "1");
    row("+", "999.99", "0.01", "1000");
    row("+", "-0.3", "0.5", "0.2");
    row("+", "0.3", "-0.5", "-0.2");
    row("+", "5", "-5", "0");
    row("-", "1", "0.0001", "0.9999");
    row("-", "-2", "-2", "0");
    row("-", "0", "7", "-7");
    row("*", "0.3", "255", "76.5");
    row("*", "-1.5", "-1.5", "2.25");
    row("*", "-3", "0.1", "-0.3");
    row("*", "0.5", "0", "0");
    row("*", "12345.6789", "98765.4321", "1219326311.12635269");
    row("*", "123456789012345678901234567890", "-0.000987654321",
        "-121932631124828532112482853.21112635269");
    row("*", "1e-999", "1e999", "1");
    // Halves up; digits past the tenths never count.
    row("round", "127.5", "", "128");
    row("round", "127.4999999999", "", "127");
    row("round", "0.5", "", "1");
    row("round", "0.05", "", "0");
    row("round", "255", "", "255");
    row("round", "25e1", "", "250");
    row("round", "1e-999", "", "0");
    row("wrap", "-120", "", "240");
    row("wrap", "720", "", "0");
    row("wrap", "-360", "", "0");
    row("wrap", "359.99", "", "359.99");
    row("wrap", "-0.5", "", "359.5");
    row("wrap", "3600000000000.25", "", "0.25");
    row("wrap", "1e20", "", "280");
    row("wrap", "-0.001", "", "359.999");
    row("compare", "0.1", "0.12", "-1");
    row("compare", "-1", "-0.5", "-1");
    row("compare", "1e-999", "0", "1");
    row("compare", "2.50", "2.5", "0");
    row("compare", "-0", "0", "0");
    row("compare", "1e3", "999.9", "1");
}

void ExactDecimalTest::operations()
{
    QFETCH(QString, operation);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, expected);
    const ExactDecimal x = fromText(a);
    const ExactDecimal y = fromText(b);
    QString result;
    if (operation == QLatin1String("+"))
        result = toText(x + y);
    else if (operation == QLatin1String("-"))
        result = toText(x - y);
    else if (operation == QLatin1String("*"))
        result = toText(x * y);
    else if (operation == QLatin1String("round"))
        result = QString::number(x.roundedHalfUp());
    else if (operation == QLatin1String("wrap"))
        result = toText(x.wrapped(360));
    else
        result = QString::number(ExactDecimal::compare(x, y));
    QCOMPARE(result, expected);
}

QTEST_APPLESS_MAIN(ExactDecimalTest)
#include "ExactDecimalTest.moc"
