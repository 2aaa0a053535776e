#pragma once

#include "color/ColorCopyTexts.h"

#include <QColor>
#include <QObject>

#include <functional>

class QMenu;
class QPoint;
class QWidget;

// "Copy as" for a widget that shows a color: its context menu lists the color in every form of
// ColorCopyTexts, each item reading as the text it copies. The chosen text goes on the clipboard
// together with the color as color data (ColorMime), so that a paste into a picker takes the
// exact color whatever the text.
//
// The menu opens on the widget's context-menu request: a right click, or the keyboard's menu key
// while it has the focus. A widget whose right click does something else (a stored swatch that a
// right click removes) keeps that click; there Shift and a right click open the menu instead.
class ColorCopyMenu : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorCopyMenu)

public:
    using ColorOf = std::function<QColor()>;
    enum class RightClick
    {
        OpensMenu,
        KeptByWidget
    };

    // Watches `widget`, which owns this object; `colorOf` says what it shows when the menu opens.
    ColorCopyMenu(QWidget* widget, ColorOf colorOf, RightClick rightClick = RightClick::OpensMenu);
    ~ColorCopyMenu() override;

    // A menu (owned by `parent`, deleted when it closes) offering `color` in every form.
    static QMenu* createMenu(const QColor& color, QWidget* parent);
    // Puts `color` on the clipboard as `form`'s text and as color data.
    static void copy(const QColor& color, ColorCopyTexts::Form form);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* const widget;
    const ColorOf colorOf;
    const RightClick rightClick;
};
