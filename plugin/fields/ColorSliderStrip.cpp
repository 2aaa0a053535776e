#include "fields/ColorSliderStrip.h"

#include <QPainter>
#include <QPixmap>

ColorSliderStrip::ColorSliderStrip(QWidget* parent) : QLabel(parent)
{
}

QRgb* ColorSliderStrip::gradientPixels(const QSize& size)
{
    if (picture.size() != size) {
        picture = QImage(size, QImage::Format_RGB32);
    }
    // bits() copies the picture first only if someone still holds a copy of it.
    return reinterpret_cast<QRgb*>(picture.bits());
}

void ColorSliderStrip::showGradient()
{
    if (!pixmap(Qt::ReturnByValue).isNull()) {
        setPixmap(QPixmap());
    }
    update();
}

void ColorSliderStrip::paintEvent(QPaintEvent* event)
{
    if (picture.isNull() || !pixmap(Qt::ReturnByValue).isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    // Nearest-pixel scaling: a one-pixel column becomes whole rows of its colors.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), picture);
}
