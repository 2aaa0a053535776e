#include "fields/kit/FocusFrame.h"

#include <QEvent>
#include <QPainter>

namespace {
constexpr int kOuterWidth = 2;
} // namespace

FocusFrame::FocusFrame(QWidget* owner) : QWidget(owner)
{
    setObjectName(QStringLiteral("focusFrame"));
    // The view under the frame keeps every press, hover and cursor.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    resize(owner->size());
    setVisible(owner->hasFocus());
    owner->installEventFilter(this);
}

FocusFrame::~FocusFrame() = default;

namespace {

// A one-pixel ring just inside r, filled rather than stroked: a stroked pen goes through the
// path stroker, which costs more than the whole tile it frames.
void fillRing(QPainter& painter, const QRect& r, const QColor& color)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
}

} // namespace

void FocusFrame::paint(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    for (int i = 0; i < kOuterWidth; ++i)
        fillRing(painter, rect.adjusted(i, i, -i, -i), palette.color(QPalette::Highlight));
    fillRing(painter, rect.adjusted(kOuterWidth, kOuterWidth, -kOuterWidth, -kOuterWidth),
             palette.color(QPalette::HighlightedText));
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        raise();
        show();
        break;
    case QEvent::FocusOut:
        hide();
        break;
    case QEvent::Resize:
        resize(static_cast<QWidget*>(watched)->size());
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FocusFrame::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    paint(painter, rect(), palette());
}
