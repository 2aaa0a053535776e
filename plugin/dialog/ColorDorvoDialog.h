#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "dialog/ColorEdit.h"
#include "fields/kit/ColorDialogServices.h"
#include "host/services/HostServices.h"
#include "settings/ColorSpinnerType.h"
#include "swatches/PaletteAngleType.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

class QColor;
class QHBoxLayout;

class ColorClipboard;
class ColorDorvoPicker;
class ColorFieldPages;
class ColorInfoLine;
class ColorSwatchListWidget;
class GroupPlacement;
class SpinnerColumn;

namespace Ui {
class ColorDorvoDialog;
}

// The picker window. It holds the color the host opened it with and the color being
// edited, and keeps every view of the edited color in step: the color field pages, the
// channel slider, the spinner groups, the hex line, the palette strip and the two
// swatches. Every change goes through ApplyColor or the spinner path and is one change of
// the edit (ColorEdit), which decides whether the host is told and what the history keeps; a
// process-wide flag keeps the spinners and sliders from starting a change while the views follow.
//
// The dialog is also the host's ColorPicker for a modeless request: the host modifies,
// replaces and reads the color through it and hears of changes through its callback.
//
// The dialog's own widgets (fields, wheels, sliders, palette strip, swatch list) hold a
// pointer to it and call the public services below directly; they emit no signals.
class ColorDorvoDialog : public QDialog, public ColorPicker, public ColorDialogServices
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorDorvoDialog)

public:
    // `request` is the host request's integer argument, which the dialog does not use.
    // Neither `callback` nor `picker` is owned.
    ColorDorvoDialog(QWidget* parent, const QColor& color, int request, HSVCallback* callback,
                     ColorDorvoPicker* picker, const QString& title);
    ~ColorDorvoDialog() override;

    // A view picked `color`. The host is told unless `silent`.
    void ViewColorChanged(const ColorValue& color, bool silent) override;
    // A drag on a view ended (or a click or key chose a color); it becomes a step of the history.
    void ViewDragEnded() override;
    // A slider moved to `value` (stored form) of `channel`; the value is written into that
    // channel's spinners. `notify` (the release of a drag) tells the host the color it had
    // before this step.
    void SliderValueChanged(int value, ColorChannel channel, bool notify) override;
    // Appends a 145 x 20 horizontal slider for `channel` to a spinner row (redHLayout, ...), as
    // an expanded spinner group shows beside each of its spinners. It keeps its channel and
    // follows the current color.
    void AddChannelSlider(QHBoxLayout* row, ColorChannel channel);
    // Moves a spinner group (RgbGroup, HsvGroup or LabGroup) to full width above the two
    // compact columns, with a slider beside each spinner, or back into the left column. The
    // dialog fits its new content either way; other codes only write a debug line.
    void ExpandColorGroup(ColorChannel group);
    void CollapseColorGroup(ColorChannel group);

    // Fits the dialog to its content and fixes it there: it is never user-resizable, but it
    // grows and shrinks when its content does (expanded groups, the swatch panel). Every
    // layout change ends with this.
    void FixSize();

    RgbColor GetCurrentRgb() const override { return edit->current().rgb(); }
    HsvColor GetCurrentHsv() const override { return edit->current().hsv(); }
    ColorValue GetCurrentColorValue() const override { return edit->current(); }
    QColor GetCurrentQColor() const override { return edit->current().toQColor(); }

    // How many times the views were brought up to date since construction: one per change of
    // color, whatever its source. For tests and benchmarks.
    int ViewRefreshCount() const { return viewRefreshes; }
    // Only the spinners of the shown page (integer or float) are written at each refresh; the
    // others get their values when the page is shown or the dialog reads them. This writes them
    // now, as every refresh would have.
    void WriteHiddenSpinners();

    // For the host adapter: a modal run returning the QDialog result, and a modeless show
    // that creates the native window at once.
    int ExecDialog();
    void ShowDialog();

    // ColorPicker. Modifying the color makes it current without touching the initial color
    // and without echoing it to the callback; a new color replaces both and is reported.
    void ModifyColor(DWORD color) override;
    void ModifyColor(AColor color) override;
    void SetNewColor(DWORD color, const MCHAR* name) override;
    void SetNewColor(AColor color, const MCHAR* name) override;
    DWORD GetColor() override;
    IPoint2 GetPosition() override;
    void Destroy() override;
    void InstallNewCB(DWORD color, HSVCallback* callback,
                      const MCHAR* name) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
    void InstallNewCB(AColor color, HSVCallback* callback,
                      const MCHAR* name) COLORDORVO_OVERRIDE_WITHOUT_COLOR_CONTEXT;
#if COLORDORVO_SDK_COLOR_CONTEXT
    // The host's forms with the color's color-management context: the color is taken as given.
    void InstallNewCB(DWORD color, HSVCallback* newCallback, const MCHAR* name,
                      ColorContext) override
    {
        InstallNewCB(color, newCallback, name);
    }
    void InstallNewCB(AColor color, HSVCallback* newCallback, const MCHAR* name,
                      ColorContext) override
    {
        InstallNewCB(color, newCallback, name);
    }
#endif
    void RefreshUI() override;
    AColor GetAColor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void AcceptColor();
    void ResetColor();
    void CancelDialog();
    // The screen eyedropper: the picked color becomes the current one and the host hears of it.
    void PickColorFromScreen();
    void ColorFieldChanged(int index);
    void ColorSpinnerRangeChanged(int type);
    void ColorRdBtnChanged(int type);
    void ColorSpinnerChanged(int value, int type);
    void ColorSpinnerChanged(float value, int type);
    void AngleRdBtnChanged(int type);
    void AngleSpinnerChanged(int angle);
    void ComplementarySwitchPressed();
    void InvertSwitchPressed();
    void OnUpdateTimerTimeout();
    // Step back to the color before the last committed change, and forward again.
    void Undo();
    void Redo();
    // The swatches button: opens the swatch panel, creating it the first time, or closes it.
    void ToggleSwatchList();

private:
    using ChangeKind = ColorEdit::ChangeKind;
    // The one update path: the color becomes current, every view follows once and the edit
    // tells the host and records the change as its kind says.
    void ApplyColor(const ColorValue& value, ChangeKind kind);
    // A value of `channel` in the form its spinners show, stored into the current color; the
    // group kept as typed is not rewritten.
    void StoreShownValue(ColorChannel channel, int shown, ChangeKind kind);
    // Brings every view up to date with currentColor once: the spinners (but the group kept as
    // typed), the swatch and palette strip, the field page and the sliders.
    void RefreshViews(ColorChannel keepGroup);
    void RefreshSpinners(const ColorValue& value, ColorChannel skipGroup);
    void StepHistory(bool forward);
    void UpdateColorDisplays(const ColorValue& value, bool initial);
    // Shows the field page with the current color (ColorFieldPages), then the group sliders.
    void SetColorField(int page);
    void UpdateChannelSliders();
    void SetSpinnerType(ColorSpinnerType type);
    void HexEditFinished();
    // The stored choices (PickerSettings) into the members and the form, and back.
    void ReadSettings();
    void WriteSettings();
    void CreateColorFields();
    // Creates the swatch panel at the end of baseHLayout unless it exists, then shows it or closes
    // it (closing writes its lists). The panel reads its list file when it is created.
    void CreateSwatchList(bool show);
    // Shows or closes the swatch panel; the dialog widens or narrows by the panel's width and the
    // layout's spacing.
    void ShowSwatchList(bool show);
    void ConnectSignals();
    void NotifyColorChanged(const ColorValue& color);
    bool SRgbShown() const;

    // Expanded spinner groups and the settings dialog behind the "?" button.
    // Applies the stored expanded or compact state of the three groups, then fits the size once.
    void ReadExpandedSettings();
    void OpenSettingsDialog();
    // The undo and redo keys (HistoryKeys), wired to Undo and Redo.
    void CreateActions();
    // Colors in and out: the copy and paste keys, drags off the two swatches, drops on the
    // current swatch and the field pages.
    void CreateColorTransfer();

    std::unique_ptr<Ui::ColorDorvoDialog> ui;
    ColorChannel sliderChannel = ColorChannel::Value;
    int colorFieldIndex = 0;
    PaletteAngleType paletteAngleType = PaletteAngleType::Monochromatic;
    ColorSpinnerType colorSpinnerType = ColorSpinnerType::Integer;
    // The colors, the history and the debounce timer.
    ColorEdit* edit = nullptr;
    std::unique_ptr<SpinnerColumn> spinners;
    std::unique_ptr<GroupPlacement> groups;
    ColorDorvoPicker* picker = nullptr;
    // The field stack (square field, wheels, mixing canvas) and the channel slider beside it.
    std::unique_ptr<ColorFieldPages> pages;
    ColorSwatchListWidget* swatchList = nullptr;
    bool swatchListShown = false;
    HSVCallback* callback = nullptr;
    // The color the host holds as far as this picker knows: its own (the opening color, or one it
    // set since) or the last one the callback was told. Only such a color goes to "History" when
    // the host closes the picker; an edit still waiting for its timer never reached the host.
    QColor hostColor;
    // Set, for this dialog only, while it closes itself (accept, cancel, the host's Destroy); a
    // close without it comes from the window system and cancels.
    bool closingOnPurpose = false;
    int viewRefreshes = 0;
    ColorClipboard* colorClipboard = nullptr;
    // Name, contrast and clip mark of the current color, above the two swatches.
    ColorInfoLine* infoLine = nullptr;
};
