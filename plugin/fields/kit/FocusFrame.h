#pragma once

#include <QWidget>

class QPainter;
class QPalette;

// The keyboard focus of a color view whose children cover it (the field's picture, the wheels'
// pictures, the slider's strip and markers): a frame along its edges, stacked above the
// children and shown while the view has the focus. The frame is drawn here rather than by the
// style so that it shows on every style and over any color: two pixels of the palette's
// highlight with one pixel of highlighted text inside them.
class FocusFrame : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(FocusFrame)

public:
    // Frames owner, which owns the frame. Made after the owner's other children, so it is
    // stacked above them.
    explicit FocusFrame(QWidget* owner);
    ~FocusFrame() override;

    // Draws the frame along the inside of rect.
    static void paint(QPainter& painter, const QRect& rect, const QPalette& palette);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
