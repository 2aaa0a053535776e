#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/kit/SpokenColorView.h"

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
//
// With the focus, Up and Down step the channel by one unit (ten with Shift), and on a horizontal
// slider Left and Right move the marker that way; Page Up and Page Down step by ten; Home and
// End go to the top (left) and bottom (right) end. Each press is reported as a click is.
class ColorSlider : public QLabel, public SpokenColorView
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

    // SpokenColorView: the channel's value is the number.
    QAccessible::Role spokenRole() const override;
    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;
    bool hasSpokenNumber() const override;
    int spokenNumber() const override;
    int spokenMinimum() const override;
    int spokenMaximum() const override;
    void setSpokenNumber(int number) override;

public slots:
    void setPixmap(QPixmap pm);
    void setImage(QImage& im);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sends value of the channel from the keyboard as a click sends it. A step in `direction`
    // (+1 or -1) that changes nothing goes on that way until the color changes or the range
    // ends: with the sRGB switch off the spinners show the linear form, and a run of stored
    // values can share one linear value.
    void chooseValue(int value, int direction);
    // The channel's value in the dialog's color (or the slider's own without a dialog).
    int currentValue() const;

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
