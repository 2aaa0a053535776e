// The screen eyedropper on a real X display, driven as a user drives it: on every screen of the
// desktop a window with four colored blocks, picked from by clicks, scrubs, keys and cancels; a
// window whose every device pixel differs from its neighbours, picked from pixel by pixel with the
// pointer moved and clicked by the X server (xdotool), or moved there and on by the arrow keys a
// device pixel at a time (ten with Shift), as is the desktop's last device pixel; and the picker
// dialog's "Pick Color" button, with a look at the overlay and its loupe. The same
// program runs on one screen, on two screens side by side (also at scale factors 1 and 2 and 2 and
// 1) and with scale factors 2 and 1.5. With COLORDORVO_SCREENSHOT_DIR set, the screen with the
// overlay open is saved there as a PNG.

#include "ModalSupport.h"
#include "MouseSupport.h"
#include "TestHost.h"

#include "fields/eyedropper/ColorPickLoupe.h"
#include "fields/eyedropper/ColorPickScreen.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Four blocks of 40 x 40 logical pixels: black and white above, two colors below.
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRose(200, 30, 90);
const QColor kSky(17, 130, 250);
constexpr int kBlock = 40;

class PatternWindow : public QWidget
{
    Q_DISABLE_COPY(PatternWindow)

public:
    explicit PatternWindow(const QRect& screen)
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        setGeometry(QRect(screen.bottomRight() - QPoint(2 * kBlock + 20, 2 * kBlock + 20),
                          QSize(2 * kBlock, 2 * kBlock)));
    }
    // The centre of a block (0 black, 1 white, 2 rose, 3 sky), global.
    QPoint centre(int block) const
    {
        return mapToGlobal(QPoint(block % 2, block / 2) * kBlock + QPoint(kBlock, kBlock) / 2);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(0, 0, kBlock, kBlock, kBlack);
        painter.fillRect(kBlock, 0, kBlock, kBlock, kWhite);
        painter.fillRect(0, kBlock, kBlock, kBlock, kRose);
        painter.fillRect(kBlock, kBlock, kBlock, kBlock, kSky);
    }
};

// Every device pixel its own color, none like its neighbours.
class CodedWindow : public QWidget
{
    Q_DISABLE_COPY(CodedWindow)

public:
    explicit CodedWindow(const QRect& screen)
    {
        setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        setGeometry(QRect(screen.topLeft() + QPoint(30, 30), QSize(60, 60)));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const qreal ratio = devicePixelRatioF();
        QImage image(size() * ratio, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 29 % 256, y * 31 % 256, 128));
        }
        image.setDevicePixelRatio(ratio);
        QPainter(this).drawImage(0, 0, image);
    }
};

enum class Gesture
{
    Click,
    Scrub,
    Escape,
    RightClick,
    Return,
    Enter,
    ArrowLeft,
    ShiftArrowUp,
    OtherKeyThenClick,
    ClosedElsewhere,
};

QImage screenShot(QScreen* screen)
{
    return screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The color a screen shot shows at a global logical position.
QColor shownAt(const QImage& shot, QScreen* screen, const QPoint& global)
{
    const QPoint pixel = (global - screen->geometry().topLeft()) * screen->devicePixelRatio();
    return QColor(shot.pixel(pixel));
}

} // namespace

Q_DECLARE_METATYPE(Gesture)

class tst_EyedropperOnDisplay : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void pickOnEveryScreen_data();
    void pickOnEveryScreen();
    void pickDevicePixel_data();
    void pickDevicePixel();
    void pickColorButton_data();
    void pickColorButton();

private:
    // Runs `gesture` on the overlay as soon as it opens.
    void whenOverlayOpens(std::function<void(ColorPickScreen*)> gesture);
    std::unique_ptr<PatternWindow> showPattern(QScreen* screen);

    std::unique_ptr<TestHost> host;
    // Whether the last overlay opened was exposed before the gesture ran.
    bool overlayExposed = false;
};

void tst_EyedropperOnDisplay::init()
{
    host = std::make_unique<TestHost>();
}

void tst_EyedropperOnDisplay::cleanup()
{
    host.reset();
}

void tst_EyedropperOnDisplay::whenOverlayOpens(std::function<void(ColorPickScreen*)> gesture)
{
    overlayExposed = false;
    whenModalOpens(this, [this, gesture](QDialog* modal) {
        auto* overlay = qobject_cast<ColorPickScreen*>(modal);
        if (!overlay)
            qFatal("the open modal window is no eyedropper");
        // As a user would, wait for it to show up; the test fails once the pick is over if it
        // never does.
        overlayExposed = QTest::qWaitForWindowExposed(overlay);
        if (overlayExposed)
            gesture(overlay);
        else
            overlay->close();
    });
}

std::unique_ptr<PatternWindow> tst_EyedropperOnDisplay::showPattern(QScreen* screen)
{
    auto pattern = std::make_unique<PatternWindow>(screen->geometry());
    pattern->show();
    pattern->raise();
    if (!QTest::qWaitForWindowExposed(pattern.get()))
        return nullptr;
    // Exposed is not yet painted: wait until the screen shows the blocks.
    const bool painted = QTest::qWaitFor([&] {
        const QImage shot = screenShot(screen);
        return shownAt(shot, screen, pattern->centre(0)) == kBlack &&
               shownAt(shot, screen, pattern->centre(3)) == kSky;
    });
    return painted ? std::move(pattern) : nullptr;
}

void tst_EyedropperOnDisplay::pickOnEveryScreen_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<QColor>("expected");
    // Cancelling gives back the start color, alpha included.
    const QColor start(1, 2, 3, 40);
    const QList<QScreen*> screens = QGuiApplication::primaryScreen()->virtualSiblings();
    for (int i = 0; i < screens.size(); ++i) {
        const auto row = [i](const char* name) -> QTestData& {
            return QTest::addRow("screen %d: %s", i, name) << i;
        };
        row("click") << Gesture::Click << kRose;
        // 10 samples of black and 11 of white: nearest(2805 / 21) = nearest(133.57).
        row("scrub") << Gesture::Scrub << QColor(134, 134, 134);
        row("Escape") << Gesture::Escape << start;
        row("right click") << Gesture::RightClick << start;
        row("Return") << Gesture::Return << kSky;
        row("Enter") << Gesture::Enter << kSky;
        row("arrow left, Return") << Gesture::ArrowLeft << kBlack;
        row("Shift+arrow up, Return") << Gesture::ShiftArrowUp << kWhite;
        row("other key, click") << Gesture::OtherKeyThenClick << kRose;
        row("closed by the window system") << Gesture::ClosedElsewhere << start;
    }
}

void tst_EyedropperOnDisplay::pickOnEveryScreen()
{
    QFETCH(int, screen);
    QFETCH(Gesture, gesture);
    QFETCH(QColor, expected);
    QScreen* shown = QGuiApplication::primaryScreen()->virtualSiblings().at(screen);
    const std::unique_ptr<PatternWindow> pattern = showPattern(shown);
    QVERIFY2(pattern, "the pattern is not on the screen");
    const PatternWindow& blocks = *pattern;

    bool stayedOpen = true;
    whenOverlayOpens([&](ColorPickScreen* overlay) {
        const auto local = [overlay, &blocks](int block, QPoint offset = QPoint()) {
            return overlay->mapFromGlobal(blocks.centre(block) + offset);
        };
        switch (gesture) {
        case Gesture::Click:
            QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier, local(2));
            break;
        case Gesture::Scrub:
            // The press takes nothing; each move with the button held takes one sample, and so
            // does the release.
            press(overlay, local(0));
            for (int i = 0; i < 10; ++i)
                moveHeld(overlay, local(0, QPoint(i - 5, i % 3)));
            for (int i = 0; i < 10; ++i)
                moveHeld(overlay, local(1, QPoint(5 - i, i % 4)));
            release(overlay, local(1));
            break;
        case Gesture::Escape:
            QTest::keyClick(overlay, Qt::Key_Escape);
            break;
        case Gesture::RightClick:
            QTest::mouseClick(overlay, Qt::RightButton, Qt::NoModifier, local(2));
            break;
        case Gesture::Return:
        case Gesture::Enter:
            QCursor::setPos(shown, blocks.centre(3));
            QTest::keyClick(overlay, gesture == Gesture::Return ? Qt::Key_Return : Qt::Key_Enter);
            break;
        case Gesture::ArrowLeft:
            // From white's first column onto black's last device column. At every ratio of these
            // runs a block is a whole number of device pixels, so the cursor put on a block's
            // first logical column stands on its first device column.
            QCursor::setPos(shown, blocks.centre(1) - QPoint(kBlock / 2, 0));
            QTest::keyClick(overlay, Qt::Key_Left);
            QTest::keyClick(overlay, Qt::Key_Return);
            break;
        case Gesture::ShiftArrowUp:
            // Ten device pixels up from sky's first row, into white.
            QCursor::setPos(shown, blocks.centre(3) - QPoint(0, kBlock / 2));
            QTest::keyClick(overlay, Qt::Key_Up, Qt::ShiftModifier);
            QTest::keyClick(overlay, Qt::Key_Return);
            break;
        case Gesture::OtherKeyThenClick:
            QTest::keyClick(overlay, Qt::Key_X);
            QTest::keyClick(overlay, Qt::Key_Space);
            stayedOpen = overlay->isVisible();
            QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier, local(2));
            break;
        case Gesture::ClosedElsewhere:
            overlay->close();
            break;
        }
    });
    const RgbColor picked = ColorPickScreen::pickScreenColor(RgbColor(1, 2, 3, 40));
    QVERIFY2(overlayExposed, "the overlay was never exposed");
    QVERIFY(stayedOpen);
    QCOMPARE(picked.toQColor(), expected);
}

void tst_EyedropperOnDisplay::pickDevicePixel_data()
{
    // Device pixels of the coded window (from its top-left one), or with `last` set the screen's
    // last device column and row; with `key` set, the pointer moves on from there by that key
    // (with Shift where `shift` is set) before the pick.
    QTest::addColumn<int>("screen");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<bool>("last");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("shift");
    const int screens = QGuiApplication::primaryScreen()->virtualSiblings().size();
    for (int i = 0; i < screens; ++i) {
        for (int k = 0; k < 6; ++k)
            QTest::addRow("screen %d: pixel %d", i, k)
                << i << QPoint(20 + k, 30 + k) << false << 0 << false;
        QTest::addRow("screen %d: last column and row", i) << i << QPoint() << true << 0 << false;
        // From odd and even pixels: on a scaled screen the cursor can stand on neither
        // neighbour of some of them.
        QTest::addRow("screen %d: arrow right", i)
            << i << QPoint(21, 31) << false << int(Qt::Key_Right) << false;
        QTest::addRow("screen %d: arrow up", i)
            << i << QPoint(22, 31) << false << int(Qt::Key_Up) << false;
        QTest::addRow("screen %d: Shift+arrow left", i)
            << i << QPoint(23, 33) << false << int(Qt::Key_Left) << true;
        QTest::addRow("screen %d: Shift+arrow down", i)
            << i << QPoint(24, 35) << false << int(Qt::Key_Down) << true;
    }
}

void tst_EyedropperOnDisplay::pickDevicePixel()
{
    QFETCH(int, screen);
    QFETCH(QPoint, offset);
    QFETCH(bool, last);
    QFETCH(int, key);
    QFETCH(bool, shift);
    const Qt::KeyboardModifiers modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
    const QPoint step = ColorPickScreen::arrowStep(key, modifiers);
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    QVERIFY2(!xdotool.isEmpty(), "xdotool is needed to move and click the pointer");
    QScreen* shown = QGuiApplication::primaryScreen()->virtualSiblings().at(screen);
    // Qt 5 keeps a screen's device top-left corner as its logical one.
    const QPoint origin = shown->geometry().topLeft();
    const qreal ratio = shown->devicePixelRatio();
    CodedWindow coded(shown->geometry());
    const QPoint corner = origin + ((coded.geometry().topLeft() - origin) * ratio);
    const QImage before = screenShot(shown);
    const QPoint native =
        last ? origin + QPoint(before.width() - 1, before.height() - 1) : corner + offset;
    const QPoint pixel = native - origin + step;
    coded.show();
    QVERIFY(QTest::qWaitForWindowExposed(&coded));
    QImage shot;
    const auto codedShown = [&] {
        shot = screenShot(shown);
        const QPoint inside = corner - origin + QPoint(20, 30);
        return QColor(shot.pixel(inside)).blue() == 128 &&
               shot.pixel(inside) != shot.pixel(inside + QPoint(1, 0)) &&
               shot.pixel(inside) != shot.pixel(inside + QPoint(0, 1));
    };
    QVERIFY2(QTest::qWaitFor(codedShown), "the coded window is not on the screen");
    const QColor expected(shot.pixel(pixel));

    // The X server moves the pointer onto the device pixel, and the key on from there: the loupe
    // shows the pixel reached, and a click (Return after a key) takes it.
    bool loupeFound = false;
    QColor loupeShows;
    const auto loupeShowsPixel = [&](const QPoint& shownPixel) {
        const QPoint pointer =
            (QPointF(origin) + (QPointF(shownPixel) + QPointF(0.5, 0.5)) / ratio).toPoint();
        const QRect cell =
            ColorPickLoupe::pickedCell(ColorPickLoupe::placement(pointer, shown->geometry()));
        const QColor wanted(shot.pixel(shownPixel));
        return QTest::qWaitFor([&] {
            loupeShows = shownAt(screenShot(shown), shown, cell.center());
            return loupeShows == wanted;
        });
    };
    whenOverlayOpens([&](ColorPickScreen* overlay) {
        QProcess::execute(xdotool, {QStringLiteral("mousemove"), QString::number(native.x()),
                                    QString::number(native.y())});
        if (!key) {
            loupeFound = loupeShowsPixel(pixel);
            QProcess::execute(xdotool, {QStringLiteral("click"), QStringLiteral("1")});
            return;
        }
        // The key only once the pointer is heard on the pixel it starts from.
        if (loupeShowsPixel(native - origin)) {
            QTest::keyClick(overlay, static_cast<Qt::Key>(key), modifiers);
            loupeFound = loupeShowsPixel(pixel);
        }
        QTest::keyClick(overlay, Qt::Key_Return);
    });
    const RgbColor picked = ColorPickScreen::pickScreenColor(RgbColor(1, 2, 3, 40));
    QVERIFY2(overlayExposed, "the overlay was never exposed");
    QCOMPARE(picked.toQColor(), expected);
    QVERIFY2(
        loupeFound,
        qPrintable(
            QStringLiteral("the loupe shows %1, not %2").arg(loupeShows.name(), expected.name())));
}

void tst_EyedropperOnDisplay::pickColorButton_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("click") << false;
    QTest::newRow("Escape") << true;
}

void tst_EyedropperOnDisplay::pickColorButton()
{
    QFETCH(bool, cancel);
    const QColor initial(90, 140, 200, 100);
    ColorDorvoDialog* dialog = host->open(initial);
    dialog->move(QGuiApplication::primaryScreen()->geometry().topLeft());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QScreen* screen = QGuiApplication::primaryScreen();
    const std::unique_ptr<PatternWindow> pattern = showPattern(screen);
    QVERIFY2(pattern, "the pattern is not on the screen");
    const PatternWindow& blocks = *pattern;
    auto* swatch = dialog->findChild<QLabel*>(QStringLiteral("currentColorLbl"));
    const QPoint swatchCentre = swatch->mapToGlobal(swatch->rect().center());
    const QColor swatchBefore = shownAt(screenShot(screen), screen, swatchCentre);
    const std::size_t heardBefore = host->callback.notifications.size();

    // Near the rose block's corner where all four blocks meet, a logical pixel inside: at
    // fractional ratios the windows' device positions are rounded.
    const QPoint pointer = blocks.centre(2) + QPoint(kBlock / 2 - 2, -kBlock / 2 + 1);
    QImage shot;
    QRect loupe;
    bool loupeFound = false;
    whenOverlayOpens([&](ColorPickScreen* overlay) {
        // The pointer moves there: the loupe follows and magnifies the pixels around it.
        QCursor::setPos(pointer);
        loupe = ColorPickLoupe::placement(pointer, screen->geometry());
        const auto loupeShown = [&] {
            shot = screenShot(screen);
            return shownAt(shot, screen, loupe.center()) == kRose;
        };
        loupeFound = QTest::qWaitFor(loupeShown);
        const QString dir = qEnvironmentVariable("COLORDORVO_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            shot.save(QDir(dir).filePath(QStringLiteral("eyedropper-overlay.png")));
        if (cancel)
            QTest::keyClick(overlay, Qt::Key_Escape);
        else
            QTest::mouseClick(overlay, Qt::LeftButton, Qt::NoModifier,
                              overlay->mapFromGlobal(pointer));
    });
    auto* button = dialog->findChild<QAbstractButton*>(QStringLiteral("pickColorBtn"));
    QVERIFY(button);
    // The pointer starts on the black block, on this screen: the nested server of the two-screen
    // run holds a pointer grabbed on one screen within that screen's size.
    QCursor::setPos(screen, blocks.centre(0));
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY2(overlayExposed, "the overlay was never exposed");

    // While it was open, the overlay showed the screen as it was, not a blank window; the loupe
    // stayed off the pixel under the pointer.
    QVERIFY2(loupeFound, "the loupe does not show the pixels under the pointer");
    QCOMPARE(shownAt(shot, screen, blocks.centre(0)), kBlack);
    QCOMPARE(shownAt(shot, screen, blocks.centre(1)), kWhite);
    QCOMPARE(shownAt(shot, screen, blocks.centre(2)), kRose);
    QCOMPARE(shownAt(shot, screen, blocks.centre(3)), kSky);
    QCOMPARE(shownAt(shot, screen, swatchCentre), swatchBefore);
    QCOMPARE(shownAt(shot, screen, pointer), kRose);

    // The dialog takes the pick, or keeps its color on a cancel, and tells the host either way.
    const QColor now = cancel ? initial : kRose;
    QCOMPARE(dialog->GetCurrentQColor(), now);
    QCOMPARE(host->callback.notifications.size(), heardBefore + 1);
    const AColor heard = host->callback.last().color;
    QCOMPARE(QColor::fromRgbF(heard.r, heard.g, heard.b, heard.a), now);
}

QTEST_MAIN(tst_EyedropperOnDisplay)
#include "tst_EyedropperOnDisplay.moc"
