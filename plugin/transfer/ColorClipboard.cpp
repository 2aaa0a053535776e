#include "transfer/ColorClipboard.h"

#include "transfer/ColorMime.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>

ColorClipboard::ColorClipboard(QWidget* window, CurrentColor currentColor, TakeColor takeColor)
    : QObject(window), current(std::move(currentColor)), take(std::move(takeColor))
{
    auto* copyAction = new QAction(window);
    copyAction->setShortcuts(QKeySequence::Copy);
    connect(copyAction, &QAction::triggered, this, &ColorClipboard::copy);
    window->addAction(copyAction);

    auto* pasteAction = new QAction(window);
    pasteAction->setShortcuts(QKeySequence::Paste);
    connect(pasteAction, &QAction::triggered, this, &ColorClipboard::paste);
    window->addAction(pasteAction);
}

ColorClipboard::~ColorClipboard() = default;

void ColorClipboard::copy() const
{
    QGuiApplication::clipboard()->setMimeData(ColorMime::create(current()).release());
}

bool ColorClipboard::paste()
{
    return takeRead(ColorMime::read(QGuiApplication::clipboard()->mimeData()),
                    tr("Cannot paste: %1"), tr("Pasted %1: outside sRGB, clipped"));
}

bool ColorClipboard::takeText(const QString& text)
{
    // The reason alone: the row has room for one short line, and the text is in sight.
    return takeRead(ColorTextParser::parse(text), tr("Not a color: %1"),
                    tr("Took %1: outside sRGB, clipped"));
}

bool ColorClipboard::takeRead(const ColorTextParser::Result& read, const QString& refusal,
                              const QString& clip)
{
    if (!read.ok) {
        emit message(refusal.arg(read.reason));
        return false;
    }
    take(read.color);
    // Said after taking the color, which clears whatever message was shown.
    if (read.clipped)
        emit message(clip.arg(ColorTextParser::format(read.color)));
    return true;
}
