#include "host/services/SettingsStore.h"

#include "host/services/HostServices.h"
#include "host/services/IniText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

#include <memory>

namespace {

// The settings file's values as last read, with the values written since laid over them.
// Written values reach the file once control is back in the event loop, and at the latest when
// the store closes, the way a QSettings store syncs. QSettings itself is not used: its ini
// reader decodes serialized values (see IniText), and a format registered with it would outlive
// this module in Qt's tables when the host unloads the module.
struct Store
{
    explicit Store(IniText::Rules fileRules)
        : rules(fileRules), values(fileRules), changes(fileRules)
    {
    }

    IniText::Rules rules;
    QString path;
    IniText::Document values;
    IniText::Document changes; // in the order first written, as QSettings places new keys
    QTimer flushTimer;
};

std::unique_ptr<Store>& TheStore()
{
    static std::unique_ptr<Store> store;
    return store;
}

void ReadFile(const QString& path, IniText::Document& document)
{
    QFile file(path);
    document.Read(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
}

// Writes the changes over what the file holds now, so that values another writer put there
// meanwhile are kept. A file that cannot be written keeps the changes for the next try.
void Flush(Store& store)
{
    store.flushTimer.stop();
    if (store.changes.IsEmpty()) {
        return;
    }
    IniText::Document file(store.rules);
    ReadFile(store.path, file);
    file.SetValues(store.changes);
    if (QDir().mkpath(QFileInfo(store.path).absolutePath()) &&
        WriteFileAtomically(store.path, file.Write())) {
        store.changes = IniText::Document(store.rules);
    }
}

Store& OpenStore()
{
    if (!TheStore()) {
        OpenSettingsStore();
    }
    return *TheStore();
}

QString FullKey(const QString& group, const QString& key)
{
    return group.isEmpty() ? key : group + QLatin1Char('/') + key;
}

} // namespace

void OpenSettingsStore(IniText::Rules rules)
{
    CloseSettingsStore(); // an open store is written before its successor reads the file
    auto store = std::make_unique<Store>(rules);
    store->path = SettingsPath();
    ReadFile(store->path, store->values);
    store->flushTimer.setSingleShot(true);
    store->flushTimer.setInterval(0);
    Store* raw = store.get();
    QObject::connect(&store->flushTimer, &QTimer::timeout, [raw] { Flush(*raw); });
    TheStore() = std::move(store);
}

void CloseSettingsStore()
{
    if (TheStore()) {
        Flush(*TheStore());
        TheStore().reset();
    }
}

bool IsSettingsStoreOpen()
{
    return TheStore() != nullptr;
}

void ReadSetting(const QString& group, const QString& key, QVariant& value)
{
    const QVariant stored = OpenStore().values.Value(FullKey(group, key));
    // A value that is not plain text (a serialized form in a damaged file), or a list where
    // one value belongs, is damaged: the default stays.
    const bool listWanted = !value.isValid() || value.userType() == QMetaType::QStringList;
    if (IniText::IsPlainText(stored) &&
        (listWanted || stored.userType() != QMetaType::QStringList)) {
        value = stored;
    }
}

void WriteSetting(const QString& group, const QString& key, const QVariant& value)
{
    if (!IniText::IsPlainText(value)) {
        return; // the store keeps plain text only: it could not read anything else back
    }
    Store& store = OpenStore();
    store.values.SetValue(FullKey(group, key), value);
    store.changes.SetValue(FullKey(group, key), value);
    if (QCoreApplication::instance()) {
        store.flushTimer.start();
    }
}

QString SettingsPath()
{
    return HostPlugCfgDir() + QStringLiteral("/ColorDorvo.ini");
}

QString ColorListPath()
{
    return HostPlugCfgDir() + QStringLiteral("/ColorDorvoColorList.json");
}

bool ReadJsonFile(const QString& path, QJsonDocument& document)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray data = file.readAll();
    file.close();
    QJsonParseError error;
    document = QJsonDocument::fromJson(data, &error);
    return error.error == QJsonParseError::NoError;
}

bool WriteColorList(const QJsonObject& colorList, QString* error)
{
    return WriteFileAtomically(ColorListPath(), QJsonDocument(colorList).toJson(), error);
}

bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error)
{
    // Written beside the old file and renamed over it, so a failure never loses the user's data.
    // A temporary file that is not committed is removed with the QSaveFile.
    QSaveFile file(path);
    QString why;
    if (!file.open(QIODevice::WriteOnly)) {
        why = file.errorString();
    } else if (file.write(data) != data.size() || !file.flush()) {
        // A short write of the last buffered bytes only shows at the flush, which commit() does
        // not check: it would rename the cut-off file over the old one.
        why = file.errorString();
        file.cancelWriting();
    } else if (file.commit()) {
        return true;
    } else {
        why = file.errorString();
    }
    if (error) {
        *error = why;
    }
    return false;
}
