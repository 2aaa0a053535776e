#pragma once

#include "host/services/IniText.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QVariant>

// The plug-in's one settings store on "ColorDorvo.ini" and its data files, all in the host's
// plug-in configuration directory. The utility plug-in opens the store when the host starts and
// closes it when the host stops; a read or write while it is closed opens it on demand.

// Creates the store on the settings file (replacing any open one, which is written first). The
// file is kept as Qt's ini format keeps it on the platform the plug-in is built for (see
// IniText::Rules); a store opened on demand does the same.
void OpenSettingsStore(IniText::Rules rules = IniText::NativeRules);
// Writes pending values to the file and forgets the store. Does nothing when none is open.
void CloseSettingsStore();
bool IsSettingsStoreOpen();

// `value` holds the default on entry and the stored value, if any, on return. The store holds
// plain text (strings, numbers, truth values, string lists): a stored value in any other form,
// or a list where the default is a single value, counts as damaged and leaves the default.
void ReadSetting(const QString& group, const QString& key, QVariant& value);
// Values other than strings, numbers, truth values and string lists are not written.
void WriteSetting(const QString& group, const QString& key, const QVariant& value);

QString SettingsPath();
QString ColorListPath();

// Reads and parses a JSON file. False when the file cannot be opened (the document is left
// as it was) or does not parse (the document becomes empty).
bool ReadJsonFile(const QString& path, QJsonDocument& document);

// Replaces the color-list file with the object, indented. The new contents appear whole or not
// at all: on any failure the previous file stays as it was, the result is false and `error`, when
// given, says why.
bool WriteColorList(const QJsonObject& colorList, QString* error = nullptr);

// Replaces the file at `path` with `data` the same way: written beside it and renamed over it.
bool WriteFileAtomically(const QString& path, const QByteArray& data, QString* error = nullptr);
