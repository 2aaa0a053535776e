#include "dialog/ColorDorvoDialog.h"

#include "color/ColorTexts.h"
#include "color/GammaForms.h"
#include "color/HexColor.h"
#include "dialog/BackdropCache.h"
#include "dialog/ChannelSelectorWidth.h"
#include "dialog/ColorClipboard.h"
#include "dialog/ColorDropTarget.h"
#include "dialog/DialogAccessibility.h"
#include "fields/CanvasArea.h"
#include "fields/ColorField.h"
#include "fields/ColorFieldType.h"
#include "fields/ColorPickScreen.h"
#include "fields/ColorSlider.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "host/SettingsStore.h"
#include "settings/ColorDorvoSettingsDialog.h"
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

// Shared by every open dialog: an update is being spread over the views, so the value
// signals of the spinners being written must not start another one.
bool s_updating = false;
// A slider is writing its value into the spinners; their handlers must not start the
// debounce timer, since the slider tells the host itself when the drag ends.
bool s_sliderDriving = false;

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

constexpr int kUpdateDelayMs = 500;
constexpr int kDefaultPaletteAngle = 30;

// The selector's entry for the mixing canvas, after the names of the three color field pages.
const char kCanvasFieldName[] = "Mixing Canvas";

const char kSettingsGroup[] = "ColorDorvoDialog";

// Each history keeps this many colors; the oldest goes first.
constexpr std::size_t kHistoryLimit = 100;

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

bool holds(QLayout* layout, QWidget* widget)
{
    return layout->indexOf(widget) >= 0;
}

// Every view is refreshed at each step of a drag, and setValue rewrites a spinner's text and
// repaints it even when the value is unchanged. A spinner whose text already shows the value
// is left alone; one holding half-typed or empty text is still rewritten. stoodAt records the
// value the spinner was left at (see SpinnerRow).
void showValue(QSpinBox* spinner, int value, std::optional<int>& stoodAt)
{
    if (spinner->value() != value || !spinner->hasAcceptableInput()) {
        const QSignalBlocker quiet(spinner);
        spinner->setValue(value);
    }
    stoodAt = spinner->value();
}

void showValue(QDoubleSpinBox* spinner, double value, std::optional<double>& stoodAt)
{
    // The spinner keeps its value rounded to the decimals it shows, the same way.
    const double shown = QString::number(value, 'f', spinner->decimals()).toDouble();
    if (spinner->value() != shown || !spinner->hasAcceptableInput()) {
        const QSignalBlocker quiet(spinner);
        spinner->setValue(value);
    }
    stoodAt = spinner->value();
}

// True when value is the one the spinner stood at; otherwise it becomes that value.
template <typename T> bool standsAt(std::optional<T>& stoodAt, T value)
{
    if (stoodAt == value)
        return true;
    stoodAt = value;
    return false;
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
    : QDialog(parent), ui(std::make_unique<Ui::ColorDorvoDialog>()), picker(hostPicker),
      updateTimer(new QTimer(this))
{
    // Keys typed into the spinners must not reach the host's accelerators.
    setProperty("NoMaxAccelerators", true);
    ui->setupUi(this);
    ui->colorPaletteWidget->setServices(this);
    fitSixHexDigits(ui->hexEditLine);
    ChannelSelectorWidth::equalize(
        {ui->hueRdBtn, ui->saturationRdBtn, ui->valueRdBtn, ui->redRdBtn, ui->greenRdBtn,
         ui->blueRdBtn, ui->lightnessRdBtn, ui->redGreenRdBtn, ui->blueYellowRdBtn, ui->cyanLbl,
         ui->magentaLbl, ui->yellowLbl, ui->keyLbl, ui->temperatureLbl, ui->alphaLbl});
    setWindowFlags(windowFlags() & ~Qt::WindowCloseButtonHint);
    installEventFilter(this);
    setWindowTitle(title);
    this->callback = hostCallback;

    spinnerRows = {
        {ColorChannel::Hue, ui->hueIntSpinner, ui->hueFloatSpinner, ui->hueStackedSpinners},
        {ColorChannel::Saturation, ui->saturationIntSpinner, ui->saturationFloatSpinner,
         ui->saturationStackedSpinners},
        {ColorChannel::Value, ui->valueIntSpinner, ui->valueFloatSpinner, ui->valueStackedSpinners},
        {ColorChannel::Red, ui->redIntSpinner, ui->redFloatSpinner, ui->redStackedSpinners},
        {ColorChannel::Green, ui->greenIntSpinner, ui->greenFloatSpinner, ui->greenStackedSpinners},
        {ColorChannel::Blue, ui->blueIntSpinner, ui->blueFloatSpinner, ui->blueStackedSpinners},
        {ColorChannel::Lightness, ui->lightnessIntSpinner, ui->lightnessFloatSpinner,
         ui->lightnessStackedSpinners},
        {ColorChannel::RedGreen, ui->redGreenIntSpinner, ui->redGreenFloatSpinner,
         ui->redGreenStackedSpinners},
        {ColorChannel::BlueYellow, ui->blueYellowIntSpinner, ui->blueYellowFloatSpinner,
         ui->blueYellowStackedSpinners},
        {ColorChannel::Cyan, ui->cyanIntSpinner, ui->cyanFloatSpinner, ui->cyanStackedSpinners},
        {ColorChannel::Magenta, ui->magentaIntSpinner, ui->magentaFloatSpinner,
         ui->magentaStackedSpinners},
        {ColorChannel::Yellow, ui->yellowIntSpinner, ui->yellowFloatSpinner,
         ui->yellowStackedSpinners},
        {ColorChannel::Key, ui->keyIntSpinner, ui->keyFloatSpinner, ui->keyStackedSpinners},
        {ColorChannel::Temperature, ui->temperatureSpinner, nullptr, nullptr},
        {ColorChannel::Alpha, ui->alphaIntSpinner, ui->alphaFloatSpinner, ui->alphaStackedSpinners},
    };

    // The spinners and the hex line change at every step of a drag; their group boxes need
    // not be drawn again under them each time.
    for (const SpinnerRow& row : spinnerRows)
        BackdropCache::install(row.stack ? static_cast<QWidget*>(row.stack) : row.intSpinner);
    BackdropCache::install(ui->hexEditLine);

    currentColor = ColorValue(color);
    initialColor = ColorValue(color);
    committedColor = currentColor;

    ReadSettings();
    UpdateColorDisplays(currentColor, true);
    CreateColorFields();
    SetColorField(colorFieldIndex);
    // An open swatch list widens the dialog from its fitted size; otherwise the size is fitted
    // once, at the end.
    PlaceGroupsAsStored();
    if (swatchListShown)
        FixSize();
    CreateSwatchList(swatchListShown);

    RefreshSpinners(initialColor, ColorChannel::None);

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

    updateTimer->setSingleShot(true);
    connect(updateTimer, &QTimer::timeout, this, &ColorDorvoDialog::OnUpdateTimerTimeout);

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
    if (updateTimer->isActive())
        updateTimer->stop();
    if (callback) {
        callback->BeingDestroyed(GetPosition());
        callback = nullptr;
    }
    picker = nullptr;
    ui.reset();
}

void ColorDorvoDialog::ViewColorChanged(const ColorValue& color, bool silent)
{
    FinishTypedEdit();
    {
        // The host hears every step of a field or wheel drag, but only the end of one is a step
        // of the history: the field's release, a palette tile and a swatch come silent.
        const FlagScope notFinal(recordingPaused);
        ApplyColor(color, !silent);
    }
    if (silent)
        CommitColor(currentColor);
}

void ColorDorvoDialog::SliderValueChanged(int value, ColorChannel channel, bool notify)
{
    if (channel == ColorChannel::None || s_updating)
        return;
    FinishTypedEdit();
    FlagScope driving(s_sliderDriving);
    // The end of a drag: the host hears the color the drag had reached before this
    // final value, which then only goes into the spinners.
    if (notify)
        NotifyColorChanged(currentColor);

    SpinnerRow* row = RowOf(channel);
    if (!row)
        return;
    ShowPendingValues(*row);
    // The value goes into the channel's spinners as if typed there (each clamps it to its
    // range), and then through the spinner path once. A step that changes neither spinner
    // changes nothing, as a spinner that is set to the value it shows does not report it.
    const int shown = shownFromStored(channel, value, SRgbShown());
    const int intBefore = row->intSpinner->value();
    const double floatBefore = row->floatSpinner ? row->floatSpinner->value() : 0.0;
    {
        const QSignalBlocker quietInt(row->intSpinner);
        row->intSpinner->setValue(shown);
    }
    if (row->floatSpinner) {
        const QSignalBlocker quietFloat(row->floatSpinner);
        row->floatSpinner->setValue(floatFromInteger(channel, shown));
        row->floatStoodAt = row->floatSpinner->value();
    }
    row->intStoodAt = row->intSpinner->value();
    if (row->intSpinner->value() != intBefore)
        ColorSpinnerChanged(row->intSpinner->value(), static_cast<int>(channel));
    else if (row->floatSpinner && row->floatSpinner->value() != floatBefore)
        ColorSpinnerChanged(static_cast<float>(row->floatSpinner->value()),
                            static_cast<int>(channel));
    // A drag is one step of the history, taken at its release with its final value.
    if (notify)
        CommitColor(currentColor);
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
    // The host's color supersedes an edit still waiting to be reported; reporting it
    // would only echo the host's own color back.
    updateTimer->stop();
    ApplyColor(ColorValue(color.r, color.g, color.b, color.a), false);
    // Not an edit of the user's, but the color the next undo returns to.
    committedColor = currentColor;
}

void ColorDorvoDialog::SetNewColor(DWORD color, const MCHAR* name)
{
    SetNewColor(AColor(color, 1.0f), name);
}

void ColorDorvoDialog::SetNewColor(AColor color, const MCHAR* name)
{
    setWindowTitle(name ? QString::fromWCharArray(name) : QString());
    initialColor = ColorValue(color.r, color.g, color.b, color.a);
    currentColor = initialColor;
    UpdateColorDisplays(currentColor, true);
    {
        const FlagScope notRecorded(recordingPaused);
        ApplyColor(ColorValue(color.r, color.g, color.b, color.a), true);
    }
    // A new color from the host starts a new edit: the colors before it are not its history.
    undoHistory.clear();
    redoHistory.clear();
    committedColor = currentColor;
}

DWORD ColorDorvoDialog::GetColor()
{
    return currentColor.toColorRef();
}

IPoint2 ColorDorvoDialog::GetPosition()
{
    return IPoint2(pos().x(), pos().y());
}

void ColorDorvoDialog::Destroy()
{
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
    NotifyColorChanged(currentColor);
    callback = newCallback;
    SetNewColor(color, name);
}

void ColorDorvoDialog::RefreshUI()
{
    ApplyColor(currentColor, false);
}

AColor ColorDorvoDialog::GetAColor()
{
    float rgba[4];
    currentColor.toFloats(rgba);
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
            updateTimer->stop();
            NotifyColorChanged(initialColor);
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
    updateTimer->stop();
    NotifyColorChanged(currentColor);
    const ClosingScope closing(closingOnPurpose);
    accept();
}

void ColorDorvoDialog::ResetColor()
{
    ApplyColor(initialColor, true);
}

void ColorDorvoDialog::PickColorFromScreen()
{
    // The pick replaces red, green, blue and alpha (opaque, or the color's own after a cancel).
    ColorValue picked = currentColor;
    picked.setRgb(ColorPickScreen::pickScreenColor(currentColor.rgb()));
    ApplyColor(picked, true);
}

void ColorDorvoDialog::CancelDialog()
{
    // A pending report of an edit must not reach the host after it was put back.
    updateTimer->stop();
    NotifyColorChanged(initialColor);
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
    if (!s_updating && !s_sliderDriving)
        updateTimer->start(kUpdateDelayMs);
    const auto channel = static_cast<ColorChannel>(type);
    if (channel == ColorChannel::None || s_updating)
        return;
    FlagScope updating(s_updating);

    const ChannelInfo& info = channelInfo(channel);
    if (!info.write)
        return;
    // Values arrive in the form the spinners show; with the sRGB switch off RGB, saturation
    // and value are linear and are stored in display form.
    currentColor.setChannel(channel, storedFromShown(channel, value, SRgbShown()));
    RefreshViews(info.editKeeps);
}

void ColorDorvoDialog::ColorSpinnerChanged(float value, int type)
{
    ColorSpinnerChanged(integerFromFloat(static_cast<ColorChannel>(type), value), type);
}

void ColorDorvoDialog::AngleRdBtnChanged(int type)
{
    paletteAngleType = static_cast<PaletteAngleType>(type);
    ui->angleSpn->setEnabled(paletteAngleType != PaletteAngleType::Monochromatic);
    ui->colorPaletteWidget->updatePalettes(currentColor.hsv(), type, ui->angleSpn->value());
}

void ColorDorvoDialog::AngleSpinnerChanged(int angle)
{
    ui->colorPaletteWidget->updatePalettes(currentColor.hsv(), static_cast<int>(paletteAngleType),
                                           angle);
}

void ColorDorvoDialog::ComplementarySwitchPressed()
{
    ApplyColor(currentColor.complementary(), true);
}

void ColorDorvoDialog::InvertSwitchPressed()
{
    ApplyColor(currentColor.inverted(), true);
}

void ColorDorvoDialog::OnUpdateTimerTimeout()
{
    ApplyColor(currentColor, true);
}

void ColorDorvoDialog::ApplyColor(const ColorValue& value, bool notify)
{
    // `value` may refer to currentColor itself; copy before overwriting.
    const ColorValue color = value;
    if (notify && !recordingPaused)
        FinishTypedEdit();
    FlagScope updating(s_updating);
    currentColor = color;
    RefreshViews(ColorChannel::None);
    if (notify)
        NotifyColorChanged(currentColor);
    // What the host is told of as final is a step of the history (drag steps and the history's
    // own colors pause the recording).
    if (notify && !recordingPaused)
        CommitColor(currentColor);
}

void ColorDorvoDialog::RefreshViews(ColorChannel keepGroup)
{
    ++viewRefreshes;
    if (colorClipboard)
        colorClipboard->clearStatus();
    RefreshSpinners(currentColor, keepGroup);
    UpdateColorDisplays(currentColor, false);
    SetColorField(colorFieldIndex);
}

void ColorDorvoDialog::RefreshSpinners(const ColorValue& value, ColorChannel skipGroup)
{
    const bool sRgb = SRgbShown();
    const bool floatsShown = colorSpinnerType == ColorSpinnerType::Float;
    // The rows are in column order, so each group is one run of rows: its integer spinners are
    // written before its float spinners.
    for (auto first = spinnerRows.begin(); first != spinnerRows.end();) {
        const ColorChannel group = channelInfo(first->channel).group;
        auto last = first;
        while (last != spinnerRows.end() && channelInfo(last->channel).group == group)
            ++last;
        if (group != skipGroup) {
            for (auto row = first; row != last; ++row) {
                const int shown = shownFromStored(row->channel, value.channel(row->channel), sRgb);
                if (floatsShown && row->floatSpinner) {
                    row->pendingInt = shown;
                } else {
                    row->pendingInt.reset();
                    showValue(row->intSpinner, shown, row->intStoodAt);
                }
            }
            // The float spinner being typed in is not rewritten: reformatting "0.2" as "0.200"
            // under the cursor would make "0.25" untypable.
            for (auto row = first; row != last; ++row) {
                if (!row->floatSpinner || row->floatSpinner == typedFloatSpinner)
                    continue;
                const double shown = shownFloat(value, row->channel, sRgb);
                if (floatsShown) {
                    row->pendingFloat.reset();
                    showValue(row->floatSpinner, shown, row->floatStoodAt);
                } else {
                    row->pendingFloat = shown;
                }
            }
        }
        first = last;
    }
    if (skipGroup != ColorChannel::Hex) {
        // Laying out the same six digits again costs more than the rest of the column; the
        // line only has to forget that it was edited.
        const QString text = value.hex().text();
        if (ui->hexEditLine->text() != text)
            ui->hexEditLine->setText(text);
        else
            ui->hexEditLine->setModified(false);
    }
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
        hsvWheel->setColor(currentColor);
        SetChannelButtonsEnabled(false);
        // Beside the disk the slider always drives the value, whatever channel is chosen.
        channelSlider->show();
        channelSlider->setColor(currentColor, ColorChannel::Value);
        break;
    case ColorFieldType::FieldHueWheel:
        colorFieldStack->setCurrentWidget(hueWheel);
        hueWheel->setColor(currentColor);
        channelSlider->hide();
        SetChannelButtonsEnabled(false);
        break;
    case ColorFieldType::FieldCanvas:
        colorFieldStack->setCurrentWidget(canvasArea);
        // The canvas paints with the current color.
        canvasArea->setPenColor(currentColor.toQColor());
        ShowCanvasControls(true);
        SetChannelButtonsEnabled(false);
        channelSlider->hide();
        UpdateChannelSliders();
        return;
    default:
        colorFieldStack->setCurrentWidget(colorField);
        colorField->setColor(currentColor, sliderChannel);
        channelSlider->show();
        channelSlider->setColor(currentColor, sliderChannel);
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
    // A fixed size pins the minimum and the maximum; released first, the layout can give the
    // dialog what its content needs now, more or less than before.
    // Sizes are measured in the style and fonts the dialog will be shown with.
    ensurePolished();
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The minimum is what the content needs now: adjustSize, which keeps a window within two
    // thirds of a small screen, must never squeeze the content below it.
    setMinimumSize(layout()->totalMinimumSize());
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    adjustSize();
    setFixedSize(width(), height());
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
    auto* slider = new ColorSlider(this, 145, 20, ColorSlider::Horizontal, row->parentWidget());
    row->addWidget(slider);
    if (const SpinnerRow* spinners = RowOf(channel))
        DialogAccessibility::placeChannelSlider(spinners->floatSpinner, slider);
    slider->setColor(currentColor, channel);
    channelSliders.append(slider);
}

void ColorDorvoDialog::UpdateChannelSliders()
{
    // The per-channel sliders of expanded groups keep their own channels. A collapsed group
    // deletes its sliders, which leaves null entries behind.
    channelSliders.removeAll(nullptr);
    for (ColorSlider* slider : qAsConst(channelSliders))
        slider->setColor(currentColor, ColorChannel::None);
}

void ColorDorvoDialog::SetSpinnerType(ColorSpinnerType type)
{
    for (const SpinnerRow& row : spinnerRows) {
        if (row.stack)
            row.stack->setCurrentIndex(static_cast<int>(type));
    }
    ApplyColor(currentColor, false);
}

void ColorDorvoDialog::HexEditFinished()
{
    // The line also finishes when it merely loses focus. Unedited text names the color
    // already shown, and re-reading it would only drop the alpha and any hue kept for
    // a grey, so only a real edit counts.
    if (!ui->hexEditLine->isModified())
        return;
    // Short texts give black and long ones white; six characters are kept as typed.
    ApplyColor(ColorValue(HexColor(ui->hexEditLine->text())), true);
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
    for (SpinnerRow& row : spinnerRows)
        ShowPendingValues(row);
}

void ColorDorvoDialog::ShowPendingValues(SpinnerRow& row)
{
    if (row.pendingInt)
        showValue(row.intSpinner, *row.pendingInt, row.intStoodAt);
    if (row.pendingFloat && row.floatSpinner)
        showValue(row.floatSpinner, *row.pendingFloat, row.floatStoodAt);
    row.pendingInt.reset();
    row.pendingFloat.reset();
}

ColorDorvoDialog::SpinnerRow* ColorDorvoDialog::RowOf(ColorChannel channel)
{
    for (SpinnerRow& row : spinnerRows) {
        if (row.channel == channel)
            return &row;
    }
    return nullptr;
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
            [this](int) { ApplyColor(currentColor, true); });
    // The button groups carry the ids: the spinner type, the slider channel and the harmony.
    connect(ui->colorSpinnerRangeBtnGrp, kIdClicked, this,
            &ColorDorvoDialog::ColorSpinnerRangeChanged);
    connect(ui->colorSliderBtnGrp, kIdClicked, this, &ColorDorvoDialog::ColorRdBtnChanged);

    // The rows are fixed once built, so the connections may keep their index.
    for (std::size_t i = 0; i < spinnerRows.size(); ++i) {
        const SpinnerRow& row = spinnerRows[i];
        const int type = static_cast<int>(row.channel);
        connect(row.intSpinner, QOverload<int>::of(&QSpinBox::valueChanged), this,
                [this, type, i](int value) {
                    if (!standsAt(spinnerRows[i].intStoodAt, value))
                        ColorSpinnerChanged(value, type);
                });
        QDoubleSpinBox* spinner = row.floatSpinner;
        if (!spinner)
            continue;
        connect(spinner, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                [this, type, spinner, i](double value) {
                    if (standsAt(spinnerRows[i].floatStoodAt, value))
                        return;
                    // Spinners written during the update re-enter here; they must not
                    // clear the mark of the one the user types in.
                    QDoubleSpinBox* const outer = typedFloatSpinner;
                    typedFloatSpinner = spinner;
                    ColorSpinnerChanged(static_cast<float>(value), type);
                    typedFloatSpinner = outer;
                });
    }
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
    PlaceGroupsAsStored();
    FixSize();
}

void ColorDorvoDialog::PlaceGroupsAsStored()
{
    using Settings = ColorDorvoSettingsDialog;
    const std::pair<const char*, ColorChannel> groups[] = {
        {Settings::kHsvExpandedKey, ColorChannel::HsvGroup},
        {Settings::kRgbExpandedKey, ColorChannel::RgbGroup},
        {Settings::kCieLabExpandedKey, ColorChannel::LabGroup},
    };
    for (const auto& [key, group] : groups) {
        if (Settings::ReadExpanded(key))
            PlaceExpandedGroup(group);
        else
            PlaceCompactGroup(group);
    }
}

namespace {

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
        DebugPrint(_M("Didn't get a valid color space type\n"));
        return {};
    }
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

void ColorDorvoDialog::ExpandColorGroup(ColorChannel group)
{
    PlaceExpandedGroup(group);
    FixSize();
}

void ColorDorvoDialog::CollapseColorGroup(ColorChannel group)
{
    PlaceCompactGroup(group);
    FixSize();
}

void ColorDorvoDialog::PlaceExpandedGroup(ColorChannel group)
{
    // Expanded groups stand full width in the column, in the order HSV, RGB, CIE-Lab, between
    // the sRGB row (index 0) and the two compact columns.
    QVBoxLayout* column = ui->colorSpinnersVLayout;
    const ExpandableGroup expandable = expandableGroup(*ui, group);
    if (expandable.box && !holds(column, expandable.box)) {
        const bool hsvExpanded = holds(column, ui->hsvGrpBox);
        const bool rgbExpanded = holds(column, ui->rgbGrpBox);
        int index = 1;
        if (group == ColorChannel::RgbGroup)
            index += hsvExpanded ? 1 : 0;
        else if (group == ColorChannel::LabGroup)
            index += (hsvExpanded ? 1 : 0) + (rgbExpanded ? 1 : 0);
        column->insertWidget(index, expandable.box);
        for (const auto& [row, channel] : expandable.rows) {
            AddChannelSlider(row, channel);
            showNow(row->itemAt(row->count() - 1)->widget());
        }
        showNow(expandable.box);
        // CMYK fills the left column, above its closing spacer, so it is never left empty.
        QVBoxLayout* left = ui->spinnersLeftVLayout;
        if (!holds(left, ui->cmykGrpBox)) {
            left->insertWidget(left->count() - 1, ui->cmykGrpBox);
            showNow(ui->cmykGrpBox);
        }
        measureNow(this, expandable.box);
        // The new sliders place their markers once the layout has given them their size.
        QTimer::singleShot(0, this, &ColorDorvoDialog::UpdateChannelSliders);
    }
}

void ColorDorvoDialog::PlaceCompactGroup(ColorChannel group)
{
    // Compact groups go back to the left column in the order HSV, RGB, CIE-Lab, above CMYK
    // when it is there.
    QVBoxLayout* left = ui->spinnersLeftVLayout;
    const ExpandableGroup expandable = expandableGroup(*ui, group);
    if (expandable.box && !holds(left, expandable.box)) {
        const bool hsvCompact = holds(left, ui->hsvGrpBox);
        const bool rgbCompact = holds(left, ui->rgbGrpBox);
        int index = 0;
        if (group == ColorChannel::RgbGroup)
            index = hsvCompact ? 1 : 0;
        else if (group == ColorChannel::LabGroup)
            index = (hsvCompact ? 1 : 0) + (rgbCompact ? 1 : 0);
        left->insertWidget(index, expandable.box);
        showNow(expandable.box);
        for (const auto& [row, channel] : expandable.rows) {
            QLayoutItem* last = row->itemAt(row->count() - 1);
            if (auto* slider = last ? qobject_cast<ColorSlider*>(last->widget()) : nullptr) {
                row->removeWidget(slider);
                // Gone at once, so that neither the size fix-up nor the next refresh sees it.
                std::unique_ptr<ColorSlider> discarded(slider);
            }
        }
        if (holds(left, ui->hsvGrpBox) && holds(left, ui->rgbGrpBox) &&
            holds(left, ui->cieLabGrpBox) && !holds(ui->spinnersRightVLayout, ui->cmykGrpBox)) {
            ui->spinnersRightVLayout->insertWidget(0, ui->cmykGrpBox);
            showNow(ui->cmykGrpBox);
        }
        measureNow(this, expandable.box);
    }
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
    // The wheels tell of every step of a drag but not of its end.
    hsvWheel->installEventFilter(this);
    hueWheel->installEventFilter(this);
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
    } else if (event->type() == QEvent::MouseButtonRelease &&
               (watched == hsvWheel || watched == hueWheel)) {
        // The wheel picks once more as it handles the release; the drag is committed after.
        QTimer::singleShot(0, this, [this] { CommitColor(currentColor); });
    }
    return QDialog::eventFilter(watched, event);
}

void ColorDorvoDialog::CreateColorTransfer()
{
    // A color pasted or dropped is one change like a reset: the views follow once, the host is
    // told and the history takes one step.
    const auto take = [this](const QColor& color) { ApplyColor(ColorValue(color), true); };
    colorClipboard = new ColorClipboard(
        this, ui->pasteStatusLbl, [this] { return currentColor.toQColor(); }, take);
    new ColorDragSource(ui->currentColorLbl, [this] { return currentColor.toQColor(); });
    new ColorDragSource(ui->initColorLbl, [this] { return initialColor.toQColor(); });
    for (QWidget* target :
         {static_cast<QWidget*>(ui->currentColorLbl), static_cast<QWidget*>(colorField),
          static_cast<QWidget*>(hsvWheel), static_cast<QWidget*>(hueWheel)})
        new ColorDropTarget(target, take);
}

void ColorDorvoDialog::Undo()
{
    if (CharStream* listener = ListenerStream())
        listener->printf(_M("Undo\n"));
    StepHistory(undoHistory, redoHistory);
}

void ColorDorvoDialog::Redo()
{
    if (CharStream* listener = ListenerStream())
        listener->printf(_M("Redo\n"));
    StepHistory(redoHistory, undoHistory);
}

void ColorDorvoDialog::StepHistory(std::deque<ColorValue>& from, std::deque<ColorValue>& to)
{
    // A change not yet committed (typing still waiting for its timer) is committed first, so
    // the step goes back over it.
    FinishTypedEdit();
    CommitColor(currentColor);
    if (from.empty())
        return;
    const ColorValue entry = from.back();
    from.pop_back();
    to.push_back(currentColor);
    if (to.size() > kHistoryLimit)
        to.pop_front();
    {
        const FlagScope notRecorded(recordingPaused);
        ApplyColor(entry, true);
    }
    committedColor = currentColor;
}

void ColorDorvoDialog::CommitColor(const ColorValue& color)
{
    if (color == committedColor)
        return;
    undoHistory.push_back(committedColor);
    if (undoHistory.size() > kHistoryLimit)
        undoHistory.pop_front();
    redoHistory.clear();
    committedColor = color;
}

void ColorDorvoDialog::FinishTypedEdit()
{
    // Typing waits for the debounce timer before the host hears of it. Another change, or a
    // step of the history, makes the typed color a step of the history of its own; the host
    // still hears of it by the timer, as before.
    if (!updateTimer->isActive() || s_updating)
        return;
    CommitColor(currentColor);
}
