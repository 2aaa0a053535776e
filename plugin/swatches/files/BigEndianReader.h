#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Reads big-endian fields from a byte array without ever reading past its end: every read
// checks what is left first and, when too little is, reads nothing and returns false. For the
// binary swatch files, which come from anywhere.
class BigEndianReader
{
public:
    explicit BigEndianReader(const QByteArray& data) : m_data(data), m_end(data.size()) {}

    qint64 left() const { return m_end - m_pos; }
    bool atEnd() const { return m_pos == m_end; }

    bool skip(qint64 count);
    bool readU16(quint16& value);
    bool readU32(quint32& value);
    bool readFloat(float& value);
    bool readBytes(char* out, int count);
    // The next `count` bytes as a reader of their own, and this one past them.
    bool take(quint32 count, BigEndianReader& part);
    // `units` UTF-16 code units as a swatch name (see swatchName).
    bool readUtf16(quint32 units, QString& text);
    // A name counted in 16 bits, the closing zero included.
    bool readUtf16Name(QString& text);

    // What a swatch name can be in these files and in the panel: the text before the first
    // zero, with any unpaired surrogate replaced by U+FFFD.
    static QString swatchName(const QString& text);

private:
    const QByteArray& m_data;
    qint64 m_pos = 0;
    qint64 m_end = 0;
};
