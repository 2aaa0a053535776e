#include "fields/eyedropper/DesktopGrab.h"

#include <QGuiApplication>
#include <QScreen>

#include <utility>

DesktopGrab::DesktopGrab(std::vector<ScreenImage> screens) : pictures(std::move(screens))
{
}

DesktopGrab DesktopGrab::grab()
{
    std::vector<ScreenImage> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        for (QScreen* screen : primary->virtualSiblings())
            screens.push_back(ScreenImage::grab(screen));
    }
    return DesktopGrab(std::move(screens));
}

DesktopGrab::Spot DesktopGrab::spotAt(int via, const QPointF& global) const
{
    if (via < 0 || via >= static_cast<int>(pictures.size()))
        return Spot();
    int screen = via;
    for (std::size_t i = 0; i < pictures.size() && !pictures[via].covers(global); ++i) {
        if (pictures[i].covers(global)) {
            screen = static_cast<int>(i);
            break;
        }
    }
    return Spot{screen, pictures[screen].pixelAt(global)};
}

DesktopGrab::Spot DesktopGrab::spotUnderCursor(const QPoint& cursor, const Spot& known) const
{
    if (pictures.empty())
        return Spot();
    int screen = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].geometry().contains(cursor)) {
            screen = static_cast<int>(i);
            break;
        }
    }
    const ScreenImage& picture = pictures[screen];
    if (known.screen == screen && picture.cursorPosAt(known.pixel) == cursor)
        return known;
    return Spot{screen, picture.pixelAtCursor(cursor)};
}

DesktopGrab::Spot DesktopGrab::spotUnderCursor(const QPoint& cursor) const
{
    return spotUnderCursor(cursor, Spot());
}

DesktopGrab::Spot DesktopGrab::stepped(const Spot& from, const QPoint& delta) const
{
    if (!from.isValid() || from.screen >= static_cast<int>(pictures.size()))
        return from;
    const QPoint native = pictures[from.screen].origin() + from.pixel + delta;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i].nativeGeometry().contains(native))
            return Spot{static_cast<int>(i), native - pictures[i].origin()};
    }
    return Spot{from.screen, pictures[from.screen].pixelAtNative(native)};
}

RgbColor DesktopGrab::colorAt(const Spot& spot) const
{
    if (!spot.isValid())
        return RgbColor();
    return pictures[spot.screen].colorOf(spot.pixel);
}
