#include "fields/AccessibleColorView.h"

#include "fields/AccessibilityEvents.h"
#include "fields/ColorViewAccessible.h"

#include <QWidget>

AccessibleColorView::AccessibleColorView()
{
    ColorViewAccessible::install();
}

AccessibleColorView::~AccessibleColorView() = default;

void AccessibleColorView::tellScreenReaders(QWidget* self)
{
    if (!AccessibilityEvents::listening())
        return;
    const QString name = spokenName();
    if (name != toldName) {
        toldName = name;
        QAccessibleEvent changed(self, QAccessible::NameChanged);
        AccessibilityEvents::send(changed);
    }
    const QString value = spokenValue();
    if (value != toldValue) {
        toldValue = value;
        QAccessibleValueChangeEvent changed(self, hasSpokenNumber() ? spokenNumber() : 0);
        AccessibilityEvents::send(changed);
    }
}
