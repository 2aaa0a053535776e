#include "dialog/ColorInfoLine.h"

#include "color/ColorNames.h"
#include "color/Contrast.h"
#include "color/RgbColor.h"
#include "dialog/BackdropCache.h"

#include <QLabel>
#include <QLayout>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <math.h>
#include <optional>
#include <utility>

namespace {

// What the conversion of a Lab, CMYK or temperature entry did, or nothing for another change.
// The entered record is the one the color value keeps as typed.
std::optional<bool> entryClipped(ColorChannel editedGroup, const ColorValue& color)
{
    bool clipped = false;
    if (editedGroup == ColorChannel::LabGroup) {
        const RgbColor converted(color.lab(), &clipped);
        return clipped;
    }
    if (editedGroup == ColorChannel::Temperature) {
        RgbColor converted;
        converted.setFromTemperature(color.temperature(), &clipped);
        return clipped;
    }
    // Every CMYK color is an RGB color: the entry clears the mark.
    if (editedGroup == ColorChannel::CmykGroup ||
        channelInfo(editedGroup).group == ColorChannel::CmykGroup)
        return false;
    return std::nullopt;
}

// The first term of a ratio, rounded down to tenths, without ".0": "4.5", "21".
QString ratioTerm(double ratio)
{
    const int tenths = static_cast<int>(floor(ratio * 10.0));
    QString text = QString::number(tenths / 10);
    if (tenths % 10 != 0)
        text += QLatin1Char('.') + QString::number(tenths % 10);
    return text;
}

} // namespace

ColorInfoLine::ColorInfoLine(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("colorInfoLine"));
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    // Repainted at every step of a drag that changes its text: without the dialog beneath.
    BackdropCache::install(this);
    repaintTimer = new QTimer(this);
    repaintTimer->setSingleShot(true);
    connect(repaintTimer, &QTimer::timeout, this, [this] {
        lastRepaint.start();
        update();
    });
    setToolTip(tr("The nearest CSS color name, the WCAG 2 contrast ratio of the current against "
                  "the initial color (rounded down), and whether the last Lab, CMYK or "
                  "temperature entry lay outside sRGB and was clipped"));
}

ColorInfoLine::~ColorInfoLine() = default;

void ColorInfoLine::takeRowOf(QLabel* newMessage)
{
    if (QWidget* parent = newMessage->parentWidget(); parent && parent->layout())
        delete parent->layout()->replaceWidget(newMessage, this);
    message = newMessage;
    // The row keeps a line's room while empty, so that a message never resizes the dialog.
    message->setMinimumHeight(message->fontMetrics().height());
    message->raise();
    message->setVisible(!message->text().isEmpty());
    if (!messageTimer) {
        messageTimer = new QTimer(this);
        messageTimer->setObjectName(QStringLiteral("pasteStatusTimer"));
        messageTimer->setSingleShot(true);
        connect(messageTimer, &QTimer::timeout, this, &ColorInfoLine::clearMessage);
    }
    updateGeometry();
    placeMessage();
}

void ColorInfoLine::showMessage(const QString& text)
{
    if (!message)
        return;
    if (text.isEmpty()) {
        clearMessage();
        return;
    }
    // The whole text, wrapped to the line's width; the row grows for the extra lines.
    message->setText(text);
    message->setToolTip(text);
    message->show();
    updateGeometry();
    messageTimer->start(MessageTimeoutMs);
}

void ColorInfoLine::clearMessage()
{
    if (!message)
        return;
    messageTimer->stop();
    if (!message->text().isEmpty()) {
        message->clear();
        message->setToolTip(QString());
        updateGeometry();
    }
    message->hide();
}

void ColorInfoLine::showColor(const ColorValue& newCurrent, const ColorValue& newInitial,
                              ColorChannel editedGroup)
{
    clearMessage();
    bool nowClipped = clipped;
    if (const std::optional<bool> entered = entryClipped(editedGroup, newCurrent))
        nowClipped = *entered;
    else if (clipped && newCurrent != current)
        nowClipped = false;
    // The name and the ratio follow from RGB alone.
    const bool changed = shownLine.isEmpty() || nowClipped != clipped ||
                         newCurrent.rgb() != current.rgb() || newInitial.rgb() != initial.rgb();
    current = newCurrent;
    initial = newInitial;
    clipped = nowClipped;
    if (!changed)
        return;
    // Most steps of a drag keep the name and the tenths of the ratio: the line is then not
    // painted again.
    QString line = lineText(current, initial, clipped);
    if (line == shownLine)
        return;
    shownLine = std::move(line);
    if (!lastRepaint.isValid() || lastRepaint.elapsed() >= RepaintInterval) {
        lastRepaint.start();
        update();
    } else if (!repaintTimer->isActive()) {
        repaintTimer->start(RepaintInterval - static_cast<int>(lastRepaint.elapsed()));
    }
    tellScreenReaders(this);
}

QString ColorInfoLine::text() const
{
    return shownLine;
}

double ColorInfoLine::contrastRatio(const RgbColor& first, const RgbColor& second)
{
    return ::contrastRatio(first, second);
}

QString ColorInfoLine::contrastText(double ratio)
{
    return ratioTerm(ratio) + QLatin1String(":1");
}

QString ColorInfoLine::lineText(const ColorValue& current, const ColorValue& initial, bool clipped)
{
    return composeLine(nearestColorName(current.rgb()),
                       contrastText(contrastRatio(current.rgb(), initial.rgb())), clipped);
}

QString ColorInfoLine::composeLine(const QString& name, const QString& contrast, bool clipped)
{
    QString text = tr("≈ %1 · %2").arg(name, contrast);
    if (clipped)
        text += tr(" · ⚠ clipped");
    return text;
}

QString ColorInfoLine::spokenText(const ColorValue& current, const ColorValue& initial,
                                  bool clipped)
{
    QString text = tr("Nearest named color %1, contrast with the initial color %2 to 1")
                       .arg(spokenColorName(nearestColorName(current.rgb())),
                            ratioTerm(contrastRatio(current.rgb(), initial.rgb())));
    if (clipped)
        text += tr(", outside sRGB, clipped");
    return text;
}

QSize ColorInfoLine::sizeHint() const
{
    // One line of text, as wide as the column makes it, and as tall as the message needs.
    const int messageHeight = message ? message->sizeHint().height() : 0;
    return QSize(0, std::max(fontMetrics().height(), messageHeight));
}

QSize ColorInfoLine::minimumSizeHint() const
{
    return sizeHint();
}

QAccessible::Role ColorInfoLine::spokenRole() const
{
    return QAccessible::StaticText;
}

QString ColorInfoLine::spokenName() const
{
    return spokenText(current, initial, clipped);
}

QString ColorInfoLine::spokenValue() const
{
    return QString();
}

QString ColorInfoLine::spokenHelp() const
{
    return toolTip();
}

void ColorInfoLine::paintEvent(QPaintEvent* /*event*/)
{
    // A message stands in place of the line. The label over the line is not opaque, so a new or
    // cleared message paints the line again beneath it.
    if (message && !message->text().isEmpty())
        return;
    const QFontMetrics metrics = fontMetrics();
    QString shown = shownLine;
    if (metrics.horizontalAdvance(shown) > width()) {
        // Too narrow a column shortens the name, never the ratio or the mark.
        const QString name = nearestColorName(current.rgb());
        const QString contrast = contrastText(contrastRatio(current.rgb(), initial.rgb()));
        const int nameWidth =
            width() - metrics.horizontalAdvance(composeLine(QString(), contrast, clipped));
        shown = composeLine(metrics.elidedText(name, Qt::ElideRight, std::max(nameWidth, 0)),
                            contrast, clipped);
    }
    QPainter painter(this);
    style()->drawItemText(&painter, rect(), Qt::AlignLeft | Qt::AlignVCenter, palette(),
                          isEnabled(), shown, QPalette::WindowText);
}

void ColorInfoLine::moveEvent(QMoveEvent* /*event*/)
{
    placeMessage();
}

void ColorInfoLine::resizeEvent(QResizeEvent* /*event*/)
{
    placeMessage();
}

void ColorInfoLine::placeMessage()
{
    if (message && message->parentWidget() == parentWidget())
        message->setGeometry(geometry());
}
