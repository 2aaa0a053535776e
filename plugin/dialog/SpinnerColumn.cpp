#include "dialog/SpinnerColumn.h"

#include "color/ColorValue.h"
#include "dialog/BackdropCache.h"
#include "ui_ColorDorvoDialog.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>

#include <algorithm>

namespace {

// What a float spinner keeps of `value`: it rounds to the decimals it shows, the same way.
double asKept(const QDoubleSpinBox* spinner, double value)
{
    return QString::number(value, 'f', spinner->decimals()).toDouble();
}

// Every view is refreshed at each step of a drag, and setValue rewrites a spinner's text and
// repaints it even when the value is unchanged. A spinner whose text already shows the value
// is left alone; one holding half-typed or empty text is still rewritten.
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
    if (spinner->value() != asKept(spinner, value) || !spinner->hasAcceptableInput()) {
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

} // namespace

SpinnerColumn::SpinnerColumn(const Ui::ColorDorvoDialog& ui) : hexLine(ui.hexEditLine)
{
    using C = ColorChannel;
    rows = {
        {C::Hue, ui.hueIntSpinner, ui.hueFloatSpinner, ui.hueStackedSpinners},
        {C::Saturation, ui.saturationIntSpinner, ui.saturationFloatSpinner,
         ui.saturationStackedSpinners},
        {C::Value, ui.valueIntSpinner, ui.valueFloatSpinner, ui.valueStackedSpinners},
        {C::Red, ui.redIntSpinner, ui.redFloatSpinner, ui.redStackedSpinners},
        {C::Green, ui.greenIntSpinner, ui.greenFloatSpinner, ui.greenStackedSpinners},
        {C::Blue, ui.blueIntSpinner, ui.blueFloatSpinner, ui.blueStackedSpinners},
        {C::Lightness, ui.lightnessIntSpinner, ui.lightnessFloatSpinner,
         ui.lightnessStackedSpinners},
        {C::RedGreen, ui.redGreenIntSpinner, ui.redGreenFloatSpinner, ui.redGreenStackedSpinners},
        {C::BlueYellow, ui.blueYellowIntSpinner, ui.blueYellowFloatSpinner,
         ui.blueYellowStackedSpinners},
        {C::Cyan, ui.cyanIntSpinner, ui.cyanFloatSpinner, ui.cyanStackedSpinners},
        {C::Magenta, ui.magentaIntSpinner, ui.magentaFloatSpinner, ui.magentaStackedSpinners},
        {C::Yellow, ui.yellowIntSpinner, ui.yellowFloatSpinner, ui.yellowStackedSpinners},
        {C::Key, ui.keyIntSpinner, ui.keyFloatSpinner, ui.keyStackedSpinners},
        {C::Temperature, ui.temperatureSpinner, nullptr, nullptr},
        {C::Alpha, ui.alphaIntSpinner, ui.alphaFloatSpinner, ui.alphaStackedSpinners},
    };
    // The spinners and the hex line change at every step of a drag; their group boxes need
    // not be drawn again under them each time, nor the stacks and pages between them.
    for (const Row& row : rows) {
        BackdropCache::install(row.intSpinner);
        if (row.floatSpinner)
            BackdropCache::install(row.floatSpinner);
    }
    BackdropCache::install(hexLine);
}

void SpinnerColumn::connectEdits(QObject* context,
                                 const std::function<void(int, ColorChannel)>& typedInt,
                                 const std::function<void(float, ColorChannel)>& typedFloat)
{
    // The rows are fixed once built, so the connections may keep their index.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ColorChannel channel = rows[i].channel;
        QObject::connect(rows[i].intSpinner, QOverload<int>::of(&QSpinBox::valueChanged), context,
                         [this, typedInt, channel, i](int value) {
                             if (!standsAt(rows[i].intStoodAt, value))
                                 typedInt(value, channel);
                         });
        QDoubleSpinBox* spinner = rows[i].floatSpinner;
        if (!spinner)
            continue;
        QObject::connect(spinner, QOverload<double>::of(&QDoubleSpinBox::valueChanged), context,
                         [this, typedFloat, channel, spinner, i](double value) {
                             if (standsAt(rows[i].floatStoodAt, value))
                                 return;
                             // Spinners written during the update re-enter here; they must not
                             // clear the mark of the one the user types in.
                             QDoubleSpinBox* const outer = typedFloatSpinner;
                             typedFloatSpinner = spinner;
                             typedFloat(static_cast<float>(value), channel);
                             typedFloatSpinner = outer;
                         });
    }
}

void SpinnerColumn::refresh(const ColorValue& value, ColorChannel skipGroup, bool sRgb)
{
    const bool floatsShown = shownType == ColorSpinnerType::Float;
    // The rows are in column order, so each group is one run of rows: its integer spinners are
    // written before its float spinners.
    for (auto first = rows.begin(); first != rows.end();) {
        const ColorChannel group = channelInfo(first->channel).group;
        auto last = first;
        while (last != rows.end() && channelInfo(last->channel).group == group)
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
        if (hexLine->text() != text)
            hexLine->setText(text);
        else
            hexLine->setModified(false);
    }
}

void SpinnerColumn::setType(ColorSpinnerType type)
{
    shownType = type;
    for (const Row& row : rows) {
        if (row.stack)
            row.stack->setCurrentIndex(static_cast<int>(type));
    }
}

void SpinnerColumn::writeHidden()
{
    for (Row& row : rows)
        showPending(row);
}

std::optional<int> SpinnerColumn::takeSliderValue(ColorChannel channel, int stored, bool sRgb)
{
    Row* row = rowOf(channel);
    if (!row)
        return std::nullopt;
    showPending(*row);
    // The channel table's range is the integer spinner's; the float spinner keeps its decimals.
    const ChannelInfo& info = channelInfo(channel);
    const int shown =
        std::clamp(shownFromStored(channel, stored, sRgb), info.minimum, info.maximum);
    const bool intMoved = row->intStoodAt != shown;
    showValue(row->intSpinner, shown, row->intStoodAt);
    if (!row->floatSpinner)
        return intMoved ? std::optional<int>(shown) : std::nullopt;
    const double floatShown = asKept(row->floatSpinner, floatFromInteger(channel, shown));
    const bool floatMoved = row->floatStoodAt != floatShown;
    showValue(row->floatSpinner, floatShown, row->floatStoodAt);
    if (intMoved)
        return shown;
    // The float spinner may have shown a typed value between two integers.
    if (floatMoved)
        return integerFromFloat(channel, static_cast<float>(floatShown));
    return std::nullopt;
}

const SpinnerColumn::Row* SpinnerColumn::row(ColorChannel channel) const
{
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [channel](const Row& r) { return r.channel == channel; });
    return found == rows.end() ? nullptr : &*found;
}

SpinnerColumn::Row* SpinnerColumn::rowOf(ColorChannel channel)
{
    return const_cast<Row*>(static_cast<const SpinnerColumn*>(this)->row(channel));
}

void SpinnerColumn::showPending(Row& row)
{
    if (row.pendingInt)
        showValue(row.intSpinner, *row.pendingInt, row.intStoodAt);
    if (row.pendingFloat && row.floatSpinner)
        showValue(row.floatSpinner, *row.pendingFloat, row.floatStoodAt);
    row.pendingInt.reset();
    row.pendingFloat.reset();
}

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

void equalizeSelectorWidths(const QList<QWidget*>& selectors)
{
    int width = 0;
    for (QWidget* selector : selectors) {
        // Measured in the font and style the selector is shown with.
        selector->ensurePolished();
        width = std::max({width, selector->minimumWidth(), selector->sizeHint().width()});
    }
    for (QWidget* selector : selectors)
        selector->setMinimumWidth(width);
}
