#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QColor;
class QLabel;
class QTimer;
class QWidget;

// The picker's copy and paste keys (Ctrl+C and Ctrl+V, and the platform's other copy and paste
// keys). Copy puts the current color on the clipboard as Qt's color data and as "#RRGGBB" text
// ("#RRGGBBAA" below full alpha); paste takes the clipboard's color data, or its text as
// ColorTextParser reads it. A text field with the focus (a line edit, a spinner) keeps the keys
// for its own text: it claims them before window shortcuts are looked up.
//
// A clipboard that holds no color changes nothing; the status line says why, until the next
// change of color (clearStatus) or for StatusTimeoutMs. A pasted color that sRGB cannot show is
// taken clipped, and the line says so beside the color taken ("outside sRGB, clipped").
class ColorClipboard : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorClipboard)

public:
    static constexpr int StatusTimeoutMs = 8000;

    using CurrentColor = std::function<QColor()>;
    using TakeColor = std::function<void(const QColor&)>;

    // Adds the keys to `window`, which owns this object. `status` shows refusals; `take` makes a
    // pasted color current.
    ColorClipboard(QWidget* window, QLabel* status, CurrentColor current, TakeColor take);
    ~ColorClipboard() override;

    void copy() const;
    // Takes the clipboard's color, or says in the status line why there is none.
    bool paste();
    // Takes the color `text` names (the hex line's text), read as a paste reads text; a text that
    // names no color changes nothing and the status line says why.
    bool takeText(const QString& text);
    void clearStatus();

private:
    void showStatus(const QString& text);

    QLabel* const status;
    const CurrentColor current;
    const TakeColor take;
    QTimer* statusTimer = nullptr;
};
