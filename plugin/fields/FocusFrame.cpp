#include "fields/FocusFrame.h"

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

void FocusFrame::paint(QPainter& painter, const QRect& rect, const QPalette& palette)
{
    const QRect outer = rect.adjusted(0, 0, -1, -1);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette.color(QPalette::Highlight), 1));
    for (int i = 0; i < kOuterWidth; ++i)
        painter.drawRect(outer.adjusted(i, i, -i, -i));
    painter.setPen(QPen(palette.color(QPalette::HighlightedText), 1));
    painter.drawRect(outer.adjusted(kOuterWidth, kOuterWidth, -kOuterWidth, -kOuterWidth));
    painter.restore();
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
