#include "dialog/GroupPlacement.h"

#include "dialog/DialogAccessibility.h"
#include "dialog/SpinnerColumn.h"
#include "fields/ColorSlider.h"
#include "fields/kit/ColorDialogServices.h"
#include "host/services/HostAccess.h"
#include "settings/PickerSettings.h"
#include "ui_ColorDorvoDialog.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QTimer>

#include <array>
#include <memory>

namespace {

// The size of a slider beside the spinner of an expanded group.
constexpr int kRowSliderWidth = 145;
constexpr int kRowSliderHeight = 20;

bool holds(QLayout* layout, QWidget* widget)
{
    return layout->indexOf(widget) >= 0;
}

// A spinner group's box and its three channel rows, which carry a slider each when expanded.
struct ExpandableGroup
{
    QGroupBox* box = nullptr;
    std::array<std::pair<QHBoxLayout*, ColorChannel>, 3> rows{};
};

ExpandableGroup expandableGroup(const Ui::ColorDorvoDialog& ui, ColorChannel group)
{
    switch (group) {
    case ColorChannel::RgbGroup:
        return {ui.rgbGrpBox,
                {{{ui.redHLayout, ColorChannel::Red},
                  {ui.greenHLayout, ColorChannel::Green},
                  {ui.blueHLayout, ColorChannel::Blue}}}};
    case ColorChannel::HsvGroup:
        return {ui.hsvGrpBox,
                {{{ui.hueHLayout, ColorChannel::Hue},
                  {ui.saturationHLayout, ColorChannel::Saturation},
                  {ui.valueHLayout, ColorChannel::Value}}}};
    case ColorChannel::LabGroup:
        return {ui.cieLabGrpBox,
                {{{ui.lHLayout, ColorChannel::Lightness},
                  {ui.aHLayout, ColorChannel::RedGreen},
                  {ui.bHLayout, ColorChannel::BlueYellow}}}};
    default:
        HostAccess::DebugText(QStringLiteral("Didn't get a valid color space type\n"));
        return {};
    }
}

// Where `group` goes in `layout`, counted from `first`, so that the groups there stand in the
// order HSV, RGB, CIE-Lab: after those before it in that order that `layout` holds already.
int placeInOrder(const Ui::ColorDorvoDialog& ui, QLayout* layout, ColorChannel group, int first)
{
    int index = first;
    if (group != ColorChannel::HsvGroup && holds(layout, ui.hsvGrpBox))
        ++index;
    if (group == ColorChannel::LabGroup && holds(layout, ui.rgbGrpBox))
        ++index;
    return index;
}

// A layout shows a widget it adopts in a shown window only at the next turn of the event loop;
// until then the widget takes no room, and the size fitted now would squeeze it. A widget
// hidden on purpose stays hidden.
void showNow(QWidget* widget)
{
    if (widget && !(widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide)))
        widget->show();
}

// Layouts measure a change at their next layout request; the size fitted now must see it
// already: the box's rows first, then the dialog's layout around the box.
void measureNow(QWidget* dialog, QGroupBox* box)
{
    box->layout()->activate();
    dialog->layout()->activate();
}

} // namespace

GroupPlacement::GroupPlacement(QDialog* owner, const Ui::ColorDorvoDialog& form,
                               ColorDialogServices* dialogServices, const SpinnerColumn& column)
    : dialog(owner), ui(form), services(dialogServices), spinners(column)
{
}

void GroupPlacement::placeAsStored()
{
    const PickerSettings stored = PickerSettings::read();
    const std::pair<bool, ColorChannel> groups[] = {
        {stored.hsvExpanded, ColorChannel::HsvGroup},
        {stored.rgbExpanded, ColorChannel::RgbGroup},
        {stored.cieLabExpanded, ColorChannel::LabGroup},
    };
    for (const auto& [expanded, group] : groups) {
        if (expanded)
            placeExpanded(group);
        else
            placeCompact(group);
    }
}

void GroupPlacement::placeExpanded(ColorChannel group)
{
    // Expanded groups stand full width in the column, in the order HSV, RGB, CIE-Lab, between
    // the sRGB row (index 0) and the two compact columns.
    QVBoxLayout* column = ui.colorSpinnersVLayout;
    const ExpandableGroup expandable = expandableGroup(ui, group);
    if (!expandable.box || holds(column, expandable.box))
        return;
    column->insertWidget(placeInOrder(ui, column, group, 1), expandable.box);
    const ColorValue color = services->GetCurrentColorValue();
    for (const auto& [row, channel] : expandable.rows) {
        addChannelSlider(row, channel, color);
        showNow(row->itemAt(row->count() - 1)->widget());
    }
    showNow(expandable.box);
    // CMYK fills the left column, above its closing spacer, so it is never left empty.
    QVBoxLayout* left = ui.spinnersLeftVLayout;
    if (!holds(left, ui.cmykGrpBox)) {
        left->insertWidget(left->count() - 1, ui.cmykGrpBox);
        showNow(ui.cmykGrpBox);
    }
    measureNow(dialog, expandable.box);
    // The new sliders place their markers once the layout has given them their size.
    QTimer::singleShot(0, dialog,
                       [this] { updateChannelSliders(services->GetCurrentColorValue()); });
}

void GroupPlacement::placeCompact(ColorChannel group)
{
    // Compact groups go back to the left column in the order HSV, RGB, CIE-Lab, above CMYK
    // when it is there.
    QVBoxLayout* left = ui.spinnersLeftVLayout;
    const ExpandableGroup expandable = expandableGroup(ui, group);
    if (!expandable.box || holds(left, expandable.box))
        return;
    left->insertWidget(placeInOrder(ui, left, group, 0), expandable.box);
    showNow(expandable.box);
    for (const auto& [row, channel] : expandable.rows) {
        QLayoutItem* last = row->itemAt(row->count() - 1);
        if (auto* slider = last ? qobject_cast<ColorSlider*>(last->widget()) : nullptr) {
            row->removeWidget(slider);
            // Gone at once, so that neither the size fix-up nor the next refresh sees it.
            std::unique_ptr<ColorSlider> discarded(slider);
        }
    }
    if (holds(left, ui.hsvGrpBox) && holds(left, ui.rgbGrpBox) && holds(left, ui.cieLabGrpBox) &&
        !holds(ui.spinnersRightVLayout, ui.cmykGrpBox)) {
        ui.spinnersRightVLayout->insertWidget(0, ui.cmykGrpBox);
        showNow(ui.cmykGrpBox);
    }
    measureNow(dialog, expandable.box);
}

void GroupPlacement::addChannelSlider(QHBoxLayout* row, ColorChannel channel,
                                      const ColorValue& color)
{
    auto* slider = new ColorSlider(services, kRowSliderWidth, kRowSliderHeight,
                                   ColorSlider::Horizontal, row->parentWidget());
    row->addWidget(slider);
    if (const SpinnerColumn::Row* spinnerRow = spinners.row(channel))
        DialogAccessibility::placeChannelSlider(spinnerRow->floatSpinner, slider);
    slider->setColor(color, channel);
    channelSliders.append(slider);
}

void GroupPlacement::updateChannelSliders(const ColorValue& color)
{
    // A collapsed group deletes its sliders, which leaves null entries behind.
    channelSliders.removeAll(nullptr);
    for (ColorSlider* slider : qAsConst(channelSliders))
        slider->setColor(color, ColorChannel::None);
}

void GroupPlacement::fitSize()
{
    // Sizes are measured in the style and fonts the dialog will be shown with.
    dialog->ensurePolished();
    // A widget hidden in a shown window only marks the outer layout for the next turn of the
    // event loop; the layouts nested in it would still give the size they had with it. Activated
    // now, every layout measures what it holds now.
    QLayout* layout = dialog->layout();
    layout->invalidate();
    layout->activate();
    // The size the content asks for, with every side panel at its own fixed width, and never
    // below what it needs. adjustSize would keep a wide dialog within two thirds of the screen
    // and squeeze its columns to their minimum; the dialog is never resized by the user, so it
    // takes the full size it asks for.
    QSize size = dialog->sizeHint();
    if (layout->hasHeightForWidth())
        size.setHeight(layout->totalHeightForWidth(size.width()));
    size = size.expandedTo(layout->totalMinimumSize());
    dialog->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    dialog->setFixedSize(size);
}
