#pragma once

#include <QColor>
#include <QString>
#include <QVector>

// One swatch list as list files and palettes hold it: the title of the tab it belongs to and its
// swatches in reading order.
struct ColorList
{
    struct Swatch
    {
        QColor color;
        QString name;

        bool operator==(const Swatch& other) const
        {
            return color == other.color && name == other.name;
        }
        bool operator!=(const Swatch& other) const { return !(*this == other); }
    };

    QString name;
    QVector<Swatch> swatches;

    bool operator==(const ColorList& other) const
    {
        return name == other.name && swatches == other.swatches;
    }
    bool operator!=(const ColorList& other) const { return !(*this == other); }
};
