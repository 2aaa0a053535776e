// The square color field driven with the mouse as a user drives it: what it shows (picture,
// marker, cursor) and what it reports to the dialog's services.

#include "FieldChannels.h"
#include "MouseSupport.h"
#include "RecordingServices.h"

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/ColorField.h"
#include "fields/pictures/ColorFieldImage.h"
#include "fields/pictures/ColorFieldMapping.h"

#include <QLabel>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(ColorChannel)
Q_DECLARE_METATYPE(ColorValue)

namespace {

QLabel* markerOf(const ColorField& field)
{
    return field.findChild<QLabel*>(QStringLiteral("markerLabel"));
}

QImage pictureOf(const ColorField& field)
{
    return field.shownPicture().convertToFormat(QImage::Format_RGB32);
}

// The two channels along a field's axes: column first, then row.
std::pair<ColorChannel, ColorChannel> axesOf(ColorChannel channel)
{
    using C = ColorChannel;
    switch (channel) {
    case C::Red:
        return {C::Blue, C::Green};
    case C::Green:
        return {C::Blue, C::Red};
    case C::Blue:
        return {C::Red, C::Green};
    case C::Hue:
        return {C::Saturation, C::Value};
    case C::Saturation:
    case C::Value:
        return {C::Hue, channel == C::Saturation ? C::Value : C::Saturation};
    case C::Lightness:
        return {C::RedGreen, C::BlueYellow};
    case C::RedGreen:
        return {C::BlueYellow, C::Lightness};
    default:
        return {C::RedGreen, C::Lightness};
    }
}

QString describe(const RgbColor& c)
{
    return QStringLiteral("(%1, %2, %3, %4)")
        .arg(c.red())
        .arg(c.green())
        .arg(c.blue())
        .arg(c.alpha());
}

} // namespace

class ColorFieldTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RecordingServices> dialog;

    // The dialog's services holding the given color, and a shown field reporting to them.
    std::unique_ptr<ColorField> openField(const ColorValue& color, ColorChannel channel)
    {
        dialog = std::make_unique<RecordingServices>(color);
        auto field = std::make_unique<ColorField>(dialog.get());
        field->setColor(color, channel);
        field->show();
        return field;
    }
    // The picks the host hears of: those not reported as silent.
    int heard() const
    {
        return int(
            std::count_if(dialog->viewCalls.begin(), dialog->viewCalls.end(),
                          [](const RecordingServices::ViewCall& call) { return !call.silent; }));
    }

private slots:
    void cleanup() { dialog.reset(); }

    void clickPicks_data();
    void clickPicks();
    void dragPastEachEdgeClamps_data();
    void dragPastEachEdgeClamps();
    void dragReportsOnlyChangesAndReleaseIsSilent();
    void releaseOfAnotherButtonEndsTheDrag();
    void setColorDuringDragIsIgnored();
    void pictureFollowsTheFixedValue_data();
    void pictureFollowsTheFixedValue();
    void mappingRoundTrip_data();
    void mappingRoundTrip();
    void labMarkerStandsWhereThePictureShowsIt_data();
    void labMarkerStandsWhereThePictureShowsIt();
    void markerPosition_data();
    void markerPosition();
    void columnShowsOneLessThanItPicks();
    void nullDialogStillMovesTheMarker();
    void withoutChannelPicksWhatItShows();
    void cursorFollowsThePress();
};

// The color picked by a left click, as the dialog receives it.
void ColorFieldTest::clickPicks_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QPoint>("click");
    QTest::addColumn<ColorValue>("expected");

    const ColorValue rgb(77, 88, 99, 255);
    QTest::newRow("Red at the top-left corner")
        << ColorChannel::Red << rgb << QPoint(0, 0) << ColorValue(77, 255, 0, 255);
    QTest::newRow("Red inside") << ColorChannel::Red << rgb << QPoint(128, 100)
                                << ColorValue(77, 155, 128, 255);
    QTest::newRow("Green inside") << ColorChannel::Green << rgb << QPoint(10, 200)
                                  << ColorValue(56, 88, 10, 255);
    QTest::newRow("Blue at the last pixel")
        << ColorChannel::Blue << rgb << QPoint(255, 255) << ColorValue(254, 1, 99, 255);

    const ColorValue hsv(HsvColor(200, 40, 60));
    QTest::newRow("Hue") << ColorChannel::Hue << hsv << QPoint(64, 64)
                         << ColorValue(HsvColor(200, 25, 75));
    QTest::newRow("Saturation") << ColorChannel::Saturation << hsv << QPoint(128, 0)
                                << ColorValue(HsvColor(180, 40, 100));
    QTest::newRow("Value") << ColorChannel::Value << hsv << QPoint(255, 255)
                           << ColorValue(HsvColor(359, 0, 60));

    const ColorValue lab(LabColor(50, 10, -20));
    QTest::newRow("Lightness") << ColorChannel::Lightness << lab << QPoint(200, 30)
                               << ColorValue(LabColor(50, 72, 97));
    QTest::newRow("RedGreen at the top")
        << ColorChannel::RedGreen << lab << QPoint(0, 0) << ColorValue(LabColor(100, 10, -128));
    QTest::newRow("RedGreen at the last row: nearest(0.390625)")
        << ColorChannel::RedGreen << lab << QPoint(255, 255) << ColorValue(LabColor(0, 10, 127));
    QTest::newRow("BlueYellow") << ColorChannel::BlueYellow << lab << QPoint(100, 128)
                                << ColorValue(LabColor(50, -28, -20));
}

void ColorFieldTest::clickPicks()
{
    QFETCH(ColorChannel, channel);
    QFETCH(ColorValue, color);
    QFETCH(QPoint, click);
    QFETCH(ColorValue, expected);
    auto field = openField(color, channel);

    press(field.get(), click);
    QVERIFY2(dialog->GetCurrentRgb() == expected.rgb(),
             qPrintable(describe(dialog->GetCurrentRgb()) + " != " + describe(expected.rgb())));
    // Whichever space was picked in is kept as picked (a hue chosen for a grey survives).
    QCOMPARE(dialog->GetCurrentColorValue(), expected);
    QCOMPARE(markerOf(*field)->pos(), click + QPoint(-8, -8));
    // A press reports at once and loudly: the host hears the color while the button is held.
    QCOMPARE(heard(), 1);
    // The release picks the same color again: it only ends the drag.
    release(field.get(), click);
    QCOMPARE(heard(), 1);
    QCOMPARE(dialog->viewCalls.size(), std::size_t(1));
    QCOMPARE(dialog->dragEnds, 1);
    QCOMPARE(dialog->GetCurrentColorValue(), expected);
}

// Moves beyond the field pick at its border, which includes the width and the height.
void ColorFieldTest::dragPastEachEdgeClamps_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QPoint>("clamped");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("right") << QPoint(300, 64) << QPoint(256, 64) << 191 << 255;
    QTest::newRow("left") << QPoint(-40, 64) << QPoint(0, 64) << 191 << 0;
    QTest::newRow("top") << QPoint(64, -1) << QPoint(64, 0) << 255 << 64;
    QTest::newRow("bottom") << QPoint(64, 1000) << QPoint(64, 256) << 0 << 64;
    QTest::newRow("bottom-right") << QPoint(999, 999) << QPoint(256, 256) << 0 << 255;
}

void ColorFieldTest::dragPastEachEdgeClamps()
{
    QFETCH(QPoint, to);
    QFETCH(QPoint, clamped);
    QFETCH(int, green);
    QFETCH(int, blue);
    auto field = openField(ColorValue(30, 40, 50, 255), ColorChannel::Red);

    QTest::mousePress(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    moveHeld(field.get(), to);
    QCOMPARE(markerOf(*field)->pos(), clamped + QPoint(-8, -8));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(30, green, blue));
    QTest::mouseRelease(field.get(), Qt::LeftButton, Qt::NoModifier, to);
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(30, green, blue));
}

// While the button is held every new color reaches the host; a move that changes nothing and the
// release do not.
void ColorFieldTest::dragReportsOnlyChangesAndReleaseIsSilent()
{
    auto field = openField(ColorValue(30, 40, 50, 255), ColorChannel::Red);
    QTest::mousePress(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QCOMPARE(heard(), 1);
    moveHeld(field.get(), QPoint(10, 10));
    QCOMPARE(heard(), 1);
    moveHeld(field.get(), QPoint(50, 60));
    QCOMPARE(heard(), 2);
    QCOMPARE(dialog->viewCalls.back().color.rgb(), RgbColor(30, 195, 50));
    QTest::mouseRelease(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 60));
    QCOMPARE(heard(), 2);
    // The release still picked: the dialog holds the color under the release point.
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(30, 195, 80));
}

void ColorFieldTest::releaseOfAnotherButtonEndsTheDrag()
{
    auto field = openField(ColorValue(30, 40, 50, 255), ColorChannel::Red);
    QTest::mousePress(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    QTest::mouseRelease(field.get(), Qt::RightButton, Qt::NoModifier, QPoint(100, 20));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(30, 235, 100));
    QCOMPARE(heard(), 1);
    // The drag is over: moves pick nothing and the marker stays.
    const QPoint marker = markerOf(*field)->pos();
    moveHeld(field.get(), QPoint(200, 200));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(30, 235, 100));
    QCOMPARE(markerOf(*field)->pos(), marker);
    // And the field takes colors again.
    field->setColor(dialog->GetCurrentColorValue(), ColorChannel::Red);
    QCOMPARE(markerOf(*field)->pos(), QPoint(100, 20) + QPoint(-8, -8));
}

void ColorFieldTest::setColorDuringDragIsIgnored()
{
    auto field = openField(ColorValue(30, 40, 50, 255), ColorChannel::Red);
    const QImage before = pictureOf(*field);
    QTest::mousePress(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    field->setColor(ColorValue(HsvColor(90, 50, 50)), ColorChannel::Hue);
    QCOMPARE(pictureOf(*field), before);
    QCOMPARE(markerOf(*field)->pos(), QPoint(32, 32));
    QCOMPARE(field->shownChannel(), ColorChannel::Red);
    QTest::mouseRelease(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    field->setColor(ColorValue(HsvColor(90, 50, 50)), ColorChannel::Hue);
    QCOMPARE(pictureOf(*field), ColorFieldImage::render(256, 256, ColorValue(HsvColor(90, 50, 50)),
                                                        ColorChannel::Hue));
    QCOMPARE(markerOf(*field)->pos(), QPoint(128, 128) + QPoint(-8, -8));
}

void ColorFieldTest::pictureFollowsTheFixedValue_data()
{
    QTest::addColumn<ColorChannel>("channel");
    for (const NamedChannel& named : kFieldChannels)
        QTest::newRow(named.name) << named.channel;
}

// A new value of the channel held fixed (a drag on the slider beside the field) draws the
// picture anew; a change of the axis channels alone keeps it.
void ColorFieldTest::pictureFollowsTheFixedValue()
{
    QFETCH(ColorChannel, channel);
    ColorField field(nullptr);
    const ColorValue first = colorOfSpace(channel);
    field.setColor(first, channel);
    const ChannelInfo& info = channelInfo(channel);
    const ColorValue second = with(first, channel, (info.minimum + 3 * info.maximum) / 4);
    QVERIFY(second.channel(channel) != first.channel(channel));
    field.setColor(second, channel);
    QCOMPARE(pictureOf(field), ColorFieldImage::render(256, 256, second, channel));
    const ColorValue third = with(second, axesOf(channel).first, info.minimum + 1);
    field.setColor(third, channel);
    QCOMPARE(pictureOf(field), ColorFieldImage::render(256, 256, second, channel));
}

void ColorFieldTest::mappingRoundTrip_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("alongRow");
    // true: every value goes to its marker and is picked back there; false: every position is
    // picked and its marker lands back on it. Which of the two holds depends on how many values
    // share a pixel.
    QTest::addColumn<bool>("valueFirst");
    using C = ColorChannel;
    const struct
    {
        C channel;
        int size;
        bool valueFirst;
    } rows[] = {{C::Red, 256, true},  {C::Green, 256, true}, {C::Blue, 256, true},
                {C::Red, 128, false}, {C::Hue, 256, true},   {C::Hue, 128, true}};
    for (const auto& row : rows) {
        for (bool alongRow : {false, true}) {
            QTest::addRow("%s %d, %s", nameOf(row.channel), row.size, alongRow ? "row" : "column")
                << row.channel << row.size << alongRow << row.valueFirst;
        }
    }
    // Hue along x has more values than pixels; the percentage along y fewer.
    for (C channel : {C::Saturation, C::Value}) {
        for (int size : {256, 128}) {
            QTest::addRow("%s %d, column", nameOf(channel), size)
                << channel << size << false << false;
            QTest::addRow("%s %d, row", nameOf(channel), size) << channel << size << true << true;
        }
    }
}

void ColorFieldTest::mappingRoundTrip()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    QFETCH(bool, alongRow);
    QFETCH(bool, valueFirst);
    const ColorFieldMapping mapping(channel, size, size);
    const ColorChannel axis = alongRow ? axesOf(channel).second : axesOf(channel).first;
    const ColorValue base = colorOfSpace(channel);
    const auto along = [alongRow](const QPoint& p) { return alongRow ? p.y() : p.x(); };
    if (valueFirst) {
        for (int v = channelInfo(axis).minimum; v <= channelInfo(axis).maximum; ++v) {
            const QPoint marker = mapping.markerPosition(with(base, axis, v));
            const int picked = mapping.colorAt(marker, base).channel(axis);
            QVERIFY2(picked == v, qPrintable(QStringLiteral("value %1: marker at %2, picks %3")
                                                 .arg(v)
                                                 .arg(along(marker))
                                                 .arg(picked)));
        }
    } else {
        for (int i = 0; i <= size; ++i) {
            const QPoint p = alongRow ? QPoint(size / 2, i) : QPoint(i, size / 2);
            const ColorValue picked = mapping.colorAt(p, base);
            const int marker = along(mapping.markerPosition(picked));
            QVERIFY2(marker == i, qPrintable(QStringLiteral("position %1: picks %2, marker at %3")
                                                 .arg(i)
                                                 .arg(picked.channel(axis))
                                                 .arg(marker)));
        }
    }
}

void ColorFieldTest::labMarkerStandsWhereThePictureShowsIt_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    for (ColorChannel channel :
         {ColorChannel::Lightness, ColorChannel::RedGreen, ColorChannel::BlueYellow}) {
        for (int size : {256, 128})
            QTest::addRow("%s %d", nameOf(channel), size) << channel << size;
    }
}

// The marker of a Lab pair is the last column and the last row of the picture that show its two
// axis values; a value the picture never shows leaves the marker at (0, 0).
void ColorFieldTest::labMarkerStandsWhereThePictureShowsIt()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    const ColorFieldMapping mapping(channel, size, size);
    const auto [columnAxis, rowAxis] = axesOf(channel);
    const ColorValue shownPair =
        with(with(colorOfSpace(channel), columnAxis, mapping.columnValue(size / 2)), rowAxis,
             mapping.rowValue(size / 2));
    for (bool alongRow : {false, true}) {
        const ColorChannel axis = alongRow ? rowAxis : columnAxis;
        const auto shown = [&](int i) {
            return alongRow ? mapping.rowValue(i) : mapping.columnValue(i);
        };
        for (int v = channelInfo(axis).minimum; v <= channelInfo(axis).maximum; ++v) {
            const QPoint marker = mapping.markerPosition(with(shownPair, axis, v));
            const int at = alongRow ? marker.y() : marker.x();
            int last = -1;
            for (int i = 0; i < size; ++i)
                last = shown(i) == v ? i : last;
            const QPoint expected = last < 0   ? QPoint(0, 0)
                                    : alongRow ? QPoint(marker.x(), last)
                                               : QPoint(last, marker.y());
            QVERIFY2(
                marker == expected,
                qPrintable(
                    QStringLiteral("value %1 at %2, last shown at %3").arg(v).arg(at).arg(last)));
        }
    }
}

void ColorFieldTest::markerPosition_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("size");
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<QPoint>("marker");
    const ColorValue rgb(10, 64, 128, 255);
    // nearest(256 * 128/255) = nearest(128.502) = 129; nearest(256 * (1 - 64/255)) = 192.
    QTest::newRow("Red") << ColorChannel::Red << 256 << rgb << QPoint(129, 192);
    QTest::newRow("Green") << ColorChannel::Green << 256 << rgb << QPoint(129, 246);
    QTest::newRow("Blue") << ColorChannel::Blue << 256 << rgb << QPoint(10, 192);
    QTest::newRow("Blue 128") << ColorChannel::Blue << 128 << rgb << QPoint(5, 96);
    const ColorValue hsv(HsvColor(90, 33, 75));
    QTest::newRow("Hue") << ColorChannel::Hue << 256 << hsv << QPoint(84, 64);
    QTest::newRow("Hue 128") << ColorChannel::Hue << 128 << hsv << QPoint(42, 32);
    QTest::newRow("Saturation") << ColorChannel::Saturation << 256 << hsv << QPoint(64, 64);
    QTest::newRow("Value") << ColorChannel::Value << 256 << hsv << QPoint(64, 172);
    // a = nearest(x * 255/256) - 128 and b = 127 + nearest(-y * 255/256): the last match wins.
    QTest::newRow("Lightness") << ColorChannel::Lightness << 256 << ColorValue(LabColor(50, 0, 0))
                               << QPoint(129, 127);
    QTest::newRow("Lightness, a = 127 never shown")
        << ColorChannel::Lightness << 256 << ColorValue(LabColor(50, 127, 0)) << QPoint(0, 0);
    QTest::newRow("RedGreen") << ColorChannel::RedGreen << 256 << ColorValue(LabColor(50, 20, -100))
                              << QPoint(28, 129);
    QTest::newRow("BlueYellow at 128, odd a never shown")
        << ColorChannel::BlueYellow << 128 << ColorValue(LabColor(50, -127, 0)) << QPoint(0, 0);
    QTest::newRow("None") << ColorChannel::None << 256 << rgb << QPoint(0, 0);
}

void ColorFieldTest::markerPosition()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, size);
    QFETCH(ColorValue, color);
    QFETCH(QPoint, marker);
    ColorField field(size, size, nullptr);
    field.setColor(color, channel);
    QCOMPARE(markerOf(field)->pos(), marker + QPoint(-8, -8));
    QCOMPARE(markerOf(field)->size(), QSize(16, 16));
}

// Column 128 of a 256-wide Red field shows blue 127, while a pick there gives 128.
void ColorFieldTest::columnShowsOneLessThanItPicks()
{
    auto field = openField(ColorValue(0, 0, 0, 255), ColorChannel::Red);
    QCOMPARE(qBlue(pictureOf(*field).pixel(128, 5)), 127);
    QTest::mouseClick(field.get(), Qt::LeftButton, Qt::NoModifier, QPoint(128, 5));
    QCOMPARE(dialog->GetCurrentRgb().blue(), 128);
}

void ColorFieldTest::nullDialogStillMovesTheMarker()
{
    ColorField field(nullptr);
    field.setColor(ColorValue(HsvColor(10, 20, 30)), ColorChannel::Saturation);
    QTest::mousePress(&field, Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    QCOMPARE(markerOf(field)->pos(), QPoint(12, 22));
    moveHeld(&field, QPoint(500, 40));
    QCOMPARE(markerOf(field)->pos(), QPoint(248, 32));
    QTest::mouseRelease(&field, Qt::LeftButton, Qt::NoModifier, QPoint(500, 40));
    // Nothing was reported, so the field still shows the color it was given.
    QCOMPARE(field.shownColor(), ColorValue(HsvColor(10, 20, 30)));
}

// A field given no channel picks the pixel it shows; a drag to the far edges picks the last
// pixel, never one past the picture.
void ColorFieldTest::withoutChannelPicksWhatItShows()
{
    auto field = openField(ColorValue(1, 2, 3, 255), ColorChannel::None);
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    picture.setPixel(255, 255, qRgb(200, 100, 50));
    field->setImage(picture);
    press(field.get(), QPoint(10, 10));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(10, 20, 30));
    moveHeld(field.get(), QPoint(300, 400));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(200, 100, 50));
    release(field.get(), QPoint(300, 400));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(200, 100, 50));
}

void ColorFieldTest::cursorFollowsThePress()
{
    ColorField field(nullptr);
    field.setColor(ColorValue(1, 2, 3, 255), ColorChannel::Red);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&field, &enter);
    QCOMPARE(field.cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(field.cursor().pixmap().size(), QSize(32, 32));
    QTest::mousePress(&field, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(field.cursor().shape(), Qt::BlankCursor);
    QTest::mouseRelease(&field, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mousePress(&field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(field.cursor().shape(), Qt::BlankCursor);
    // Entering while the button is held keeps the pointer hidden.
    QApplication::sendEvent(&field, &enter);
    QCOMPARE(field.cursor().shape(), Qt::BlankCursor);
    QTest::mouseRelease(&field, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(field.cursor().shape(), Qt::ArrowCursor);
    QApplication::sendEvent(&field, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&field, &leave);
    QCOMPARE(field.cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(ColorFieldTest)
#include "ColorFieldTest.moc"
