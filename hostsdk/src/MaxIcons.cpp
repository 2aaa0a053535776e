#include "maxicon.h"

#include <QFile>
#include <QHash>

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
    // Like the host, keep each icon once: its drawings are rendered once per size and shared
    // by every caller.
    static QHash<QString, QIcon> loaded;
    const auto known = loaded.constFind(path);
    if (known != loaded.constEnd()) {
        return *known;
    }
    const QString file = QStringLiteral(":/hostsdk/icons/") + path + QStringLiteral(".svg");
    const QIcon icon = QFile::exists(file) ? QIcon(file) : QIcon();
    loaded.insert(path, icon);
    return icon;
}

} // namespace MaxSDK
