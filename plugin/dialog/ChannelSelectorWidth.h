#pragma once

#include <QList>

class QWidget;

// Each channel row of the spinner column is a selector (a radio button or a label) followed by
// the row's field. The selectors' least width holds the usual texts, but a longer text or a
// wider font widens its selector and pushes that field out of line with the rows above and
// below. Giving every selector the width of the widest one keeps the fields of one column
// starting at one x, wherever a group moves.
class ChannelSelectorWidth
{
public:
    // Every selector's minimum width becomes the widest of their size hints and minimum widths.
    static void equalize(const QList<QWidget*>& selectors);
};
