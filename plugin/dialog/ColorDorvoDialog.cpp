#include "dialog/ColorDorvoDialog.h"

#include "color/ColorTexts.h"
#include "color/GammaForms.h"
#include "dialog/BackdropCache.h"
#include "dialog/ColorFieldPages.h"
#include "dialog/ColorInfoLine.h"
#include "dialog/DialogAccessibility.h"
#include "dialog/FlagScope.h"
#include "dialog/GroupPlacement.h"
#include "dialog/HistoryKeys.h"
#include "dialog/SpinnerColumn.h"
#include "fields/ColorField.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "fields/eyedropper/ColorPickScreen.h"
#include "host/services/HostAccess.h"
#include "settings/ColorDorvoSettingsDialog.h"
#include "settings/PickerSettings.h"
#include "swatches/ColorSwatchListWidget.h"
#include "transfer/ColorClipboard.h"
#include "transfer/ColorCopyMenu.h"
#include "transfer/ColorDragSource.h"
#include "transfer/ColorDropTarget.h"
#include "ui_ColorDorvoDialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>
#include <QWhatsThis>

#include <string>

namespace {

// Shared by every open dialog: set while one change is spread over the views. The spinner and
// slider paths ignore what reaches them meanwhile (a control answering the value the change gave
// it), so that no second change starts inside the first; a view answering its new color through
// ViewColorChanged is not stopped here, the edit takes it as part of the running change.
bool s_updating = false;

// The button groups' click signal with the button's id (named idClicked from Qt 5.15 on). Not
// constexpr: on Windows Qt's functions are imported from its DLLs, and an imported function's
// address is no constant expression.
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
const auto kIdClicked = &QButtonGroup::idClicked;
#else
const auto kIdClicked = QOverload<int>::of(&QButtonGroup::buttonClicked);
#endif

} // namespace

ColorDorvoDialog::ColorDorvoDialog(QWidget* parent, const QColor& color, int /*request*/,
                                   HSVCallback* hostCallback, ColorDorvoPicker* hostPicker,
                                   const QString& title)
    : QDialog(parent), ui(std::make_unique<Ui::ColorDorvoDialog>()),
      edit(new ColorEdit(ColorValue(color), this)), picker(hostPicker), hostColor(color)
{
    // Keys typed into the spinners must not reach the host's accelerators.
    setProperty("NoMaxAccelerators", true);
    ui->setupUi(this);
    spinners = std::make_unique<SpinnerColumn>(*ui);
    groups = std::make_unique<GroupPlacement>(this, *ui, this, *spinners);
    ui->colorPaletteWidget->setServices(this);
    fitSixHexDigits(ui->hexEditLine);
    infoLine = new ColorInfoLine(this);
    infoLine->takeRowOf(ui->pasteStatusLbl);
    equalizeSelectorWidths({ui->hueRdBtn, ui->saturationRdBtn, ui->valueRdBtn, ui->redRdBtn,
                            ui->greenRdBtn, ui->blueRdBtn, ui->lightnessRdBtn, ui->redGreenRdBtn,
                            ui->blueYellowRdBtn, ui->cyanLbl, ui->magentaLbl, ui->yellowLbl,
                            ui->keyLbl, ui->temperatureLbl, ui->alphaLbl});
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    installEventFilter(this);
    setWindowTitle(title);
    this->callback = hostCallback;

    infoLine->showColor(edit->current(), edit->initial(), ColorChannel::None);
    ReadSettings();
    UpdateColorDisplays(edit->current(), true);
    CreateColorFields();
    SetColorField(colorFieldIndex);
    groups->placeAsStored();
    // The panel reads and writes the list file; a dialog that never shows it leaves the file
    // alone, and the panel is built the first time the swatches button asks for it.
    if (swatchListShown)
        CreateSwatchList(true);

    RefreshSpinners(edit->initial(), ColorChannel::None);

    // Filled before any connection exists, so no slot runs. Every page, and so every stored page
    // number, has its entry.
    ui->colorFieldComboBox->addItems(fieldTypeNames);
    ui->colorFieldComboBox->setCurrentIndex(colorFieldIndex);

    SetSpinnerType(colorSpinnerType);

    pages->numberChannelButtons(sliderChannel);

    using Angle = PaletteAngleType;
    ui->colorPaletteBtnGrp->setId(ui->monochromaticRdBtn, static_cast<int>(Angle::Monochromatic));
    ui->colorPaletteBtnGrp->setId(ui->adjacentRdBtn, static_cast<int>(Angle::Adjacent));
    ui->colorPaletteBtnGrp->setId(ui->triadRdBtn, static_cast<int>(Angle::Triad));
    ui->colorPaletteBtnGrp->setId(ui->tetradRdBtn, static_cast<int>(Angle::Tetrad));
    ui->colorPaletteBtnGrp->button(static_cast<int>(paletteAngleType))->setChecked(true);

    ui->colorSpinnerRangeBtnGrp->setId(ui->integerSpinnersRdBtn,
                                       static_cast<int>(ColorSpinnerType::Integer));
    ui->colorSpinnerRangeBtnGrp->setId(ui->floatSpinnersRdBtn,
                                       static_cast<int>(ColorSpinnerType::Float));
    ui->colorSpinnerRangeBtnGrp->button(static_cast<int>(colorSpinnerType))->setChecked(true);

    ConnectSignals();
    CreateActions();
    CreateColorTransfer();
    DialogAccessibility::setUp(this, *ui, pages->field(), pages->hsvWheelPage(),
                               pages->hueWheelPage(), pages->slider());
    ui->pickColorBtn->setIcon(
        MaxSDK::LoadMaxMultiResIcon(QString::fromLatin1(kEyeDropperIconPath)));

    connect(edit->timer(), &QTimer::timeout, this, &ColorDorvoDialog::OnUpdateTimerTimeout);
    connect(edit, &ColorEdit::hostToldOf, this, &ColorDorvoDialog::NotifyColorChanged);

    // The field names and the spinner page chosen above can change what the form needs.
    FixSize();

    DebugPrint(_M("opeing\n"));
}

ColorDorvoDialog::~ColorDorvoDialog()
{
    // Children are destroyed after this body; none of their signals may reach the
    // half-destroyed dialog (a focused line edit reports editingFinished as it goes).
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    WriteSettings();
    edit->stopTimer();
    if (callback) {
        callback->BeingDestroyed(GetPosition());
        callback = nullptr;
    }
    picker = nullptr;
    ui.reset();
}

void ColorDorvoDialog::ViewColorChanged(const ColorValue& color, bool silent)
{
    ApplyColor(color, silent ? ChangeKind::ViewFinal : ChangeKind::ViewStep);
}

void ColorDorvoDialog::ViewDragEnded()
{
    edit->change(ChangeKind::DragEnd, edit->current());
}

void ColorDorvoDialog::SliderValueChanged(int value, ColorChannel channel, bool notify)
{
    if (channel == ColorChannel::None || s_updating)
        return;
    // The value goes into the channel's spinners as if typed there, and then through the spinner
    // path once. A step that changes neither spinner changes nothing; the end of a drag still
    // tells the host the color the drag had reached and makes one step of the history.
    const ChangeKind kind = notify ? ChangeKind::SliderEnd : ChangeKind::SliderStep;
    if (const std::optional<int> shown = spinners->takeSliderValue(channel, value, SRgbShown()))
        StoreShownValue(channel, *shown, kind);
    else if (notify)
        edit->change(kind, edit->current());
}

int ColorDorvoDialog::ExecDialog()
{
    return exec();
}

void ColorDorvoDialog::ShowDialog()
{
    show();
    winId();
}

void ColorDorvoDialog::ModifyColor(DWORD color)
{
    ModifyColor(AColor(color, 1.0f));
}

void ColorDorvoDialog::ModifyColor(AColor color)
{
    // The host's color supersedes an edit still waiting to be reported (reporting it would only
    // echo the host's own color back); it is no edit of the user's, but the color the next undo
    // returns to.
    const ColorValue value(color.r, color.g, color.b, color.a);
    hostColor = value.toQColor();
    ApplyColor(value, ChangeKind::HostModified);
}

void ColorDorvoDialog::SetNewColor(DWORD color, const MCHAR* name)
{
    SetNewColor(AColor(color, 1.0f), name);
}

void ColorDorvoDialog::SetNewColor(AColor color, const MCHAR* name)
{
    setWindowTitle(name ? QString::fromWCharArray(name) : QString());
    // A new color from the host starts a new edit: the colors before it are not its history.
    const ColorValue value(color.r, color.g, color.b, color.a);
    hostColor = value.toQColor();
    const FlagScope updating(s_updating);
    edit->change(ChangeKind::HostReplaced, value, [this, &value] {
        UpdateColorDisplays(value, true);
        RefreshViews(ColorChannel::None);
    });
}

DWORD ColorDorvoDialog::GetColor()
{
    return edit->current().toColorRef();
}

IPoint2 ColorDorvoDialog::GetPosition()
{
    return IPoint2(pos().x(), pos().y());
}

void ColorDorvoDialog::Destroy()
{
    // The host closing a modeless picker keeps the color it holds: an accepted one, when it is
    // not the one the picker opened on. A color only shown here (typing whose report the timer
    // still holds, a palette tile or a swatch the host was not yet told of) never reached it.
    if (hostColor.rgb() != edit->initial().toQColor().rgb())
        ColorListStore::rememberColor(swatchList, hostColor);
    const FlagScope closing(closingOnPurpose);
    close();
}

void ColorDorvoDialog::InstallNewCB(DWORD color, HSVCallback* newCallback, const MCHAR* name)
{
    InstallNewCB(AColor(color, 1.0f), newCallback, name);
}

void ColorDorvoDialog::InstallNewCB(AColor color, HSVCallback* newCallback, const MCHAR* name)
{
    // The outgoing owner hears the last color it was shown.
    NotifyColorChanged(edit->current());
    callback = newCallback;
    SetNewColor(color, name);
}

void ColorDorvoDialog::RefreshUI()
{
    ApplyColor(edit->current(), ChangeKind::Quiet);
}

AColor ColorDorvoDialog::GetAColor()
{
    float rgba[4];
    edit->current().toFloats(rgba);
    return AColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

bool ColorDorvoDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog watches only itself; the text fields' undo keys are HistoryKeys'.
    if (watched != this)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::EnterWhatsThisMode:
        // The title bar's "?" button opens the settings instead of the help pointer. Every
        // top-level window hears of the help mode; only the picker whose button it was answers.
        // Qt tells the windows from a list taken beforehand, and a window on that list (a
        // tooltip) may delete itself while the settings run: they open once the telling is done.
        if (isActiveWindow()) {
            QWhatsThis::leaveWhatsThisMode();
            QMetaObject::invokeMethod(
                this, [this] { OpenSettingsDialog(); }, Qt::QueuedConnection);
            return true;
        }
        break;
    case QEvent::Show:
        // Shown, the form may measure differently than when it was built (the window's screen
        // and fonts are final now): fit it again so that nothing is squeezed.
        FixSize();
        break;
    case QEvent::Close:
        // Closed by the window system (its close button, Alt+F4): a cancel, so a host that
        // previewed the edits is put back to the initial color.
        if (!closingOnPurpose && isVisible()) {
            edit->stopTimer();
            NotifyColorChanged(edit->initial());
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        // A spinner or the hex line has already finished its edit on Return; the key
        // must not go on to the default button and close the dialog.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Enter || key == Qt::Key_Return)
            return true;
        // Escape cancels as the Cancel button does, so a host that previewed the edits is
        // put back to the initial color (the plain reject would leave it on the edit).
        if (key == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
            CancelDialog();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void ColorDorvoDialog::AcceptColor()
{
    // Accepting reports the current color itself; a pending report would only repeat it.
    edit->stopTimer();
    NotifyColorChanged(edit->current());
    ColorListStore::rememberColor(swatchList, edit->current().toQColor());
    const FlagScope closing(closingOnPurpose);
    accept();
}

void ColorDorvoDialog::ResetColor()
{
    ApplyColor(edit->initial(), ChangeKind::Applied);
}

void ColorDorvoDialog::PickColorFromScreen()
{
    // The pick replaces red, green, blue and alpha (opaque, or the color's own after a cancel).
    ColorValue picked = edit->current();
    picked.setRgb(ColorPickScreen::pickScreenColor(edit->current().rgb()));
    ApplyColor(picked, ChangeKind::Applied);
}

void ColorDorvoDialog::CancelDialog()
{
    // A pending report of an edit must not reach the host after it was put back.
    edit->stopTimer();
    NotifyColorChanged(edit->initial());
    const FlagScope closing(closingOnPurpose);
    close();
}

void ColorDorvoDialog::ColorFieldChanged(int index)
{
    HostAccess::ListenerText(
        QStringLiteral("Set color field %1\n").arg(ui->colorFieldComboBox->itemText(index)));
    colorFieldIndex = index;
    SetColorField(index);
}

void ColorDorvoDialog::ColorSpinnerRangeChanged(int type)
{
    colorSpinnerType = static_cast<ColorSpinnerType>(type);
    SetSpinnerType(colorSpinnerType);
}

void ColorDorvoDialog::ColorRdBtnChanged(int type)
{
    sliderChannel = static_cast<ColorChannel>(type);
    SetColorField(colorFieldIndex);
}

void ColorDorvoDialog::ColorSpinnerChanged(int value, int type)
{
    if (s_updating)
        return;
    const auto channel = static_cast<ColorChannel>(type);
    // Values arrive in the form the spinners show; with the sRGB switch off RGB, saturation
    // and value are linear and are stored in display form.
    if (channelInfo(channel).write)
        StoreShownValue(channel, value, ChangeKind::Typed);
    else
        edit->change(ChangeKind::Typed, edit->current());
}

void ColorDorvoDialog::StoreShownValue(ColorChannel channel, int shown, ChangeKind kind)
{
    const FlagScope updating(s_updating);
    ColorValue next = edit->current();
    next.setChannel(channel, storedFromShown(channel, shown, SRgbShown()));
    edit->change(kind, next, [this, channel] { RefreshViews(channelInfo(channel).editKeeps); });
}

void ColorDorvoDialog::ColorSpinnerChanged(float value, int type)
{
    ColorSpinnerChanged(integerFromFloat(static_cast<ColorChannel>(type), value), type);
}

void ColorDorvoDialog::AngleRdBtnChanged(int type)
{
    paletteAngleType = static_cast<PaletteAngleType>(type);
    ui->angleSpn->setEnabled(paletteAngleType != PaletteAngleType::Monochromatic);
    ui->colorPaletteWidget->updatePalettes(edit->current().hsv(), type, ui->angleSpn->value());
}

void ColorDorvoDialog::AngleSpinnerChanged(int angle)
{
    ui->colorPaletteWidget->updatePalettes(edit->current().hsv(),
                                           static_cast<int>(paletteAngleType), angle);
}

void ColorDorvoDialog::ComplementarySwitchPressed()
{
    ApplyColor(edit->current().complementary(), ChangeKind::Applied);
}

void ColorDorvoDialog::InvertSwitchPressed()
{
    ApplyColor(edit->current().inverted(), ChangeKind::Applied);
}

void ColorDorvoDialog::OnUpdateTimerTimeout()
{
    ApplyColor(edit->current(), ChangeKind::TimerFired);
}

void ColorDorvoDialog::ApplyColor(const ColorValue& value, ChangeKind kind)
{
    const FlagScope updating(s_updating);
    edit->change(kind, value, [this] { RefreshViews(ColorChannel::None); });
}

void ColorDorvoDialog::RefreshViews(ColorChannel keepGroup)
{
    ++viewRefreshes;
    RefreshSpinners(edit->current(), keepGroup);
    UpdateColorDisplays(edit->current(), false);
    SetColorField(colorFieldIndex);
    infoLine->showColor(edit->current(), edit->initial(), keepGroup);
}

void ColorDorvoDialog::RefreshSpinners(const ColorValue& value, ColorChannel skipGroup)
{
    spinners->refresh(value, skipGroup, SRgbShown());
}

void ColorDorvoDialog::UpdateColorDisplays(const ColorValue& value, bool initial)
{
    ui->colorPaletteWidget->updatePalettes(value.hsv(), static_cast<int>(paletteAngleType),
                                           ui->angleSpn->value());
    QPalette swatch;
    swatch.setColor(QPalette::Window, value.toQColor());
    if (ui->currentColorLbl->palette().color(QPalette::Window) != value.toQColor())
        ui->currentColorLbl->setPalette(swatch);
    if (initial) {
        ui->angleSpn->setEnabled(paletteAngleType != PaletteAngleType::Monochromatic);
        ui->angleSpn->setResetValue(PickerSettings::kDefaultPaletteAngle);
        ui->initColorLbl->setPalette(swatch);
    }
}

void ColorDorvoDialog::SetColorField(int page)
{
    pages->show(page, edit->current(), sliderChannel);
    UpdateChannelSliders();
}

void ColorDorvoDialog::FixSize()
{
    groups->fitSize();
}

void ColorDorvoDialog::ToggleSwatchList()
{
    if (!swatchList)
        CreateSwatchList(true);
    else
        ShowSwatchList(!swatchList->isVisible());
}

void ColorDorvoDialog::CreateSwatchList(bool show)
{
    if (!swatchList) {
        swatchList = new ColorSwatchListWidget(this, this);
        ui->baseHLayout->addWidget(swatchList);
    }
    if (show)
        ShowSwatchList(true);
    else
        swatchList->close();
}

void ColorDorvoDialog::ShowSwatchList(bool show)
{
    if (show) {
        swatchList->show();
        ui->swatchesBtn->setText(QStringLiteral(">"));
    } else {
        swatchList->close();
        ui->swatchesBtn->setText(QStringLiteral("v"));
    }
    swatchListShown = show;
    // The panel is an item of the layout with a width of its own: the fitted width gains or
    // loses exactly that width and the layout's spacing, however wide the dialog was before.
    FixSize();
}

void ColorDorvoDialog::AddChannelSlider(QHBoxLayout* row, ColorChannel channel)
{
    groups->addChannelSlider(row, channel, edit->current());
}

void ColorDorvoDialog::UpdateChannelSliders()
{
    groups->updateChannelSliders(edit->current());
}

void ColorDorvoDialog::SetSpinnerType(ColorSpinnerType type)
{
    spinners->setType(type);
    ApplyColor(edit->current(), ChangeKind::Quiet);
}

void ColorDorvoDialog::HexEditFinished()
{
    // The line also finishes when it merely loses focus. Unedited text names the color
    // already shown, and re-reading it would only drop the alpha and any hue kept for
    // a grey, so only a real edit counts.
    if (!ui->hexEditLine->isModified())
        return;
    ui->hexEditLine->setModified(false);
    // The line reads what a paste reads: hex with or without '#' (3, 4, 6 or 8 digits, the
    // alpha last), CSS colors and the host's script forms. Text that names no color changes
    // nothing: the status row says why, and the text stays, selected, to be mended or typed over
    // (the next change of color writes the line anew).
    if (!colorClipboard->takeText(ui->hexEditLine->text()) && ui->hexEditLine->hasFocus())
        ui->hexEditLine->selectAll();
}

void ColorDorvoDialog::NotifyColorChanged(const ColorValue& color)
{
    if (!callback)
        return;
    float rgba[4];
    color.toFloats(rgba);
    hostColor = color.toQColor();
    callback->ColorChanged(AColor(rgba[0], rgba[1], rgba[2], rgba[3]), TRUE);
}

void ColorDorvoDialog::WriteHiddenSpinners()
{
    spinners->writeHidden();
}

bool ColorDorvoDialog::SRgbShown() const
{
    return ui->sRgbCheckBox->isChecked();
}

void ColorDorvoDialog::ReadSettings()
{
    const PickerSettings stored = PickerSettings::read();
    colorFieldIndex = stored.colorFieldIndex;
    sliderChannel = stored.sliderChannel;
    paletteAngleType = stored.paletteAngleType;
    colorSpinnerType = stored.spinnerType;
    ui->angleSpn->setValue(stored.paletteAngle);
    ui->sRgbCheckBox->setChecked(stored.sRgbSwitch);
    swatchListShown = stored.swatchListShown;
}

void ColorDorvoDialog::WriteSettings()
{
    PickerSettings shown;
    shown.colorFieldIndex = colorFieldIndex;
    shown.sliderChannel = sliderChannel;
    shown.paletteAngleType = paletteAngleType;
    shown.paletteAngle = ui->angleSpn->value();
    shown.spinnerType = colorSpinnerType;
    shown.sRgbSwitch = ui->sRgbCheckBox->isChecked();
    shown.swatchListShown = swatchListShown;
    shown.writeDialogChoices();
}

void ColorDorvoDialog::CreateColorFields()
{
    pages = std::make_unique<ColorFieldPages>(this, this, *ui, [this] { FixSize(); });
}

void ColorDorvoDialog::ConnectSignals()
{
    connect(ui->acceptBtn, &QPushButton::clicked, this, &ColorDorvoDialog::AcceptColor);
    connect(ui->resetBtn, &QPushButton::clicked, this, &ColorDorvoDialog::ResetColor);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &ColorDorvoDialog::CancelDialog);
    connect(ui->pickColorBtn, &QPushButton::clicked, this, &ColorDorvoDialog::PickColorFromScreen);
    connect(ui->colorFieldComboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ColorDorvoDialog::ColorFieldChanged);
    connect(ui->sRgbCheckBox, &QCheckBox::stateChanged, this,
            [this](int) { ApplyColor(edit->current(), ChangeKind::Applied); });
    // The button groups carry the ids: the spinner type, the slider channel and the harmony.
    connect(ui->colorSpinnerRangeBtnGrp, kIdClicked, this,
            &ColorDorvoDialog::ColorSpinnerRangeChanged);
    connect(ui->colorSliderBtnGrp, kIdClicked, this, &ColorDorvoDialog::ColorRdBtnChanged);

    spinners->connectEdits(
        this,
        [this](int value, ColorChannel channel) {
            ColorSpinnerChanged(value, static_cast<int>(channel));
        },
        [this](float value, ColorChannel channel) {
            ColorSpinnerChanged(value, static_cast<int>(channel));
        });
    connect(ui->hexEditLine, &QLineEdit::editingFinished, this, &ColorDorvoDialog::HexEditFinished);

    connect(ui->colorPaletteBtnGrp, kIdClicked, this, &ColorDorvoDialog::AngleRdBtnChanged);
    connect(ui->angleSpn, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &ColorDorvoDialog::AngleSpinnerChanged);
    connect(ui->complementarySwitchBtn, &QPushButton::clicked, this,
            &ColorDorvoDialog::ComplementarySwitchPressed);
    connect(ui->invertSwitchBtn, &QPushButton::clicked, this,
            &ColorDorvoDialog::InvertSwitchPressed);
    pages->connectBrushControls();
    connect(ui->swatchesBtn, &QPushButton::clicked, this, &ColorDorvoDialog::ToggleSwatchList);
}

void ColorDorvoDialog::ReadExpandedSettings()
{
    groups->placeAsStored();
    FixSize();
}

void ColorDorvoDialog::ExpandColorGroup(ColorChannel group)
{
    groups->placeExpanded(group);
    FixSize();
}

void ColorDorvoDialog::CollapseColorGroup(ColorChannel group)
{
    groups->placeCompact(group);
    FixSize();
}

void ColorDorvoDialog::OpenSettingsDialog()
{
    {
        // It runs within its construction and is gone when the block ends.
        const ColorDorvoSettingsDialog settings(this);
    }
    ReadExpandedSettings();
}

void ColorDorvoDialog::CreateActions()
{
    auto* keys = new HistoryKeys(this, ui->hexEditLine);
    connect(keys, &HistoryKeys::undoPressed, this, &ColorDorvoDialog::Undo);
    connect(keys, &HistoryKeys::redoPressed, this, &ColorDorvoDialog::Redo);
}

void ColorDorvoDialog::CreateColorTransfer()
{
    // A color pasted or dropped is one change like a reset: the views follow once, the host is
    // told and the history takes one step.
    const auto take = [this](const QColor& color) {
        ApplyColor(ColorValue(color), ChangeKind::Applied);
    };
    colorClipboard = new ColorClipboard(
        this, [this] { return edit->current().toQColor(); }, take);
    connect(colorClipboard, &ColorClipboard::message, infoLine, &ColorInfoLine::showMessage);
    new ColorDragSource(ui->currentColorLbl, [this] { return edit->current().toQColor(); });
    new ColorCopyMenu(ui->currentColorLbl, [this] { return edit->current().toQColor(); });
    new ColorDragSource(ui->initColorLbl, [this] { return edit->initial().toQColor(); });
    for (QWidget* target :
         {static_cast<QWidget*>(ui->currentColorLbl), static_cast<QWidget*>(pages->field()),
          static_cast<QWidget*>(pages->hsvWheelPage()),
          static_cast<QWidget*>(pages->hueWheelPage())})
        new ColorDropTarget(target, take);
}

void ColorDorvoDialog::Undo()
{
    HostAccess::ListenerText(QStringLiteral("Undo\n"));
    StepHistory(false);
}

void ColorDorvoDialog::Redo()
{
    HostAccess::ListenerText(QStringLiteral("Redo\n"));
    StepHistory(true);
}

void ColorDorvoDialog::StepHistory(bool forward)
{
    const FlagScope updating(s_updating);
    const auto views = [this] { RefreshViews(ColorChannel::None); };
    if (forward)
        edit->redo(views);
    else
        edit->undo(views);
}
