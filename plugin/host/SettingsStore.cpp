#include "host/SettingsStore.h"

#include "host/HostServices.h"
#include "host/IniText.h"

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
    // Qt's ini format in UTF-8, read without ever decoding a serialized value (IniText).
    Store() = std::make_unique<QSettings>(SettingsPath(), IniText::Format());
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
    const QVariant stored = store.value(key);
    store.endGroup();
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
