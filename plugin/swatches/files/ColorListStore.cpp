#include "swatches/files/ColorListStore.h"

#include "host/services/HostAccess.h"
#include "host/services/SettingsStore.h"
#include "swatches/files/ColorListFile.h"
#include "swatches/files/ImportLimits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>

#include <algorithm>
#include <utility>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorListStore", text);
}

int& lockWaitMs()
{
    static int milliseconds = 3000;
    return milliseconds;
}

// Whether accepted colors go to the front of "History" by themselves.
const QString kRememberColorsKey = QStringLiteral("RememberColors");

// Colors accepted by pickers without a panel that the main list file could not take yet, oldest
// first.
QVector<QColor>& waitingHistory()
{
    static QVector<QColor> colors;
    return colors;
}

// Why the last try to write them failed, for the listener.
QString& lastHistoryProblem()
{
    static QString problem;
    return problem;
}

} // namespace

ColorListStore::Lock::Lock(ColorListStore& owner) : store(owner)
{
    if (store.locked) {
        holds = true;
        return;
    }
    file = std::make_unique<QLockFile>(ColorListPath() + QStringLiteral(".lock"));
    file->setStaleLockTime(StaleLockMs);
    holds = file->tryLock(lockWait());
    if (holds) {
        store.locked = true;
        return;
    }
    if (file->error() == QLockFile::LockFailedError) {
        store.trouble = tr("is locked by another picker");
        return;
    }
    // No permission in the folder, or a full disk.
    store.trouble = tr("could not be written (no lock file could be made beside it)");
    HostAccess::DebugText(QStringLiteral("ColorDorvo: could not write the color list file %1 (no "
                                         "lock file could be made beside it); it keeps its "
                                         "previous contents\n")
                              .arg(QDir::toNativeSeparators(ColorListPath())));
}

ColorListStore::Lock::~Lock()
{
    if (file && holds) {
        file->unlock();
        store.locked = false;
    }
}

int ColorListStore::lockWait()
{
    return lockWaitMs();
}

void ColorListStore::setLockWait(int milliseconds)
{
    lockWaitMs() = milliseconds;
}

QVector<ColorList> ColorListStore::defaultLists()
{
    QFile file(QString::fromLatin1(DefaultListResource));
    QVector<ColorList> lists;
    QString reason;
    if (file.open(QIODevice::ReadOnly)) {
        parseColorListFile(file.readAll(), lists, reason);
    }
    return lists;
}

QString ColorListStore::backupPath(const QString& path)
{
    QString backup = path + QStringLiteral(".bak");
    for (int number = 2; QFile::exists(backup); ++number) {
        backup = path + QStringLiteral(".bak.%1").arg(number);
    }
    return backup;
}

ColorListStore::Reading ColorListStore::load(QVector<ColorList>& lists)
{
    lists.clear();
    knownText.clear();
    knownExists = false;
    trouble.clear();
    DiskState disk = readDisk();
    if (!disk.exists) {
        return Reading::Missing;
    }
    if (unreadable(disk)) {
        return Reading::Unreadable;
    }
    if (disk.damaged) {
        moveAside(ColorListPath(), disk.reason);
        return Reading::Damaged;
    }
    lists = disk.lists;
    knownText = disk.text;
    knownExists = true;
    return Reading::Loaded;
}

bool ColorListStore::reloadIfChanged(QVector<ColorList>& lists)
{
    const DiskState disk = readDisk();
    if (unreadable(disk)) {
        return false;
    }
    trouble.clear();
    if (!disk.exists || (knownExists && disk.text == knownText)) {
        return false;
    }
    if (disk.damaged) {
        moveAside(ColorListPath(), disk.reason);
        knownExists = false;
        return false;
    }
    lists = disk.lists;
    knownText = disk.text;
    knownExists = true;
    writeBlocked = false;
    return true;
}

void ColorListStore::markShown(const QVector<ColorList>& lists)
{
    shownText = colorListFileText(lists);
}

bool ColorListStore::save(const QVector<ColorList>& lists)
{
    std::unique_ptr<Lock> ownLock;
    if (!locked) {
        ownLock = std::make_unique<Lock>(*this);
        if (!ownLock->held()) {
            return false;
        }
    }
    trouble.clear();
    const QString path = ColorListPath();
    const QByteArray text = colorListFileText(lists);
    const DiskState disk = readDisk();
    if (unreadable(disk)) {
        return false;
    }
    if (disk.damaged) {
        moveAside(path, disk.reason);
    } else if (disk.exists && disk.text == text) {
        knownText = text;
        knownExists = true;
        shownText = text;
        return true;
    } else if (disk.exists && text == shownText) {
        // Another panel wrote the file since, also over a file this one found damaged or
        // missing; this one has nothing that file lacks.
        return true;
    }
    if (writeBlocked) {
        trouble = tr("could not be read nor moved aside");
        return false;
    }
    QString error;
    if (!WriteFileAtomically(path, text, &error)) {
        trouble = tr("could not be written (%1)").arg(error);
        HostAccess::DebugText(QStringLiteral("ColorDorvo: could not write the color list file %1 "
                                             "(%2); it keeps its previous contents\n")
                                  .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    knownText = text;
    knownExists = true;
    shownText = text;
    return true;
}

ColorListStore::DiskState ColorListStore::readDisk() const
{
    DiskState disk;
    QFile file(ColorListPath());
    if (!file.exists()) {
        return disk;
    }
    disk.exists = true;
    if (!file.open(QIODevice::ReadOnly)) {
        disk.unreadable = true;
        disk.reason = tr("cannot be opened (%1)").arg(file.errorString());
        return disk;
    }
    disk.text = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        disk.unreadable = true;
        disk.reason = tr("cannot be read (%1)").arg(file.errorString());
        return disk;
    }
    if (knownExists && disk.text == knownText) {
        return disk;
    }
    disk.damaged = !parseColorListFile(disk.text, disk.lists, disk.reason);
    return disk;
}

bool ColorListStore::unreadable(const DiskState& disk)
{
    if (disk.unreadable) {
        trouble = disk.reason;
    }
    return disk.unreadable;
}

void ColorListStore::moveAside(const QString& path, const QString& reason)
{
    const QString backup = backupPath(path);
    if (QFile::rename(path, backup)) {
        HostAccess::DebugText(
            QStringLiteral("ColorDorvo: the color list file %1 could not be read (%2); it was kept "
                           "as %3\n")
                .arg(QDir::toNativeSeparators(path), reason, QDir::toNativeSeparators(backup)));
        return;
    }
    writeBlocked = true;
    trouble = tr("could not be read nor moved aside");
    HostAccess::DebugText(
        QStringLiteral("ColorDorvo: the color list file %1 could not be read (%2) nor moved "
                       "aside; it is left as it is and the swatch lists are not saved\n")
            .arg(QDir::toNativeSeparators(path), reason));
}

void ColorListStore::rememberColor(HistoryView* view, const QColor& color)
{
    if (!remembersColors()) {
        return;
    }
    if (view) {
        view->changeHistory(
            [color](QVector<ColorList::Swatch>& history) { return rememberIn(history, color); });
        return;
    }
    waitingHistory().append(color);
    if (!writeWaitingHistory()) {
        HostAccess::ListenerText(
            QStringLiteral("ColorDorvo: the color list file %1 %2; the accepted color waits until "
                           "it can be written\n")
                .arg(QDir::toNativeSeparators(ColorListPath()), lastHistoryProblem()));
    }
}

void ColorListStore::giveWaitingHistory(HistoryView& view)
{
    if (waitingHistory().isEmpty()) {
        return;
    }
    const QVector<QColor> colors = std::exchange(waitingHistory(), {});
    view.changeHistory([colors](QVector<ColorList::Swatch>& history) {
        bool changed = false;
        for (const QColor& color : colors) {
            changed |= rememberIn(history, color);
        }
        return changed;
    });
}

bool ColorListStore::writeWaitingHistory()
{
    QVector<QColor>& colors = waitingHistory();
    if (colors.isEmpty()) {
        return true;
    }
    // As a panel would, under the file's lock: read the file, or start from the default lists,
    // put the colors still waiting in "History" and save.
    ColorListStore store;
    Lock lock(store);
    QVector<ColorList> lists;
    const Reading reading = lock.held() ? store.load(lists) : Reading::Unreadable;
    if (reading != Reading::Unreadable) {
        if (reading == Reading::Missing) {
            lists = defaultLists();
        }
        store.markShown(lists);
        // Titled as the panel's form titles its tab.
        const QString title = QCoreApplication::translate("ColorSwatchListWidget", "History");
        auto history = std::find_if(lists.begin(), lists.end(),
                                    [&](const ColorList& list) { return list.name == title; });
        if (history == lists.end()) {
            lists.append({title, {}});
            history = lists.end() - 1;
        }
        bool changed = false;
        for (const QColor& accepted : colors) {
            changed |= rememberIn(history->swatches, accepted);
        }
        if (!changed || store.save(lists)) {
            colors.clear();
            return true;
        }
    }
    lastHistoryProblem() = store.problem();
    return false;
}

bool ColorListStore::rememberIn(QVector<ColorList::Swatch>& history, const QColor& color)
{
    if (!history.isEmpty() && history.first().color.rgb() == color.rgb()) {
        return false;
    }
    QColor opaque = color;
    opaque.setAlpha(255);
    history.prepend({opaque, QString()});
    if (history.size() > MaxTabSwatches) {
        history.resize(MaxTabSwatches);
    }
    return true;
}

bool ColorListStore::remembersColors()
{
    QVariant on(true);
    ReadSetting(QString::fromLatin1(SettingsGroup), kRememberColorsKey, on);
    return on.toBool();
}

void ColorListStore::setRemembersColors(bool on)
{
    WriteSetting(QString::fromLatin1(SettingsGroup), kRememberColorsKey, on);
}
