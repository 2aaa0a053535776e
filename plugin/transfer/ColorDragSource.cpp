#include "transfer/ColorDragSource.h"

#include "transfer/ColorMime.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace {
constexpr int kDragSwatchSize = 24;
} // namespace

ColorDragSource::ColorDragSource(QWidget* source, ColorOf colorOfSource)
    : QObject(source), widget(source), colorOf(std::move(colorOfSource))
{
    source->installEventFilter(this);
}

ColorDragSource::~ColorDragSource() = default;

std::unique_ptr<QMimeData> ColorDragSource::mimeData(const QColor& color)
{
    return ColorMime::create(color);
}

QPixmap ColorDragSource::dragPixmap(const QColor& color)
{
    QPixmap pixmap(kDragSwatchSize, kDragSwatchSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.fillRect(pixmap.rect(), color);
    painter.setPen(QColor(40, 40, 40));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

bool ColorDragSource::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        pressed = mouse->button() == Qt::LeftButton;
        if (pressed) {
            pressPos = mouse->pos();
            pressedColor = colorOf();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (pressed && (mouse->buttons() & Qt::LeftButton) &&
            (mouse->pos() - pressPos).manhattanLength() >= QApplication::startDragDistance()) {
            pressed = false;
            startDrag();
            return true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        pressed = false;
        break;
    default:
        break;
    }
    return false;
}

void ColorDragSource::startDrag()
{
    auto* drag = new QDrag(widget);
    drag->setMimeData(mimeData(pressedColor).release());
    const QPixmap pixmap = dragPixmap(pressedColor);
    drag->setPixmap(pixmap);
    drag->setHotSpot(QPoint(pixmap.width() / 2, pixmap.height() / 2));
    // The drag runs its own event loop until the drop; Qt deletes the QDrag afterwards.
    drag->exec(Qt::CopyAction);
}
