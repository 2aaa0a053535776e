#include "fields/kit/KeyboardStep.h"

#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/ColorDialogServices.h"

#include <algorithm>

namespace KeyboardStep {

namespace {
constexpr int kHueTurn = 360;
} // namespace

int units(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::ShiftModifier) ? kShiftUnits : kUnit;
}

int moved(ColorChannel channel, int value, int delta)
{
    if (channel == ColorChannel::Hue)
        return ((value + delta) % kHueTurn + kHueTurn) % kHueTurn;
    return std::clamp(value + delta, lowest(channel), highest(channel));
}

int lowest(ColorChannel channel)
{
    return channelInfo(channel).minimum;
}

int highest(ColorChannel channel)
{
    return channel == ColorChannel::Hue ? kHueTurn - 1 : channelInfo(channel).maximum;
}

bool isPlainOrShift(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
}

void report(ColorDialogServices* dialog, QWidget* view, const ColorValue& color)
{
    dialog->ViewColorChanged(color, false);
    dialog->ViewDragEnded();
    AccessibilityEvents::announceColor(view);
}

bool activates(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Select;
}

} // namespace KeyboardStep
