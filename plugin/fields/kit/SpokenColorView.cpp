#include "fields/kit/SpokenColorView.h"

#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/SpokenColorViewInterface.h"

#include <QWidget>

SpokenColorView::SpokenColorView()
{
    SpokenColorViewInterface::install();
}

SpokenColorView::~SpokenColorView() = default;

void SpokenColorView::tellScreenReaders(QWidget* self)
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
