#include "fields/ColorSliderStrip.h"

#include <QPainter>
#include <QPixmap>

namespace {

// Whether the label shows a pixmap of its own (QLabel::pixmap returns it by value from Qt 5.15 on,
// a pointer before).
bool showsPixmap(const QLabel& label)
{
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
    return !label.pixmap(Qt::ReturnByValue).isNull();
#else
    return label.pixmap() && !label.pixmap()->isNull();
#endif
}

} // namespace

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
    if (showsPixmap(*this)) {
        setPixmap(QPixmap());
    }
    // The gradient covers every pixel of the strip: nothing under it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    update();
}

void ColorSliderStrip::paintEvent(QPaintEvent* event)
{
    if (picture.isNull() || showsPixmap(*this)) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    // Nearest-pixel scaling: a one-pixel column becomes whole rows of its colors.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), picture);
}
