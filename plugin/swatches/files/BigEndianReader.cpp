#include "swatches/files/BigEndianReader.h"

#include <QtEndian>

#include <cstring>

bool BigEndianReader::skip(qint64 count)
{
    if (count < 0 || count > left()) {
        return false;
    }
    m_pos += count;
    return true;
}

bool BigEndianReader::readU16(quint16& value)
{
    if (left() < 2) {
        return false;
    }
    value = qFromBigEndian<quint16>(m_data.constData() + m_pos);
    m_pos += 2;
    return true;
}

bool BigEndianReader::readU32(quint32& value)
{
    if (left() < 4) {
        return false;
    }
    value = qFromBigEndian<quint32>(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool BigEndianReader::readFloat(float& value)
{
    quint32 bits = 0;
    if (!readU32(bits)) {
        return false;
    }
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool BigEndianReader::readBytes(char* out, int count)
{
    if (count < 0 || count > left()) {
        return false;
    }
    std::memcpy(out, m_data.constData() + m_pos, static_cast<size_t>(count));
    m_pos += count;
    return true;
}

bool BigEndianReader::take(quint32 count, BigEndianReader& part)
{
    if (count > left()) {
        return false;
    }
    part.m_pos = m_pos;
    part.m_end = m_pos + count;
    m_pos += count;
    return true;
}

bool BigEndianReader::readUtf16(quint32 units, QString& text)
{
    if (units > left() / 2) {
        return false;
    }
    QString read;
    read.resize(static_cast<int>(units));
    for (QChar& c : read) {
        quint16 unit = 0;
        readU16(unit);
        c = QChar(unit);
    }
    text = swatchName(read);
    return true;
}

bool BigEndianReader::readUtf16Name(QString& text)
{
    quint16 units = 0;
    return readU16(units) && readUtf16(units, text);
}

QString BigEndianReader::swatchName(const QString& text)
{
    QString name = text.left(text.indexOf(QChar(0)));
    for (int i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            name[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return name;
}
