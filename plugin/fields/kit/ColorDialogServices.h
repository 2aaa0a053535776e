#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <QColor>

// What the picker's own widgets (fields, wheels, sliders, the palette strip, the swatch list) ask
// of the dialog that created them. They call it directly instead of emitting signals, and hold a
// non-owning pointer to it for their whole life: the dialog owns them through Qt parents. Tests
// give the widgets a small recording implementation instead of a whole dialog.
class ColorDialogServices
{
public:
    // A view picked `color`; the host is told unless `silent`.
    virtual void ViewColorChanged(const ColorValue& color, bool silent) = 0;
    // A drag on a view ended, or a click or a key chose its color: the color the view last
    // reported is final, one step of the dialog's history.
    virtual void ViewDragEnded() = 0;
    // A slider moved to `value` (stored form) of `channel`; `notify` marks the end of a drag.
    virtual void SliderValueChanged(int value, ColorChannel channel, bool notify) = 0;

    virtual RgbColor GetCurrentRgb() const = 0;
    virtual HsvColor GetCurrentHsv() const = 0;
    virtual ColorValue GetCurrentColorValue() const = 0;
    virtual QColor GetCurrentQColor() const = 0;

protected:
    ColorDialogServices() = default;
    ColorDialogServices(const ColorDialogServices&) = default;
    ColorDialogServices& operator=(const ColorDialogServices&) = default;
    ~ColorDialogServices() = default;
};
