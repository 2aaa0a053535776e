#include "color/ColorTextReading.h"

namespace ColorTextReading {

Result refused(const QString& reason)
{
    Result result;
    result.reason = reason;
    return result;
}

Result accepted(const int (&rgba)[4])
{
    Result result;
    result.ok = true;
    result.color = QColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    return result;
}

QString valueReason(const char* format, std::size_t index)
{
    return QString::fromLatin1(format).arg(index + 1);
}

int eightBits(const ExactDecimal& unit)
{
    return (unit.clamped(0, 1) * 255).roundedHalfUp();
}

int channel255(const ExactDecimal& value, bool& clipped)
{
    clipped = clipped || value < ExactDecimal(-5, 1) || value >= ExactDecimal(2555, 1);
    return value.clamped(0, 255).roundedHalfUp();
}

} // namespace ColorTextReading
