#pragma once

#include "swatches/files/ColorList.h"

#include <QString>
#include <QVector>

// Where imported lists land among the swatch panel's tabs, worked out before anything is added,
// so that a file over the panel's limits is refused whole. No widgets.

// The most swatches one tab holds: a longer list goes on in further tabs, and "History" keeps
// the newest this many.
constexpr int MaxTabSwatches = 80;
// A file larger than this is not read at all.
constexpr qint64 MaxImportedBytes = qint64(8) << 20;
// More colors than this in one file to import is refused rather than spread over tabs without
// end.
constexpr int MaxImportedSwatches = 50 * MaxTabSwatches;
// Likewise more new tabs (after lists of one title have joined and long ones have been split over
// "Title 2", "Title 3", ...) than anyone could find again among the tabs.
constexpr int MaxImportedTabs = 100;

// Part `part` (from 1) of a list too long for one tab: the title itself, then "Title 2",
// "Title 3", ... ("2", "3", ... for an empty title).
QString partTitle(const QString& title, int part);

// How many tabs adding `added` to `tabs` opens, as the panel adds lists: each list joins the
// first tab of its title, a new one at the end when there is none (even for a list without
// swatches); once that tab holds `perTab` swatches, the list goes on in the tab of its next part
// title, which may be there already or be opened. Lists added earlier count as tabs for later
// ones. `perTab` is at least 1.
int tabsOpenedBy(const QVector<ColorList>& tabs, const QVector<ColorList>& added, int perTab);

// Whether `added` may join `tabs` (the tabs as the main list file has them now) as the panel adds
// lists, MaxTabSwatches to a tab: false, with a one-line reason, when it would open more than
// MaxImportedTabs tabs or brings more than MaxImportedSwatches colors.
bool importFits(const QVector<ColorList>& tabs, const QVector<ColorList>& added, QString& reason);
