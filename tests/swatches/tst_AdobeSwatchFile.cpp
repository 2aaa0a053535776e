#include "swatches/files/AdobeSwatchFile.h"
#include "swatches/files/PhotoshopSwatchFile.h"

#include <QtEndian>
#include <QtTest>

#include <cstring>
#include <limits>

Q_DECLARE_METATYPE(QVector<ColorList>)

namespace {

// Files built field by field as the published descriptions of the two formats lay them out.
QByteArray u16(quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    return QByteArray(bytes, 2);
}

QByteArray u32(quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    return QByteArray(bytes, 4);
}

QByteArray f32(float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return u32(bits);
}

QByteArray utf16(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        out += u16(c.unicode());
    }
    return out + u16(0);
}

QByteArray aseBlock(quint16 type, const QByteArray& body)
{
    return u16(type) + u32(quint32(body.size())) + body;
}

QByteArray aseName(const QString& name)
{
    return u16(quint16(name.size() + 1)) + utf16(name);
}

QByteArray aseColor(const QString& name, const char* model, QVector<float> values)
{
    QByteArray body = aseName(name) + QByteArray(model, 4);
    for (float v : values) {
        body += f32(v);
    }
    return aseBlock(0x0001, body + u16(2));
}

QByteArray aseGroup(const QString& name, const QByteArray& colors)
{
    return aseBlock(0xC001, aseName(name)) + colors + aseBlock(0xC002, {});
}

QByteArray aseFile(const QByteArray& blocks, quint32 count)
{
    return QByteArray("ASEF") + u16(1) + u16(0) + u32(count) + blocks;
}

QByteArray acoColor(quint16 space, quint16 w, quint16 x, quint16 y, quint16 z)
{
    return u16(space) + u16(w) + u16(x) + u16(y) + u16(z);
}

QByteArray acoName(const QString& name)
{
    return u32(quint32(name.size() + 1)) + utf16(name);
}

} // namespace

class tst_AdobeSwatchFile : public QObject
{
    Q_OBJECT

private slots:
    void readsSwatchExchange()
    {
        const QString smile = QString::fromUtf8("sm\xF0\x9F\x98\x80le");
        const QByteArray blocks =
            aseColor("loose", "Gray", {0.5f}) +
            aseGroup("Warm", aseColor("orange", "RGB ", {1.0f, 0.5f, -3.0f}) +
                                 aseColor(smile, "CMYK", {1.0f, 0.0f, 0.0f, 0.0f}) +
                                 aseColor("grey", "CMYK", {0.0f, 0.0f, 0.0f, 0.5f})) +
            aseBlock(0x0003, "skipped") +
            aseGroup("Lab", aseColor("white", "LAB ", {1.0f, 0.0f, 0.0f}) +
                                aseColor("red", "LAB ", {0.53f, 80.0f, 67.0f}) +
                                aseColor(QString(QChar(0xD800)) + "x", "RGB ", {0, 0, 0}));
        QVector<ColorList> lists;
        QString reason;
        QVERIFY2(parseAdobeSwatchExchange(aseFile(blocks, 12), lists, reason), qPrintable(reason));
        const QVector<ColorList> expected{
            {"", {{QColor(128, 128, 128), "loose"}}},
            {"Warm",
             {{QColor(255, 128, 0), "orange"},
              {QColor(0, 255, 255), smile},
              {QColor(128, 128, 128), "grey"}}},
            {"Lab",
             {{QColor(255, 255, 255), "white"},
              {QColor(250, 0, 7), "red"},
              {QColor(0, 0, 0), QString(QChar(QChar::ReplacementCharacter)) + "x"}}}};
        QCOMPARE(lists, expected);
    }

    // Some writers give a group without a name a start block of no bytes.
    void readsUnnamedGroup()
    {
        const QByteArray blocks = aseBlock(0xC001, QByteArray()) +
                                  aseColor("red", "RGB ", {1, 0, 0}) + aseBlock(0xC002, {}) +
                                  aseGroup("Named", aseColor("blue", "RGB ", {0, 0, 1}));
        QVector<ColorList> lists;
        QString reason;
        QVERIFY2(parseAdobeSwatchExchange(aseFile(blocks, 6), lists, reason), qPrintable(reason));
        const QVector<ColorList> expected{{"", {{QColor(255, 0, 0), "red"}}},
                                          {"Named", {{QColor(0, 0, 255), "blue"}}}};
        QCOMPARE(lists, expected);
    }

    // Adobe's Lab is CIE Lab on the D50 white. Solarized publishes each of its colors as such
    // Lab and as sRGB hex; CSS Color 4's tests give lab() colors in sRGB.
    void readsLabOnD50_data()
    {
        QTest::addColumn<double>("lightness");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QString>("hex");
        const struct
        {
            const char* name;
            double lab[3];
            const char* hex;
        } rows[] = {
            {"base03", {15, -12, -12}, "#002b36"},
            {"base02", {20, -12, -12}, "#073642"},
            // Published as #586e75: its blue is 117.83 of 255 here, which the tool that made
            // Solarized's hex values took to 117.
            {"base01", {45, -7, -7}, "#586e76"},
            {"base00", {50, -7, -7}, "#657b83"},
            {"base0", {60, -6, -3}, "#839496"},
            {"base1", {65, -5, -2}, "#93a1a1"},
            {"base2", {92, 0, 10}, "#eee8d5"},
            {"base3", {97, 0, 10}, "#fdf6e3"},
            {"yellow", {60, 10, 65}, "#b58900"},
            {"orange", {50, 50, 55}, "#cb4b16"},
            {"red", {50, 65, 45}, "#dc322f"},
            {"magenta", {50, 65, -5}, "#d33682"},
            {"violet", {50, 15, -45}, "#6c71c4"},
            {"blue", {55, -10, -45}, "#268bd2"},
            {"cyan", {60, -35, -5}, "#2aa198"},
            {"green", {60, -20, 65}, "#859900"},
            // rgb(75.62% 30.45% 47.56%) and rgb(76.62% 66.36% 5.58%).
            {"css lab(50 50 0)", {50, 50, 0}, "#c14e79"},
            {"css lab(70 0 70)", {70, 0, 70}, "#c3a90e"},
            {"white", {100, 0, 0}, "#ffffff"},
            {"black", {0, 0, 0}, "#000000"},
            // Hundredths kept: whole units (46, -8, -7) would give #597178.
            {"fractions", {45.67, -7.89, -7.12}, "#587078"},
            // Red at 261.2 and green at -37.7 clipped each alone; blue kept.
            {"outside sRGB", {60, 98, -60}, "#ff00fe"},
            {"a clamped to 127", {50, 300, 0}, "#ff007e"},
        };
        for (const auto& row : rows) {
            QTest::newRow(row.name) << row.lab[0] << row.lab[1] << row.lab[2] << row.hex;
        }
    }

    void readsLabOnD50()
    {
        QFETCH(double, lightness);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(QString, hex);
        QVector<ColorList> lists;
        QString reason;
        const QByteArray ase =
            aseFile(aseColor("x", "LAB ", {float(lightness / 100), float(a), float(b)}), 1);
        QVERIFY2(parseAdobeSwatchExchange(ase, lists, reason), qPrintable(reason));
        QCOMPARE(lists.value(0).swatches.value(0).color.name(), hex);

        const auto hundredths = [](double value) { return quint16(qint16(qRound(value * 100))); };
        ColorList list;
        const QByteArray aco =
            u16(1) + u16(1) + acoColor(7, hundredths(lightness), hundredths(a), hundredths(b), 0);
        QVERIFY2(parsePhotoshopSwatches(aco, list, reason), qPrintable(reason));
        QCOMPARE(list.swatches.value(0).color.name(), hex);
    }

    void refusesBadSwatchExchange_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        const QByteArray red = aseColor("r", "RGB ", {1, 0, 0});
        QTest::newRow("signature") << QByteArray("ASEX") << "no \"ASEF\" signature";
        QTest::newRow("header") << QByteArray("ASEF\0\1", 6) << "the header is cut short";
        QTest::newRow("version") << QByteArray("ASEF") + u16(2) + u16(0) + u32(0)
                                 << "version 2.0, not 1";
        QTest::newRow("missing block") << aseFile(red, 2) << "block 2 of 2 is missing";
        QTest::newRow("block past the end")
            << aseFile(red.left(red.size() - 1), 1) << "block 1 runs past the end of the file";
        QTest::newRow("name past its block") << aseFile(aseBlock(0x0001, u16(40) + "ab"), 1)
                                             << "the name in block 1 runs past its block";
        QTest::newRow("empty color block")
            << aseFile(aseBlock(0x0001, {}), 1) << "the name in block 1 runs past its block";
        QTest::newRow("model") << aseFile(aseColor("x", "HSV ", {1, 1, 1}), 1)
                               << "color 1 has the unknown color model \"HSV \"";
        QTest::newRow("short color")
            << aseFile(aseColor("x", "CMYK", {1, 1, 1}), 1) << "color 1 is cut short";
        QTest::newRow("not a number")
            << aseFile(red + aseColor("x", "RGB ", {0, std::numeric_limits<float>::quiet_NaN(), 0}),
                       2)
            << "color 2 has a component that is not a number";
        QTest::newRow("infinite") << aseFile(aseColor("x", "Gray",
                                                      {std::numeric_limits<float>::infinity()}),
                                             1)
                                  << "color 1 has a component that is not a number";
    }

    void refusesBadSwatchExchange()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        QVector<ColorList> lists{{"kept", {}}};
        QString said;
        QVERIFY(!parseAdobeSwatchExchange(data, lists, said));
        QCOMPARE(said, reason);
        QCOMPARE(lists, (QVector<ColorList>{{"kept", {}}}));
    }

    // Every level of every channel, names beyond the Basic Multilingual Plane and an empty list
    // come back as they went.
    void swatchExchangeRoundTrip()
    {
        QVector<ColorList> lists{{"Levels", {}}, {"", {}}, {"Names", {}}};
        for (int level = 0; level < 256; ++level) {
            lists[0].swatches.append({QColor(level, 255 - level, level / 2), QString()});
        }
        lists[2].swatches.append({QColor(1, 2, 3), QString::fromUtf8("\xF0\x9F\x8E\xA8 paint")});
        QVector<ColorList> read;
        QString reason;
        const QByteArray data = adobeSwatchExchangeData(lists);
        QVERIFY(parseAdobeSwatchExchange(data, read, reason));
        QCOMPARE(read, lists);
        QCOMPARE(data.left(12), QByteArray("ASEF") + u16(1) + u16(0) + u32(3 * 2 + 257));
    }

    void readsPhotoshopSwatches_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QVector<ColorList>>("expected");
        const QByteArray colors[] = {acoColor(0, 65535, 32896, 0, 0),     // RGB
                                     acoColor(1, 21845, 65535, 65535, 0), // HSB: 120 degrees
                                     acoColor(2, 0, 65535, 65535, 65535), // CMYK: full cyan ink
                                     acoColor(7, 10000, 0, 0, 0),         // Lab white
                                     acoColor(7, 5300, 8000, quint16(-6700), 0), // Lab, b negative
                                     acoColor(8, 5000, 0, 0, 0),                 // 50 % black
                                     acoColor(8, 0, 0, 0, 0)};                   // no black
        const QVector<QColor> rgb{QColor(255, 128, 0),  QColor(0, 255, 0),
                                  QColor(0, 255, 255),  QColor(255, 255, 255),
                                  QColor(208, 38, 245), QColor(128, 128, 128),
                                  QColor(255, 255, 255)};
        QByteArray v1 = u16(1) + u16(7);
        QByteArray v2 = u16(2) + u16(7);
        ColorList unnamed, named;
        for (int i = 0; i < 7; ++i) {
            v1 += colors[i];
            v2 += colors[i] + acoName(QStringLiteral("c%1").arg(i));
            unnamed.swatches.append({rgb[i], QString()});
            named.swatches.append({rgb[i], QStringLiteral("c%1").arg(i)});
        }
        QTest::newRow("version 1") << v1 << QVector<ColorList>{unnamed};
        QTest::newRow("version 1 then 2") << v1 + v2 << QVector<ColorList>{named};
        QTest::newRow("version 2 alone") << v2 << QVector<ColorList>{named};
        QTest::newRow("trailing bytes") << v1 + "\0\0\0" << QVector<ColorList>{unnamed};
    }

    void readsPhotoshopSwatches()
    {
        QFETCH(QByteArray, data);
        QFETCH(QVector<ColorList>, expected);
        ColorList list;
        QString reason;
        QVERIFY(isPhotoshopSwatches(data));
        QVERIFY2(parsePhotoshopSwatches(data, list, reason), qPrintable(reason));
        QCOMPARE(QVector<ColorList>{list}, expected);
    }

    void refusesBadPhotoshopSwatches_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        const QByteArray red = acoColor(0, 65535, 0, 0, 0);
        QTest::newRow("version") << u16(3) + u16(0)
                                 << "not a Photoshop swatch file of version 1 or 2";
        QTest::newRow("no count") << u16(1) << "the version 1 section has no color count";
        QTest::newRow("cut short")
            << u16(1) + u16(2) + red + red.left(9) << "color 2 of 2 is cut short";
        QTest::newRow("name past the end")
            << u16(2) + u16(1) + red + u32(0xFFFFFFFF) + utf16("x") << "color 1 of 1 is cut short";
        QTest::newRow("broken version 2 after 1")
            << u16(1) + u16(1) + red + u16(2) + u16(1) + red << "color 1 of 1 is cut short";
        QTest::newRow("color book")
            << u16(1) + u16(2) + red + acoColor(3, 1, 2, 3, 4)
            << "color 2 is in color space 3, which is not RGB, HSB, CMYK, Lab or grayscale";
    }

    void refusesBadPhotoshopSwatches()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        ColorList list{"kept", {}};
        QString said;
        QVERIFY(!parsePhotoshopSwatches(data, list, said));
        QCOMPARE(said, reason);
        QCOMPARE(list, (ColorList{"kept", {}}));
    }
};

QTEST_GUILESS_MAIN(tst_AdobeSwatchFile)
#include "tst_AdobeSwatchFile.moc"
