#include "swatches/ColorListStore.h"

#include "host/services/HostAccess.h"
#include "host/services/SettingsStore.h"
#include "swatches/ColorListFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>

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
