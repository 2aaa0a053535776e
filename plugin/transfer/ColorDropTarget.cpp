#include "transfer/ColorDropTarget.h"

#include "transfer/ColorMime.h"

#include <QDropEvent>
#include <QWidget>

ColorDropTarget::ColorDropTarget(QWidget* target, Dropped onDrop)
    : QObject(target), widget(target), dropped(std::move(onDrop))
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

ColorDropTarget::~ColorDropTarget() = default;

bool ColorDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget)
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    // Enter, move and drop all derive from QDropEvent.
    auto* drop = static_cast<QDropEvent*>(event);
    const ColorTextParser::Result color = ColorMime::read(drop->mimeData());
    if (!color.ok) {
        drop->ignore();
        return true;
    }
    // The color is copied; a source that offers only to move it is still taken.
    if (drop->possibleActions() & Qt::CopyAction)
        drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
        dropped(color.color);
    return true;
}
