#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>

class QWidget;

// Lets a widget that changes at every step of a drag (a spinner, the hex line) repaint without
// its ancestors. Normally each repaint of a widget that does not cover all of its pixels first
// repaints whatever lies under it, and a styled group box is costly to draw. Here what the
// ancestors paint under the widget is drawn once into a snapshot, the widget is marked opaque,
// and each of its repaints starts from the snapshot: the same pixels, without the ancestors.
// The snapshot is taken again when the widget or its parent changes size, place or look.
class BackdropCache : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(BackdropCache)

public:
    // The cache is a child of `widget` and lives as long as it does.
    static void install(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit BackdropCache(QWidget* widget);
    void paintBackdrop();
    QPixmap snapshot() const;

    QWidget* widget;
    QPointer<QWidget> watchedParent;
    QPixmap backdrop;
};
