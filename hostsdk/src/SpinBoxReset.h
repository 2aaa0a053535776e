#pragma once

#include <QAbstractSpinBox>
#include <QPoint>

// The host's reset gesture: a right click on a spinner's arrows.
namespace HostRuntimeDetail {

bool IsOnSpinArrows(const QAbstractSpinBox& spinBox, const QPoint& pos);

} // namespace HostRuntimeDetail
