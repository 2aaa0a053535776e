#include "swatches/files/ImportLimits.h"

#include <QCoreApplication>
#include <QMap>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ImportLimits", text);
}

int swatchCount(const QVector<ColorList>& lists)
{
    int count = 0;
    for (const ColorList& list : lists) {
        count += list.swatches.size();
    }
    return count;
}

} // namespace

QString partTitle(const QString& title, int part)
{
    if (part == 1) {
        return title;
    }
    return title.isEmpty() ? QString::number(part) : QStringLiteral("%1 %2").arg(title).arg(part);
}

int tabsOpenedBy(const QVector<ColorList>& tabs, const QVector<ColorList>& added, int perTab)
{
    // Swatches per title; a map, since its values stay where they are while others are added.
    QMap<QString, int> filled;
    for (const ColorList& tab : tabs) {
        if (!filled.contains(tab.name)) {
            filled.insert(tab.name, tab.swatches.size());
        }
    }
    int opened = 0;
    const auto tabOf = [&](const QString& title) -> int& {
        auto tab = filled.find(title);
        if (tab == filled.end()) {
            ++opened;
            tab = filled.insert(title, 0);
        }
        return tab.value();
    };
    for (const ColorList& list : added) {
        int part = 1;
        int* count = &tabOf(list.name);
        int left = list.swatches.size();
        // A tab at a time rather than a swatch at a time: a list may be long.
        while (left > 0) {
            if (*count >= perTab) {
                count = &tabOf(partTitle(list.name, ++part));
                continue;
            }
            const int taken = std::min(left, perTab - *count);
            *count += taken;
            left -= taken;
        }
    }
    return opened;
}

bool importFits(const QVector<ColorList>& tabs, const QVector<ColorList>& added, QString& reason)
{
    const int opened = tabsOpenedBy(tabs, added, MaxTabSwatches);
    if (opened > MaxImportedTabs) {
        reason = tr("%1 tabs, more than the %2 a file may add").arg(opened).arg(MaxImportedTabs);
        return false;
    }
    const int count = swatchCount(added);
    if (count > MaxImportedSwatches) {
        reason =
            tr("%1 colors, more than the %2 a file may add").arg(count).arg(MaxImportedSwatches);
        return false;
    }
    return true;
}
