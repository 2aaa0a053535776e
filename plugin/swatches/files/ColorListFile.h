#pragma once

#include "swatches/files/ColorList.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QVector>

// The JSON color-list format: {"colorList": [{"name": ..., "colors": [{"name": ..., "red": ...,
// "green": ..., "blue": ...}, ...]}, ...]}. No widgets: the swatch panel, the tests and the fuzzer
// use the same functions.

// Reads a document leniently. A root that is no object, a missing or mistyped "colorList",
// "colors" or "name", and elements that are no objects read as empty; a component that is missing,
// no number or not whole reads as 0, and whole components are clamped to 0..255. Swatches are
// opaque.
QVector<ColorList> colorListsFromJson(const QJsonDocument& document);

// The document for `lists`, in order. A swatch's "name" only when it is not empty; no alpha.
QJsonObject colorListsToJson(const QVector<ColorList>& lists);

// The file text of `lists`: indented by four spaces, keys in ascending order, UTF-8.
QByteArray colorListFileText(const QVector<ColorList>& lists);

// Reads the text of a list file. False, with a one-line reason and `lists` untouched, when the
// text is no JSON or its root is no object holding a "colorList" array: such a file is not ours,
// and reading it as empty lists would lose whatever it holds. Everything below "colorList" is
// read as colorListsFromJson reads it.
bool parseColorListFile(const QByteArray& data, QVector<ColorList>& lists, QString& reason);
