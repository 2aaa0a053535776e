// Read by qt_api_check's self-test, never compiled: each use newer than Qt 5.11 that the check
// must report carries its "expect-qt-api" mark; the rest must pass unreported.
#include <QColorConstants> // expect-qt-api: QColorConstants 5.14
#include <QRandomGenerator>

QStringList words(const QString& text, QWidget* widget)
{
    auto clicked = &QButtonGroup::idClicked; // expect-qt-api: QButtonGroup::idClicked 5.15
    widget->QWidget::screen();               // expect-qt-api: QWidget::screen 5.14
    text.isValidUtf16();                     // expect-qt-api: isValidUtf16 5.15
    QStringView(text).chopped(1);
    QRandomGenerator::global()->bounded(10);
    QFontMetrics(widget->font()).horizontalAdvance(text);
    const QString note = "Qt::SkipEmptyParts in a string"; // Qt::SkipEmptyParts in a comment
#if QT_VERSION >= QT_VERSION_CHECK(5, 14, 0)
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
#elif QT_VERSION >= QT_VERSION_CHECK(5, 12, 0)
    return text.split(' ', Qt::SkipEmptyParts); // expect-qt-api: Qt::SkipEmptyParts 5.14
#else
    return text.split(QLatin1Char(' '), QString::SkipEmptyParts);
#endif
}

int newest()
{
#if QT_VERSION < QT_VERSION_CHECK(5, 14, 0)
    return qExchange(counter, 0); // expect-qt-api: qExchange 5.14
#else
    return qExchange(counter, 0);
#endif
}
