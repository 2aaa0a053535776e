#include "dialog/DialogAccessibility.h"

#include "color/ColorChannel.h"
#include "color/ColorNames.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "fields/kit/AccessibilityEvents.h"
#include "ui_ColorDorvoDialog.h"

#include <QCoreApplication>
#include <QStackedWidget>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorDorvoDialog", text);
}

// A row of the spinner column; the rows with a radio button have no label of their own.
struct ChannelRow
{
    ColorChannel channel;
    QAbstractSpinBox* intSpinner;
    QAbstractSpinBox* floatSpinner;
    QLabel* label;
    QStackedWidget* stack;
};

// The label's mnemonic focuses the spinner of the page shown, integer or float.
void followShownSpinner(QLabel* label, QStackedWidget* stack)
{
    const auto point = [label, stack] {
        if (QWidget* page = stack->currentWidget()) {
            if (auto* spinner = page->findChild<QAbstractSpinBox*>())
                label->setBuddy(spinner);
        }
    };
    point();
    QObject::connect(stack, &QStackedWidget::currentChanged, label, point);
}

} // namespace

void DialogAccessibility::setUp(QDialog* /*dialog*/, Ui::ColorDorvoDialog& ui, ColorField* field,
                                HsvWheel* hsvWheel, HueWheel* hueWheel, ColorSlider* slider)
{
    // Hidden pages drop out of the chain by themselves.
    QWidget::setTabOrder(ui.colorFieldComboBox, field);
    QWidget::setTabOrder(field, hsvWheel);
    QWidget::setTabOrder(hsvWheel, hueWheel);
    QWidget::setTabOrder(hueWheel, hueWheel->field());
    QWidget::setTabOrder(hueWheel->field(), slider);

    // Taken from the form rather than looked up by name: a search of the whole tree for each
    // would cost more than the rest of this set-up.
    const ChannelRow rows[] = {
        {ColorChannel::Hue, ui.hueIntSpinner, ui.hueFloatSpinner, nullptr, ui.hueStackedSpinners},
        {ColorChannel::Saturation, ui.saturationIntSpinner, ui.saturationFloatSpinner, nullptr,
         ui.saturationStackedSpinners},
        {ColorChannel::Value, ui.valueIntSpinner, ui.valueFloatSpinner, nullptr,
         ui.valueStackedSpinners},
        {ColorChannel::Red, ui.redIntSpinner, ui.redFloatSpinner, nullptr, ui.redStackedSpinners},
        {ColorChannel::Green, ui.greenIntSpinner, ui.greenFloatSpinner, nullptr,
         ui.greenStackedSpinners},
        {ColorChannel::Blue, ui.blueIntSpinner, ui.blueFloatSpinner, nullptr,
         ui.blueStackedSpinners},
        {ColorChannel::Lightness, ui.lightnessIntSpinner, ui.lightnessFloatSpinner, nullptr,
         ui.lightnessStackedSpinners},
        {ColorChannel::RedGreen, ui.redGreenIntSpinner, ui.redGreenFloatSpinner, nullptr,
         ui.redGreenStackedSpinners},
        {ColorChannel::BlueYellow, ui.blueYellowIntSpinner, ui.blueYellowFloatSpinner, nullptr,
         ui.blueYellowStackedSpinners},
        {ColorChannel::Cyan, ui.cyanIntSpinner, ui.cyanFloatSpinner, ui.cyanLbl,
         ui.cyanStackedSpinners},
        {ColorChannel::Magenta, ui.magentaIntSpinner, ui.magentaFloatSpinner, ui.magentaLbl,
         ui.magentaStackedSpinners},
        {ColorChannel::Yellow, ui.yellowIntSpinner, ui.yellowFloatSpinner, ui.yellowLbl,
         ui.yellowStackedSpinners},
        {ColorChannel::Key, ui.keyIntSpinner, ui.keyFloatSpinner, ui.keyLbl, ui.keyStackedSpinners},
        {ColorChannel::Alpha, ui.alphaIntSpinner, ui.alphaFloatSpinner, ui.alphaLbl,
         ui.alphaStackedSpinners},
    };
    for (const ChannelRow& row : rows) {
        const QString name = capitalized(spokenChannelName(row.channel));
        row.intSpinner->setAccessibleName(name);
        row.floatSpinner->setAccessibleName(name);
        if (row.label)
            followShownSpinner(row.label, row.stack);
    }
    ui.temperatureSpinner->setAccessibleName(tr("Temperature in kelvin"));
    ui.temperatureLbl->setBuddy(ui.temperatureSpinner);
    ui.hexEditLine->setAccessibleName(tr("Hex color"));
    ui.hexLbl->setBuddy(ui.hexEditLine);
    ui.angleLbl->setBuddy(ui.angleSpn);
    ui.brushOpacityLbl->setBuddy(ui.brushOpacitySpn);
    ui.brushHardnessLbl->setBuddy(ui.brushHardnessSpn);
    ui.brushSizeLbl->setBuddy(ui.brushSizeSpn);
    ui.colorFieldComboBox->setAccessibleName(tr("Color field type"));
    ui.swatchesBtn->setAccessibleName(tr("Swatch lists"));
    ui.swatchesBtn->setAccessibleDescription(tr("Opens or closes the swatch lists"));
    ui.colorPaletteWidget->setAccessibleName(tr("Harmony colors"));
    ui.initColorLbl->setAccessibleName(tr("Initial color"));

    AccessibilityEvents::markLiveRegion(ui.currentColorLbl);
}

void DialogAccessibility::placeChannelSlider(QWidget* rowSpinner, ColorSlider* slider)
{
    QWidget::setTabOrder(rowSpinner, slider);
}
