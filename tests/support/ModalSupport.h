#pragma once

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs `action` on the modal window (a picker or a message box) once it runs, from inside its
// event loop: the test's own code would not run again until that loop ends. The poll is a child
// of `owner`, so it goes with the test object if no modal window ever opens.
inline void whenModalOpens(QObject* owner, std::function<void(QDialog*)> action)
{
    auto* poll = new QTimer(owner);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, owner, [poll, action] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(modal);
        }
    });
    poll->start();
}
