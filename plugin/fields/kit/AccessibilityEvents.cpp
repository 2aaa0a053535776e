#include "fields/kit/AccessibilityEvents.h"

#include <QAccessible>
#include <QWidget>

namespace {

const char kLiveRegion[] = "colorDorvoLiveRegion";

AccessibilityEvents::Observer& observer()
{
    static AccessibilityEvents::Observer instance;
    return instance;
}

} // namespace

bool AccessibilityEvents::listening()
{
    return observer() || QAccessible::isActive();
}

void AccessibilityEvents::send(QAccessibleEvent& event)
{
    if (observer())
        observer()(event);
    else if (QAccessible::isActive())
        QAccessible::updateAccessibility(&event);
}

void AccessibilityEvents::setObserver(Observer newObserver)
{
    observer() = std::move(newObserver);
}

void AccessibilityEvents::markLiveRegion(QWidget* region)
{
    region->setProperty(kLiveRegion, true);
}

bool AccessibilityEvents::isLiveRegion(const QWidget* widget)
{
    return widget->property(kLiveRegion).toBool();
}

void AccessibilityEvents::announceColor(QWidget* view)
{
    if (!listening())
        return;
    for (QWidget* widget : view->window()->findChildren<QWidget*>()) {
        if (isLiveRegion(widget)) {
            QAccessibleEvent changed(widget, QAccessible::NameChanged);
            send(changed);
        }
    }
}
