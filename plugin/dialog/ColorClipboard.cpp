#include "dialog/ColorClipboard.h"

#include "color/ColorMime.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

ColorClipboard::ColorClipboard(QWidget* window, QLabel* statusLabel, CurrentColor currentColor,
                               TakeColor takeColor)
    : QObject(window), status(statusLabel), current(std::move(currentColor)),
      take(std::move(takeColor)), statusTimer(new QTimer(this))
{
    auto* copyAction = new QAction(window);
    copyAction->setShortcuts(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, &ColorClipboard::copy);
    window->addAction(copyAction);

    auto* pasteAction = new QAction(window);
    pasteAction->setShortcuts(QKeySequence::Paste);
    connect(pasteAction, &QAction::triggered, this, &ColorClipboard::paste);
    window->addAction(pasteAction);

    // The line keeps its room while empty, so that a message never resizes the dialog.
    statusLabel->setMinimumHeight(statusLabel->fontMetrics().height());
    statusTimer->setObjectName(QStringLiteral("pasteStatusTimer"));
    statusTimer->setSingleShot(true);
    connect(statusTimer, &QTimer::timeout, this, &ColorClipboard::clearStatus);
}

ColorClipboard::~ColorClipboard() = default;

void ColorClipboard::copy() const
{
    QGuiApplication::clipboard()->setMimeData(ColorMime::create(current()).release());
}

bool ColorClipboard::paste()
{
    const ColorTextParser::Result pasted =
        ColorMime::read(QGuiApplication::clipboard()->mimeData());
    if (!pasted.ok) {
        showStatus(tr("Cannot paste: %1").arg(pasted.reason));
        return false;
    }
    take(pasted.color);
    // Said after taking the color, since every change of color clears the line.
    if (pasted.clipped)
        showStatus(
            tr("Pasted %1: outside sRGB, clipped").arg(ColorTextParser::format(pasted.color)));
    return true;
}

bool ColorClipboard::takeText(const QString& text)
{
    const ColorTextParser::Result typed = ColorTextParser::parse(text);
    if (!typed.ok) {
        // The reason alone: the row has room for one short line, and the text is in sight.
        showStatus(tr("Not a color: %1").arg(typed.reason));
        return false;
    }
    take(typed.color);
    if (typed.clipped)
        showStatus(tr("Took %1: outside sRGB, clipped").arg(ColorTextParser::format(typed.color)));
    return true;
}

void ColorClipboard::clearStatus()
{
    statusTimer->stop();
    if (!status->text().isEmpty()) {
        status->clear();
        status->setToolTip(QString());
    }
}

void ColorClipboard::showStatus(const QString& text)
{
    // The whole reason, wrapped to the line's width; the room above it takes the extra lines.
    status->setText(text);
    status->setToolTip(text);
    statusTimer->start(StatusTimeoutMs);
}
