#pragma once

#include <QObject>

#include <functional>

class QColor;
class QWidget;

// Lets a widget take colors dropped on it: Qt's color data, or text that ColorTextParser reads.
// Anything else is refused as the drag enters, so the pointer shows that it cannot be dropped.
// The widget's own mouse handling is untouched.
class ColorDropTarget : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorDropTarget)

public:
    using Dropped = std::function<void(const QColor&)>;

    // Watches `widget`, which owns the target, and hands every dropped color to `dropped`.
    ColorDropTarget(QWidget* widget, Dropped dropped);
    ~ColorDropTarget() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* const widget;
    const Dropped dropped;
};
