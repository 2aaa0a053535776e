#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPoint>

#include <vector>

class ColorDialogServices;
class ColorSliderStrip;

// A one-dimensional strip showing how the color changes along one channel, high end at the top
// (vertical) or left (horizontal), with a marker at the current value. Pressing and dragging sends
// the channel value under the pointer to the dialog, which writes it into the channel's spinner.
class ColorSlider : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSlider)

public:
    static constexpr int Vertical = 1;
    static constexpr int Horizontal = 0;

    // The dialog's main slider: 50 x 256, vertical. dialog receives the values and is not owned;
    // it may be null, and then nothing is reported. parent owns the slider.
    explicit ColorSlider(ColorDialogServices* dialog, QWidget* parent = nullptr);
    // orientation 1 is vertical, anything else horizontal (the per-channel sliders are 145 x 20).
    ColorSlider(ColorDialogServices* dialog, int width, int height, int orientation,
                QWidget* parent = nullptr);
    ~ColorSlider() override;

    // Shows value along channel; ColorChannel::None keeps the slider's own channel. Dropped while a
    // mouse button is held.
    void setColor(const ColorValue& value, ColorChannel channel);

    // Slider coordinate (0..length) of value's channel component (ColorSliderMapping, as the
    // strip and the pick).
    int markerPosition(const ColorValue& value, ColorChannel channel) const;
    // Centres the marker on a coordinate, clamped to the slider.
    void moveMarker(int coordinate);
    // Sends the channel value at a coordinate to the dialog (unclamped: a drag beyond the ends
    // sends values beyond the channel's range, which the spinners clamp).
    void reportValueAt(int coordinate);
    // The channel value a coordinate stands for, as reportValueAt sends it.
    int valueAt(int coordinate) const;
    // The gradient for the current color and channel, one pixel per index 0..length-1: a single
    // column on a vertical slider, a single row on a horizontal one.
    QImage makeGradient();
    void clampToSlider(QPoint& p) const;

    // Length along the strip: height when vertical, width otherwise.
    int length() const;
    int sliderOrientation() const { return orientation; }
    ColorChannel shownChannel() const { return channel; }
    const ColorValue& shownColor() const { return color; }

public slots:
    void setPixmap(QPixmap pm);
    void setImage(QImage& im);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setUp(int width, int height, int orientation);
    int coordinateOf(const QPoint& pos) const;
    // Writes the gradient into the strip's picture; false for no length or a channel without one.
    bool drawGradient();

    ColorDialogServices* dialog;
    int orientation = Vertical;
    ColorSliderStrip* gradientLabel = nullptr;
    QLabel* markerLabel = nullptr;
    QLabel* leftArrowLabel = nullptr;
    QLabel* rightArrowLabel = nullptr;
    ColorChannel channel = ColorChannel::None;
    ColorValue color;
    bool pressed = false;
    bool dragging = false;
    int markerMin = 0;

    // The gradient shown depends on the channel and the two other components of its space; a
    // color that changes none of them keeps the picture.
    ColorChannel gradientChannel = ColorChannel::None;
    int gradientKey[2] = {0, 0};
    // The channel values along the strip, computed once per channel.
    std::vector<int> steps;
    ColorChannel stepsChannel = ColorChannel::None;
};
