#include "Qt/QmaxSpinBox.h"

#include "SpinBoxReset.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

namespace MaxSDK {

QmaxDoubleSpinBox::QmaxDoubleSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
}

QmaxDoubleSpinBox::~QmaxDoubleSpinBox() = default;

void QmaxDoubleSpinBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && isEnabled() && !isReadOnly() &&
        HostRuntimeDetail::IsOnSpinArrows(*this, event->pos())) {
        setValue(mResetValue);
        event->accept();
        return;
    }
    QDoubleSpinBox::mousePressEvent(event);
}

void QmaxDoubleSpinBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The right click on the arrows was the reset; it opens no menu.
    if (event->reason() == QContextMenuEvent::Mouse &&
        HostRuntimeDetail::IsOnSpinArrows(*this, event->pos())) {
        event->accept();
        return;
    }
    QDoubleSpinBox::contextMenuEvent(event);
}

} // namespace MaxSDK
