#include "swatches/files/AdobeSwatchFile.h"

#include "swatches/files/AdobeColorConversion.h"
#include "swatches/files/BigEndianReader.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {

const QByteArray kSignature = QByteArrayLiteral("ASEF");
constexpr quint16 kColorBlock = 0x0001;
constexpr quint16 kGroupStart = 0xC001;
constexpr quint16 kGroupEnd = 0xC002;
constexpr quint16 kNormalColor = 2;
// A name's count is 16 bits and includes the closing zero.
constexpr int kMaxNameUnits = 0xFFFE;

QString tr(const char* text)
{
    return QCoreApplication::translate("AdobeSwatchFile", text);
}

void putU16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    out.append(bytes, 2);
}

void putU32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void putFloat(QByteArray& out, float value)
{
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

QByteArray nameBytes(const QString& name)
{
    const QString cut = BigEndianReader::swatchName(name.left(kMaxNameUnits));
    QByteArray out;
    putU16(out, static_cast<quint16>(cut.size() + 1));
    for (const QChar c : cut) {
        putU16(out, c.unicode());
    }
    putU16(out, 0);
    return out;
}

void putBlock(QByteArray& out, quint16 type, const QByteArray& body)
{
    putU16(out, type);
    putU32(out, static_cast<quint32>(body.size()));
    out += body;
}

} // namespace

bool isAdobeSwatchExchange(const QByteArray& data)
{
    return data.startsWith(kSignature);
}

bool parseAdobeSwatchExchange(const QByteArray& data, QVector<ColorList>& lists, QString& reason)
{
    if (!isAdobeSwatchExchange(data)) {
        reason = tr("no \"ASEF\" signature");
        return false;
    }
    BigEndianReader file(data);
    file.skip(kSignature.size());
    quint16 major = 0, minor = 0;
    quint32 blocks = 0;
    if (!file.readU16(major) || !file.readU16(minor) || !file.readU32(blocks)) {
        reason = tr("the header is cut short");
        return false;
    }
    if (major != 1) {
        reason = tr("version %1.%2, not 1").arg(major).arg(minor);
        return false;
    }

    ColorList loose;
    QVector<ColorList> groups;
    ColorList* current = &loose;
    int colors = 0;
    // The count is not trusted for anything but where to stop: a block is only read when its
    // bytes are there.
    for (quint32 block = 1; block <= blocks; ++block) {
        quint16 type = 0;
        quint32 length = 0;
        if (!file.readU16(type) || !file.readU32(length)) {
            reason = tr("block %1 of %2 is missing").arg(block).arg(blocks);
            return false;
        }
        BigEndianReader body(data);
        if (!file.take(length, body)) {
            reason = tr("block %1 runs past the end of the file").arg(block);
            return false;
        }
        if (type == kGroupEnd) {
            current = &loose;
            continue;
        }
        if (type != kColorBlock && type != kGroupStart) {
            continue;
        }
        QString name;
        // Some writers leave a group without a name with no bytes at all, not even the count.
        const bool unnamedGroup = type == kGroupStart && length == 0;
        if (!unnamedGroup && !body.readUtf16Name(name)) {
            reason = tr("the name in block %1 runs past its block").arg(block);
            return false;
        }
        if (type == kGroupStart) {
            // Groups do not nest: a group opened inside another ends that one.
            groups.append({name, {}});
            current = &groups.last();
            continue;
        }
        ++colors;
        char model[4];
        if (!body.readBytes(model, sizeof model)) {
            reason = tr("color %1 has no color model").arg(colors);
            return false;
        }
        const QByteArray modelName(model, sizeof model);
        const int count = modelName == "RGB " || modelName == "LAB " ? 3
                          : modelName == "CMYK"                      ? 4
                          : modelName == "Gray"                      ? 1
                                                                     : 0;
        if (count == 0) {
            reason = tr("color %1 has the unknown color model \"%2\"")
                         .arg(colors)
                         .arg(QString::fromLatin1(modelName.toPercentEncoding(" ")));
            return false;
        }
        float v[4] = {};
        for (int i = 0; i < count; ++i) {
            if (!body.readFloat(v[i])) {
                reason = tr("color %1 is cut short").arg(colors);
                return false;
            }
            if (!std::isfinite(v[i])) {
                reason = tr("color %1 has a component that is not a number").arg(colors);
                return false;
            }
        }
        // The color type (global, spot, normal) that follows says nothing about the color.
        QColor color;
        if (modelName == "RGB ") {
            color = QColor(unitToChannel(v[0]), unitToChannel(v[1]), unitToChannel(v[2]));
        } else if (modelName == "Gray") {
            const int level = unitToChannel(v[0]);
            color = QColor(level, level, level);
        } else if (modelName == "CMYK") {
            color = colorFromInk(v[0], v[1], v[2], v[3]);
        } else {
            color = colorFromLab(v[0] * 100.0, v[1], v[2]);
        }
        current->swatches.append({color, name});
    }

    QVector<ColorList> read;
    if (!loose.swatches.isEmpty() || groups.isEmpty()) {
        read.append(loose);
    }
    read += groups;
    lists = read;
    return true;
}

QByteArray adobeSwatchExchangeData(const QVector<ColorList>& lists)
{
    QByteArray blocks;
    quint32 count = 0;
    for (const ColorList& list : lists) {
        putBlock(blocks, kGroupStart, nameBytes(list.name));
        ++count;
        for (const ColorList::Swatch& swatch : list.swatches) {
            QByteArray body = nameBytes(swatch.name);
            body += "RGB ";
            putFloat(body, swatch.color.red() / 255.0f);
            putFloat(body, swatch.color.green() / 255.0f);
            putFloat(body, swatch.color.blue() / 255.0f);
            putU16(body, kNormalColor);
            putBlock(blocks, kColorBlock, body);
            ++count;
        }
        putBlock(blocks, kGroupEnd, QByteArray());
        ++count;
    }
    QByteArray out = kSignature;
    putU16(out, 1);
    putU16(out, 0);
    putU32(out, count);
    return out + blocks;
}
