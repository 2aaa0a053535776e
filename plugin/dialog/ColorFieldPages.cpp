#include "dialog/ColorFieldPages.h"

#include "color/ColorValue.h"
#include "fields/CanvasArea.h"
#include "fields/ColorField.h"
#include "fields/ColorFieldType.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "ui_ColorDorvoDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QSpacerItem>
#include <QStackedWidget>

#include <utility>

ColorFieldPages::ColorFieldPages(QWidget* owner, ColorDialogServices* services,
                                 Ui::ColorDorvoDialog& form, std::function<void()> fit)
    : dialog(owner), ui(form), fitSize(std::move(fit))
{
    // The pages and the slider report to the dialog; the stack and the dialog own them.
    colorFieldStack = new QStackedWidget(dialog);
    colorFieldStack->setObjectName(QStringLiteral("colorFieldStack"));
    colorField = new ColorField(services, colorFieldStack);
    hueWheel = new HueWheel(services, colorFieldStack);
    hsvWheel = new HsvWheel(services, colorFieldStack);
    canvasArea = new CanvasArea(services, colorFieldStack);
    canvasArea->setObjectName(QStringLiteral("canvasArea"));
    channelSlider = new ColorSlider(services, dialog);
    channelSlider->setObjectName(QStringLiteral("channelSlider"));

    // Pages in ColorFieldType order.
    colorFieldStack->addWidget(colorField);
    colorFieldStack->addWidget(hsvWheel);
    colorFieldStack->addWidget(hueWheel);
    colorFieldStack->addWidget(canvasArea);

    ui.colorFieldHLayout->addItem(
        new QSpacerItem(0, 0, QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding));
    ui.colorFieldHLayout->addWidget(colorFieldStack);
    ui.colorFieldHLayout->addWidget(channelSlider);
    ui.colorFieldHLayout->addItem(
        new QSpacerItem(0, 0, QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding));
}

void ColorFieldPages::numberChannelButtons(ColorChannel checked)
{
    const std::pair<QAbstractButton*, ColorChannel> channelButtons[] = {
        {ui.hueRdBtn, ColorChannel::Hue},
        {ui.saturationRdBtn, ColorChannel::Saturation},
        {ui.valueRdBtn, ColorChannel::Value},
        {ui.redRdBtn, ColorChannel::Red},
        {ui.greenRdBtn, ColorChannel::Green},
        {ui.blueRdBtn, ColorChannel::Blue},
        {ui.lightnessRdBtn, ColorChannel::Lightness},
        {ui.redGreenRdBtn, ColorChannel::RedGreen},
        {ui.blueYellowRdBtn, ColorChannel::BlueYellow},
    };
    for (const auto& [button, channel] : channelButtons)
        ui.colorSliderBtnGrp->setId(button, static_cast<int>(channel));
    ui.colorSliderBtnGrp->button(static_cast<int>(checked))->setChecked(true);
}

void ColorFieldPages::connectBrushControls()
{
    QObject::connect(ui.brushSizeSpn, QOverload<int>::of(&QSpinBox::valueChanged), canvasArea,
                     &CanvasArea::setPenWidth);
    CanvasArea* canvas = canvasArea;
    QObject::connect(ui.brushOpacitySpn, QOverload<int>::of(&QSpinBox::valueChanged), canvas,
                     [canvas](int percent) { canvas->setOpacity(static_cast<float>(percent)); });
    QObject::connect(ui.brushHardnessSpn, QOverload<int>::of(&QSpinBox::valueChanged), canvasArea,
                     &CanvasArea::setHardness);
    QObject::connect(ui.clearCanvasBtn, &QPushButton::clicked, canvasArea, &CanvasArea::ClearImage);
}

void ColorFieldPages::show(int page, const ColorValue& color, ColorChannel sliderChannel)
{
    switch (static_cast<ColorFieldType>(page)) {
    case ColorFieldType::FieldHsvWheel:
        colorFieldStack->setCurrentWidget(hsvWheel);
        hsvWheel->setColor(color);
        setChannelButtonsEnabled(false);
        // Beside the disk the slider always drives the value, whatever channel is chosen.
        channelSlider->show();
        channelSlider->setColor(color, ColorChannel::Value);
        break;
    case ColorFieldType::FieldHueWheel:
        colorFieldStack->setCurrentWidget(hueWheel);
        hueWheel->setColor(color);
        channelSlider->hide();
        setChannelButtonsEnabled(false);
        break;
    case ColorFieldType::FieldCanvas:
        colorFieldStack->setCurrentWidget(canvasArea);
        // The canvas paints with the current color.
        canvasArea->setPenColor(color.toQColor());
        showCanvasControls(true);
        setChannelButtonsEnabled(false);
        channelSlider->hide();
        return;
    default:
        colorFieldStack->setCurrentWidget(colorField);
        colorField->setColor(color, sliderChannel);
        channelSlider->show();
        channelSlider->setColor(color, sliderChannel);
        setChannelButtonsEnabled(true);
        break;
    }
    showCanvasControls(false);
}

void ColorFieldPages::showCanvasControls(bool show)
{
    // Every refresh passes here; only a change of visibility changes what the dialog holds. A
    // dialog not shown yet fits itself when it is shown.
    if (ui.canvasControlsLayout->isVisibleTo(dialog) == show)
        return;
    ui.canvasControlsLayout->setVisible(show);
    if (dialog->isVisible())
        fitSize();
}

void ColorFieldPages::setChannelButtonsEnabled(bool enabled)
{
    for (QAbstractButton* button : ui.colorSliderBtnGrp->buttons())
        button->setEnabled(enabled);
}
