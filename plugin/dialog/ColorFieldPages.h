#pragma once

#include "color/ColorChannel.h"

#include <functional>

class CanvasArea;
class ColorDialogServices;
class ColorField;
class ColorSlider;
class ColorValue;
class HsvWheel;
class HueWheel;
class QStackedWidget;
class QWidget;

namespace Ui {
class ColorDorvoDialog;
}

// The color field beside the spinner column: a stack of pages (the square field, the HSV wheel,
// the hue wheel and the mixing canvas, in ColorFieldType order) and the channel slider beside it.
// Which page shows decides whether the slider shows, which channel it drives, whether the channel
// buttons can be chosen and whether the brush controls stand beside the canvas.
class ColorFieldPages
{
public:
    // Creates the pages and the slider, all reporting to `services`, and puts the stack and the
    // slider between two spacers in the form's colorFieldHLayout. The stack and the slider are
    // children of `dialog`; `fitSize` fits the dialog to a change of what it holds.
    ColorFieldPages(QWidget* dialog, ColorDialogServices* services, Ui::ColorDorvoDialog& ui,
                    std::function<void()> fitSize);

    // Gives each channel button of colorSliderBtnGrp its channel as its id, and checks the one of
    // `checked`, which must be a channel with a button.
    void numberChannelButtons(ColorChannel checked);
    // The brush controls set the canvas's brush; the clear button clears it.
    void connectBrushControls();
    // Shows `page` with `color`: the square field and the slider beside it take `sliderChannel`,
    // the HSV wheel's slider the value. A page number without a page shows the square field.
    void show(int page, const ColorValue& color, ColorChannel sliderChannel);

    ColorField* field() const { return colorField; }
    HsvWheel* hsvWheelPage() const { return hsvWheel; }
    HueWheel* hueWheelPage() const { return hueWheel; }
    ColorSlider* slider() const { return channelSlider; }

private:
    // The brush controls stand beside the mixing canvas only; the dialog fits them in or out.
    void showCanvasControls(bool show);
    void setChannelButtonsEnabled(bool enabled);

    QWidget* dialog;
    Ui::ColorDorvoDialog& ui;
    std::function<void()> fitSize;
    QStackedWidget* colorFieldStack = nullptr;
    ColorField* colorField = nullptr;
    HueWheel* hueWheel = nullptr;
    HsvWheel* hsvWheel = nullptr;
    CanvasArea* canvasArea = nullptr;
    ColorSlider* channelSlider = nullptr;
};
