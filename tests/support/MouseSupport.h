#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// A user's drag is a press, moves with the button held and a release. QTest reads the point (0, 0)
// as "the widget's centre" and moves without a held button, which a widget without mouse tracking
// never sees, so these send the events themselves.
inline void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}
inline void press(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, button, button, pos);
}
inline void moveHeld(QWidget* widget, const QPoint& pos)
{
    sendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, pos);
}
inline void release(QWidget* widget, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, button, Qt::NoButton, pos);
}
