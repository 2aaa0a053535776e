#pragma once

#include "swatches/ColorList.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// The main list file ("ColorDorvoColorList.json" in the plug-in configuration folder) as one
// swatch panel knows it: the text it last read there or wrote there. Panels write after every
// change, and more than one can be open at once (a modal and a modeless picker), so a panel asks
// reloadIfChanged before it changes anything, tells markShown what it shows after each reading,
// and never writes over a file it has not seen unless it has something new.
//
// A file that exists but cannot be read or holds no color list is never written over: it is
// moved aside to a numbered backup beside it first, and the debug output says so.
class ColorListStore
{
public:
    enum class Reading
    {
        Loaded,
        Missing,
        Damaged
    };

    // The default lists embedded in the plug-in: "Favorites" with white, black, red, green, blue.
    static constexpr const char* DefaultListResource =
        ":/Json/resources/ColorDorvoColorList_default.json";
    static QVector<ColorList> defaultLists();

    // The first free name of "<path>.bak", "<path>.bak.2", "<path>.bak.3", ...
    static QString backupPath(const QString& path);

    // Reads the main file into `lists`, which a Missing or Damaged file leaves empty.
    Reading load(QVector<ColorList>& lists);

    // Replaces `lists` with the file's when its text is not what this store last read or wrote;
    // true when it did. A missing file changes nothing; a damaged one is moved aside.
    bool reloadIfChanged(QVector<ColorList>& lists);

    // After load or a reload: `lists` is what the panel shows of the file it read, or of none (a
    // missing or damaged file). What a save would write is new only when it differs from that.
    void markShown(const QVector<ColorList>& lists);

    // Writes `lists` unless there is nothing new to write: the file already holds that text, or
    // `lists` is still what the panel showed when it last read or wrote the file, so whatever
    // another writer put there since is kept. A failure keeps the old file whole, is reported on
    // the debug output and gives false.
    bool save(const QVector<ColorList>& lists);

private:
    struct DiskState
    {
        bool exists = false;
        bool damaged = false;
        QString reason;
        QByteArray text;
        QVector<ColorList> lists;
    };

    DiskState readDisk() const;
    // Moves a damaged file out of the way; when that fails, writes stay blocked so that the
    // user's bytes are never replaced.
    void moveAside(const QString& path, const QString& reason);

    // The bytes last read from the file or written to it: whether another writer changed it.
    QByteArray knownText;
    bool knownExists = false;
    // The text of the lists the panel showed at that moment, in the form this store writes:
    // whether the panel has anything new. Compared as lists, not as the bytes read, since a file
    // in another layout (compact, CRLF, no "History") never reads back as the same bytes.
    QByteArray shownText;
    bool writeBlocked = false;
};
