#include "dialog/ColorDorvoDialog.h"

#include "color/ColorTexts.h"
#include "color/GammaForms.h"
#include "color/HexColor.h"
#include "dialog/BackdropCache.h"
#include "dialog/ChannelSelectorWidth.h"
#include "dialog/ColorClipboard.h"
#include "dialog/ColorDropTarget.h"
#include "dialog/ColorInfoLine.h"
#include "dialog/DialogAccessibility.h"
#include "dialog/GroupPlacement.h"
#include "dialog/SpinnerColumn.h"
#include "fields/CanvasArea.h"
#include "fields/ColorField.h"
#include "fields/ColorFieldType.h"
#include "fields/ColorPickScreen.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "host/services/SettingsStore.h"
#include "settings/ColorDorvoSettingsDialog.h"
#include "swatches/ColorCopyMenu.h"
#include "swatches/ColorDragSource.h"
#include "swatches/ColorSwatchListWidget.h"
#include "ui_ColorDorvoDialog.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPalette>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QWhatsThis>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

// The form holds the hex line to 50 pixels, room for six digits in the host's interface font. With
// a wider font the first digits would scroll out of view, so the line grows until six of the
// widest hex digit fit inside its frame and text margins.
void fitSixHexDigits(QLineEdit* line)
{
    const QFontMetrics metrics = line->fontMetrics();
    int widest = 0;
    for (const QChar c : QStringLiteral("0123456789ABCDEF")) {
        widest = std::max(widest, metrics.horizontalAdvance(c));
    }
    const QMargins margins = line->textMargins();
    // QLineEdit keeps two pixels of its own on each side of the text, inside the frame.
    const int frame = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line);
    const int needed = 6 * widest + margins.left() + margins.right() + 2 * frame + 4;
    if (needed > line->maximumWidth()) {
        line->setMaximumWidth(needed);
    }
}

// Shared by every open dialog: an update is being spread over the views. The spinners are written
// quietly, but a view or a control answering its new color must not start another update.
bool s_updating = false;

// Sets a process-wide flag for one scope and puts back what it was, so that a nested
// update cannot clear the flag under the update that is still running.
class FlagScope
{
public:
    explicit FlagScope(bool& guarded) : flag(guarded), previous(guarded) { guarded = true; }
    ~FlagScope() { flag = previous; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag;
    bool previous;
};

// The button groups' click signal with the button's id (named idClicked from Qt 5.15 on).
#if QT_VERSION >= QT_VERSION_CHECK(5, 15, 0)
constexpr auto kIdClicked = &QButtonGroup::idClicked;
#else
constexpr auto kIdClicked = QOverload<int>::of(&QButtonGroup::buttonClicked);
#endif

using ClosingScope = FlagScope;

constexpr int kDefaultPaletteAngle = 30;

// The selector's entry for the mixing canvas, after the names of the three color field pages.
const char kCanvasFieldName[] = "Mixing Canvas";

const char kSettingsGroup[] = "ColorDorvoDialog";

// Users of both families of systems expect Ctrl+Y and Ctrl+Shift+Z to redo; each platform's own
// list has only one of them.
QList<QKeySequence> redoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

bool isRedoKey(const QKeyEvent* event)
{
    const int pressed =
        static_cast<int>(event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier)) |
        event->key();
    return redoKeys().contains(QKeySequence(pressed));
}

template <typename T> T readSetting(const char* key, T fallback)
{
    QVariant value = fallback;
    ReadSetting(QString::fromLatin1(kSettingsGroup), QString::fromLatin1(key), value);
    return value.canConvert<T>() ? value.value<T>() : fallback;
}

void writeSetting(const char* key, const QVariant& value)
{
    WriteSetting(QString::fromLatin1(kSettingsGroup), QString::fromLatin1(key), value);
}

} // namespace

ColorDorvoDialog::ColorDorvoDialog(QWidget* parent, const QColor& color, int /*request*/,
                                   HSVCallback* hostCallback, ColorDorvoPicker* hostPicker,
                                   const QString& title)
    : QDialog(parent), ui(std::make_unique<Ui::ColorDorvoDialog>()),
      edit(new ColorEdit(ColorValue(color), this)), picker(hostPicker)
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
    ChannelSelectorWidth::equalize(
        {ui->hueRdBtn, ui->saturationRdBtn, ui->valueRdBtn, ui->redRdBtn, ui->greenRdBtn,
         ui->blueRdBtn, ui->lightnessRdBtn, ui->redGreenRdBtn, ui->blueYellowRdBtn, ui->cyanLbl,
         ui->magentaLbl, ui->yellowLbl, ui->keyLbl, ui->temperatureLbl, ui->alphaLbl});
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    installEventFilter(this);
    setWindowTitle(title);
    this->callback = hostCallback;

    infoLine->showColor(edit->current(), edit->initial(), ColorChannel::None);
    ReadSettings();
    UpdateColorDisplays(edit->current(), true);
    CreateColorFields();
    SetColorField(colorFieldIndex);
    // An open swatch list widens the dialog from its fitted size; otherwise the size is fitted
    // once, at the end.
    groups->placeAsStored();
    if (swatchListShown)
        FixSize();
    CreateSwatchList(swatchListShown);

    RefreshSpinners(edit->initial(), ColorChannel::None);

    // Filled before any connection exists, so no slot runs. The mixing canvas is listed
    // last, so that every page, and every stored page number, has its entry.
    ui->colorFieldComboBox->addItems(fieldTypeNames);
    ui->colorFieldComboBox->addItem(QString::fromLatin1(kCanvasFieldName));
    ui->colorFieldComboBox->setCurrentIndex(colorFieldIndex);

    SetSpinnerType(colorSpinnerType);

    const std::pair<QAbstractButton*, ColorChannel> channelButtons[] = {
        {ui->hueRdBtn, ColorChannel::Hue},
        {ui->saturationRdBtn, ColorChannel::Saturation},
        {ui->valueRdBtn, ColorChannel::Value},
        {ui->redRdBtn, ColorChannel::Red},
        {ui->greenRdBtn, ColorChannel::Green},
        {ui->blueRdBtn, ColorChannel::Blue},
        {ui->lightnessRdBtn, ColorChannel::Lightness},
        {ui->redGreenRdBtn, ColorChannel::RedGreen},
        {ui->blueYellowRdBtn, ColorChannel::BlueYellow},
    };
    for (const auto& [button, channel] : channelButtons)
        ui->colorSliderBtnGrp->setId(button, static_cast<int>(channel));
    ui->colorSliderBtnGrp->button(static_cast<int>(sliderChannel))->setChecked(true);

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
    DialogAccessibility::setUp(this, *ui, colorField, hsvWheel, hueWheel, channelSlider);
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
    ApplyColor(ColorValue(color.r, color.g, color.b, color.a), ChangeKind::HostModified);
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
    // The host closing a modeless picker keeps the color it was last given: an accepted one.
    if (edit->current().rgb() != edit->initial().rgb())
        ColorSwatchListWidget::rememberColor(swatchList, edit->current().toQColor());
    const ClosingScope closing(closingOnPurpose);
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
    if (watched != this)
        return FilterChildEvent(watched, event);
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
        if (watched == this)
            FixSize();
        break;
    case QEvent::Close:
        // Closed by the window system (its close button, Alt+F4): a cancel, so a host that
        // previewed the edits is put back to the initial color.
        if (watched == this && !closingOnPurpose && isVisible()) {
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
    ColorSwatchListWidget::rememberColor(swatchList, edit->current().toQColor());
    const ClosingScope closing(closingOnPurpose);
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
    const ClosingScope closing(closingOnPurpose);
    close();
}

void ColorDorvoDialog::ColorFieldChanged(int index)
{
    if (CharStream* listener = ListenerStream()) {
        const std::wstring name = ui->colorFieldComboBox->itemText(index).toStdWString();
        listener->printf(_M("Set color field %s\n"), name.c_str());
    }
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
    if (colorClipboard)
        colorClipboard->clearStatus();
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
        ui->angleSpn->setResetValue(kDefaultPaletteAngle);
        ui->initColorLbl->setPalette(swatch);
    }
}

void ColorDorvoDialog::SetColorField(int page)
{
    // Page numbers without a page of their own show the square field.
    switch (static_cast<ColorFieldType>(page)) {
    case ColorFieldType::FieldHsvWheel:
        colorFieldStack->setCurrentWidget(hsvWheel);
        hsvWheel->setColor(edit->current());
        SetChannelButtonsEnabled(false);
        // Beside the disk the slider always drives the value, whatever channel is chosen.
        channelSlider->show();
        channelSlider->setColor(edit->current(), ColorChannel::Value);
        break;
    case ColorFieldType::FieldHueWheel:
        colorFieldStack->setCurrentWidget(hueWheel);
        hueWheel->setColor(edit->current());
        channelSlider->hide();
        SetChannelButtonsEnabled(false);
        break;
    case ColorFieldType::FieldCanvas:
        colorFieldStack->setCurrentWidget(canvasArea);
        // The canvas paints with the current color.
        canvasArea->setPenColor(edit->current().toQColor());
        ShowCanvasControls(true);
        SetChannelButtonsEnabled(false);
        channelSlider->hide();
        UpdateChannelSliders();
        return;
    default:
        colorFieldStack->setCurrentWidget(colorField);
        colorField->setColor(edit->current(), sliderChannel);
        channelSlider->show();
        channelSlider->setColor(edit->current(), sliderChannel);
        SetChannelButtonsEnabled(true);
        break;
    }
    ShowCanvasControls(false);
    UpdateChannelSliders();
}

void ColorDorvoDialog::ShowCanvasControls(bool show)
{
    // Every refresh passes here; only a change of visibility changes what the dialog holds. A
    // dialog not shown yet fits itself when it is shown.
    if (ui->canvasControlsLayout->isVisibleTo(this) == show)
        return;
    ui->canvasControlsLayout->setVisible(show);
    if (isVisible())
        FixSize();
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
    const int step = swatchList->width() + ui->baseHLayout->spacing();
    const int newWidth = width() + (show ? step : -step);
    if (show) {
        swatchList->show();
        ui->swatchesBtn->setText(QStringLiteral(">"));
    } else {
        swatchList->close();
        ui->swatchesBtn->setText(QStringLiteral("v"));
    }
    swatchListShown = show;
    FixSize();
    setFixedSize(newWidth, height());
}

void ColorDorvoDialog::SetChannelButtonsEnabled(bool enabled)
{
    for (QAbstractButton* button : ui->colorSliderBtnGrp->buttons())
        button->setEnabled(enabled);
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
    // Short texts give black and long ones white; six characters are kept as typed.
    ApplyColor(ColorValue(HexColor(ui->hexEditLine->text())), ChangeKind::Applied);
}

void ColorDorvoDialog::NotifyColorChanged(const ColorValue& color)
{
    if (!callback)
        return;
    float rgba[4];
    color.toFloats(rgba);
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
    // A damaged file must never leave a button group without a checked button or the
    // field stack on a page that does not exist: such values fall back to the default.
    colorFieldIndex = readSetting<int>("ColorField", 0);
    if (colorFieldIndex < 0 || colorFieldIndex > 3)
        colorFieldIndex = 0;

    const int slider = readSetting<int>("ColorSlider", static_cast<int>(ColorChannel::Value));
    sliderChannel = isSliderChannel(static_cast<ColorChannel>(slider))
                        ? static_cast<ColorChannel>(slider)
                        : ColorChannel::Value;

    const int angleType = readSetting<int>("PaletteAngleType", 0);
    paletteAngleType = angleType >= 0 && angleType <= 3 ? static_cast<PaletteAngleType>(angleType)
                                                        : PaletteAngleType::Monochromatic;

    const int spinnerType = readSetting<int>("ColorSpinnerType", 0);
    colorSpinnerType = spinnerType == 1 ? ColorSpinnerType::Float : ColorSpinnerType::Integer;

    ui->angleSpn->setValue(readSetting<int>("PaletteAngle", kDefaultPaletteAngle));
    ui->sRgbCheckBox->setChecked(readSetting<bool>("sRgbSwitch", true));
    swatchListShown = readSetting<bool>("SwatchList", false);
}

void ColorDorvoDialog::WriteSettings()
{
    writeSetting("ColorField", colorFieldIndex);
    writeSetting("ColorSlider", static_cast<int>(sliderChannel));
    writeSetting("ColorSpinnerType", static_cast<int>(colorSpinnerType));
    writeSetting("PaletteAngleType", static_cast<int>(paletteAngleType));
    writeSetting("PaletteAngle", ui->angleSpn->value());
    writeSetting("sRgbSwitch", ui->sRgbCheckBox->isChecked());
    writeSetting("SwatchList", swatchListShown);
}

void ColorDorvoDialog::CreateColorFields()
{
    // The pages and the slider report to the dialog; the stack and the dialog own them.
    colorFieldStack = new QStackedWidget(this);
    colorFieldStack->setObjectName(QStringLiteral("colorFieldStack"));
    colorField = new ColorField(this, colorFieldStack);
    hueWheel = new HueWheel(this, colorFieldStack);
    hsvWheel = new HsvWheel(this, colorFieldStack);
    canvasArea = new CanvasArea(this, colorFieldStack);
    canvasArea->setObjectName(QStringLiteral("canvasArea"));
    channelSlider = new ColorSlider(this, this);
    channelSlider->setObjectName(QStringLiteral("channelSlider"));

    // Pages in ColorFieldType order.
    colorFieldStack->addWidget(colorField);
    colorFieldStack->addWidget(hsvWheel);
    colorFieldStack->addWidget(hueWheel);
    colorFieldStack->addWidget(canvasArea);

    ui->colorFieldHLayout->addItem(
        new QSpacerItem(0, 0, QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding));
    ui->colorFieldHLayout->addWidget(colorFieldStack);
    ui->colorFieldHLayout->addWidget(channelSlider);
    ui->colorFieldHLayout->addItem(
        new QSpacerItem(0, 0, QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding));
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
    connect(ui->brushSizeSpn, QOverload<int>::of(&QSpinBox::valueChanged), canvasArea,
            &CanvasArea::setPenWidth);
    connect(ui->brushOpacitySpn, QOverload<int>::of(&QSpinBox::valueChanged), canvasArea,
            [this](int percent) { canvasArea->setOpacity(static_cast<float>(percent)); });
    connect(ui->brushHardnessSpn, QOverload<int>::of(&QSpinBox::valueChanged), canvasArea,
            &CanvasArea::setHardness);
    connect(ui->clearCanvasBtn, &QPushButton::clicked, canvasArea, &CanvasArea::ClearImage);
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
    auto* undo = new QAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, &ColorDorvoDialog::Undo);
    addAction(undo);

    auto* redo = new QAction(this);
    redo->setShortcuts(redoKeys());
    connect(redo, &QAction::triggered, this, &ColorDorvoDialog::Redo);
    addAction(redo);

    // A text field (every spinner, the angle and brush ones too, and the hex line) keeps the
    // undo keys while it has unfinished typing of its own to undo; otherwise they step the color.
    for (QAbstractSpinBox* spinner : findChildren<QAbstractSpinBox*>()) {
        spinner->installEventFilter(this);
        // Finished typing (Return, or the focus gone) has become the value. The spin box keeps
        // the text it was typed as, and with it the typing's undo steps.
        if (auto* line = spinner->findChild<QLineEdit*>())
            connect(spinner, &QAbstractSpinBox::editingFinished, line,
                    [line] { line->setModified(false); });
    }
    // The refresh marks the hex line unedited whenever it shows the color.
    ui->hexEditLine->installEventFilter(this);
}

bool ColorDorvoDialog::FilterChildEvent(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = !undo && isRedoKey(key);
        auto* line = qobject_cast<QLineEdit*>(watched);
        if (!line)
            line = watched->findChild<QLineEdit*>();
        if (line && (undo || redo)) {
            // A text field takes every undo and redo key before the dialog's shortcuts, so that
            // the key press below decides between the field's typing and the color's history.
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            // Only typing not yet finished is the field's to take back; finished typing is a
            // color, which the history steps over.
            if (undo && line->isModified() && line->isUndoAvailable())
                return QDialog::eventFilter(watched, event);
            if (redo && line->isRedoAvailable()) {
                // The field knows only its platform's redo keys.
                line->redo();
                return true;
            }
            if (undo)
                Undo();
            else
                Redo();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ColorDorvoDialog::CreateColorTransfer()
{
    // A color pasted or dropped is one change like a reset: the views follow once, the host is
    // told and the history takes one step.
    const auto take = [this](const QColor& color) {
        ApplyColor(ColorValue(color), ChangeKind::Applied);
    };
    colorClipboard = new ColorClipboard(
        this, ui->pasteStatusLbl, [this] { return edit->current().toQColor(); }, take);
    new ColorDragSource(ui->currentColorLbl, [this] { return edit->current().toQColor(); });
    new ColorCopyMenu(ui->currentColorLbl, [this] { return edit->current().toQColor(); });
    new ColorDragSource(ui->initColorLbl, [this] { return edit->initial().toQColor(); });
    for (QWidget* target :
         {static_cast<QWidget*>(ui->currentColorLbl), static_cast<QWidget*>(colorField),
          static_cast<QWidget*>(hsvWheel), static_cast<QWidget*>(hueWheel)})
        new ColorDropTarget(target, take);
}

void ColorDorvoDialog::Undo()
{
    if (CharStream* listener = ListenerStream())
        listener->printf(_M("Undo\n"));
    StepHistory(false);
}

void ColorDorvoDialog::Redo()
{
    if (CharStream* listener = ListenerStream())
        listener->printf(_M("Redo\n"));
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
