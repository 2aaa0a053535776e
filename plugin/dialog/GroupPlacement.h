#pragma once

#include "color/ColorChannel.h"

#include <QList>
#include <QPointer>

class ColorDialogServices;
class ColorSlider;
class ColorValue;
class QDialog;
class QHBoxLayout;
class QWidget;
class SpinnerColumn;

namespace Ui {
class ColorDorvoDialog;
}

// Where the spinner groups stand and how large the dialog is: a group is compact in the left
// column or expanded to full width with a slider beside each spinner; the dialog is never
// user-resizable but fits its content whenever it changes (expanded groups, the swatch panel).
class GroupPlacement
{
public:
    // None of the arguments is owned; the sliders it creates report to `services`.
    GroupPlacement(QDialog* dialog, const Ui::ColorDorvoDialog& ui, ColorDialogServices* services,
                   const SpinnerColumn& spinners);

    // Applies the stored expanded or compact state of the three groups, without fitting the size.
    void placeAsStored();
    // Moves a group into the full-width column with its channel sliders, or back; the caller
    // fits the size. Other codes only write a debug line.
    void placeExpanded(ColorChannel group);
    void placeCompact(ColorChannel group);
    // Appends a 145 x 20 horizontal slider for `channel` to a spinner row; it follows `color`.
    void addChannelSlider(QHBoxLayout* row, ColorChannel channel, const ColorValue& color);
    // The sliders of expanded groups follow `color`, each keeping its own channel.
    void updateChannelSliders(const ColorValue& color);

    // Fixes the dialog at the size its content asks for, a side panel at its own width.
    void fitSize();

private:
    QDialog* dialog;
    const Ui::ColorDorvoDialog& ui;
    ColorDialogServices* services;
    const SpinnerColumn& spinners;
    // The per-channel sliders of expanded groups.
    QList<QPointer<ColorSlider>> channelSliders;
};
