#include "Qt/QmaxMainWindow.h"

namespace MaxSDK {

QmaxMainWindow::QmaxMainWindow(QWidget* parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
}

QmaxMainWindow::~QmaxMainWindow() = default;

} // namespace MaxSDK
