#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// The host's services as the views and the settings dialog take them, in Qt's terms only: the
// SDK's headers stay behind HostServices.h, which the widgets never include.
namespace HostAccess {

// The host's main window: parent of every dialog, message box and overlay the plug-in opens.
QWidget* MainWindow();

// The host icon at `path` (such as ":/SnapTools/MaxSDK/Sphere/SphereCenter") as a size x size
// pixmap in its normal, unchecked state.
QPixmap IconPixmap(const char* path, int size);

// Writes `text` as it is, line ending included, to the current script listener, if there is one.
void ListenerText(const QString& text);
// Writes `text` as it is, line ending included, to the host's debug output.
void DebugText(const QString& text);

// The plug-in's version as the user sees it, "0.3.1": the project's version in CMakeLists.txt,
// which the build gives as COLORDORVO_VERSION.
QString VersionText();

} // namespace HostAccess
