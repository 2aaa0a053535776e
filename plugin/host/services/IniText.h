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

// Qt keeps ini files one way on Windows and another elsewhere:
// - Windows: section and key names are matched without regard to case (QString::toLower). A
//   name keeps the spelling it was first read or set with; a later line or write under the same
//   name in another case changes only the value. All parts of the file under one section name
//   are read as one section, under the first part's spelling. Sections and keys are written in
//   the order the file had them; keys set that the file did not have follow, in the order they
//   were first set, and a key's section is the spelling of its own name, so a new key under a
//   section spelled otherwise in the file starts a section of its own. Lines end with CR LF.
// - Elsewhere: names are matched as spelled, sections are written sorted by name and keys
//   sorted within each, and lines end with LF.
enum class Rules
{
    Elsewhere,
    Windows
};

#ifdef Q_OS_WIN
constexpr Rules NativeRules = Rules::Windows;
#else
constexpr Rules NativeRules = Rules::Elsewhere;
#endif

// Keys are "section/key"; keys of the "[General]" section have no section.
using Values = QMap<QString, QVariant>;

// The settings file's values as Qt keeps them under the given rules.
class Document
{
public:
    explicit Document(Rules rules = NativeRules);

    // Replaces the values with the text's. False when some line was not understood (it is
    // skipped).
    bool Read(const QByteArray& text);
    // The text of the values. Values that are neither plain text nor kept serialized text are
    // left out.
    QByteArray Write() const;

    // The value under the key, or an invalid value.
    QVariant Value(const QString& key) const;
    // Sets the value under the key. A key the document did not have goes after all others.
    void SetValue(const QString& key, const QVariant& value);
    // Sets the other document's values here, in the order they were set there.
    void SetValues(const Document& other);
    // Every value under its key as spelled.
    Values All() const;
    bool IsEmpty() const { return mEntries.isEmpty(); }

private:
    struct Entry
    {
        QString key; // as spelled
        QVariant value;
        int position; // the place in the file, or after it for keys set
    };

    QString Folded(const QString& key) const;
    void Insert(const QString& key, const QVariant& value, int position);

    Rules mRules;
    QMap<QString, Entry> mEntries; // by the name as the rules compare it
    int mNextPosition;
};

// The values of the text under the rules off Windows. False when some line was not understood.
bool Read(const QByteArray& text, Values& values);
// The text of the values under the rules off Windows: sections in the order of their names,
// keys sorted within each.
QByteArray Write(const Values& values);

// True for the values the text holds as plain text: strings, string lists, numbers and truth
// values.
bool IsPlainText(const QVariant& value);

} // namespace IniText
