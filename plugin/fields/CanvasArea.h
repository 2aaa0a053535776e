#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

class ColorDialogServices;

// The mixing canvas: a small paint surface on which the user lays down strokes of the current
// color to try colors side by side. The left button paints with the pen color, the right button
// erases with the background color. A stroke is the run of straight segments between successive
// pointer positions, with round ends and joins and no antialiasing.
//
// A stroke is laid down as a whole: each segment raises a coverage mask of the stroke (the highest
// coverage wins where segments overlap), and the picture under the stroke is the picture from
// before the stroke blended with the stroke's color by coverage times opacity. Joints are
// therefore no darker than the rest of the stroke. Hardness 100 covers exactly the pixels of the
// plain round-capped pen; lower hardness keeps full coverage within that share of the radius and
// fades smoothly to nothing at the radius.
//
// The picture grows with the widget, with slack, and never shrinks; it lives as long as the
// canvas. Only the rectangle around each new segment is repainted.
class CanvasArea : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CanvasArea)

public:
    // Slack added in each direction whenever the picture has to grow, so that small enlargements
    // need no new picture.
    static constexpr int GrowthSlack = 128;

    // dialog is the picker that shows the canvas; the canvas reports nothing to it. parent owns
    // the canvas.
    explicit CanvasArea(ColorDialogServices* dialog, QWidget* parent = nullptr);
    ~CanvasArea() override;

    void setPenColor(const QColor& color);
    // The brush diameter in pixels.
    void setPenWidth(int width);
    // Opacity as a percentage (held to 0..100), kept on 0..255: truncate(nearest(p * 2.55)) in
    // single precision, ties to even (50 gives 128, 100 gives 255).
    void setOpacity(float percent);
    // Hardness as a percentage 0..100 (clamped): the share of the radius painted at full
    // coverage. 100 is the hard round pen.
    void setHardness(int percent);

    const QColor& shownPenColor() const { return penColor; }
    int brushWidth() const { return penWidth; }
    int brushOpacity() const { return opacity; }
    int brushHardness() const { return hardness; }
    // The picture, at least as large as the widget once it was laid out.
    const QImage& picture() const { return image; }

public slots:
    // Fills the picture with the background color and repaints the whole canvas.
    void ClearImage();
    // The canvas has nothing to print in the host; the slot does nothing.
    void Print();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // A segment from lastPoint to end, painting or erasing, then end is the next start.
    void drawLineTo(const QPoint& end, bool erase);
    // Replaces picture by one of newSize in Format_RGB32, white, with the old picture at the top
    // left; nothing when it already has that size.
    static void resizeImage(QImage* picture, const QSize& newSize);

    // A stroke runs from the first segment after a press until the release (or until it switches
    // between painting and erasing). The picture from before the stroke and the stroke's coverage
    // live only that long.
    void beginStroke(bool erase);
    void endStroke();
    // Raise the stroke's coverage under the segment lastPoint..end within rect (the hard pen or the
    // soft brush) and blend the pixels whose coverage rose.
    void coverHard(const QPoint& end, const QRect& rect);
    void coverSoft(const QPoint& end, const QRect& rect);
    // Lays the coverage of one segment, count values from pixel (from, y) on, over the stroke's:
    // where a value exceeds the coverage so far, the coverage rises to it and the pixel is blended
    // anew from the picture beneath the stroke, so overlaps never lay the color down twice.
    // Written without branches, so that it goes several pixels at a time.
    void layDown(const uchar* values, int y, int from, int count);

    bool scribbling = false;
    int penWidth = 3;
    int opacity = 255;
    int hardness = 100;
    Qt::BrushStyle brushStyle = Qt::SolidPattern;
    QColor penColor = Qt::black;
    QColor backgroundColor = Qt::white;
    QImage image;
    QPoint lastPoint;
    ColorDialogServices* const dialog;

    // The stroke in progress: whether one is, whether it erases, its color and opacity (0..255,
    // taken as it began), the picture from before it and its coverage (Format_Alpha8, 255 =
    // full). A pixel of the stroke is the picture from before moved towards the color by
    // coverage * opacity / 255.
    bool stroking = false;
    bool strokeErases = false;
    QRgb strokeColor = 0;
    quint32 strokeOpacity = 255;
    QImage strokeBase;
    QImage strokeCoverage;
};
