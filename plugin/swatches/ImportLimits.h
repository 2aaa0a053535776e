#pragma once

#include "swatches/ColorList.h"

#include <QString>
#include <QVector>

// Where imported lists land among the swatch panel's tabs, worked out before anything is added,
// so that a file over the panel's limits is refused whole. No widgets.

// Part `part` (from 1) of a list too long for one tab: the title itself, then "Title 2",
// "Title 3", ... ("2", "3", ... for an empty title).
QString partTitle(const QString& title, int part);

// How many tabs adding `added` to `tabs` opens, as the panel adds lists: each list joins the
// first tab of its title, a new one at the end when there is none (even for a list without
// swatches); once that tab holds `perTab` swatches, the list goes on in the tab of its next part
// title, which may be there already or be opened. Lists added earlier count as tabs for later
// ones. `perTab` is at least 1.
int tabsOpenedBy(const QVector<ColorList>& tabs, const QVector<ColorList>& added, int perTab);
