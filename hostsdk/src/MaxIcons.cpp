#include "hostsdk/MaxIcons.h"

#include <QFile>

namespace MaxSDK {

QIcon LoadMaxMultiResIcon(const QString& iconPath)
{
    // Host icon paths name resources with or without the ":/" root; ours are SVG drawings kept
    // under a prefix of the runtime's own, so they never collide with a module's resources.
    QString path = iconPath;
    if (path.startsWith(QLatin1String(":/"))) {
        path.remove(0, 2);
    }
    if (path.isEmpty() || path.contains(QLatin1String(".."))) {
        return QIcon();
    }
    const QString file = QStringLiteral(":/hostsdk/icons/") + path + QStringLiteral(".svg");
    if (!QFile::exists(file)) {
        return QIcon();
    }
    return QIcon(file);
}

} // namespace MaxSDK
