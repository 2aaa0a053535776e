#include "Qt/QmaxSpinBox.h"

#include "SpinBoxReset.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace HostRuntimeDetail {

bool IsOnSpinArrows(const QAbstractSpinBox& spinBox, const QPoint& pos)
{
    QStyleOptionSpinBox option;
    option.initFrom(&spinBox);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = spinBox.buttonSymbols();
    option.frame = spinBox.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QStyle::SubControl hit =
        spinBox.style()->hitTestComplexControl(QStyle::CC_SpinBox, &option, pos, &spinBox);
    return hit == QStyle::SC_SpinBoxUp || hit == QStyle::SC_SpinBoxDown;
}

} // namespace HostRuntimeDetail

namespace MaxSDK {

QmaxSpinBox::QmaxSpinBox(QWidget* parent) : QSpinBox(parent)
{
}

QmaxSpinBox::~QmaxSpinBox() = default;

void QmaxSpinBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && isEnabled() && !isReadOnly() &&
        HostRuntimeDetail::IsOnSpinArrows(*this, event->pos())) {
        setValue(mResetValue);
        event->accept();
        return;
    }
    QSpinBox::mousePressEvent(event);
}

void QmaxSpinBox::contextMenuEvent(QContextMenuEvent* event)
{
    // The right click on the arrows was the reset; it opens no menu.
    if (event->reason() == QContextMenuEvent::Mouse &&
        HostRuntimeDetail::IsOnSpinArrows(*this, event->pos())) {
        event->accept();
        return;
    }
    QSpinBox::contextMenuEvent(event);
}

} // namespace MaxSDK
