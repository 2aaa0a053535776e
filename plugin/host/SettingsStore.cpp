#include "host/SettingsStore.h"

#include "host/HostServices.h"

#include <QFile>
#include <QSaveFile>
#include <QSettings>

#include <memory>

namespace {

std::unique_ptr<QSettings>& Store()
{
    static std::unique_ptr<QSettings> store;
    return store;
}

QSettings& OpenStore()
{
    if (!Store()) {
        OpenSettingsStore();
    }
    return *Store();
}

} // namespace

void OpenSettingsStore()
{
    Store().reset(); // an open store is written before its successor reads the file
    Store() = std::make_unique<QSettings>(SettingsPath(), QSettings::IniFormat);
    Store()->setIniCodec("UTF-8");
}

void CloseSettingsStore()
{
    Store().reset();
}

bool IsSettingsStoreOpen()
{
    return Store() != nullptr;
}

void ReadSetting(const QString& group, const QString& key, QVariant& value)
{
    QSettings& store = OpenStore();
    store.beginGroup(group);
    value = store.value(key, value);
    store.endGroup();
}

void WriteSetting(const QString& group, const QString& key, const QVariant& value)
{
    QSettings& store = OpenStore();
    store.beginGroup(group);
    store.setValue(key, value);
    store.endGroup();
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
