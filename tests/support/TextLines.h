#pragma once

#include <QString>
#include <QStringList>

// The non-empty lines of a text, on every Qt the plug-in supports (5.11 has no Qt::SplitBehavior).
inline QStringList NonEmptyLines(const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
#else
    return text.split(QLatin1Char('\n'), QString::SkipEmptyParts);
#endif
}
