#pragma once

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/kit/SpokenColorView.h"

#include <QElapsedTimer>
#include <QString>
#include <QWidget>

class QTimer;

class QLabel;

// The line above the initial and current swatches that says what the current color is: the
// nearest CSS color name, the WCAG 2 contrast ratio of the current against the initial color,
// and a mark while the last Lab, CMYK or temperature entry lay outside sRGB and was clipped.
//
// It is told of every change of color, at every step of a drag: it builds its text (a nearest-name
// search among the CSS colors and two luminances) and repaints only when the text changes, over a
// cached backdrop. Its size does not follow its text (a narrow column shortens the name), so a new
// text never lays out the dialog.
class ColorInfoLine : public QWidget, public SpokenColorView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorInfoLine)

public:
    explicit ColorInfoLine(QWidget* parent = nullptr);
    ~ColorInfoLine() override;

    // Takes the layout place of `message`, a label of the same parent, and owns the row from then
    // on: the label lies over the line and shows passing messages (showMessage) in its place, so
    // the dialog needs no row of its own for either. Without a message the label is hidden, and
    // the pointer and the tooltip are the line's.
    void takeRowOf(QLabel* message);
    // Shows `text` (a paste's or the hex line's refusal, a clip) in place of the line until the
    // next change of color or for MessageTimeoutMs, with the whole text as the label's tooltip.
    void showMessage(const QString& text);
    void clearMessage();
    static constexpr int MessageTimeoutMs = 8000;

    // After a change of color. `editedGroup` is the spinner group a typed or slid value was just
    // taken into (for CMYK the channel itself), None for every other kind of change. A Lab, CMYK
    // or temperature entry sets or clears the clip mark by what its conversion to RGB did; any
    // other change to a different color clears it. The same color applied again (the host told of
    // a typed value when its timer fires) keeps it. Any message shown goes.
    void showColor(const ColorValue& current, const ColorValue& initial, ColorChannel editedGroup);

    bool clipMarked() const { return clipped; }
    // The line as it reads in full, before any elision; its painting may follow up to
    // RepaintInterval later.
    QString text() const;

    // The WCAG 2 contrast ratio of two colors (color/Contrast), as the line measures it.
    static double contrastRatio(const RgbColor& first, const RgbColor& second);
    // A ratio as the line shows it, "4.5:1", "21:1": rounded down to tenths, so that no pair reads
    // as meeting a WCAG threshold (3, 4.5, 7) that it misses; ".0" is left out.
    static QString contrastText(double ratio);
    // The line for `current` against `initial`: "≈ darkorange · 4.5:1", followed by " · ⚠ clipped"
    // when `clipped`.
    static QString lineText(const ColorValue& current, const ColorValue& initial, bool clipped);
    // The same in words: "Nearest named color dark orange, contrast with the initial color 4.5 to
    // 1", followed by ", outside sRGB, clipped".
    static QString spokenText(const ColorValue& current, const ColorValue& initial, bool clipped);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QAccessible::Role spokenRole() const override;
    QString spokenName() const override;
    QString spokenValue() const override;
    QString spokenHelp() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static QString composeLine(const QString& name, const QString& contrast, bool clipped);
    void placeMessage();

    QLabel* message = nullptr;
    QTimer* messageTimer = nullptr;
    ColorValue current;
    ColorValue initial;
    bool clipped = false;
    QString shownLine;
    // A drag changes the text at nearly every step; the line is painted at most once per
    // RepaintInterval, always with its latest text, so that a drag step costs no painting of it.
    static constexpr int RepaintInterval = 100; // ms
    QElapsedTimer lastRepaint;
    QTimer* repaintTimer = nullptr;
};
