#pragma once

#include <functional>

class QAccessibleEvent;
class QWidget;

// The accessibility notifications of the picker's own widgets. They are sent only while a screen
// reader listens (QAccessible::isActive), so nothing is computed for them otherwise: the views
// are refreshed at every step of a drag. Qt 5 has no live regions; the color a keyboard edit
// makes is announced through a live region of our own, a label of the window whose accessible
// name is the color in words (see SpokenColorViewInterface) and that reports a change of name.
class AccessibilityEvents
{
public:
    // Whether anyone hears the notifications: a screen reader, or a test's observer.
    static bool listening();
    // Hands the event to the observer if there is one, otherwise to Qt while a screen reader
    // listens.
    static void send(QAccessibleEvent& event);

    // Tests hear the notifications through an observer, as a screen reader would: Qt drops
    // them on the offscreen and virtual displays, where no screen reader can be active. An
    // empty observer ends it.
    using Observer = std::function<void(QAccessibleEvent& event)>;
    static void setObserver(Observer observer);

    // Makes region the live region of its window: its accessible name is the color of the
    // window's dialog in words.
    static void markLiveRegion(QWidget* region);
    static bool isLiveRegion(const QWidget* widget);
    // A keyboard edit in view has made a new color: the live region of view's window tells of
    // it.
    static void announceColor(QWidget* view);

    AccessibilityEvents() = delete;
};
