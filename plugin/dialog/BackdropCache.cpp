#include "dialog/BackdropCache.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>

#include <vector>

void BackdropCache::install(QWidget* widget)
{
    new BackdropCache(widget);
}

BackdropCache::BackdropCache(QWidget* target)
    : QObject(target), widget(target), watchedParent(target->parentWidget())
{
    target->setAttribute(Qt::WA_OpaquePaintEvent);
    target->installEventFilter(this);
    if (watchedParent)
        watchedParent->installEventFilter(this);
}

bool BackdropCache::eventFilter(QObject* watched, QEvent* event)
{
    // Polishing may take the mark away again (the style polishes a spin box as it first shows
    // it): the widget's next event puts it back. A paint without it is right, only slower.
    if (watched == widget && !widget->testAttribute(Qt::WA_OpaquePaintEvent))
        widget->setAttribute(Qt::WA_OpaquePaintEvent);
    switch (event->type()) {
    case QEvent::Paint:
        if (watched == widget)
            paintBackdrop();
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::EnabledChange:
    case QEvent::ParentChange:
        backdrop = QPixmap();
        if (watched == widget && event->type() == QEvent::ParentChange) {
            if (watchedParent)
                watchedParent->removeEventFilter(this);
            watchedParent = widget->parentWidget();
            if (watchedParent)
                watchedParent->installEventFilter(this);
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void BackdropCache::paintBackdrop()
{
    if (backdrop.isNull())
        backdrop = snapshot();
    QPainter painter(widget);
    painter.drawPixmap(0, 0, backdrop);
}

QPixmap BackdropCache::snapshot() const
{
    // The window's background, then each ancestor's own painting (without their children) in
    // the order the window paints them, clipped to the widget's rectangle.
    std::vector<QWidget*> ancestors;
    for (QWidget* w = widget->parentWidget(); w; w = w->isWindow() ? nullptr : w->parentWidget())
        ancestors.insert(ancestors.begin(), w);
    const qreal ratio = widget->devicePixelRatioF();
    QPixmap image(widget->size() * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    for (QWidget* ancestor : ancestors) {
        const QPoint origin = widget->mapTo(ancestor, QPoint(0, 0));
        const QRegion area(QRect(origin, widget->size()));
        const bool background = ancestor->isWindow() || ancestor->autoFillBackground();
        ancestor->render(&image, QPoint(), area,
                         background ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    return image;
}
