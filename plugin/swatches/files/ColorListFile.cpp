#include "swatches/files/ColorListFile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <cmath>

namespace {

const QString kColorListKey = QStringLiteral("colorList");
const QString kColorsKey = QStringLiteral("colors");
const QString kNameKey = QStringLiteral("name");
const QString kRedKey = QStringLiteral("red");
const QString kGreenKey = QStringLiteral("green");
const QString kBlueKey = QStringLiteral("blue");

// A component: a whole number clamped to 0..255; anything else reads as 0. The test is made on
// the double itself, since converting a huge value to int first is undefined.
int componentOf(const QJsonObject& color, const QString& key)
{
    const QJsonValue value = color.value(key);
    if (!value.isDouble()) {
        return 0;
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number)) {
        return 0;
    }
    return static_cast<int>(std::clamp(number, 0.0, 255.0));
}

// A name as the file will hold it once written: UTF-16 that has no UTF-8 form (a lone surrogate
// from a "\ud800" escape) would come back as another text after a save.
QString nameOf(const QJsonObject& object)
{
    const QString name = object.value(kNameKey).toString();
    return QString::fromUtf8(name.toUtf8());
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorListFile", text);
}

} // namespace

QVector<ColorList> colorListsFromJson(const QJsonDocument& document)
{
    QVector<ColorList> lists;
    const QJsonArray listArray = document.object().value(kColorListKey).toArray();
    lists.reserve(listArray.size());
    for (const QJsonValue& listValue : listArray) {
        const QJsonObject listObject = listValue.toObject();
        ColorList list;
        list.name = nameOf(listObject);
        const QJsonArray colors = listObject.value(kColorsKey).toArray();
        list.swatches.reserve(colors.size());
        for (const QJsonValue& colorValue : colors) {
            const QJsonObject color = colorValue.toObject();
            list.swatches.append({QColor(componentOf(color, kRedKey), componentOf(color, kGreenKey),
                                         componentOf(color, kBlueKey)),
                                  nameOf(color)});
        }
        lists.append(list);
    }
    return lists;
}

QJsonObject colorListsToJson(const QVector<ColorList>& lists)
{
    QJsonArray listArray;
    for (const ColorList& list : lists) {
        QJsonArray colors;
        for (const ColorList::Swatch& swatch : list.swatches) {
            QJsonObject color{{kRedKey, swatch.color.red()},
                              {kGreenKey, swatch.color.green()},
                              {kBlueKey, swatch.color.blue()}};
            if (!swatch.name.isEmpty()) {
                color.insert(kNameKey, swatch.name);
            }
            colors.append(color);
        }
        listArray.append(QJsonObject{{kNameKey, list.name}, {kColorsKey, colors}});
    }
    return QJsonObject{{kColorListKey, listArray}};
}

QByteArray colorListFileText(const QVector<ColorList>& lists)
{
    // QJsonObject keeps its keys sorted, and the indented form uses four spaces a level.
    return QJsonDocument(colorListsToJson(lists)).toJson(QJsonDocument::Indented);
}

bool parseColorListFile(const QByteArray& data, QVector<ColorList>& lists, QString& reason)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        reason =
            tr("not valid JSON (%1 at character %2)").arg(error.errorString()).arg(error.offset);
        return false;
    }
    if (!document.isObject() || !document.object().value(kColorListKey).isArray()) {
        reason = tr("no \"colorList\" array in it");
        return false;
    }
    lists = colorListsFromJson(document);
    return true;
}
