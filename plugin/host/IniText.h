#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QSettings>
#include <QVariant>

class QIODevice;

// The settings file's text, read and written the way Qt's own ini format does (sections,
// escapes, quoted strings, comma lists, UTF-8 text), with one difference: values in Qt's
// serialized forms ("@Variant(...)", "@DateTime(...)", "@ByteArray(...)", "@String(...)",
// "@Rect(...)", "@Size(...)", "@Point(...)", "@Invalid()", any value that begins with a single
// "@") are never decoded. Decoding "@Variant(...)" runs a data stream whose counts come from the
// file, so a damaged file could make it allocate without bound. Such values are kept as the
// file's raw text and written back unchanged; readers take them for damaged.
namespace IniText {

// A value in one of the serialized forms, as the file holds it (escapes and quotes included).
struct SerializedValue
{
    QByteArray raw;
};

// QSettings read and write functions of the format: keys are "section/key", keys of the
// "[General]" section have no section.
bool Read(QIODevice& device, QSettings::SettingsMap& map);
bool Write(QIODevice& device, const QSettings::SettingsMap& map);

// True for the values the text holds as plain text: strings, string lists, numbers and truth
// values. Serialized values and every other type are not.
bool IsPlainText(const QVariant& value);

// The format, registered with QSettings on first use.
QSettings::Format Format();

} // namespace IniText

Q_DECLARE_METATYPE(IniText::SerializedValue)
