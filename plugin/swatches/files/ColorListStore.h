#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class QLockFile;

// The main list file ("ColorDorvoColorList.json" in the plug-in configuration folder) as one
// swatch panel knows it: the text it last read there or wrote there. Panels write after every
// change, and more than one can be open at once (a modal and a modeless picker, or pickers of two
// hosts), so a panel holds the file's Lock from before it reads to after it writes, asks
// reloadIfChanged before it changes anything, tells markShown what it shows after each reading,
// and never writes over a file it has not seen unless it has something new.
//
// A file that was read but holds no color list is never written over: it is moved aside to a
// numbered backup beside it first, and the debug output says so. A file that exists but cannot
// be opened or read (no permission, or another program holding it) is left as it is and nothing
// is written over it until it can be read again; problem() says so.
class ColorListStore
{
public:
    enum class Reading
    {
        Loaded,
        Missing,
        Damaged,
        Unreadable
    };

    // "<list file>.lock" beside the file, held from the reading before a change to the writing
    // after it, so that two writers (in one process or two) never write from the same reading.
    // Waits for another writer's lock up to lockWait(); a lock older than StaleLockMs was left by
    // a writer that died. Nested locks on one store hold the first one's lock.
    class Lock
    {
    public:
        explicit Lock(ColorListStore& store);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        // False when the wait ran out or the lock file cannot be made; problem() says which.
        bool held() const { return holds; }

    private:
        ColorListStore& store;
        std::unique_ptr<QLockFile> file;
        bool holds = false;
    };
    static constexpr int StaleLockMs = 30000;
    // How long a writer waits for another's lock: 3 seconds, the UI thread included.
    static int lockWait();
    // Tests that hold the lock themselves shorten the wait.
    static void setLockWait(int milliseconds);

    // The default lists embedded in the plug-in: "Favorites" with white, black, red, green, blue.
    static constexpr const char* DefaultListResource =
        ":/Json/resources/ColorDorvoColorList_default.json";
    static QVector<ColorList> defaultLists();

    // The first free name of "<path>.bak", "<path>.bak.2", "<path>.bak.3", ...
    static QString backupPath(const QString& path);

    // Reads the main file into `lists`, which a Missing, Damaged or Unreadable file leaves empty.
    Reading load(QVector<ColorList>& lists);

    // Replaces `lists` with the file's when its text is not what this store last read or wrote;
    // true when it did. A missing or unreadable file changes nothing; a damaged one is moved
    // aside.
    bool reloadIfChanged(QVector<ColorList>& lists);

    // After load or a reload: `lists` is what the panel shows of the file it read, or of none (a
    // missing or damaged file). What a save would write is new only when it differs from that.
    void markShown(const QVector<ColorList>& lists);

    // Writes `lists` unless there is nothing new to write: the file already holds that text, or
    // `lists` is still what the panel showed when it last read or wrote the file, so whatever
    // another writer put there since is kept. Writes only under the Lock (taken here when the
    // caller holds none) and never over a file it cannot read. A failure keeps the old file
    // whole, a failed write is reported on the debug output, and the result is false.
    bool save(const QVector<ColorList>& lists);

    // What shows one picker's "History": its swatch panel. It makes `edit` on its History tab as
    // it makes every change to its tabs: under the file's lock, after taking in the file as it
    // is, and saved after. `edit` says whether it changed anything.
    class HistoryView
    {
    public:
        using HistoryEdit = std::function<bool(QVector<ColorList::Swatch>& history)>;
        virtual bool changeHistory(const HistoryEdit& edit) = 0;

    protected:
        ~HistoryView() = default;
    };

    // A color the user accepted in a picker whose panel is `view`, null for a picker without
    // one, goes to History; nothing happens while the switch below is off. Without a panel it
    // goes straight on the main file: a color the file cannot take then waits, is named in the
    // listener, and goes with the next color accepted without a panel, into the next panel that
    // opens (giveWaitingHistory) or at the host's shutdown (writeWaitingHistory).
    static void rememberColor(HistoryView* view, const QColor& color);
    // A panel that opens takes the colors still waiting.
    static void giveWaitingHistory(HistoryView& view);
    // Writes the colors accepted without a panel that the file could not take yet; true when none
    // is left waiting. The host's shutdown gives them this last chance.
    static bool writeWaitingHistory();
    // Puts `color`, opaque, in front of `history` unless it equals the first there in red, green
    // and blue; keeps the first MaxTabSwatches. True when `history` changed.
    static bool rememberIn(QVector<ColorList::Swatch>& history, const QColor& color);
    // The switch (the panel's "S" menu has it), stored in the settings; on unless turned off.
    static bool remembersColors();
    static void setRemembersColors(bool on);
    // The settings group of the swatch panel, the switch's among them.
    static constexpr const char* SettingsGroup = "ColorDorvoSwatches";

    // Why the last lock, reading or save did not reach the file, to follow "the color list
    // file": "is locked by another picker", "cannot be opened (Permission denied)". Empty when
    // it did.
    QString problem() const { return trouble; }

private:
    struct DiskState
    {
        bool exists = false;
        bool unreadable = false;
        bool damaged = false;
        QString reason;
        QByteArray text;
        QVector<ColorList> lists;
    };

    DiskState readDisk() const;
    // Notes a file that cannot be opened or read; true when `disk` is one.
    bool unreadable(const DiskState& disk);
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
    bool locked = false;
    QString trouble;
};
