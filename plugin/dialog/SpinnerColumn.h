#pragma once

#include "color/ColorChannel.h"
#include "settings/ColorSpinnerType.h"

#include <QList>

#include <functional>
#include <optional>
#include <vector>

class ColorValue;
class QDoubleSpinBox;
class QLineEdit;
class QObject;
class QSpinBox;
class QStackedWidget;
class QWidget;

namespace Ui {
class ColorDorvoDialog;
}

// The spinner column of the picker: one row per channel with its integer spinner and float twin
// stacked on one another, and the hex line. It shows a color in every space at once and writes
// its spinners quietly: no spinner reports a value the column wrote, only what the user typed.
// Laying out a spinner's text is most of a refresh, so the spinner on the hidden page (integer or
// float) is written only when it is read or its page is shown.
class SpinnerColumn
{
public:
    // One channel row: its two spinners and the stack holding them.
    struct Row
    {
        ColorChannel channel;
        QSpinBox* intSpinner;
        QDoubleSpinBox* floatSpinner;
        QStackedWidget* stack;
        // What the spinner on the hidden page is to show.
        std::optional<int> pendingInt{};
        std::optional<double> pendingFloat{};
        // The values the spinners last reported or were written with. A spin box reports its
        // value again on Return even when nobody changed it; that value must not be stored
        // again, since storing re-rounds it (the linear forms, a hue kept for a grey, a
        // temperature replacing the color).
        std::optional<int> intStoodAt{};
        std::optional<double> floatStoodAt{};
    };

    explicit SpinnerColumn(const Ui::ColorDorvoDialog& ui);

    // Calls `typedInt` or `typedFloat` with the channel whenever the user changes a spinner's
    // value; `context` ends the connections.
    void connectEdits(QObject* context, const std::function<void(int, ColorChannel)>& typedInt,
                      const std::function<void(float, ColorChannel)>& typedFloat);

    // Shows `value` in every group but `skipGroup` (Hex: the hex line), the integer spinners of a
    // group before its float spinners. The float spinner being typed in is left as typed.
    void refresh(const ColorValue& value, ColorChannel skipGroup, bool sRgb);
    // Every stack shows the integer or the float page.
    void setType(ColorSpinnerType type);
    // Writes the hidden spinners with the values the last refresh left for them.
    void writeHidden();
    // A slider's value (stored form) written into its channel's spinners as if typed there:
    // the integer a spinner shows for it, each spinner clamping it to its range. The shown integer
    // to store when either spinner moved, nothing when neither did.
    std::optional<int> takeSliderValue(ColorChannel channel, int stored, bool sRgb);

    const Row* row(ColorChannel channel) const;

private:
    Row* rowOf(ColorChannel channel);
    static void showPending(Row& row);

    std::vector<Row> rows;
    QLineEdit* hexLine = nullptr;
    ColorSpinnerType shownType = ColorSpinnerType::Integer;
    // The float spinner whose own edit is being spread, while it is.
    QDoubleSpinBox* typedFloatSpinner = nullptr;
};

// The form holds the hex line to 50 pixels, room for six digits in the host's interface font. With
// a wider font the first digits would scroll out of view, so the line grows until six of the
// widest hex digit fit inside its frame and text margins; a line wide enough already stays.
void fitSixHexDigits(QLineEdit* line);

// Each channel row of the column is a selector (a radio button or a label) followed by the row's
// field. The selectors' least width holds the usual texts, but a longer text or a wider font
// widens its selector and pushes that field out of line with the rows above and below. Every
// selector's minimum width becomes the widest of their size hints and minimum widths, so that the
// fields of one column start at one x, wherever a group moves.
void equalizeSelectorWidths(const QList<QWidget*>& selectors);
