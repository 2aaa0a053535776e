#include "host/services/HostAccess.h"

#include "host/services/HostServices.h"
#include "host/services/ScriptHost.h"

#include <QIcon>

#include <string>

namespace {

constexpr int kVersionMajor = 0;
constexpr int kVersionMinor = 3;
constexpr int kVersionPatch = 1;

} // namespace

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
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch);
}

} // namespace HostAccess
