#include "transfer/ColorMime.h"

#include <QMimeData>
#include <QtTest>

#include <memory>

class tst_ColorMime : public QObject
{
    Q_OBJECT

private slots:
    void mimeData();
};

void tst_ColorMime::mimeData()
{
    const QColor color(1, 2, 3, 4);
    const std::unique_ptr<QMimeData> data = ColorMime::create(color);
    QCOMPARE(qvariant_cast<QColor>(data->colorData()), color);
    QCOMPARE(data->text(), QStringLiteral("#01020304"));
    QCOMPARE(ColorMime::read(data.get()).color, color);

    // Color data goes before text; text alone is parsed; neither is refused with a reason.
    QMimeData both;
    both.setColorData(QColor(Qt::red));
    both.setText(QStringLiteral("blue"));
    QCOMPARE(ColorMime::read(&both).color, QColor(Qt::red));
    QMimeData text;
    text.setText(QStringLiteral("blue"));
    QCOMPARE(ColorMime::read(&text).color, QColor(Qt::blue));
    QMimeData none;
    none.setHtml(QStringLiteral("<b>red</b>"));
    QVERIFY(!ColorMime::read(&none).ok);
    QVERIFY(!ColorMime::read(&none).reason.isEmpty());
}

QTEST_APPLESS_MAIN(tst_ColorMime)
#include "tst_ColorMime.moc"
