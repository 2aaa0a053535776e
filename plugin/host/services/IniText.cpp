#include "host/services/IniText.h"

#include <QStringList>

#include <algorithm>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

namespace {

bool IsLineSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsLineSpecial(char c)
{
    return c == '\n' || c == '\r' || c == '"' || c == ';' || c == '=' || c == '\\';
}

// One logical line of the text: it may go on over line ends inside quotes or after a
// backslash, and ends early at a ';' outside quotes (the rest is a comment).
struct Line
{
    int start = 0;
    int end = 0;
    int equals = -1; // the first '=' outside quotes, or -1
};

// The next line from `pos` on, skipping blank lines and comment lines; false at the end.
bool NextLine(const QByteArray& data, int& pos, Line& line)
{
    const int size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    line.start = pos;
    while (line.start < size && IsLineSpace(data.at(line.start))) {
        ++line.start;
    }
    int i = line.start;
    while (i < size) {
        const char ch = data.at(i);
        if (!IsLineSpecial(ch)) {
            ++i;
            continue;
        }
        ++i;
        if (ch == '=') {
            if (!inQuotes && line.equals == -1) {
                line.equals = i - 1;
            }
        } else if (ch == '\n' || ch == '\r') {
            if (i == line.start + 1) {
                ++line.start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            // The escaped character is taken whole; an escaped line end may be two characters.
            if (i < size) {
                const char escaped = data.at(i++);
                if (i < size) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n')) {
                        ++i;
                    }
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == line.start + 1) { // ';' opening a comment line
            while (i < size && data.at(i) != '\n' && data.at(i) != '\r') {
                ++i;
            }
            while (i < size && IsLineSpace(data.at(i))) {
                ++i;
            }
            line.start = i;
        } else if (!inQuotes) { // ';' ending the line's contents
            --i;
            break;
        }
    }
    pos = i;
    line.end = i;
    return line.end > line.start;
}

// A section or key name: "\" stands for "/", "%XX" and "%UXXXX" for the character with that
// code, other bytes are Latin-1 characters.
QString UnescapedKey(const QByteArray& data, int from, int to)
{
    QString result;
    int i = from;
    while (i < to) {
        const char ch = data.at(i);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QLatin1Char(ch);
            ++i;
            continue;
        }
        int digitsAt = i + 1;
        int digits = 2;
        if (data.at(digitsAt) == 'U') {
            ++digitsAt;
            digits = 4;
        }
        bool ok = false;
        const int code = digitsAt + digits <= to ? data.mid(digitsAt, digits).toInt(&ok, 16) : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(ushort(code));
        i = digitsAt + digits;
    }
    return result;
}

void ChopTrailingSpaces(QString& text, int limit)
{
    int n = text.size();
    while (n > limit &&
           (text.at(n - 1) == QLatin1Char(' ') || text.at(n - 1) == QLatin1Char('\t'))) {
        --n;
    }
    text.truncate(n);
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The text of a value: escapes resolved, quotes removed, unquoted spaces around items dropped.
// An unquoted comma makes it a list; `items` then holds the items and the result is true.
bool UnescapedValue(const QByteArray& data, int from, int to, QString& text, QStringList& items)
{
    bool isList = false;
    bool inQuotes = false;
    bool itemQuoted = false;
    int chopLimit = 0; // characters before this came from escapes and quotes and are kept
    int i = from;
    auto skipSpaces = [&] {
        while (i < to && (data.at(i) == ' ' || data.at(i) == '\t')) {
            ++i;
        }
        chopLimit = text.size();
    };
    skipSpaces();
    // A text that ends inside an escape keeps its trailing spaces, as Qt's reader does.
    bool endsInEscape = false;
    while (i < to && !endsInEscape) {
        const char ch = data.at(i);
        if (ch == '\\') {
            ++i;
            if (i >= to) {
                endsInEscape = true;
                break;
            }
            const char escaped = data.at(i++);
            static const char simple[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                             {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                             {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            bool simpleEscape = false;
            for (const auto& code : simple) {
                if (escaped == code[0]) {
                    text += QLatin1Char(code[1]);
                    simpleEscape = true;
                    break;
                }
            }
            const bool hex = escaped == 'x' && i < to && HexDigit(data.at(i)) >= 0;
            if (simpleEscape) {
                // taken as it is
            } else if (hex || (escaped >= '0' && escaped <= '7')) {
                // As many digits as follow; the code is taken modulo 2^16.
                unsigned code = hex ? 0 : unsigned(escaped - '0');
                while (i < to &&
                       (hex ? HexDigit(data.at(i)) >= 0 : data.at(i) >= '0' && data.at(i) <= '7')) {
                    code = hex ? (code << 4) + unsigned(HexDigit(data.at(i)))
                               : (code << 3) + unsigned(data.at(i) - '0');
                    ++i;
                }
                text += QChar(ushort(code & 0xFFFF));
                if (i >= to) {
                    endsInEscape = true;
                    break;
                }
            } else if (escaped == 'x') {
                if (i >= to) {
                    endsInEscape = true;
                    break;
                }
            } else if (escaped == '\n' || escaped == '\r') {
                if (i < to) {
                    const char next = data.at(i);
                    if ((next == '\n' || next == '\r') && next != escaped) {
                        ++i;
                    }
                }
            }
            // Any other escaped character is dropped.
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            itemQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
            }
        } else if (ch == ',' && !inQuotes) {
            if (!itemQuoted) {
                ChopTrailingSpaces(text, chopLimit);
            }
            isList = true;
            items.append(text);
            text.clear();
            itemQuoted = false;
            ++i;
            skipSpaces();
        } else {
            int j = i + 1;
            while (j < to && data.at(j) != '\\' && data.at(j) != '"' && data.at(j) != ',') {
                ++j;
            }
            text += QString::fromUtf8(data.constData() + i, j - i);
            i = j;
        }
    }
    if (!itemQuoted && !endsInEscape) {
        ChopTrailingSpaces(text, chopLimit);
    }
    if (isList) {
        items.append(text);
    }
    return isList;
}

// Where Qt's ini format would decode a value from its text: a single leading "@". A doubled
// "@@" stands for a plain text beginning with one.
bool IsSerializedText(const QString& text)
{
    return text.startsWith(QLatin1Char('@')) && !text.startsWith(QLatin1String("@@"));
}

QString PlainText(const QString& text)
{
    return text.startsWith(QLatin1String("@@")) ? text.mid(1) : text;
}

QVariant ValueOf(const QByteArray& data, int from, int to)
{
    QString text;
    QStringList items;
    if (UnescapedValue(data, from, to, text, items)) {
        for (const QString& item : items) {
            if (IsSerializedText(item)) {
                return QVariant(data.mid(from, to - from));
            }
        }
        for (QString& item : items) {
            item = PlainText(item);
        }
        return items;
    }
    if (IsSerializedText(text)) {
        return QVariant(data.mid(from, to - from));
    }
    return PlainText(text);
}

// A section or key name as the format writes it: "/" as "\", letters, digits, "_", "-" and
// "." as they are, other characters as "%XX" or "%UXXXX".
QByteArray EscapedKey(const QString& key)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray result;
    for (const QChar c : key) {
        const ushort ch = c.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                   (ch >= '0' && ch <= '9') || ch == '_' || ch == '-' || ch == '.') {
            result += char(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += hex[ch >> 4];
            result += hex[ch & 0xF];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4) {
                result += hex[(ch >> shift) & 0xF];
            }
        }
    }
    return result;
}

// A text in the value syntax: control characters, quotes and backslashes escaped, other
// characters as UTF-8, and quoted when it holds a separator or begins or ends with a space.
QByteArray EscapedText(const QString& text)
{
    QByteArray result;
    bool needsQuotes = false;
    bool escapeNextIfHexDigit = false; // a hex digit after "\x.." or "\0" would extend it
    for (int i = 0; i < text.size(); ++i) {
        const ushort ch = text.at(i).unicode();
        if (ch == ';' || ch == ',' || ch == '=') {
            needsQuotes = true;
        }
        if (escapeNextIfHexDigit && ch < 0x80 && HexDigit(char(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfHexDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfHexDigit = true;
            break;
        case '\a':
            result += "\\a";
            break;
        case '\b':
            result += "\\b";
            break;
        case '\f':
            result += "\\f";
            break;
        case '\n':
            result += "\\n";
            break;
        case '\r':
            result += "\\r";
            break;
        case '\t':
            result += "\\t";
            break;
        case '\v':
            result += "\\v";
            break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (text.at(i).isHighSurrogate() && i + 1 < text.size() &&
                text.at(i + 1).isLowSurrogate()) {
                result += text.mid(i, 2).toUtf8();
                ++i;
            } else if (ch <= 0x1F || text.at(i).isSurrogate() || ch == 0xFEFF) {
                // A lone surrogate has no UTF-8 form, and a byte order mark would be dropped by
                // the reader where a run of text begins with it.
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfHexDigit = true;
            } else {
                result += QString(text.at(i)).toUtf8();
            }
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        result = '"' + result + '"';
    }
    return result;
}

QByteArray EscapedItem(QString text)
{
    if (text.startsWith(QLatin1Char('@'))) {
        text.prepend(QLatin1Char('@'));
    }
    return EscapedText(text);
}

// The value's text on a line ending with `eol`, or false for a value that has no plain text
// form.
bool ValueText(const QVariant& value, const QByteArray& eol, QByteArray& text)
{
    if (value.userType() == QMetaType::QByteArray) {
        // Serialized text kept as the file had it, but only where it still ends at its own line
        // end: text that ended the file inside quotes or after a backslash would swallow the
        // lines written after it, and an escaped LF takes the CR of a CR LF line end with it.
        text = value.toByteArray();
        const QByteArray alone = "k=" + text + eol;
        int pos = 0;
        Line line;
        return NextLine(alone, pos, line) && line.start == 0 && line.equals == 1 &&
               line.end == alone.size() - eol.size();
    }
    if (!IniText::IsPlainText(value)) {
        return false;
    }
    if (value.userType() == QMetaType::QStringList) {
        const QStringList items = value.toStringList();
        if (items.isEmpty()) {
            text = "@Invalid()"; // as Qt writes an empty list; it reads back as no value
        } else {
            QByteArrayList escaped;
            for (const QString& item : items) {
                escaped << EscapedItem(item);
            }
            text = escaped.join(", ");
        }
        return true;
    }
    text = EscapedItem(value.toString());
    return true;
}

} // namespace

namespace IniText {

namespace {

// Where the keys set go: after every place a file's line can have.
constexpr int FirstSetPosition = 0x40000000;

} // namespace

Document::Document(Rules rules) : mRules(rules), mNextPosition(FirstSetPosition)
{
}

QString Document::Folded(const QString& key) const
{
    return mRules == Rules::Windows ? key.toLower() : key;
}

void Document::Insert(const QString& key, const QVariant& value, int position)
{
    const QString folded = Folded(key);
    const auto it = mEntries.find(folded);
    if (it == mEntries.end()) {
        mEntries.insert(folded, Entry{key, value, position});
    } else {
        it->value = value; // the first spelling and place stay
    }
}

bool Document::Read(const QByteArray& text)
{
    mEntries.clear();
    mNextPosition = FirstSetPosition;
    QByteArray data = text;
    if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
    }
    // Qt's reader gathers the parts of the file under one section name (as the rules compare
    // names) into one section, spelled as its first part, and numbers its keys on from the place
    // of that first part's heading: the place counts every line, a heading twice. The keys
    // before any heading belong to "[General]", at place 0.
    struct Section
    {
        QString prefix; // the spelling, with a closing "/"; empty for "[General]"
        int nextKeyPosition;
    };
    std::map<QString, Section> sections{{QString(), Section{QString(), 0}}};
    Section* section = &sections.begin()->second;
    int position = 0;
    bool ok = true;
    int pos = 0;
    Line line;
    while (NextLine(data, pos, line)) {
        if (data.at(line.start) == '[') {
            const int close = data.indexOf(']', line.start);
            QByteArray name;
            if (close == -1 || close >= line.end) {
                ok = false;
                name = data.mid(line.start + 1, line.end - line.start - 1);
            } else {
                name = data.mid(line.start + 1, close - line.start - 1);
            }
            name = name.trimmed();
            QString prefix;
            if (qstricmp(name.constData(), "general") == 0) {
                // stays empty
            } else if (qstricmp(name.constData(), "%general") == 0) {
                prefix = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            } else {
                prefix = UnescapedKey(name, 0, name.size()) + QLatin1Char('/');
            }
            const int headingPosition = ++position;
            ++position;
            section =
                &sections.emplace(Folded(prefix), Section{prefix, headingPosition}).first->second;
            continue;
        }
        ++position;
        if (line.equals == -1) {
            ok = false;
            continue;
        }
        int keyEnd = line.equals;
        while (keyEnd > line.start && (data.at(keyEnd - 1) == ' ' || data.at(keyEnd - 1) == '\t')) {
            --keyEnd;
        }
        // Empty parts of a name ("[]", "a\\b" in the file, "=v") are dropped, as QSettings
        // drops them from the keys it is asked for.
        QString key;
        for (const QString& part : QString(section->prefix + UnescapedKey(data, line.start, keyEnd))
                                       .split(QLatin1Char('/'))) {
            if (!part.isEmpty()) {
                key += (key.isEmpty() ? QString() : QStringLiteral("/")) + part;
            }
        }
        Insert(key, ValueOf(data, line.equals + 1, line.end), section->nextKeyPosition++);
    }
    return ok;
}

QByteArray Document::Write() const
{
    const bool windows = mRules == Rules::Windows;
    const QByteArray eol = windows ? "\r\n" : "\n";
    // Qt orders sections by the first place among their keys, and keys by their places; names
    // decide between equal places. Off Windows it keeps no places, so names alone decide.
    struct KeyLine
    {
        int position;
        QString key;
        QByteArray text;
    };
    struct Section
    {
        int position = std::numeric_limits<int>::max();
        QString name;
        std::vector<KeyLine> lines;
    };
    std::map<QString, Section> byName;
    for (const Entry& entry : mEntries) {
        QByteArray text;
        if (!ValueText(entry.value, eol, text)) {
            continue;
        }
        const int slash = entry.key.indexOf(QLatin1Char('/'));
        const QString name = slash == -1 ? QString() : entry.key.left(slash);
        const QString key = slash == -1 ? entry.key : entry.key.mid(slash + 1);
        const int position = windows ? entry.position : 0;
        Section& section = byName[name];
        section.name = name;
        section.position = std::min(section.position, position);
        section.lines.push_back(KeyLine{position, key, EscapedKey(key) + '=' + text + eol});
    }
    std::vector<Section*> sections;
    for (auto& named : byName) {
        sections.push_back(&named.second);
    }
    std::sort(sections.begin(), sections.end(), [](const Section* a, const Section* b) {
        return std::tie(a->position, a->name) < std::tie(b->position, b->name);
    });
    QByteArray out;
    for (Section* section : sections) {
        std::sort(section->lines.begin(), section->lines.end(),
                  [](const KeyLine& a, const KeyLine& b) {
                      return std::tie(a.position, a.key) < std::tie(b.position, b.key);
                  });
        if (!out.isEmpty()) {
            out += eol;
        }
        QByteArray name = EscapedKey(section->name);
        if (name.isEmpty()) {
            name = "General";
        } else if (qstricmp(name.constData(), "general") == 0) {
            // Qt writes this heading in one spelling, which only the rules on Windows read as
            // the same name; elsewhere the name's own spelling is kept.
            name = windows ? QByteArray("%General") : '%' + name;
        }
        out += '[' + name + ']' + eol;
        for (const KeyLine& line : section->lines) {
            out += line.text;
        }
    }
    return out;
}

QVariant Document::Value(const QString& key) const
{
    return mEntries.value(Folded(key)).value;
}

void Document::SetValue(const QString& key, const QVariant& value)
{
    Insert(key, value, mNextPosition++);
}

void Document::SetValues(const Document& other)
{
    std::vector<const Entry*> entries;
    for (const Entry& entry : other.mEntries) {
        entries.push_back(&entry);
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry* a, const Entry* b) { return a->position < b->position; });
    for (const Entry* entry : entries) {
        SetValue(entry->key, entry->value);
    }
}

Values Document::All() const
{
    Values values;
    for (const Entry& entry : mEntries) {
        values.insert(entry.key, entry.value);
    }
    return values;
}

bool Read(const QByteArray& text, Values& values)
{
    Document document(Rules::Elsewhere);
    const bool ok = document.Read(text);
    const Values read = document.All();
    for (auto it = read.constBegin(); it != read.constEnd(); ++it) {
        values.insert(it.key(), it.value());
    }
    return ok;
}

QByteArray Write(const Values& values)
{
    Document document(Rules::Elsewhere);
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        document.SetValue(it.key(), it.value());
    }
    return document.Write();
}

bool IsPlainText(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::QString:
    case QMetaType::QStringList:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace IniText
