#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QVariant>

// The settings file's text, read and written the way Qt's own ini format does (sections,
// escapes, quoted strings, comma lists, UTF-8 text), with one difference: values in Qt's
// serialized forms ("@Variant(...)", "@DateTime(...)", "@ByteArray(...)", "@String(...)",
// "@Rect(...)", "@Size(...)", "@Point(...)", "@Invalid()", any value that begins with a single
// "@") are never decoded. Decoding "@Variant(...)" runs a data stream whose counts come from the
// file, so a damaged file could make it allocate without bound. Such a value is kept as the
// file's raw text in a QByteArray (escapes and quotes included) and written back unchanged;
// readers take it for damaged. Plain values are never byte arrays.
namespace IniText {

// Keys are "section/key"; keys of the "[General]" section have no section.
using Values = QMap<QString, QVariant>;

// The values of the text. False when some line was not understood (it is skipped).
bool Read(const QByteArray& text, Values& values);
// The text of the values: sections in the order of their names, keys sorted within each.
// Values that are neither plain text nor kept serialized text are left out.
QByteArray Write(const Values& values);

// True for the values the text holds as plain text: strings, string lists, numbers and truth
// values.
bool IsPlainText(const QVariant& value);

} // namespace IniText
