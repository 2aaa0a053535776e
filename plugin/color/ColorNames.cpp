#include "color/ColorNames.h"

#include "color/ColorValue.h"
#include "color/LabColor.h"
#include "color/RgbColor.h"

#include <QColor>
#include <QCoreApplication>
#include <QStringList>

#include <limits>
#include <vector>

namespace {

struct NamedColor
{
    QString name;
    LabColor lab;
};

// The CSS names in CIE-Lab, computed once: the transparent pseudo-color and the second spelling
// of each synonym left out.
const std::vector<NamedColor>& namedColors()
{
    static const std::vector<NamedColor> colors = [] {
        std::vector<NamedColor> list;
        for (const QString& name : QColor::colorNames()) {
            if (name == QLatin1String("transparent") || name == QLatin1String("aqua") ||
                name == QLatin1String("fuchsia") || name.contains(QLatin1String("grey")))
                continue;
            list.push_back({name, LabColor(RgbColor(QColor(name)))});
        }
        return list;
    }();
    return colors;
}

// The first words of compound CSS names. A part is split off only while something follows it,
// so "green" stays whole and "greenyellow" becomes "green yellow"; "gold" is left out, since it
// would break "goldenrod".
const char* const kLeadingParts[] = {
    "alice",  "antique",  "blanched", "blue",     "burly",  "cadet",  "cornflower", "dark",
    "deep",   "dim",      "dodger",   "fire",     "floral", "forest", "ghost",      "goldenrod",
    "green",  "hot",      "indian",   "lavender", "lawn",   "lemon",  "light",      "lime",
    "medium", "midnight", "mint",     "misty",    "navajo", "old",    "olive",      "orange",
    "pale",   "papaya",   "peach",    "powder",   "rosy",   "royal",  "saddle",     "sandy",
    "sea",    "sky",      "slate",    "spring",   "steel",  "violet", "white",      "yellow",
};

int squaredDistance(const LabColor& p, const LabColor& q)
{
    const int dl = p.lightness() - q.lightness();
    const int da = p.a() - q.a();
    const int db = p.b() - q.b();
    return dl * dl + da * da + db * db;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ColorNames", text);
}

} // namespace

QString nearestColorName(const RgbColor& rgb)
{
    const LabColor lab(rgb);
    const QString* best = nullptr;
    int bestDistance = std::numeric_limits<int>::max();
    for (const NamedColor& named : namedColors()) {
        const int distance = squaredDistance(lab, named.lab);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &named.name;
        }
    }
    return best ? *best : QString();
}

QString spokenColorName(const QString& cssName)
{
    QStringList words;
    QStringRef rest(&cssName);
    for (bool split = true; split;) {
        split = false;
        for (const char* part : kLeadingParts) {
            const QLatin1String leading(part);
            if (rest.size() > leading.size() && rest.startsWith(leading)) {
                words << leading;
                rest = rest.mid(leading.size());
                split = true;
                break;
            }
        }
    }
    words << rest.toString();
    return words.join(QLatin1Char(' '));
}

QString capitalized(const QString& words)
{
    return words.isEmpty() ? words : words.front().toUpper() + words.mid(1);
}

QString spokenHexAndName(const RgbColor& rgb)
{
    const QString hex = QStringLiteral("#%1%2%3")
                            .arg(rgb.red(), 2, 16, QLatin1Char('0'))
                            .arg(rgb.green(), 2, 16, QLatin1Char('0'))
                            .arg(rgb.blue(), 2, 16, QLatin1Char('0'))
                            .toUpper();
    return tr("%1, %2").arg(hex, spokenColorName(nearestColorName(rgb)));
}

QString spokenColor(const ColorValue& value)
{
    const HsvColor& hsv = value.hsv();
    return tr("%1, hue %2, saturation %3, value %4")
        .arg(spokenHexAndName(value.rgb()), QString::number(hsv.hue()),
             QString::number(hsv.saturation()), QString::number(hsv.value()));
}
