#include "transfer/ColorMime.h"

#include <QMimeData>

std::unique_ptr<QMimeData> ColorMime::create(const QColor& color)
{
    auto data = std::make_unique<QMimeData>();
    data->setColorData(color);
    data->setText(ColorTextParser::format(color));
    return data;
}

ColorTextParser::Result ColorMime::read(const QMimeData* data)
{
    if (data && data->hasColor()) {
        const QColor color = qvariant_cast<QColor>(data->colorData());
        if (color.isValid()) {
            ColorTextParser::Result result;
            result.ok = true;
            // Another program may send 16 bits a channel; the picker keeps 8.
            result.color = QColor(color.red(), color.green(), color.blue(), color.alpha());
            return result;
        }
    }
    if (data && data->hasText())
        return ColorTextParser::parse(data->text());
    ColorTextParser::Result refused;
    refused.reason = QStringLiteral("nothing that names a color");
    return refused;
}
