#include "dialog/DialogAccessibility.h"

#include "color/ColorChannel.h"
#include "color/ColorNames.h"
#include "fields/AccessibilityEvents.h"
#include "fields/ColorField.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "ui_ColorDorvoDialog.h"

#include <QCoreApplication>
#include <QStackedWidget>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorDorvoDialog", text);
}

struct ChannelRow
{
    ColorChannel channel;
    const char* row;
};

// The rows of the spinner column by the prefix of their object names.
constexpr ChannelRow kRows[] = {
    {ColorChannel::Hue, "hue"},
    {ColorChannel::Saturation, "saturation"},
    {ColorChannel::Value, "value"},
    {ColorChannel::Red, "red"},
    {ColorChannel::Green, "green"},
    {ColorChannel::Blue, "blue"},
    {ColorChannel::Lightness, "lightness"},
    {ColorChannel::RedGreen, "redGreen"},
    {ColorChannel::BlueYellow, "blueYellow"},
    {ColorChannel::Cyan, "cyan"},
    {ColorChannel::Magenta, "magenta"},
    {ColorChannel::Yellow, "yellow"},
    {ColorChannel::Key, "key"},
    {ColorChannel::Alpha, "alpha"},
};

template <typename T> T* child(QDialog* dialog, const char* prefix, const char* suffix)
{
    return dialog->findChild<T*>(QLatin1String(prefix) + QLatin1String(suffix));
}

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

void DialogAccessibility::setUp(QDialog* dialog, Ui::ColorDorvoDialog& ui, ColorField* field,
                                HsvWheel* hsvWheel, HueWheel* hueWheel, ColorSlider* slider)
{
    // Hidden pages drop out of the chain by themselves.
    QWidget::setTabOrder(ui.colorFieldComboBox, field);
    QWidget::setTabOrder(field, hsvWheel);
    QWidget::setTabOrder(hsvWheel, hueWheel);
    QWidget::setTabOrder(hueWheel, hueWheel->field());
    QWidget::setTabOrder(hueWheel->field(), slider);

    for (const ChannelRow& row : kRows) {
        const QString name = capitalized(spokenChannelName(row.channel));
        if (auto* spinner = child<QAbstractSpinBox>(dialog, row.row, "IntSpinner"))
            spinner->setAccessibleName(name);
        if (auto* spinner = child<QAbstractSpinBox>(dialog, row.row, "FloatSpinner"))
            spinner->setAccessibleName(name);
        auto* label = child<QLabel>(dialog, row.row, "Lbl");
        auto* stack = child<QStackedWidget>(dialog, row.row, "StackedSpinners");
        if (label && stack)
            followShownSpinner(label, stack);
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
