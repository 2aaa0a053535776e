#pragma once

#include <QColor>
#include <QObject>
#include <QPoint>

#include <functional>
#include <memory>

class QMimeData;
class QPixmap;
class QWidget;

// Lets a widget that shows a color be dragged off as that color, to other programs or onto the
// picker's own drop places. It watches the widget's mouse events without taking the press, so a
// click does what it did before; a move with the left button held by the platform's start-drag
// distance starts the drag. The color is taken at the press, before the widget handles it: a
// harmony tile recoloured by its own pick still drags the color that was pressed.
class ColorDragSource : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorDragSource)

public:
    using ColorOf = std::function<QColor()>;

    // Watches `widget`, which owns the source; `colorOf` says what the widget would drag now.
    ColorDragSource(QWidget* widget, ColorOf colorOf);
    ~ColorDragSource() override;

    // What a drag of `color` carries (ColorMime), and the small swatch shown under the pointer.
    static std::unique_ptr<QMimeData> mimeData(const QColor& color);
    static QPixmap dragPixmap(const QColor& color);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startDrag();

    QWidget* const widget;
    const ColorOf colorOf;
    bool pressed = false;
    QPoint pressPos;
    QColor pressedColor;
};
