#include "host/services/HostAccess.h"

#include "host/services/HostServices.h"
#include "host/services/ScriptHost.h"

#include <QIcon>

#include <string>

namespace HostAccess {

QWidget* MainWindow()
{
    return HostMainWindow();
}

QPixmap IconPixmap(const char* path, int size)
{
    return MaxSDK::LoadMaxMultiResIcon(QString::fromLatin1(path))
        .pixmap(QSize(size, size), QIcon::Normal, QIcon::Off);
}

void ListenerText(const QString& text)
{
    ScriptHost::WriteListener(text);
}

void DebugText(const QString& text)
{
    const std::wstring wide = text.toStdWString();
    DebugPrint(_M("%s"), wide.c_str());
}

QString VersionText()
{
    return QStringLiteral(COLORDORVO_VERSION);
}

} // namespace HostAccess
