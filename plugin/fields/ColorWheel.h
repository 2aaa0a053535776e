#pragma once

#include "color/ColorValue.h"
#include "color/HsvColor.h"

#include <QCursor>
#include <QImage>
#include <QLabel>
#include <QPoint>

#include <memory>

class ColorDialogServices;

// The common base of the two circular color fields. It owns the wheel picture and the marker,
// the geometry (a fixed square with its centre), the clockwise angle of a position around the
// centre, hover feedback that tells the picture's opaque part from its transparent part, and the
// press-drag-release cycle. A subclass decides how an angle and a position become a color
// (pickColor) and where the marker stands for a color (moveMarker).
//
// Picked colors go straight to the dialog; the wheel emits nothing.
class ColorWheel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorWheel)

public:
    static constexpr int DefaultSize = 256;
    static constexpr int MarkerSize = 16;
    static constexpr int HoverCursorSize = 32;

    // dialog is parent when that is a ColorDorvoDialog, else null; the parent is not made the
    // wheel's Qt parent (whoever shows the wheel adopts it).
    explicit ColorWheel(QWidget* parent = nullptr);
    ~ColorWheel() override;

    // The clockwise angle of p around the centre in whole degrees 0..359: 0 straight up, 90 to
    // the right, 180 down, 270 to the left. The centre itself is 0.
    int angleAt(const QPoint& p) const;

    // Whether p lies on the opaque part of the picture; positions outside it are off the wheel.
    bool isOnWheel(const QPoint& p) const;

    // The color for a pick at angle (degrees) and position, reported to the dialog when its HSV
    // differs from the dialog's. This version changes the hue only.
    virtual HsvColor pickColor(int angle, const QPoint& position);
    // Puts the marker on the color's place; this version has no place for any color.
    virtual void moveMarker(const HsvColor& hsv);

    // The last color the dialog pushed.
    const ColorValue& shownColor() const { return color; }

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

    // Fixed size width x height, centre in its middle.
    void setWheelSize(int width, int height);
    // Creates the picture and marker labels (not yet parented) and loads the picture from the
    // resource into wheelImage and the picture label.
    void createLabels(const QString& pictureResource);
    // The marker's top-left corner for a point at radius r on the hue's ray from the centre.
    QPoint markerCorner(int hue, int r) const;
    // The color both subclasses share for reports: hsv reported to the dialog when its hue,
    // saturation or value differ from the dialog's current ones.
    void reportPick(const HsvColor& hsv);

    ColorDialogServices* dialog = nullptr;
    QLabel* fieldLabel = nullptr;
    QLabel* markerLabel = nullptr;
    ColorValue color;
    std::unique_ptr<QImage> wheelImage;
    bool dragging = false;
    int wheelHeight = DefaultSize;
    int wheelWidth = DefaultSize;
    QPoint center{DefaultSize / 2, DefaultSize / 2};
    int ringRadius = DefaultSize / 2;
    QCursor hoverCursor;
};
