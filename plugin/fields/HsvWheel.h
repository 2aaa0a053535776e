#pragma once

#include "fields/ColorWheel.h"

class ColorDialogServices;

// The HSV disk: the angle from straight up chooses the hue and the distance from the centre the
// saturation (0 at the centre, 100 at the rim and beyond); the value stays as it is. The picture
// is fixed; only the marker moves. Keys: Left and Right turn the hue by a degree, Up and Down
// change the saturation, Page Up and Page Down the value (ten with Shift); Home and End go to
// hue 0 and 359.
class HsvWheel : public ColorWheel
{
    Q_OBJECT
    Q_DISABLE_COPY(HsvWheel)

public:
    // dialog receives the picked colors and is not owned; it may be null. parent owns the wheel.
    explicit HsvWheel(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~HsvWheel() override;

    // Shows value: moves the marker to its hue and saturation. Also during a drag, so the color
    // the dialog pushes back after a pick lands where the pick put the marker.
    void setColor(const ColorValue& value);

    HsvColor pickColor(int angle, const QPoint& position) override;
    void moveMarker(const HsvColor& hsv) override;

    // The distance from the centre at which saturation reaches 100: half the wheel's size.
    int diskRadius() const;
    // Position to saturation: the rounded distance from the centre as a percentage of the disk's
    // radius, 100 beyond the rim.
    int saturationAt(const QPoint& position) const;
    // Saturation to the marker's distance from the centre: saturation 100 reaches the rim.
    int markerRadius(int saturation) const;

    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;

protected:
    bool stepForKey(int key, int units) override;
};
