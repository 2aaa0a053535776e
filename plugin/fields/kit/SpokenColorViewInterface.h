#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class SpokenColorView;

// Qt's side of a SpokenColorView: the accessible interface Qt's factory makes for the picker's own
// widgets, which asks the widget for the name, value and help it gives, its number through
// QAccessibleValueInterface, a press for the palette's buttons. Only the widgets inside one that
// speak for themselves are its children (the hue wheel's square, a tile's shades); the pictures and
// markers are not.
class SpokenColorViewInterface : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    SpokenColorViewInterface(QWidget* widget, QAccessible::Role role);

    // Registers the factory that makes these for the picker's widgets, and the live region's
    // interface, once per process.
    static void install();

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    // The widget as it speaks, looked up at each question: null while the widget is being
    // destroyed, when Qt may still tell a screen reader that it hides.
    SpokenColorView* view() const;
    QList<QWidget*> spokenChildren() const;
};
