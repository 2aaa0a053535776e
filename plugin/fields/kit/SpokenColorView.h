#pragma once

#include <QAccessible>
#include <QString>

class QWidget;

// The widget's side of what one of the picker's own widgets (a field, a wheel, a slider, a palette
// tile or shade) tells screen readers, and how they act on it: a view inherits this and answers
// in its own terms. SpokenColorViewInterface, Qt's side, presents it to Qt. Every text is made
// when asked, from what the widget shows: keeping them current costs the widget nothing while no
// screen reader listens.
class SpokenColorView
{
public:
    virtual QAccessible::Role spokenRole() const = 0;
    // What the widget is, with what it holds fixed: "Saturation and value field; hue fixed at 30".
    virtual QString spokenName() const = 0;
    // What it shows now: "saturation 100, value 50", "30 of 360".
    virtual QString spokenValue() const = 0;
    // How the keys work it.
    virtual QString spokenHelp() const = 0;

    // The one number a screen reader reads and sets (a field gives its horizontal channel), in
    // the channel's own units. Widgets without one (the palette's buttons) keep these defaults.
    virtual bool hasSpokenNumber() const { return false; }
    virtual int spokenNumber() const { return 0; }
    virtual int spokenMinimum() const { return 0; }
    virtual int spokenMaximum() const { return 0; }
    // Sets the number as the keys would, the same way to the dialog.
    virtual void setSpokenNumber(int /*number*/) {}
    // The press of a button-like widget, as a click.
    virtual bool hasPressAction() const { return false; }
    virtual void press() {}

protected:
    SpokenColorView();
    ~SpokenColorView();
    SpokenColorView(const SpokenColorView&) = delete;
    SpokenColorView& operator=(const SpokenColorView&) = delete;

    // After self shows a new color: a listening screen reader hears of a new name or value.
    void tellScreenReaders(QWidget* self);

private:
    QString toldName;
    QString toldValue;
};
