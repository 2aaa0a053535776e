#include "swatches/files/GimpPaletteFile.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>

namespace {

const QByteArray kHeader = QByteArrayLiteral("GIMP Palette");
const QByteArray kNamePrefix = QByteArrayLiteral("Name:");
const QByteArray kColumnsPrefix = QByteArrayLiteral("Columns:");
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");
constexpr int kExportColumns = 5;

QString tr(const char* text)
{
    return QCoreApplication::translate("GimpPaletteFile", text);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Reads an optionally signed run of digits at `pos`, saturating far outside 0..255, and moves
// `pos` past it. False when no digit is there or the run runs into something other than a blank.
bool readComponent(const QByteArray& line, int& pos, int& component)
{
    while (pos < line.size() && isBlank(line[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < line.size() && (line[pos] == '-' || line[pos] == '+')) {
        negative = line[pos] == '-';
        ++pos;
    }
    const int start = pos;
    long value = 0;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') {
        value = std::min(value * 10 + (line[pos] - '0'), 1000L);
        ++pos;
    }
    if (pos == start || (pos < line.size() && !isBlank(line[pos]))) {
        return false;
    }
    component = static_cast<int>(std::clamp(negative ? -value : value, 0L, 255L));
    return true;
}

// Names end at the line; control characters would split or hide them in the written text.
QString cleanName(const QString& name)
{
    QString clean = name;
    for (QChar& c : clean) {
        if (c.category() == QChar::Other_Control) {
            c = QLatin1Char(' ');
        }
    }
    return clean.trimmed();
}

} // namespace

bool isGimpPalette(const QByteArray& data)
{
    const QByteArray text =
        data.startsWith(kByteOrderMark) ? data.mid(kByteOrderMark.size()) : data;
    return text.startsWith(kHeader);
}

bool parseGimpPalette(const QByteArray& data, ColorList& list, QString& reason)
{
    if (!isGimpPalette(data)) {
        reason = tr("no \"GIMP Palette\" header line");
        return false;
    }
    // The header line is not read further: GIMP itself only looks at its beginning.
    const QList<QByteArray> lines = data.split('\n');
    ColorList read;
    for (int number = 1; number < lines.size(); ++number) {
        const QByteArray& line = lines[number];
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#') || trimmed.startsWith(kColumnsPrefix)) {
            continue;
        }
        if (trimmed.startsWith(kNamePrefix)) {
            read.name = cleanName(QString::fromUtf8(trimmed.mid(kNamePrefix.size())));
            continue;
        }
        int pos = 0;
        int rgb[3] = {};
        for (int& component : rgb) {
            if (!readComponent(line, pos, component)) {
                reason = tr("line %1 is not \"red green blue name\"").arg(number + 1);
                return false;
            }
        }
        read.swatches.append(
            {QColor(rgb[0], rgb[1], rgb[2]), cleanName(QString::fromUtf8(line.mid(pos)))});
    }
    list = read;
    return true;
}

QByteArray gimpPaletteText(const ColorList& list)
{
    QByteArray text = kHeader + '\n';
    text += kNamePrefix + ' ' + cleanName(list.name).toUtf8() + '\n';
    text += kColumnsPrefix + ' ' + QByteArray::number(kExportColumns) + '\n';
    text += "#\n";
    for (const ColorList::Swatch& swatch : list.swatches) {
        QByteArray line = QStringLiteral("%1 %2 %3")
                              .arg(swatch.color.red(), 3)
                              .arg(swatch.color.green(), 3)
                              .arg(swatch.color.blue(), 3)
                              .toLatin1();
        const QString name = cleanName(swatch.name);
        if (!name.isEmpty()) {
            line += '\t' + name.toUtf8();
        }
        text += line + '\n';
    }
    return text;
}
