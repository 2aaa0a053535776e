#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/kit/ChannelKeys.h"
#include "fields/kit/SpokenColorView.h"
#include "fields/pictures/ColorFieldMapping.h"

#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPoint>

class ColorDialogServices;

// The square two-dimensional color field. For one channel (held at the current color's value) it
// shows the two other channels of the same color space along its axes, with a marker at the
// current color; a left press and drag picks the color under the pointer and reports it to the
// dialog. While a button is held the field ignores colors pushed by the dialog, so the picture
// under the pointer stays put.
//
// With the focus, the arrow keys step the two axis channels by one unit of their own (ten with
// Shift), Page Up and Page Down the fixed channel, Home and End go to the ends of the horizontal
// channel; each press is reported as a click is.
class ColorField : public QLabel, public SpokenColorView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorField)

public:
    static constexpr int DefaultSize = 256;
    static constexpr int MarkerSize = 16;
    static constexpr int HoverCursorSize = 32;

    // dialog receives the picked colors and is not owned; it may be null, and then nothing is
    // reported (the marker still follows the pointer). parent owns the field.
    explicit ColorField(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ColorField(int width, int height, ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~ColorField() override;

    // Shows value with channel held fixed. Dropped while a mouse button is held.
    void setColor(const ColorValue& value, ColorChannel channel);

    // The color under a field position (0..width, 0..height); always opaque. Without a field
    // channel it is the pixel the label shows there.
    ColorValue colorAt(const QPoint& p) const;
    // colorAt(p), reported to the dialog: during a drag only when it differs from the dialog's
    // current color, otherwise (at release) always.
    void pickColorAt(const QPoint& p);
    // Limits x to 0..width and y to 0..height, both ends included.
    void clampToField(QPoint& p) const;

    // The last color and channel given to setColor.
    const ColorValue& shownColor() const { return color; }
    ColorChannel shownChannel() const { return channel; }
    // What the field shows: the channel picture (drawn now if a change has left it stale), or
    // else the pixmap given to setPixmap.
    QImage shownPicture() const;

    // SpokenColorView: the horizontal channel is the number.
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
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The picture, the pick and the marker of the channel shown, at the field's size.
    ColorFieldMapping mapping() const;
    void moveMarkerTo(const QPoint& p);
    QCursor hoverCursor() const;
    // Brings the picture up to date with the channel and value last shown.
    void renderPicture() const;

    ColorDialogServices* dialog;
    QLabel* fieldLabel;
    QLabel* markerLabel;
    ColorValue color;
    ColorChannel channel = ColorChannel::None;
    bool pressed = false;
    bool dragging = false;
    QPoint markerOffset{-MarkerSize / 2, -MarkerSize / 2};
    // The keys set one channel of the dialog's color, reported as a click is.
    const ChannelKeys keys{dialog, this, color,
                           [this](const ColorValue& keyed) { setColor(keyed, channel); }};

    // What the picture currently shows: it depends only on the channel and that channel's value,
    // so a color that changes neither keeps it. It is drawn when the field is next painted, not
    // at every setColor: a drag or typed edits between two paints draw it once.
    ColorChannel imageChannel = ColorChannel::None;
    int imageFixedValue = 0;
    mutable bool pictureStale = false;
    mutable QImage picture;
};
