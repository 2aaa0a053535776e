#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"

#include <functional>

class ColorDialogServices;
class QWidget;

// Where a view's keys set a channel (KeyboardStep's units and ranges): the dialog's color, each
// choice reported as a click is, or without a dialog the color the view shows, each choice handed
// to showAlone. Only the channel keyed changes, alpha included.
class ChannelKeys
{
public:
    using ShowAlone = std::function<void(const ColorValue& color)>;

    // services may be null; owner and shownColor (the view's own color) outlive the keys.
    ChannelKeys(ColorDialogServices* services, QWidget* owner, const ColorValue& shownColor,
                ShowAlone show);

    // Sets changed to value; nothing when the color holds that value already.
    void choose(ColorChannel changed, int value) const;
    // Moves changed by delta units from where it stands (KeyboardStep::moved).
    void step(ColorChannel changed, int delta) const;

private:
    ColorValue current() const;

    ColorDialogServices* const dialog;
    QWidget* const view;
    const ColorValue& shown;
    const ShowAlone showAlone;
};
