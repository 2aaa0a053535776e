#pragma once

class ColorField;
class ColorSlider;
class HsvWheel;
class HueWheel;
class QDialog;
class QWidget;

namespace Ui {
class ColorDorvoDialog;
}

// What the picker's form needs beyond its widgets to be used from the keyboard and by screen
// readers: the color views' place in the Tab order (after the page selector: the field, the
// wheels, the hue wheel's square, the slider, then the harmony strip), names for the controls
// no label names (the spinners beside radio buttons, the page selector, the swatch button),
// label buddies that follow the spinner page shown, and the current-color swatch as the live
// region that announces colors.
class DialogAccessibility
{
public:
    static void setUp(QDialog* dialog, Ui::ColorDorvoDialog& ui, ColorField* field,
                      HsvWheel* hsvWheel, HueWheel* hueWheel, ColorSlider* slider);
    // A per-channel slider joins the Tab order after its row's spinners.
    static void placeChannelSlider(QWidget* rowSpinner, ColorSlider* slider);

    DialogAccessibility() = delete;
};
