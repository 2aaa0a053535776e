#include "color/ColorTexts.h"

#include "color/RgbColor.h"

const QStringList fieldTypeNames = {QStringLiteral("Square"), QStringLiteral("HSV Wheel"),
                                    QStringLiteral("Hue Wheel"), QStringLiteral("Mixing Canvas")};

QString swatchToolTipText(const QString& name, const RgbColor& rgb)
{
    return QString::fromLatin1(kSwatchToolTipFormat)
        .arg(name, QString::number(rgb.red()), QString::number(rgb.green()),
             QString::number(rgb.blue()));
}

QString cellStyleSheetText(const RgbColor& rgb)
{
    return QString::fromLatin1(kCellStyleSheetFormat)
        .arg(QString::number(rgb.red()), QString::number(rgb.green()), QString::number(rgb.blue()));
}

QString versionLineText(const QString& version)
{
    return QString::fromLatin1(kVersionLineFormat).arg(version);
}
