#pragma once

#include <QImage>
#include <QLabel>

// The strip of a channel slider. Its gradient varies only along the slider, so the picture holds
// one pixel per index (a single column or row) and is drawn stretched across the strip, pixel for
// pixel, without smoothing: every pixel on screen is one of the picture's colors. The slider
// writes the picture in place on every color change, so no image or pixmap is allocated for it.
//
// A pixmap set on the label (QLabel::setPixmap) is shown the way a QLabel shows it until the next
// showGradient; whoever sets one clears Qt::WA_OpaquePaintEvent, which the gradient sets.
class ColorSliderStrip : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSliderStrip)

public:
    explicit ColorSliderStrip(QWidget* parent);

    // The gradient picture, shaped size (RGB32) and ready to be written: reallocated only when the
    // shape changes. Its pixels lie one after another, since a one-pixel RGB32 row is four bytes.
    QRgb* gradientPixels(const QSize& size);
    const QImage& gradient() const { return picture; }
    // Shows the gradient as last written, in place of any pixmap set on the label.
    void showGradient();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture;
};
