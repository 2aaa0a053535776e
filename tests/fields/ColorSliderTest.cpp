// The channel slider: its values and marker at the rounding edges, its strip on the rendered widget
// against its marker, and a drag as the dialog and the host see it.

#include "FieldChannels.h"
#include "MouseSupport.h"
#include "TestHost.h"

#include "RecordingServices.h"
#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "color/Rounding.h"
#include "fields/ColorSlider.h"
#include "fields/pictures/ChannelGradient.h"
#include "fields/pictures/ColorSliderMapping.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

#include <vector>

Q_DECLARE_METATYPE(ColorChannel)
Q_DECLARE_METATYPE(ColorValue)

namespace {

// A point at coordinate c along the slider, in the middle across it.
QPoint along(const ColorSlider& slider, int c)
{
    return slider.sliderOrientation() == ColorSlider::Vertical ? QPoint(slider.width() / 2, c)
                                                               : QPoint(c, slider.height() / 2);
}

// The coordinate the marker is centred on, read back from the marker labels.
int markerCentre(const ColorSlider& slider)
{
    if (slider.sliderOrientation() == ColorSlider::Vertical) {
        const int left = slider.findChild<QLabel*>(QStringLiteral("leftArrowLabel"))->y() + 16;
        const int right = slider.findChild<QLabel*>(QStringLiteral("rightArrowLabel"))->y() + 16;
        return left == right ? left : -1000;
    }
    return slider.findChild<QLabel*>(QStringLiteral("markerLabel"))->x() + 10;
}

void setMarkersVisible(ColorSlider& slider, bool visible)
{
    // The focus frame too: a slider alone in its window has the focus.
    for (const char* name : {"markerLabel", "leftArrowLabel", "rightArrowLabel", "focusFrame"}) {
        if (QWidget* label = slider.findChild<QWidget*>(QLatin1String(name))) {
            label->setVisible(visible);
        }
    }
}

// Single-precision products and differences rounded once each, as written without fused
// multiply-adds whatever this file is compiled with: each exact result fits a double.
float product(float a, float b)
{
    return static_cast<float>(static_cast<double>(a) * static_cast<double>(b));
}
float difference(float a, float b)
{
    return static_cast<float>(static_cast<double>(a) - static_cast<double>(b));
}

// Where the marker of value stands on a slider of length l, by the slider's arithmetic.
int expectedMarker(ColorChannel channel, int l, int value)
{
    const float lf = float(l);
    const ChannelInfo& info = channelInfo(channel);
    switch (channel) {
    case ColorChannel::Red:
    case ColorChannel::Green:
    case ColorChannel::Blue:
        return l - nearest(product(lf / 255.0f, float(value)));
    case ColorChannel::RedGreen:
    case ColorChannel::BlueYellow:
        return nearest(product(float(127 - value), lf / 255.0f));
    default:
        return static_cast<int>(difference(lf, product(float(value), lf / float(info.maximum))));
    }
}

// The strip as it is drawn.
QImage gradientOf(const ColorSlider& slider)
{
    return slider.findChild<QLabel*>(QStringLiteral("gradientLabel"))
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

class ColorSliderTest : public QObject
{
    Q_OBJECT

private slots:
    void valueAtCoordinate_data();
    void valueAtCoordinate();
    void markerCoordinate_data();
    void markerCoordinate();
    void mappingRoundTrip_data();
    void mappingRoundTrip();
    void arrowsStandOnEveryValue_data();
    void arrowsStandOnEveryValue();
    void stripLinesUpWithMarker_data();
    void stripLinesUpWithMarker();
    void dragBeyondTheTopSendsBeyondTheRange();
    void setColorWithoutChannelKeepsTheSlidersOwn();
    void setColorDuringDragIsIgnored();
    void releaseCatchesUpWithTheDialog();
    void pixmapSlotShowsUntilTheNextColor();
    void dragWritesTheSpinnerAndTellsTheHostAtRelease();
    void sliderInASpinnerRowKeepsItsChannel();
};

void ColorSliderTest::valueAtCoordinate_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("coordinate");
    QTest::addColumn<int>("value");
    // nearest(255/256 * 129) = nearest(128.496) = 128.
    QTest::newRow("Red 256 at 127") << ColorChannel::Red << 256 << 127 << 128;
    QTest::newRow("Red 256 at 0") << ColorChannel::Red << 256 << 0 << 255;
    QTest::newRow("Red 256 at L") << ColorChannel::Red << 256 << 256 << 0;
    QTest::newRow("Red 145 at 0") << ColorChannel::Red << 145 << 0 << 255;
    QTest::newRow("Red 145 at L") << ColorChannel::Red << 145 << 145 << 0;
    QTest::newRow("Hue 256 at 128") << ColorChannel::Hue << 256 << 128 << 180;
    QTest::newRow("Hue 256 at 0") << ColorChannel::Hue << 256 << 0 << 360;
    QTest::newRow("Hue 256 at L") << ColorChannel::Hue << 256 << 256 << 0;
    QTest::newRow("Hue 145 at 0") << ColorChannel::Hue << 145 << 0 << 360;
    QTest::newRow("Hue 145 at 1: truncated") << ColorChannel::Hue << 145 << 1 << 357;
    QTest::newRow("RedGreen 256 at L") << ColorChannel::RedGreen << 256 << 256 << -127;
    QTest::newRow("RedGreen 256 at 0: one past the range")
        << ColorChannel::RedGreen << 256 << 0 << 128;
    QTest::newRow("RedGreen 145 at L") << ColorChannel::RedGreen << 145 << 145 << -127;
    QTest::newRow("Value 256 beyond the top") << ColorChannel::Value << 256 << -30 << 111;
    QTest::newRow("Lightness 256 beyond the end") << ColorChannel::Lightness << 256 << 300 << -17;
}

void ColorSliderTest::valueAtCoordinate()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, length);
    QFETCH(int, coordinate);
    QFETCH(int, value);
    ColorSlider slider(nullptr, length == 256 ? 50 : 145, length == 256 ? 256 : 20,
                       length == 256 ? ColorSlider::Vertical : ColorSlider::Horizontal);
    slider.setColor(ColorValue(), channel);
    QCOMPARE(slider.length(), length);
    QCOMPARE(slider.valueAt(coordinate), value);
}

void ColorSliderTest::markerCoordinate_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("length");
    QTest::addColumn<ColorValue>("color");
    QTest::addColumn<int>("coordinate");
    QTest::newRow("Red 128: 256 - nearest(128.502)")
        << ColorChannel::Red << 256 << ColorValue(128, 0, 0, 255) << 127;
    QTest::newRow("Red 255") << ColorChannel::Red << 256 << ColorValue(255, 0, 0, 255) << 0;
    QTest::newRow("Red 0 stays at L")
        << ColorChannel::Red << 256 << ColorValue(0, 9, 9, 255) << 256;
    QTest::newRow("Red 0, 145") << ColorChannel::Red << 145 << ColorValue(0, 9, 9, 255) << 145;
    QTest::newRow("Hue 180") << ColorChannel::Hue << 256 << ColorValue(HsvColor(180, 50, 50))
                             << 128;
    QTest::newRow("Saturation 33 truncated")
        << ColorChannel::Saturation << 256 << ColorValue(HsvColor(180, 33, 50)) << 171;
    QTest::newRow("RedGreen -128")
        << ColorChannel::RedGreen << 256 << ColorValue(LabColor(50, -128, 0)) << 256;
    QTest::newRow("BlueYellow 127")
        << ColorChannel::BlueYellow << 145 << ColorValue(LabColor(50, 0, 127)) << 0;
    QTest::newRow("None") << ColorChannel::None << 256 << ColorValue(1, 2, 3, 255) << 0;
    // v * (l / range) rounds to a whole number here; fused with the subtraction into one
    // multiply-add it stays unrounded, just above it, and the marker truncates one pixel lower.
    QTest::newRow("Hue 225: 256 - 160")
        << ColorChannel::Hue << 256 << ColorValue(HsvColor(225, 50, 50)) << 96;
    QTest::newRow("Hue 270") << ColorChannel::Hue << 256 << ColorValue(HsvColor(270, 50, 50)) << 64;
    QTest::newRow("Hue 315") << ColorChannel::Hue << 256 << ColorValue(HsvColor(315, 50, 50)) << 32;
    QTest::newRow("Saturation 60, 145")
        << ColorChannel::Saturation << 145 << ColorValue(HsvColor(200, 60, 50)) << 58;
    QTest::newRow("Value 80, 145")
        << ColorChannel::Value << 145 << ColorValue(HsvColor(200, 50, 80)) << 29;
}

void ColorSliderTest::markerCoordinate()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, length);
    QFETCH(ColorValue, color);
    QFETCH(int, coordinate);
    ColorSlider slider(nullptr, length == 256 ? 50 : 145, length == 256 ? 256 : 20,
                       length == 256 ? ColorSlider::Vertical : ColorSlider::Horizontal);
    slider.setColor(color, channel);
    QCOMPARE(slider.markerPosition(color, channel), coordinate);
    QCOMPARE(markerCentre(slider), coordinate);
}

void ColorSliderTest::mappingRoundTrip_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("length");
    // true: every value goes to its marker and is sent back from there; false: every coordinate
    // sends a value whose marker lands back on it. Which holds depends on how many values share
    // a pixel.
    QTest::addColumn<bool>("valueFirst");
    // What the pointer sends minus the value whose marker stands under it.
    QTest::addColumn<int>("offset");
    using C = ColorChannel;
    const struct
    {
        C channel;
        bool valueFirst256, valueFirst145;
        int offset;
    } rows[] = {{C::Red, true, false, 0},       {C::Green, true, false, 0},
                {C::Blue, true, false, 0},      {C::Hue, false, false, 0},
                {C::Saturation, true, true, 0}, {C::Value, true, true, 0},
                {C::Lightness, true, true, 0},  {C::RedGreen, true, false, 1},
                {C::BlueYellow, true, false, 1}};
    for (const auto& row : rows) {
        QTest::addRow("%s 256", nameOf(row.channel))
            << row.channel << 256 << row.valueFirst256 << row.offset;
        QTest::addRow("%s 145", nameOf(row.channel))
            << row.channel << 145 << row.valueFirst145 << row.offset;
    }
}

void ColorSliderTest::mappingRoundTrip()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, length);
    QFETCH(bool, valueFirst);
    QFETCH(int, offset);
    const ColorSliderMapping mapping(channel, length);
    if (valueFirst) {
        for (int v = channelInfo(channel).minimum; v <= channelInfo(channel).maximum; ++v) {
            const int marker = mapping.markerPosition(with(colorOfSpace(channel), channel, v));
            QVERIFY2(mapping.valueAt(marker) == v + offset,
                     qPrintable(QStringLiteral("value %1: marker at %2 sends %3")
                                    .arg(v)
                                    .arg(marker)
                                    .arg(mapping.valueAt(marker))));
        }
    } else {
        for (int c = 0; c <= length; ++c) {
            const int sent = mapping.valueAt(c);
            const int marker =
                mapping.markerPosition(with(colorOfSpace(channel), channel, sent - offset));
            QVERIFY2(marker == c, qPrintable(QStringLiteral("coordinate %1 sends %2, marker at %3")
                                                 .arg(c)
                                                 .arg(sent)
                                                 .arg(marker)));
        }
    }
}

void ColorSliderTest::arrowsStandOnEveryValue_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("orientation");
    for (const NamedChannel& named : kFieldChannels) {
        QTest::addRow("%s vertical 256", named.name) << named.channel << ColorSlider::Vertical;
        QTest::addRow("%s horizontal 145", named.name) << named.channel << ColorSlider::Horizontal;
    }
}

// For every value of the channel the marker labels stand on its coordinate, with the arrows on
// either side of the strip. Values such as hue 225, 270 and 315 on the 256 slider and 60 and 80
// percent on the 145 one sit a hair from a whole pixel: a product and a difference fused into one
// multiply-add move their markers by one.
void ColorSliderTest::arrowsStandOnEveryValue()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, orientation);
    const bool vertical = orientation == ColorSlider::Vertical;
    ColorSlider slider(nullptr, vertical ? 50 : 145, vertical ? 256 : 20, orientation);
    const QLabel* strip = slider.findChild<QLabel*>(QStringLiteral("gradientLabel"));
    const QLabel* marker = slider.findChild<QLabel*>(QStringLiteral("markerLabel"));
    const QLabel* left = slider.findChild<QLabel*>(QStringLiteral("leftArrowLabel"));
    const QLabel* right = slider.findChild<QLabel*>(QStringLiteral("rightArrowLabel"));
    for (int v = channelInfo(channel).minimum; v <= channelInfo(channel).maximum; ++v) {
        slider.setColor(with(colorOfSpace(channel), channel, v), channel);
        const int c = std::clamp(expectedMarker(channel, slider.length(), v), 0, slider.length());
        const bool placed =
            vertical ? left->pos() == QPoint(strip->x() - 22, c - 16) &&
                           right->pos() == QPoint(strip->geometry().right() + 1 - 9, c - 16)
                     : marker->pos() == QPoint(c - 10, strip->y());
        QVERIFY2(placed, qPrintable(QStringLiteral("value %1: coordinate %2, marker at %3")
                                        .arg(v)
                                        .arg(c)
                                        .arg(markerCentre(slider))));
    }
}

void ColorSliderTest::stripLinesUpWithMarker_data()
{
    QTest::addColumn<ColorChannel>("channel");
    QTest::addColumn<int>("orientation");
    const std::pair<ColorChannel, const char*> channels[] = {
        {ColorChannel::Red, "Red"},
        {ColorChannel::Hue, "Hue"},
        {ColorChannel::Value, "Value"},
        {ColorChannel::Lightness, "Lightness"},
        {ColorChannel::BlueYellow, "BlueYellow"}};
    for (const auto& [channel, name] : channels) {
        QTest::addRow("%s vertical 50 x 256", name) << channel << int(ColorSlider::Vertical);
        QTest::addRow("%s horizontal 145 x 20", name) << channel << int(ColorSlider::Horizontal);
    }
}

// On the rendered widget: the strip lies wholly inside the slider with index i at coordinate i,
// and the marker is centred where the strip shows the marker's value (one of the two pixels at
// the centre line, or as near as the strip's step allows).
void ColorSliderTest::stripLinesUpWithMarker()
{
    QFETCH(ColorChannel, channel);
    QFETCH(int, orientation);
    const bool vertical = orientation == ColorSlider::Vertical;
    ColorSlider slider(nullptr, vertical ? 50 : 145, vertical ? 256 : 20, orientation);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    const int length = slider.length();
    const int across = vertical ? slider.width() : slider.height();

    int low = 0, high = 255;
    if (channel == ColorChannel::Hue) {
        high = 360;
    } else if (channel == ColorChannel::Value || channel == ColorChannel::Lightness) {
        high = 100;
    } else if (channel == ColorChannel::BlueYellow) {
        low = -128, high = 127;
    }
    const int step = (high - low + length - 1) / length;
    for (int v = low; v <= high; v += 7) {
        ColorValue color;
        if (channel == ColorChannel::Red) {
            color = ColorValue(v, 30, 60, 255);
        } else if (channel == ColorChannel::Hue || channel == ColorChannel::Value) {
            color = ColorValue(HsvColor(channel == ColorChannel::Hue ? v : 200, 80,
                                        channel == ColorChannel::Value ? v : 90));
        } else {
            color = ColorValue(LabColor(channel == ColorChannel::Lightness ? v : 60, 20,
                                        channel == ColorChannel::BlueYellow ? v : -20));
        }
        slider.setColor(color, channel);
        std::vector<QRgb> strip(length);
        QVERIFY(ChannelGradient::colors(color, channel, length, strip.data()));

        setMarkersVisible(slider, false);
        const QImage shot = slider.grab().toImage().convertToFormat(QImage::Format_RGB32);
        setMarkersVisible(slider, true);
        // Lines across the slider that show the whole strip, index i at coordinate i.
        int first = -1, count = 0;
        for (int a = 0; a < across; ++a) {
            bool whole = true;
            for (int i = 0; i < length && whole; ++i) {
                whole =
                    (vertical ? shot.pixel(a, i) : shot.pixel(i, a)) == (strip[i] | 0xff000000u);
            }
            if (whole) {
                first = first < 0 ? a : first;
                ++count;
            }
        }
        QVERIFY2(count > 0, qPrintable(QStringLiteral("value %1: strip not found").arg(v)));
        QCOMPARE(count, 20);

        const int centre = markerCentre(slider);
        QCOMPARE(centre, slider.markerPosition(color, channel));
        int nearest = 1 << 20;
        for (int i : {centre - 1, centre}) {
            if (i >= 0 && i < length) {
                const int shown = ColorSliderMapping(channel, length).stripValue(i);
                nearest = std::min(nearest, std::abs(shown - v));
            }
        }
        const int allowed = channel == ColorChannel::Red && length == 256 ? 0 : step;
        QVERIFY2(nearest <= allowed,
                 qPrintable(QStringLiteral("value %1: marker at %2 stands %3 away from it")
                                .arg(v)
                                .arg(centre)
                                .arg(nearest)));
    }
}

void ColorSliderTest::dragBeyondTheTopSendsBeyondTheRange()
{
    ColorSlider slider(nullptr);
    slider.setColor(ColorValue(HsvColor(10, 20, 30)), ColorChannel::Value);
    press(&slider, along(slider, 10));
    QCOMPARE(markerCentre(slider), 10);
    moveHeld(&slider, along(slider, -30));
    QCOMPARE(markerCentre(slider), 0);
    moveHeld(&slider, along(slider, 400));
    QCOMPARE(markerCentre(slider), 256);
    release(&slider, along(slider, 400));
    // The release does not move the marker: the dialog's next color does.
    QCOMPARE(markerCentre(slider), 256);
}

void ColorSliderTest::setColorWithoutChannelKeepsTheSlidersOwn()
{
    ColorSlider slider(nullptr, 145, 20, ColorSlider::Horizontal);
    slider.setColor(ColorValue(HsvColor(0, 0, 60)), ColorChannel::Saturation);
    // A grey of hue 0: from the saturated red of the same value down to the grey.
    QImage strip = gradientOf(slider);
    QCOMPARE(strip.size(), QSize(145, 20));
    QCOMPARE(QColor(strip.pixel(0, 10)), QColor(153, 0, 0));
    // The last of 145 pixels is saturation nearest(0.69) = 1, a hair off the grey.
    QCOMPARE(QColor(strip.pixel(144, 19)), QColor(153, 151, 151));

    slider.setColor(ColorValue(HsvColor(120, 0, 100)), ColorChannel::None);
    QCOMPARE(slider.shownChannel(), ColorChannel::Saturation);
    strip = gradientOf(slider);
    QCOMPARE(QColor(strip.pixel(0, 0)), QColor(0, 255, 0));
    QCOMPARE(markerCentre(slider), 145);
}

void ColorSliderTest::setColorDuringDragIsIgnored()
{
    ColorSlider slider(nullptr);
    slider.setColor(ColorValue(40, 50, 60, 255), ColorChannel::Green);
    const QImage before = gradientOf(slider);
    press(&slider, along(slider, 100));
    slider.setColor(ColorValue(200, 10, 250, 255), ColorChannel::Blue);
    QCOMPARE(gradientOf(slider), before);
    QCOMPARE(markerCentre(slider), 100);
    QCOMPARE(slider.shownChannel(), ColorChannel::Green);
    release(&slider, along(slider, 100));
    slider.setColor(ColorValue(200, 10, 250, 255), ColorChannel::Blue);
    QVERIFY(gradientOf(slider) != before);
    QCOMPARE(markerCentre(slider), 5);
}

// The color may change by another way while the slider holds still for a drag (a spinner finishing
// its edit as it loses the focus); a release that changes nothing must still show it afterwards.
void ColorSliderTest::releaseCatchesUpWithTheDialog()
{
    RecordingServices services(ColorValue(40, 50, 60, 255));
    ColorSlider slider(&services);
    slider.setColor(services.current, ColorChannel::Green);
    press(&slider, along(slider, 100));
    services.current = ColorValue(40, 200, 60, 255);
    slider.setColor(services.current, ColorChannel::None);
    release(&slider, along(slider, 100));
    QCOMPARE(slider.shownColor(), services.current);
    QCOMPARE(slider.shownChannel(), ColorChannel::Green);
}

// A picture given through the slot replaces the strip until the next color, even one whose strip
// would be the same as before.
void ColorSliderTest::pixmapSlotShowsUntilTheNextColor()
{
    ColorSlider slider(nullptr);
    slider.setColor(ColorValue(40, 50, 60, 255), ColorChannel::Red);
    const QImage strip = gradientOf(slider);
    QCOMPARE(QColor(strip.pixel(0, 0)), QColor(255, 50, 60));
    QCOMPARE(QColor(strip.pixel(19, 255)), QColor(0, 50, 60));
    QImage given(20, 256, QImage::Format_RGB32);
    given.fill(qRgb(1, 2, 3));
    slider.setImage(given);
    QCOMPARE(gradientOf(slider), given);
    slider.setColor(ColorValue(90, 50, 60, 255), ColorChannel::Red);
    QCOMPARE(gradientOf(slider), strip);
}

// Each step writes the channel's spinner (the dialog's current color follows at once); the host
// hears only the release.
void ColorSliderTest::dragWritesTheSpinnerAndTellsTheHostAtRelease()
{
    TestHost host;
    ColorDorvoDialog* dialog = host.open(QColor(10, 20, 30));
    ColorSlider slider(dialog);
    slider.setColor(dialog->GetCurrentColorValue(), ColorChannel::Red);
    auto* redSpinner = dialog->findChild<QSpinBox*>(QStringLiteral("redIntSpinner"));
    QVERIFY(redSpinner);

    press(&slider, along(slider, 127));
    QCOMPARE(redSpinner->value(), 128);
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(128, 20, 30));
    moveHeld(&slider, along(slider, -5));
    QCOMPARE(redSpinner->value(), 255);
    QCOMPARE(host.callback.changedCount(), 0);
    release(&slider, along(slider, 0));
    QCOMPARE(host.callback.changedCount(), 1);
    QCOMPARE(host.callback.last().color, AColor(1.0f, 20 / 255.0f, 30 / 255.0f, 1.0f));
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(255, 20, 30));
}

// The small slider an expanded group puts beside a spinner: a child of the row, following every
// color the dialog takes on its own channel, and setting that channel.
void ColorSliderTest::sliderInASpinnerRowKeepsItsChannel()
{
    TestHost host;
    ColorDorvoDialog* dialog = host.open(QColor(10, 20, 30));
    auto* row = dialog->findChild<QHBoxLayout*>(QStringLiteral("greenHLayout"));
    QVERIFY(row);
    const int before = row->count();
    dialog->AddChannelSlider(row, ColorChannel::Green);
    QCOMPARE(row->count(), before + 1);
    auto* slider = qobject_cast<ColorSlider*>(row->itemAt(before)->widget());
    QVERIFY(slider);
    QCOMPARE(slider->parentWidget(), row->parentWidget());
    QCOMPARE(slider->size(), QSize(145, 20));
    QCOMPARE(slider->sliderOrientation(), ColorSlider::Horizontal);
    QCOMPARE(slider->shownChannel(), ColorChannel::Green);
    QCOMPARE(QColor(gradientOf(*slider).pixel(0, 10)), QColor(10, 255, 30));

    // A pick on the square field (its channel is Value) reaches the row's slider on Green.
    dialog->ViewColorChanged(ColorValue(200, 20, 90, 255), false);
    QCOMPARE(slider->shownChannel(), ColorChannel::Green);
    QCOMPARE(QColor(gradientOf(*slider).pixel(0, 10)), QColor(200, 255, 90));
    QCOMPARE(QColor(gradientOf(*slider).pixel(144, 10)), QColor(200, 1, 90));

    auto* greenSpinner = dialog->findChild<QSpinBox*>(QStringLiteral("greenIntSpinner"));
    press(slider, along(*slider, 0));
    release(slider, along(*slider, 0));
    QCOMPARE(greenSpinner->value(), 255);
    QCOMPARE(dialog->GetCurrentRgb(), RgbColor(200, 255, 90));
}

QTEST_MAIN(ColorSliderTest)
#include "ColorSliderTest.moc"
