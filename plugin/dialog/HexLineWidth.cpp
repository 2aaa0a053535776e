#include "dialog/HexLineWidth.h"

#include <QLineEdit>
#include <QStyle>

#include <algorithm>

void HexLineWidth::fitSixDigits(QLineEdit* line)
{
    const QFontMetrics metrics = line->fontMetrics();
    int widest = 0;
    for (const QChar c : QStringLiteral("0123456789ABCDEF")) {
        widest = std::max(widest, metrics.horizontalAdvance(c));
    }
    const QMargins margins = line->textMargins();
    // QLineEdit keeps two pixels of its own on each side of the text, inside the frame.
    const int frame = line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, line);
    const int needed = 6 * widest + margins.left() + margins.right() + 2 * frame + 4;
    if (needed > line->maximumWidth()) {
        line->setMaximumWidth(needed);
    }
}
