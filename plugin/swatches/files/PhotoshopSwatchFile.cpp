#include "swatches/files/PhotoshopSwatchFile.h"

#include "swatches/files/AdobeColorConversion.h"
#include "swatches/files/BigEndianReader.h"

#include <QCoreApplication>

namespace {

enum Space : quint16
{
    Rgb = 0,
    Hsb = 1,
    Cmyk = 2,
    Lab = 7,
    Grayscale = 8
};

QString tr(const char* text)
{
    return QCoreApplication::translate("PhotoshopSwatchFile", text);
}

bool readSection(BigEndianReader& file, quint16 version, ColorList& list, QString& reason)
{
    quint16 count = 0;
    if (!file.readU16(count)) {
        reason = tr("the version %1 section has no color count").arg(version);
        return false;
    }
    ColorList read;
    for (int number = 1; number <= count; ++number) {
        quint16 space = 0;
        quint16 w[4] = {};
        bool whole = file.readU16(space);
        for (quint16& value : w) {
            whole = whole && file.readU16(value);
        }
        QString name;
        quint32 units = 0;
        if (whole && version == 2) {
            whole = file.readU32(units) && file.readUtf16(units, name);
        }
        if (!whole) {
            reason = tr("color %1 of %2 is cut short").arg(number).arg(count);
            return false;
        }
        QColor color;
        switch (space) {
        case Rgb:
            color = QColor(unitToChannel(w[0] / 65535.0f), unitToChannel(w[1] / 65535.0f),
                           unitToChannel(w[2] / 65535.0f));
            break;
        case Hsb:
            color = colorFromHsb(w[0] * 360.0f / 65535.0f, w[1] / 65535.0f, w[2] / 65535.0f);
            break;
        case Cmyk:
            color = colorFromInk(1.0f - w[0] / 65535.0f, 1.0f - w[1] / 65535.0f,
                                 1.0f - w[2] / 65535.0f, 1.0f - w[3] / 65535.0f);
            break;
        case Lab:
            // Hundredths, kept as fractions.
            color = colorFromLab(w[0] / 100.0, static_cast<qint16>(w[1]) / 100.0,
                                 static_cast<qint16>(w[2]) / 100.0);
            break;
        case Grayscale:
            color = colorFromInk(0.0f, 0.0f, 0.0f, w[0] / 10000.0f);
            break;
        default:
            reason = tr("color %1 is in color space %2, which is not RGB, HSB, CMYK, Lab or "
                        "grayscale")
                         .arg(number)
                         .arg(space);
            return false;
        }
        read.swatches.append({color, name});
    }
    list = read;
    return true;
}

} // namespace

bool isPhotoshopSwatches(const QByteArray& data)
{
    return data.size() >= 2 && data[0] == 0 && (data[1] == 1 || data[1] == 2);
}

bool parsePhotoshopSwatches(const QByteArray& data, ColorList& list, QString& reason)
{
    BigEndianReader file(data);
    quint16 version = 0;
    if (!isPhotoshopSwatches(data) || !file.readU16(version)) {
        reason = tr("not a Photoshop swatch file of version 1 or 2");
        return false;
    }
    ColorList read;
    if (!readSection(file, version, read, reason)) {
        return false;
    }
    quint16 next = 0;
    if (version == 1 && file.readU16(next) && next == 2 && !readSection(file, next, read, reason)) {
        return false;
    }
    list = read;
    return true;
}
