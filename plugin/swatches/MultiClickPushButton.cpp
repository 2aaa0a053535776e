#include "swatches/MultiClickPushButton.h"

#include <QMouseEvent>

MultiClickPushButton::MultiClickPushButton(QWidget* parent) : QPushButton(parent)
{
}

MultiClickPushButton::~MultiClickPushButton() = default;

void MultiClickPushButton::mousePressEvent(QMouseEvent* event)
{
    // The base class's press handling is skipped on purpose: the action is the press itself.
    if (event->button() == Qt::LeftButton && leftClickEnabled) {
        emit leftClicked();
    } else if (event->button() == Qt::MiddleButton && middleClickEnabled) {
        emit middleClicked();
    } else if (event->button() == Qt::RightButton && rightClickEnabled) {
        emit rightClicked();
    } else {
        emit clicked(false);
    }
}
