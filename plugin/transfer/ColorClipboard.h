#pragma once

#include "color/ColorTextParser.h"

#include <QObject>
#include <QString>

#include <functional>

class QColor;
class QWidget;

// The picker's copy and paste keys (Ctrl+C and Ctrl+V, and the platform's other copy and paste
// keys). Copy puts the current color on the clipboard as Qt's color data and as "#RRGGBB" text
// ("#RRGGBBAA" below full alpha); paste takes the clipboard's color data, or its text as
// ColorTextParser reads it. A text field with the focus (a line edit, a spinner) keeps the keys
// for its own text: it claims them before window shortcuts are looked up.
//
// A clipboard that holds no color changes nothing, and a message says why. A pasted color that
// sRGB cannot show is taken clipped, and a message says so beside the color taken ("outside sRGB,
// clipped"). Messages go out through `message`, always after the color was taken; whoever shows
// them decides how long.
class ColorClipboard : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorClipboard)

public:
    using CurrentColor = std::function<QColor()>;
    using TakeColor = std::function<void(const QColor&)>;

    // Adds the keys to `window`, which owns this object. `take` makes a pasted color current.
    ColorClipboard(QWidget* window, CurrentColor current, TakeColor take);
    ~ColorClipboard() override;

    void copy() const;
    // Takes the clipboard's color, or says in a message why there is none.
    bool paste();
    // Takes the color `text` names (the hex line's text), read as a paste reads text; a text that
    // names no color changes nothing and a message says why.
    bool takeText(const QString& text);

signals:
    // One short line for the user: why nothing was taken, or what was taken clipped.
    void message(const QString& text);

private:
    // Takes what a paste or the hex line read; else says `refusal` with the reason. A clipped
    // color is said with `clip`, which names it.
    bool takeRead(const ColorTextParser::Result& read, const QString& refusal, const QString& clip);

    const CurrentColor current;
    const TakeColor take;
};
