#include "fields/eyedropper/ColorPickScreen.h"

#include "fields/eyedropper/ColorPickOverlay.h"
#include "fields/kit/KeyboardStep.h"
#include "host/services/HostAccess.h"

#include <QCursor>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace {

// Puts a top-level window over `screen`, on that screen: Qt converts its pointer positions with
// the ratio of the screen the window is on.
void cover(QWidget* window, QScreen* screen)
{
    window->setGeometry(screen->geometry());
    window->winId();
    window->windowHandle()->setScreen(screen);
    window->setGeometry(screen->geometry());
}

} // namespace

ColorPickScreen::ColorPickScreen(const RgbColor& start, QWidget* parent)
    : QDialog(parent), startColor(start),
      // Grabbed before the overlays show, so the grabs hold the screens as they were.
      screenImage(DesktopGrab::grab())
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    QScreen* primary = QGuiApplication::primaryScreen();
    const QList<QScreen*> screens = primary ? primary->virtualSiblings() : QList<QScreen*>();
    const std::vector<ScreenImage>& pictures = screenImage.screens();
    for (int i = 0; i < screens.size() && i < static_cast<int>(pictures.size()); ++i) {
        auto* overlay = new ColorPickOverlay(pictures[i], this);
        if (screens[i] == primary) {
            layout->addWidget(overlay);
            cover(this, screens[i]);
            windows.push_back(this);
        } else {
            // A window of its own on each further screen, above everything like the popup.
            overlay->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                    Qt::BypassWindowManagerHint);
            cover(overlay, screens[i]);
            windows.push_back(overlay);
        }
        overlays.push_back(overlay);
        overlay->installEventFilter(this);
    }
    raise();
    installEventFilter(this);
    setCursor(Qt::CrossCursor);
    // The popup hears of every pointer move, also those over the other screens' windows; moves
    // without a button only move the loupe.
    setMouseTracking(true);
    followPointer(screenImage.spotUnderCursor(QCursor::pos()));
}

ColorPickScreen::~ColorPickScreen() = default;

RgbColor ColorPickScreen::pickScreenColor(const RgbColor& start)
{
    auto* overlay = new ColorPickScreen(start, HostAccess::MainWindow());
    overlay->exec();
    const RgbColor picked = overlay->pickedColor();
    overlay->deleteLater();
    return picked;
}

RgbColor ColorPickScreen::pickedColor() const
{
    return taken ? samples.average() : startColor;
}

QWidget* ColorPickScreen::overlayOn(const QScreen* screen) const
{
    for (QWidget* window : windows) {
        if (window->windowHandle() && window->windowHandle()->screen() == screen)
            return window;
    }
    return nullptr;
}

bool ColorPickScreen::eventFilter(QObject* watched, QEvent* event)
{
    const int via = screenOf(watched);
    if (via < 0 && watched != this)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // A press takes nothing. It goes no further either: a popup closes on a press outside
        // its rectangle, and Qt's whole logical positions put the last device column and row of
        // a scaled screen just outside it.
        event->accept();
        return true;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool take = mouse->button() != Qt::RightButton;
        if (take)
            sampleAt(heard(screenImage.spotAt(via, mouse->screenPos())));
        finish(take);
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const DesktopGrab::Spot spot = heard(screenImage.spotAt(via, mouse->screenPos()));
        if (mouse->buttons() != Qt::NoButton)
            sampleAt(spot);
        followPointer(spot);
        return true;
    }
    case QEvent::Enter:
        followPointer(
            heard(screenImage.spotAt(via, static_cast<QEnterEvent*>(event)->screenPos())));
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Cancel)) {
            finish(false);
        } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            sampleAt(screenImage.spotUnderCursor(QCursor::pos(), pointer));
            finish(true);
        } else {
            const QPoint step = arrowStep(key->key(), key->modifiers());
            if (!step.isNull())
                movePointer(step);
        }
        key->accept();
        return true;
    }
    case QEvent::Close:
        // Whatever closes the overlay, the window system included, ends the pick.
        if (watched == this)
            stopListening();
        return false;
    default:
        return false;
    }
}

void ColorPickScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (QWidget* window : windows) {
        if (window != this) {
            window->show();
            window->raise();
        }
    }
}

void ColorPickScreen::hideEvent(QHideEvent* event)
{
    for (QWidget* window : windows) {
        if (window != this)
            window->hide();
    }
    QDialog::hideEvent(event);
}

QPoint ColorPickScreen::arrowStep(int key, Qt::KeyboardModifiers modifiers)
{
    const int step = KeyboardStep::units(modifiers);
    switch (key) {
    case Qt::Key_Left:
        return QPoint(-step, 0);
    case Qt::Key_Right:
        return QPoint(step, 0);
    case Qt::Key_Up:
        return QPoint(0, -step);
    case Qt::Key_Down:
        return QPoint(0, step);
    default:
        return QPoint();
    }
}

int ColorPickScreen::screenOf(const QObject* watched) const
{
    if (!watched->isWidgetType())
        return -1;
    const QWidget* window = static_cast<const QWidget*>(watched)->window();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (windows[i] == window)
            return static_cast<int>(i);
    }
    return -1;
}

void ColorPickScreen::sampleAt(const DesktopGrab::Spot& spot)
{
    lastSample = screenImage.colorAt(spot);
    samples.add(lastSample);
}

void ColorPickScreen::finish(bool take)
{
    taken = take;
    if (!take)
        lastSample = startColor;
    stopListening();
    close();
}

void ColorPickScreen::stopListening()
{
    removeEventFilter(this);
    for (ColorPickOverlay* overlay : overlays)
        overlay->removeEventFilter(this);
}

void ColorPickScreen::followPointer(const DesktopGrab::Spot& spot)
{
    pointer = spot;
    const bool scrubbing = !samples.isEmpty();
    const RgbColor shown = scrubbing ? samples.average() : screenImage.colorAt(spot);
    for (std::size_t i = 0; i < overlays.size(); ++i) {
        if (static_cast<int>(i) == spot.screen)
            overlays[i]->showLoupe(spot.pixel, shown, scrubbing);
        else
            overlays[i]->hideLoupe();
    }
}

void ColorPickScreen::movePointer(const QPoint& delta)
{
    // In device pixels, from the pixel under the cursor: logical steps would skip pixels of a
    // scaled screen, and steps of 1 / ratio logical pixels get lost in the cursor's rounding.
    const DesktopGrab::Spot to =
        screenImage.stepped(screenImage.spotUnderCursor(QCursor::pos(), pointer), delta);
    if (!to.isValid() || to.screen >= static_cast<int>(windows.size()))
        return;
    const ScreenImage& picture = screenImage.screens()[to.screen];
    const QPoint cursor = picture.cursorPosAt(to.pixel);
    keyLandings.push_back(DesktopGrab::Spot{to.screen, picture.pixelAtCursor(cursor)});
    // A position is scaled by the ratio of the screen given; QCursor::setPos(QPoint) would take
    // the primary screen's.
    if (QWindow* window = windows[to.screen]->windowHandle())
        QCursor::setPos(window->screen(), cursor);
    // The loupe follows at once, and shows the pixel the keys reached: the cursor position, the
    // only one a cursor on a scaled screen can take, still leads back to it (see heard()).
    followPointer(to);
}

DesktopGrab::Spot ColorPickScreen::heard(const DesktopGrab::Spot& spot)
{
    if (std::find(keyLandings.begin(), keyLandings.end(), spot) != keyLandings.end())
        return pointer;
    keyLandings.clear();
    return spot;
}
