#include "dialog/ChannelSelectorWidth.h"

#include <QWidget>

#include <algorithm>

void ChannelSelectorWidth::equalize(const QList<QWidget*>& selectors)
{
    int width = 0;
    for (QWidget* selector : selectors) {
        // Measured in the font and style the selector is shown with.
        selector->ensurePolished();
        width = std::max({width, selector->minimumWidth(), selector->sizeHint().width()});
    }
    for (QWidget* selector : selectors)
        selector->setMinimumWidth(width);
}
