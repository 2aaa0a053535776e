#include "fields/kit/SpokenColorViewInterface.h"

#include "color/ColorNames.h"
#include "fields/kit/AccessibilityEvents.h"
#include "fields/kit/ColorDialogServices.h"
#include "fields/kit/SpokenColorView.h"

#include <QCoreApplication>
#include <QWidget>

namespace {

// The window's label that speaks the dialog's color: its name is the color in words, made when
// asked, so it is never stale and costs nothing while no screen reader reads it.
class LiveRegionAccessible : public QAccessibleWidget
{
public:
    explicit LiveRegionAccessible(QWidget* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* services = dynamic_cast<const ColorDialogServices*>(widget()->window());
        if (t == QAccessible::Name && services)
            return spokenColor(services->GetCurrentColorValue());
        if (t == QAccessible::Description)
            return QCoreApplication::translate("SpokenColorViewInterface", "Current color");
        return QAccessibleWidget::text(t);
    }
};

// Qt asks once per class of an object's chain, most derived first, for every widget shown or
// renamed, whether a screen reader listens or not: only the first question is looked into.
QAccessibleInterface* colorViewFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* view = dynamic_cast<SpokenColorView*>(widget))
        return new SpokenColorViewInterface(widget, view->spokenRole());
    if (className == QLatin1String("QLabel") && AccessibilityEvents::isLiveRegion(widget))
        return new LiveRegionAccessible(widget);
    return nullptr;
}

} // namespace

SpokenColorViewInterface::SpokenColorViewInterface(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

SpokenColorView* SpokenColorViewInterface::view() const
{
    return dynamic_cast<SpokenColorView*>(widget());
}

void SpokenColorViewInterface::install()
{
    // Removed again when this code goes: the host unloads the module before it exits, and a
    // factory left behind would point into unmapped code at the next query.
    static const struct Registration
    {
        Registration() { QAccessible::installFactory(colorViewFactory); }
        ~Registration() { QAccessible::removeFactory(colorViewFactory); }
        Registration(const Registration&) = delete;
        Registration& operator=(const Registration&) = delete;
    } registration;
}

QString SpokenColorViewInterface::text(QAccessible::Text t) const
{
    const SpokenColorView* view = this->view();
    if (!view)
        return QAccessibleWidget::text(t);
    switch (t) {
    case QAccessible::Name:
        // A name given from outside (the form's) comes first, as for any widget.
        return widget()->accessibleName().isEmpty() ? view->spokenName()
                                                    : widget()->accessibleName();
    case QAccessible::Value:
        return view->spokenValue();
    case QAccessible::Description:
    case QAccessible::Help:
        return view->spokenHelp();
    default:
        return QAccessibleWidget::text(t);
    }
}

QList<QWidget*> SpokenColorViewInterface::spokenChildren() const
{
    QList<QWidget*> children;
    for (QWidget* child : widget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (dynamic_cast<SpokenColorView*>(child) && !child->isWindow())
            children << child;
    }
    return children;
}

int SpokenColorViewInterface::childCount() const
{
    return spokenChildren().size();
}

QAccessibleInterface* SpokenColorViewInterface::child(int index) const
{
    const QList<QWidget*> children = spokenChildren();
    return index >= 0 && index < children.size()
               ? QAccessible::queryAccessibleInterface(children.at(index))
               : nullptr;
}

int SpokenColorViewInterface::indexOfChild(const QAccessibleInterface* child) const
{
    if (!child)
        return -1;
    return spokenChildren().indexOf(qobject_cast<QWidget*>(child->object()));
}

void* SpokenColorViewInterface::interface_cast(QAccessible::InterfaceType type)
{
    const SpokenColorView* view = this->view();
    if (type == QAccessible::ValueInterface && view && view->hasSpokenNumber())
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QStringList SpokenColorViewInterface::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    const SpokenColorView* view = this->view();
    if (view && view->hasPressAction() && widget()->isEnabled())
        names.prepend(pressAction());
    return names;
}

void SpokenColorViewInterface::doAction(const QString& actionName)
{
    SpokenColorView* view = this->view();
    if (actionName == pressAction() && view && view->hasPressAction() && widget()->isEnabled())
        view->press();
    else
        QAccessibleWidget::doAction(actionName);
}

QVariant SpokenColorViewInterface::currentValue() const
{
    const SpokenColorView* view = this->view();
    return view ? QVariant(view->spokenNumber()) : QVariant();
}

void SpokenColorViewInterface::setCurrentValue(const QVariant& value)
{
    bool ok = false;
    const int number = value.toInt(&ok);
    if (SpokenColorView* view = this->view(); view && ok)
        view->setSpokenNumber(number);
}

QVariant SpokenColorViewInterface::maximumValue() const
{
    const SpokenColorView* view = this->view();
    return view ? QVariant(view->spokenMaximum()) : QVariant();
}

QVariant SpokenColorViewInterface::minimumValue() const
{
    const SpokenColorView* view = this->view();
    return view ? QVariant(view->spokenMinimum()) : QVariant();
}

QVariant SpokenColorViewInterface::minimumStepSize() const
{
    return 1;
}
