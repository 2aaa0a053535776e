#include "swatches/files/PaletteFiles.h"

#include "swatches/files/AdobeSwatchFile.h"
#include "swatches/files/ColorListFile.h"
#include "swatches/files/GimpPaletteFile.h"
#include "swatches/files/ImportLimits.h"
#include "swatches/files/PhotoshopSwatchFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PaletteFiles", text);
}

constexpr PaletteFormat kFormats[] = {
    PaletteFormat::GimpPalette, PaletteFormat::AdobeSwatchExchange, PaletteFormat::ColorListJson};

} // namespace

bool readPalettes(const QByteArray& bytes, const QString& untitled, QVector<ColorList>& lists,
                  QString& reason)
{
    // Each palette format begins in its own way; anything else may be a JSON list.
    const bool palette =
        isGimpPalette(bytes) || isPhotoshopSwatches(bytes) || isAdobeSwatchExchange(bytes);
    QVector<ColorList> read;
    bool parsed = false;
    if (isAdobeSwatchExchange(bytes)) {
        parsed = parseAdobeSwatchExchange(bytes, read, reason);
    } else if (palette) {
        ColorList one;
        parsed = isGimpPalette(bytes) ? parseGimpPalette(bytes, one, reason)
                                      : parsePhotoshopSwatches(bytes, one, reason);
        read.append(one);
    } else {
        parsed = parseColorListFile(bytes, read, reason);
    }
    if (!parsed) {
        return false;
    }
    // An empty title in a JSON list is a tab's title, kept as it is.
    for (ColorList& list : read) {
        if (palette && list.name.isEmpty()) {
            list.name = untitled;
        }
    }
    lists = read;
    return true;
}

bool readPaletteFile(const QString& path, QVector<ColorList>& lists, QString& reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
        return false;
    }
    if (file.size() > MaxImportedBytes) {
        reason = tr("larger than %1 MB").arg(MaxImportedBytes >> 20);
        return false;
    }
    return readPalettes(file.readAll(), QFileInfo(path).completeBaseName(), lists, reason);
}

QString paletteSuffix(PaletteFormat format)
{
    switch (format) {
    case PaletteFormat::AdobeSwatchExchange:
        return QStringLiteral("ase");
    case PaletteFormat::ColorListJson:
        return QStringLiteral("json");
    case PaletteFormat::GimpPalette:
        break;
    }
    return QStringLiteral("gpl");
}

bool paletteFormatOf(const QString& path, PaletteFormat& format)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const PaletteFormat candidate : kFormats) {
        if (suffix == paletteSuffix(candidate)) {
            format = candidate;
            return true;
        }
    }
    return false;
}

QByteArray paletteData(const ColorList& list, PaletteFormat format)
{
    switch (format) {
    case PaletteFormat::AdobeSwatchExchange:
        return adobeSwatchExchangeData({list});
    case PaletteFormat::ColorListJson:
        return colorListFileText({list});
    case PaletteFormat::GimpPalette:
        break;
    }
    return gimpPaletteText(list);
}
