#pragma once

#include "color/ColorChannel.h"

#include <Qt>

class ColorDialogServices;
class ColorValue;
class QWidget;

// How the keys move a channel on the color views: one unit of the channel's stored form per
// press (a degree of hue, a percent of saturation, a step of 0..255, a Lab unit), ten with Shift.
// Hue turns round, 359 to 0 and back; every other channel stops at its ends.
namespace KeyboardStep {

constexpr int kUnit = 1;
constexpr int kShiftUnits = 10;

// The units one press moves, ten with Shift held: channel units on the views, pixels for the
// eyedropper's pointer.
int units(Qt::KeyboardModifiers modifiers);
// value moved by delta units (either sign) within the channel's keyboard range.
int moved(ColorChannel channel, int value, int delta);
// The ends of the keyboard range: hue 0..359 (360 is 0 again), any other channel its range.
int lowest(ColorChannel channel);
int highest(ColorChannel channel);

// Whether a key press with these modifiers is one the views step with: none, or Shift (the
// keypad's arrows count as arrows).
bool isPlainOrShift(Qt::KeyboardModifiers modifiers);
// Whether the key takes what has the focus, as a click would: Space, Return, Enter, Select.
bool activates(int key);

// What view reports for a color chosen by a key: the color, which the host hears of once, then
// the end of the choice, which the dialog's history takes as one step; then the window's live
// region announces it to a listening screen reader.
void report(ColorDialogServices* dialog, QWidget* view, const ColorValue& color);

} // namespace KeyboardStep
