// Colors as typed on colordorvo-host's command line and as --pick prints them.
#include "HostColorText.h"
#include "HostOptions.h"

#include <QtTest>

Q_DECLARE_METATYPE(AColor)
Q_DECLARE_METATYPE(HostColorText::Format)

namespace {

AColor Unit(int red, int green, int blue, int alpha = 255)
{
    return AColor(red / 255.0f, green / 255.0f, blue / 255.0f, alpha / 255.0f);
}

QString Describe(const AColor& c)
{
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(double(c.r), 0, 'g', 9)
        .arg(double(c.g), 0, 'g', 9)
        .arg(double(c.b), 0, 'g', 9)
        .arg(double(c.a), 0, 'g', 9);
}

} // namespace

class tst_HostColorText : public QObject
{
    Q_OBJECT

private slots:
    void parses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<AColor>("color");
        QTest::newRow("hex lower") << "#ff8000" << Unit(255, 128, 0);
        QTest::newRow("hex upper, spaces") << "  #0A0B0C " << Unit(10, 11, 12);
        QTest::newRow("whole numbers") << "1,2,3" << Unit(1, 2, 3);
        QTest::newRow("whole numbers with alpha") << "255, 0, 128, 64" << Unit(255, 0, 128, 64);
        QTest::newRow("unit floats") << "0.5,0.25,1" << AColor(0.5f, 0.25f, 1.0f, 1.0f);
        // One decimal point makes the whole list floats: 1 is full, not 1/255.
        QTest::newRow("mixed makes floats") << "1,0,0.5" << AColor(1.0f, 0.0f, 0.5f, 1.0f);
        QTest::newRow("float alpha") << "0,0,0,0.3" << AColor(0.0f, 0.0f, 0.0f, 0.3f);
        QTest::newRow("exponent makes floats") << "1e-1,0,1" << AColor(0.1f, 0.0f, 1.0f, 1.0f);
        // Tiny unit floats are unit floats: below the smallest float, and below a double.
        QTest::newRow("float denormal") << "1e-40,0,1" << AColor(1e-40f, 0.0f, 1.0f, 1.0f);
        QTest::newRow("double denormal") << "1e-320,0,0" << AColor(0.0f, 0.0f, 0.0f, 1.0f);
        QTest::newRow("below any double") << "0,1E-400,1" << AColor(0.0f, 0.0f, 1.0f, 1.0f);
    }

    void parses()
    {
        QFETCH(QString, text);
        QFETCH(AColor, color);
        AColor parsed(9.0f, 9.0f, 9.0f, 9.0f);
        QString error;
        QVERIFY2(HostColorText::Parse(text, &parsed, &error), qPrintable(error));
        QVERIFY2(parsed == color, qPrintable(Describe(parsed)));
    }

    void rejects_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("short hex") << "#fff";
        QTest::newRow("long hex") << "#ff800000";
        QTest::newRow("not hex") << "#gg0000";
        QTest::newRow("hex without #") << "ff8000";
        QTest::newRow("two values") << "1,2";
        QTest::newRow("five values") << "1,2,3,4,5";
        QTest::newRow("over 255") << "256,0,0";
        QTest::newRow("negative") << "-1,0,0";
        QTest::newRow("float over 1") << "1.5,0,0";
        QTest::newRow("negative float") << "-0.1,0,0";
        QTest::newRow("negative, below any double") << "-1e-400,0,0";
        QTest::newRow("above any double") << "1e400,0,0";
        QTest::newRow("exponent without digits") << "1e-,0,0";
        QTest::newRow("not a number") << "nan,0.5,0.5";
        QTest::newRow("word") << "red";
        QTest::newRow("empty element") << "1,,3";
    }

    void rejects()
    {
        QFETCH(QString, text);
        const AColor untouched(0.1f, 0.2f, 0.3f, 0.4f);
        AColor parsed = untouched;
        QString error;
        QVERIFY(!HostColorText::Parse(text, &parsed, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(parsed == untouched);
    }

    // --color as --pick takes it: the color selector takes no alpha, so only an opaque fourth
    // value is taken (what --format rgb and afloat print reads back).
    void colorOption_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("three values") << "0,128,255"
                                      << "";
        QTest::newRow("opaque whole alpha") << "0,128,255,255"
                                            << "";
        QTest::newRow("opaque float alpha") << "0.5,0.25,1,1.0"
                                            << "";
        QTest::newRow("denormal channel") << "1e-320,0,0"
                                          << "";
        QTest::newRow("translucent whole alpha")
            << "0,128,255,254"
            << "Bad color: '0,128,255,254' has an alpha, but the color selector takes none";
        QTest::newRow("transparent float alpha") << "0.5,0.25,1,0"
                                                 << "has an alpha";
        QTest::newRow("not a color") << "red"
                                     << "Bad color: 'red'";
    }

    void colorOption()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        const HostOptions options =
            HostOptions::Parse({QStringLiteral("colordorvo-host"), QStringLiteral("--pick"),
                                QStringLiteral("--color"), text});
        if (error.isEmpty()) {
            QVERIFY2(options.error.isEmpty(), qPrintable(options.error));
            QCOMPARE(options.pickColor.a, 1.0f);
        } else {
            QVERIFY2(options.error.contains(error), qPrintable(options.error));
        }
    }

    void prints_data()
    {
        QTest::addColumn<AColor>("color");
        QTest::addColumn<HostColorText::Format>("format");
        QTest::addColumn<QString>("text");
        const AColor orange = Unit(255, 128, 0);
        QTest::newRow("hex") << orange << HostColorText::Format::Hex << "#FF8000";
        QTest::newRow("rgb") << orange << HostColorText::Format::Rgb << "255,128,0,255";
        QTest::newRow("afloat") << orange << HostColorText::Format::AFloat
                                << "1.0,0.501960814,0.0,1.0";
        QTest::newRow("packed") << orange << HostColorText::Format::Packed << "0x000080FF";
        QTest::newRow("rgb half alpha")
            << AColor(0.0f, 0.0f, 0.0f, 0.5f) << HostColorText::Format::Rgb << "0,0,0,128";
        // Out of range is held at the ends for the 0..255 forms.
        QTest::newRow("hex clamps")
            << AColor(1.5f, -1.0f, 0.0f, 1.0f) << HostColorText::Format::Hex << "#FF0000";
    }

    void prints()
    {
        QFETCH(AColor, color);
        QFETCH(HostColorText::Format, format);
        QFETCH(QString, text);
        QCOMPARE(HostColorText::Print(color, format), text);
    }

    void printedFormsReadBack_data()
    {
        QTest::addColumn<HostColorText::Format>("format");
        QTest::newRow("hex") << HostColorText::Format::Hex;
        QTest::newRow("rgb") << HostColorText::Format::Rgb;
        QTest::newRow("afloat") << HostColorText::Format::AFloat;
    }

    // What --pick prints can be given back to --color and means the same color, for every
    // channel value a picker can answer with.
    void printedFormsReadBack()
    {
        QFETCH(HostColorText::Format, format);
        for (int v = 0; v < 256; ++v) {
            const AColor color = Unit(v, 255 - v, (v * 7) % 256);
            AColor back;
            QString error;
            const QString text = HostColorText::Print(color, format);
            QVERIFY2(HostColorText::Parse(text, &back, &error), qPrintable(text + error));
            QVERIFY2(back == color, qPrintable(text + QLatin1String(" -> ") + Describe(back)));
        }
    }
};

QTEST_APPLESS_MAIN(tst_HostColorText)
#include "tst_HostColorText.moc"
