#pragma once

#include "color/ColorValue.h"
#include "color/HsvColor.h"
#include "fields/kit/ChannelKeys.h"
#include "fields/kit/SpokenColorView.h"

#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QPoint>

#include <memory>

class ColorDialogServices;

// The common base of the two circular color fields. It owns the wheel picture and the marker,
// the geometry (a fixed square, its centre taken from its size), the mapping between positions
// and places on the wheel (the clockwise angle of a position around the centre, the marker's
// corner for a hue and a radius), hover feedback that tells the picture's opaque part from its
// transparent part, and the press-drag-release cycle. A subclass decides how an angle and a
// position become a color (pickColor) and where the marker stands for a color (moveMarker).
//
// Picked colors go straight to the dialog; the wheel emits nothing. With the focus, keys step
// the hue (and on the HSV wheel the saturation and value) as the subclass decides; each press is
// reported as a click is.
class ColorWheel : public QLabel, public SpokenColorView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorWheel)

public:
    static constexpr int DefaultSize = 256;
    static constexpr int MarkerSize = 16;
    static constexpr int HoverCursorSize = 32;

    ~ColorWheel() override;

    // The clockwise angle of p around the centre in whole degrees 0..359: 0 straight up, 90 to
    // the right, 180 down, 270 to the left. The centre itself is 0.
    int angleAt(const QPoint& p) const;
    // The marker's top-left corner for a point at radius r on the hue's ray from the centre: the
    // way back from a place on the wheel to a position.
    QPoint markerCorner(int hue, int r) const;
    // The middle of the wheel.
    QPoint center() const;

    // Whether p lies on the opaque part of the picture; positions outside it are off the wheel.
    bool isOnWheel(const QPoint& p) const;

    // The color for a pick at angle (degrees) and position, reported to the dialog when its HSV
    // differs from the dialog's. This version changes the hue only.
    virtual HsvColor pickColor(int angle, const QPoint& position);
    // Puts the marker on the color's place; this version has no place for any color.
    virtual void moveMarker(const HsvColor& hsv);

    // The last color the dialog pushed.
    const ColorValue& shownColor() const { return color; }

    // SpokenColorView: the hue is the number.
    QAccessible::Role spokenRole() const override;
    bool hasSpokenNumber() const override;
    int spokenNumber() const override;
    int spokenMinimum() const override;
    int spokenMaximum() const override;
    void setSpokenNumber(int number) override;

protected:
    // dialog receives the picked colors and is not owned; it may be null, and then nothing is
    // reported. parent owns the wheel.
    ColorWheel(ColorDialogServices* dialog, QWidget* parent);

    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    // Creates the picture and marker labels on the wheel, the marker above the picture, and loads
    // the picture from the resource into wheelImage and the picture label.
    void createLabels(const QString& pictureResource);
    static QImage wheelPicture(const QString& resource);
    // The color both subclasses share for reports: hsv reported to the dialog when its hue,
    // saturation or value differ from the dialog's current ones.
    void reportPick(const HsvColor& hsv);
    // Sets one channel of the dialog's color from the keyboard, reported as a click is; nothing
    // when it holds that value already or a drag is on.
    void chooseChannelValue(ColorChannel changed, int value);
    void stepChannel(ColorChannel changed, int delta);
    // Home and End go to hue 0 and 359 on every wheel; the other keys are the wheel's own
    // (stepForKey). Keys passed on by a child view are not the wheel's.
    void keyPressEvent(QKeyEvent* event) override;
    // Steps a channel by units for key; false when the key is not one of the wheel's.
    virtual bool stepForKey(int key, int units) = 0;

    ColorDialogServices* const dialog;
    QLabel* fieldLabel = nullptr;
    QLabel* markerLabel = nullptr;
    ColorValue color;
    std::unique_ptr<QImage> wheelImage;
    bool dragging = false;
    QCursor hoverCursor;

private:
    // Without a dialog, a keyed color moves the marker at once.
    const ChannelKeys keys{dialog, this, color, [this](const ColorValue& keyed) {
                               color = keyed;
                               moveMarker(color.hsv());
                           }};
};
