#include "swatches/files/ImportLimits.h"

#include <QtTest>

namespace {

// "Title:count|Title:count", each a list of that many black swatches.
QVector<ColorList> lists(const QString& text)
{
    QVector<ColorList> read;
    if (text.isEmpty()) {
        return read;
    }
    for (const QString& part : text.split(QLatin1Char('|'))) {
        const int colon = part.lastIndexOf(QLatin1Char(':'));
        ColorList list{part.left(colon), {}};
        list.swatches.fill({Qt::black, QString()}, part.mid(colon + 1).toInt());
        read.append(list);
    }
    return read;
}

// `count` lists "<prefix>0", "<prefix>1", ... (or all `prefix` when `numbered` is false) of
// `size` swatches each.
QString many(int count, const QString& prefix, int size, bool numbered = true)
{
    QStringList parts;
    for (int i = 0; i < count; ++i) {
        parts << QStringLiteral("%1%2:%3")
                     .arg(prefix, numbered ? QString::number(i) : QString())
                     .arg(size);
    }
    return parts.join(QLatin1Char('|'));
}

} // namespace

class tst_ImportLimits : public QObject
{
    Q_OBJECT

private slots:
    void countsTabsOpened_data()
    {
        QTest::addColumn<QString>("tabs");
        QTest::addColumn<QString>("added");
        QTest::addColumn<int>("opened");
        const QString panel = QStringLiteral("Favorites:5|History:0");
        QTest::newRow("new titles") << panel << "A:1|B:0" << 2;
        QTest::newRow("a tab's title, 101 times") << panel << many(101, "Favorites", 1, false) << 1;
        QTest::newRow("one title twice in the file") << panel << "X:1|X:1" << 1;
        QTest::newRow("long list split") << panel << "Web:170" << 3;
        QTest::newRow("the tab's swatches count") << "Favorites:78"
                                                  << "Favorites:3" << 1;
        QTest::newRow("the tab's room suffices") << "Favorites:78"
                                                 << "Favorites:2" << 0;
        QTest::newRow("part tab there already") << "Web:80|Web 2:10"
                                                << "Web:70" << 0;
        QTest::newRow("part tab there, then a new one") << "Web:80|Web 2:10"
                                                        << "Web:71" << 1;
        QTest::newRow("a list joins an earlier one's part") << ""
                                                            << "Web:90|Web 2:75" << 3;
        QTest::newRow("empty title") << ""
                                     << ":90" << 2;
        QTest::newRow("100 lists adding 148 tabs")
            << panel << many(48, "Long", 81) + QLatin1Char('|') + many(52, "Short", 1) << 148;
    }

    void countsTabsOpened()
    {
        QFETCH(QString, tabs);
        QFETCH(QString, added);
        QFETCH(int, opened);
        QCOMPARE(tabsOpenedBy(lists(tabs), lists(added), 80), opened);
    }
};

QTEST_GUILESS_MAIN(tst_ImportLimits)
#include "tst_ImportLimits.moc"
