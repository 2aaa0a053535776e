#include "fields/kit/ChannelKeys.h"

#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/KeyboardStep.h"

#include <utility>

ChannelKeys::ChannelKeys(ColorDialogServices* services, QWidget* owner,
                         const ColorValue& shownColor, ShowAlone show)
    : dialog(services), view(owner), shown(shownColor), showAlone(std::move(show))
{
}

ColorValue ChannelKeys::current() const
{
    return dialog ? dialog->GetCurrentColorValue() : shown;
}

void ChannelKeys::choose(ColorChannel changed, int value) const
{
    ColorValue next = current();
    if (next.channel(changed) == value)
        return;
    // The color keeps what the keys do not touch, its alpha included: unlike a pick, a step
    // changes one channel only.
    next.setChannel(changed, value);
    if (dialog)
        KeyboardStep::report(dialog, view, next);
    else
        showAlone(next);
}

void ChannelKeys::step(ColorChannel changed, int delta) const
{
    choose(changed, KeyboardStep::moved(changed, current().channel(changed), delta));
}
