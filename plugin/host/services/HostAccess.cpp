#include "host/services/HostAccess.h"

#include "host/services/HostServices.h"

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

// The text goes through the host's formatted print as the one argument of "%s", so a percent
// sign in it is printed, not read as a conversion.
void ListenerText(const QString& text)
{
    if (CharStream* listener = ListenerStream()) {
        const std::wstring wide = text.toStdWString();
        listener->printf(_M("%s"), wide.c_str());
    }
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
