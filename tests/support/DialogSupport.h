#pragma once

#include <QObject>
#include <QWidget>
#include <QtTest>

// The child of parent with the object name given; a missing one ends the suite, since every
// later step would only fail on a null pointer.
template <typename T> T* childNamed(const QObject* parent, const char* name)
{
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

// Shows the window and makes it the active one, as a user's click on it would; false when the
// window system never exposes or activates it.
inline bool showActive(QWidget* window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}
