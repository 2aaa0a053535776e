#pragma once

#include "fields/ColorWheel.h"

class ColorDialogServices;
class ColorField;

// The hue ring around a small square field. Dragging on the ring changes only the hue; the square
// inside is a ColorField held on the hue, with saturation left to right and value bottom to top,
// which picks and reports on its own. Keys on the ring turn the hue: Right and Up by a degree
// clockwise, Left and Down back (ten with Shift); Home and End go to hue 0 and 359.
class HueWheel : public ColorWheel
{
    Q_OBJECT
    Q_DISABLE_COPY(HueWheel)

public:
    // The marker's distance from the centre, in the middle of the ring (radius 100 to 128).
    static constexpr int RingMiddle = 114;

    // dialog receives the picked colors (of the ring and of the inner square) and is not owned;
    // it may be null. parent owns the wheel.
    explicit HueWheel(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~HueWheel() override;

    // Shows value: the ring marker moves to its hue and the inner square shows it (the square
    // keeps its picture while its own button is held).
    void setColor(const ColorValue& value);

    // The marker sits in the middle of the ring whatever the saturation.
    void moveMarker(const HsvColor& hsv) override;

    ColorField* field() const { return innerField; }

    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;

protected:
    bool stepForKey(int key, int units) override;

private:
    ColorField* innerField;
};
