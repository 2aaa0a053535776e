#include "host/services/SettingsStore.h"
#include "swatches/files/ColorListFile.h"
#include "swatches/files/ColorListStore.h"
#include "swatches/files/GimpPaletteFile.h"

#include "hostsdk/HostRuntime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/resource.h>
#include <thread>

Q_DECLARE_METATYPE(QVector<ColorList>)

namespace {

using Swatch = ColorList::Swatch;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QString describe(const QVector<ColorList>& lists)
{
    QStringList text;
    for (const ColorList& list : lists) {
        QStringList swatches;
        for (const Swatch& swatch : list.swatches) {
            swatches << QStringLiteral("%1 %2 %3 %4 '%5'")
                            .arg(swatch.color.red())
                            .arg(swatch.color.green())
                            .arg(swatch.color.blue())
                            .arg(swatch.color.alpha())
                            .arg(swatch.name);
        }
        text << QStringLiteral("'%1': [%2]").arg(list.name, swatches.join(QStringLiteral(", ")));
    }
    return text.join(QStringLiteral("; "));
}

// Two writers, each with its own store, adding colors to "Favorites" of the main file at once.
// The first pauses between reading and writing until the second is waiting for the lock or has
// written, so that without the lock the first writes over the second's color.
struct Race
{
    std::mutex mutex;
    std::condition_variable changed;
    int writes[2] = {};
    // While a writer waits for the other's lock: how many writes of the other it has seen.
    int waitingBehind[2] = {-1, -1};
    bool done[2] = {};
    // Writers that have read the file once: the race starts when both have, so that neither holds
    // the lock while the other is still busy with its first reading (slow under the sanitizers).
    int started = 0;
    QStringList faults;

    // A fault fails the test instead of hanging it; the bound leaves room for a sanitized build on
    // a loaded machine.
    template <class Ready> void waitUntil(std::unique_lock<std::mutex>& lock, Ready ready)
    {
        if (!changed.wait_for(lock, std::chrono::seconds(300), ready)) {
            faults << QStringLiteral("stuck");
        }
    }

    static QColor color(int writer, int index) { return QColor(100 + writer, index, 7); }

    void write(int me, int count)
    {
        const int other = 1 - me;
        ColorListStore store;
        QVector<ColorList> lists;
        store.load(lists);
        store.markShown(lists);
        std::unique_lock<std::mutex> lock(mutex);
        ++started;
        changed.notify_all();
        waitUntil(lock, [&] { return started == 2; });
        for (int added = 0; added < count && faults.isEmpty();) {
            const int otherWrites = writes[other];
            lock.unlock();
            bool held = false;
            {
                ColorListStore::Lock fileLock(store);
                held = fileLock.held();
                if (held) {
                    if (store.reloadIfChanged(lists)) {
                        store.markShown(lists);
                    }
                    lock.lock();
                    const int written = writes[other];
                    if (me == 0) {
                        waitUntil(lock, [&] {
                            return waitingBehind[other] == writes[me] || writes[other] > written ||
                                   done[other];
                        });
                    }
                    lock.unlock();
                    lists[0].swatches.append({color(me, added), QString()});
                    if (!store.save(lists)) {
                        faults << store.problem();
                    }
                }
            }
            lock.lock();
            if (held) {
                ++writes[me];
                ++added;
                changed.notify_all();
            } else {
                waitingBehind[me] = otherWrites;
                changed.notify_all();
                waitUntil(lock, [&] { return writes[other] > otherWrites || done[other]; });
                waitingBehind[me] = -1;
            }
        }
        done[me] = true;
        changed.notify_all();
    }
};

} // namespace

// The list file and palette formats, and the main list file's store.
class tst_ColorListFile : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> temp;

    // Breaks the file-size limit for one write, as a full disk would.
    static bool saveWithSmallDisk(ColorListStore& store, const QVector<ColorList>& lists)
    {
        struct rlimit saved
        {
        };
        getrlimit(RLIMIT_FSIZE, &saved);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = 64;
        setrlimit(RLIMIT_FSIZE, &limited);
        const bool written = store.save(lists);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        return written;
    }

private slots:
    void init()
    {
        temp = std::make_unique<QTemporaryDir>();
        QVERIFY(temp->isValid());
        HostRuntime::SetPlugCfgDir(temp->path());
        HostRuntime::ClearOutput();
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QVector<ColorList>>("expected");
        QTest::newRow("named swatch") << QByteArray(R"({"colorList": [{"name": "A", "colors": [
                {"red": 1, "green": 2, "blue": 3, "name": "x"}]}]})")
                                      << QVector<ColorList>{{"A", {{QColor(1, 2, 3), "x"}}}};
        QTest::newRow("not whole or not a number reads 0")
            << QByteArray(R"({"colorList": [{"name": "A", "colors": [
                {"red": 12.5, "green": "12", "blue": null}, {"red": true, "green": [], "blue": 7}]}]})")
            << QVector<ColorList>{{"A", {{QColor(0, 0, 0), ""}, {QColor(0, 0, 7), ""}}}};
        QTest::newRow("out of range clamped")
            << QByteArray(R"({"colorList": [{"name": "A", "colors": [
                {"red": 300, "green": -5, "blue": 1e300}, {"red": -1e300, "green": 256, "blue": 255.0}]}]})")
            << QVector<ColorList>{{"A", {{QColor(255, 0, 255), ""}, {QColor(0, 255, 255), ""}}}};
        QTest::newRow("alpha and other members ignored")
            << QByteArray(R"({"version": 2, "colorList": [{"name": "A", "x": 1, "colors": [
                {"red": 1, "green": 2, "blue": 3, "alpha": 10}]}]})")
            << QVector<ColorList>{{"A", {{QColor(1, 2, 3, 255), ""}}}};
        QTest::newRow("elements that are no objects")
            << QByteArray(R"({"colorList": [5, {"name": 7, "colors": ["x"]}]})")
            << QVector<ColorList>{{"", {}}, {"", {{QColor(0, 0, 0), ""}}}};
        QTest::newRow("colors missing or mistyped")
            << QByteArray(R"({"colorList": [{"name": "A"}, {"name": "B", "colors": {}}]})")
            << QVector<ColorList>{{"A", {}}, {"B", {}}};
        QTest::newRow("non-ASCII names")
            << QByteArray(u8R"({"colorList": [{"name": "Grün", "colors": [
                {"red": 0, "green": 128, "blue": 0, "name": "\u7eff"}]}]})")
            << QVector<ColorList>{{QStringLiteral(u"Gr\u00fcn"),
                                   {{QColor(0, 128, 0), QStringLiteral(u"\u7eff")}}}};
    }

    void readingRules()
    {
        QFETCH(QByteArray, json);
        QFETCH(QVector<ColorList>, expected);
        QVector<ColorList> lists;
        QString reason;
        QVERIFY2(parseColorListFile(json, lists, reason), qPrintable(reason));
        QCOMPARE(describe(lists), describe(expected));
        // Whatever was read is written and read back unchanged.
        QVector<ColorList> again;
        QVERIFY(parseColorListFile(colorListFileText(lists), again, reason));
        QCOMPARE(describe(again), describe(lists));
    }

    void rejectedFiles_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("reason");
        QTest::newRow("trailing comma")
            << QByteArray(R"({"colorList": [{"name": "A", "colors": []},]})")
            << "not valid JSON (object is missing after a comma at character 44)";
        QTest::newRow("root array") << QByteArray("[1, 2]") << "no \"colorList\" array in it";
        QTest::newRow("colorList not an array")
            << QByteArray(R"({"colorList": {}})") << "no \"colorList\" array in it";
    }

    void rejectedFiles()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, reason);
        QVector<ColorList> lists{{"kept", {}}};
        QString why;
        QVERIFY(!parseColorListFile(json, lists, why));
        QCOMPARE(why, reason);
        QCOMPARE(lists.size(), 1);
    }

    void writtenBytes()
    {
        const QVector<ColorList> lists{
            {"Favorites", {{QColor(1, 2, 3, 128), "dark"}, {QColor(255, 0, 16), ""}}},
            {"History", {}}};
        QCOMPARE(colorListFileText(lists), QByteArray(R"({
    "colorList": [
        {
            "colors": [
                {
                    "blue": 3,
                    "green": 2,
                    "name": "dark",
                    "red": 1
                },
                {
                    "blue": 16,
                    "green": 0,
                    "red": 255
                }
            ],
            "name": "Favorites"
        },
        {
            "colors": [
            ],
            "name": "History"
        }
    ]
}
)"));
    }

    // The embedded default, written back, is byte for byte the resource: the same key order and
    // the colors in file order.
    void defaultListWrittenBack()
    {
        const QVector<ColorList> lists = ColorListStore::defaultLists();
        QCOMPARE(describe(lists), QStringLiteral("'Favorites': [255 255 255 255 'white', "
                                                 "0 0 0 255 'black', 255 0 0 255 'red', "
                                                 "0 255 0 255 'green', 0 0 255 255 'blue']"));
        QCOMPARE(colorListFileText(lists),
                 fileBytes(QString::fromLatin1(ColorListStore::DefaultListResource)));
    }

    void gimpPaletteReading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected"); // describe() of the one list, or the reason
        QTest::newRow("full")
            << QByteArray("GIMP Palette\nName: Web\nColumns: 16\n#\n# comment\n\n"
                          "255   0   0\tRed Brick \n  0 128 255  sky blue\n1 2 3\n")
            << "'Web': [255 0 0 255 'Red Brick', 0 128 255 255 'sky blue', 1 2 3 255 '']";
        QTest::newRow("CRLF and byte order mark")
            << QByteArray("\xEF\xBB\xBFGIMP Palette\r\nName: Dos\r\n10 20 30\tgrey\r\n")
            << "'Dos': [10 20 30 255 'grey']";
        QTest::newRow("no name, clamped")
            << QByteArray("GIMP Palette\n300 -4 +7\n") << "'': [255 0 7 255 '']";
        QTest::newRow("no header")
            << QByteArray("Name: x\n1 2 3\n") << "no \"GIMP Palette\" header line";
        QTest::newRow("two numbers")
            << QByteArray("GIMP Palette\n1 2 3\n4 5\n") << "line 3 is not \"red green blue name\"";
        QTest::newRow("commas") << QByteArray("GIMP Palette\n1,2,3\n")
                                << "line 2 is not \"red green blue name\"";
        QTest::newRow("glued name")
            << QByteArray("GIMP Palette\n1 2 3x\n") << "line 2 is not \"red green blue name\"";
    }

    void gimpPaletteReading()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        ColorList list{"kept", {}};
        QString reason;
        const bool ok = parseGimpPalette(text, list, reason);
        QCOMPARE(ok ? describe({list}) : reason, expected);
        if (!ok) {
            QCOMPARE(list.name, QStringLiteral("kept"));
        }
    }

    void gimpPaletteWritten()
    {
        const ColorList list{"Tab\nOne",
                             {{QColor(255, 0, 16, 40), "two\tlines\n"}, {QColor(7, 80, 9), ""}}};
        const QByteArray text = gimpPaletteText(list);
        QCOMPARE(text, QByteArray("GIMP Palette\nName: Tab One\nColumns: 5\n#\n"
                                  "255   0  16\ttwo lines\n  7  80   9\n"));
        ColorList read;
        QString reason;
        QVERIFY(parseGimpPalette(text, read, reason));
        QCOMPARE(describe({read}),
                 QStringLiteral("'Tab One': [255 0 16 255 'two lines', 7 80 9 255 '']"));
    }

    // A main file that does not load is moved aside with its exact bytes, next to any backup
    // already there, instead of being replaced by the next save.
    void damagedMainFileMovedAside_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("earlierBackups");
        QTest::addColumn<QString>("backupName");
        const QByteArray trailingComma = R"({"colorList": [{"name": "Favorites", "colors": [
            {"red": 1, "green": 2, "blue": 3},]}]})";
        QTest::newRow("trailing comma") << trailingComma << 0 << "ColorDorvoColorList.json.bak";
        QTest::newRow("third backup") << trailingComma << 2 << "ColorDorvoColorList.json.bak.3";
        QTest::newRow("not a list")
            << QByteArray("[\"Favorites\"]") << 0 << "ColorDorvoColorList.json.bak";
    }

    void damagedMainFileMovedAside()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, earlierBackups);
        QFETCH(QString, backupName);
        for (int i = 0; i < earlierBackups; ++i) {
            writeFile(ColorListStore::backupPath(ColorListPath()),
                      "earlier " + QByteArray::number(i));
        }
        writeFile(ColorListPath(), bytes);

        ColorListStore store;
        QVector<ColorList> lists;
        QCOMPARE(store.load(lists), ColorListStore::Reading::Damaged);
        QVERIFY(lists.isEmpty());
        const QString backup = temp->path() + QLatin1Char('/') + backupName;
        QCOMPARE(fileBytes(backup), bytes);
        QVERIFY(HostRuntime::DebugOutput().contains(QDir::toNativeSeparators(backup)));
        QCOMPARE(HostRuntime::DebugOutput().count(QLatin1Char('\n')), 1);
        if (earlierBackups > 0) {
            QCOMPARE(fileBytes(ColorListPath() + QStringLiteral(".bak")), QByteArray("earlier 0"));
        }
        // The next save starts the main file afresh.
        QVERIFY(store.save({{"Favorites", {}}}));
        QCOMPARE(fileBytes(backup), bytes);
    }

    void unwritableFileKeepsItsContents()
    {
        const QVector<ColorList> old{{"Favorites", {{QColor(1, 2, 3), "one"}}}};
        ColorListStore store;
        QVector<ColorList> lists;
        store.load(lists);
        QVERIFY(store.save(old));
        const QByteArray before = fileBytes(ColorListPath());

        QVector<ColorList> bigger = old;
        bigger[0].swatches.append({QColor(4, 5, 6), "two"});
        QVERIFY(!saveWithSmallDisk(store, bigger));
        QCOMPARE(fileBytes(ColorListPath()), before);
        QVERIFY2(HostRuntime::DebugOutput().startsWith(
                     QStringLiteral("ColorDorvo: could not write the color list file ")),
                 qPrintable(HostRuntime::DebugOutput()));
        QCOMPARE(QDir(temp->path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("ColorDorvoColorList.json")});
        // The change is written once the disk has room again.
        QVERIFY(store.save(bigger));
        QVERIFY(store.load(lists) == ColorListStore::Reading::Loaded && lists == bigger);
    }

    // Two stores on one file, as two open pickers have: neither writes over what the other wrote
    // unless it has something new, and each takes in the other's file before changing anything.
    void storesSeeEachOthersWrites()
    {
        ColorListStore first;
        ColorListStore second;
        QVector<ColorList> firstLists;
        QVector<ColorList> secondLists;
        QVERIFY(first.save({{"Favorites", {}}}));
        first.load(firstLists);
        second.load(secondLists);

        QVector<ColorList> changed = secondLists;
        changed[0].swatches.append({QColor(9, 9, 9), ""});
        QVERIFY(second.save(changed));
        // Saving what it had, unchanged, leaves the other's write alone.
        QVERIFY(first.save(firstLists));
        QCOMPARE(fileBytes(ColorListPath()), colorListFileText(changed));

        QVERIFY(first.reloadIfChanged(firstLists));
        QCOMPARE(firstLists, changed);
        QVERIFY(!first.reloadIfChanged(firstLists));
    }

    // Two writers (two pickers) adding colors to one file at once, each forced to read while the
    // other is between its reading and its writing: the lock makes them take turns and every
    // color is kept, however long a large file takes to read and write.
    void writersTakeTurns_data()
    {
        QTest::addColumn<int>("fileSwatches");
        QTest::addColumn<int>("colorsEach");
        QTest::newRow("small file") << 5 << 20;
        QTest::newRow("4 MB file") << 36000 << 4;
    }

    void writersTakeTurns()
    {
        QFETCH(int, fileSwatches);
        QFETCH(int, colorsEach);
        ColorList big{"Big", {}};
        for (int i = 0; i < fileSwatches; ++i) {
            big.swatches.append(
                {QColor::fromRgb(QRgb(i * 7919)), QStringLiteral("swatch %1").arg(i)});
        }
        writeFile(ColorListPath(), colorListFileText({{"Favorites", {}}, big}));
        QVERIFY(QFileInfo(ColorListPath()).size() > (fileSwatches > 1000 ? 4000000 : 0));

        // The second writer's try must fail at once for the first to see it waiting.
        const int wait = ColorListStore::lockWait();
        ColorListStore::setLockWait(0);
        Race race;
        std::thread second([&race, colorsEach] { race.write(1, colorsEach); });
        race.write(0, colorsEach);
        second.join();
        ColorListStore::setLockWait(wait);
        QVERIFY2(race.faults.isEmpty(), qPrintable(race.faults.join(QStringLiteral(", "))));

        QVector<ColorList> lists;
        ColorListStore store;
        QCOMPARE(store.load(lists), ColorListStore::Reading::Loaded);
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists[1].swatches.size(), fileSwatches);
        QStringList missing;
        for (int writer = 0; writer < 2; ++writer) {
            for (int i = 0; i < colorsEach; ++i) {
                const ColorList::Swatch swatch{Race::color(writer, i), QString()};
                if (!lists[0].swatches.contains(swatch)) {
                    missing << swatch.color.name();
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("lost: ") + missing.join(", ")));
        QCOMPARE(lists[0].swatches.size(), 2 * colorsEach);
    }
};

QTEST_GUILESS_MAIN(tst_ColorListFile)
#include "tst_ColorListFile.moc"
