#include "HostColorText.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// A unit float that reads back as one: nine significant digits give back the same float,
// and a decimal point keeps 0 and 1 from reading as whole channel values.
QString UnitText(float unit)
{
    QString text = QString::number(static_cast<double>(unit), 'g', 9);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'))) {
        text += QStringLiteral(".0");
    }
    return text;
}

int ChannelOf(float unit)
{
    const float scaled = std::nearbyint(std::fmin(std::fmax(unit, 0.0f), 1.0f) * 255.0f);
    return static_cast<int>(scaled);
}

// True for a well-formed positive decimal number too small for a double to hold (Qt refuses it
// as an underflow).
bool Underflows(const QString& number)
{
    static const QRegularExpression decimal(
        QStringLiteral("^\\+?(\\d+\\.?\\d*|\\.\\d+)[eE]-\\d+$"));
    return decimal.match(number).hasMatch();
}

bool ParseList(const QStringList& parts, AColor* color, QString* error)
{
    if (parts.size() < 3 || parts.size() > 4) {
        *error = QStringLiteral("a color list needs three or four values");
        return false;
    }
    bool floats = false;
    for (const QString& part : parts) {
        floats = floats || part.contains(QLatin1Char('.')) ||
                 part.contains(QLatin1Char('e'), Qt::CaseInsensitive);
    }
    float values[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        bool ok = false;
        if (floats) {
            // Read as a double: a value below the smallest float is still a unit float, and
            // one below even the smallest double is zero.
            double v = part.toDouble(&ok);
            if (!ok && v == 0.0 && Underflows(part)) {
                ok = true;
            }
            if (!ok || !(v >= 0.0 && v <= 1.0)) {
                *error = QStringLiteral("'%1' is not a unit float (0 to 1)").arg(part);
                return false;
            }
            values[i] = static_cast<float>(v);
        } else {
            const int v = part.toInt(&ok);
            if (!ok || v < 0 || v > 255) {
                *error = QStringLiteral("'%1' is not a whole number from 0 to 255").arg(part);
                return false;
            }
            values[i] = static_cast<float>(v) / 255.0f;
        }
    }
    *color = AColor(values[0], values[1], values[2], values[3]);
    return true;
}

} // namespace

namespace HostColorText {

bool Parse(const QString& text, AColor* color, QString* error)
{
    const QString trimmed = text.trimmed();
    static const QRegularExpression hex(QStringLiteral("^#([0-9A-Fa-f]{6})$"));
    const QRegularExpressionMatch match = hex.match(trimmed);
    if (match.hasMatch()) {
        const uint rgb = match.captured(1).toUInt(nullptr, 16);
        *color = AColor(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                        static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                        static_cast<float>(rgb & 0xFF) / 255.0f, 1.0f);
        return true;
    }
    if (trimmed.startsWith(QLatin1Char('#'))) {
        *error = QStringLiteral("'%1' is not a color of the form #rrggbb").arg(trimmed);
        return false;
    }
    if (!ParseList(trimmed.split(QLatin1Char(',')), color, error)) {
        *error = QStringLiteral("'%1': %2").arg(trimmed, *error);
        return false;
    }
    return true;
}

bool ParseFormat(const QString& name, Format* format)
{
    static const struct
    {
        const char* name;
        Format format;
    } formats[] = {{"hex", Format::Hex},
                   {"rgb", Format::Rgb},
                   {"afloat", Format::AFloat},
                   {"packed", Format::Packed}};
    for (const auto& entry : formats) {
        if (name == QLatin1String(entry.name)) {
            *format = entry.format;
            return true;
        }
    }
    return false;
}

QString Print(const AColor& color, Format format)
{
    switch (format) {
    case Format::Hex:
        return QStringLiteral("#%1%2%3")
            .arg(ChannelOf(color.r), 2, 16, QLatin1Char('0'))
            .arg(ChannelOf(color.g), 2, 16, QLatin1Char('0'))
            .arg(ChannelOf(color.b), 2, 16, QLatin1Char('0'))
            .toUpper();
    case Format::Rgb:
        return QStringLiteral("%1,%2,%3,%4")
            .arg(ChannelOf(color.r))
            .arg(ChannelOf(color.g))
            .arg(ChannelOf(color.b))
            .arg(ChannelOf(color.a));
    case Format::AFloat:
        return QStringLiteral("%1,%2,%3,%4")
            .arg(UnitText(color.r), UnitText(color.g), UnitText(color.b), UnitText(color.a));
    case Format::Packed:
        return QStringLiteral("0x") +
               QStringLiteral("%1").arg(AColor(color).toRGB(), 8, 16, QLatin1Char('0')).toUpper();
    }
    return QString();
}

} // namespace HostColorText
