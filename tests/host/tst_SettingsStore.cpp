#include "host/DorvoColorUtility.h"
#include "host/HostServices.h"
#include "host/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// The settings store, the JSON file functions and the utility plug-in that owns the store.
class tst_SettingsStore : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mTemp;

    QString cfg() const { return mTemp->path() + QStringLiteral("/plugcfg"); }

    static QByteArray fileBytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void writeFile(const QString& path, const QByteArray& data)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(data), qint64(data.size()));
    }

    static QJsonObject bigColorList(int count)
    {
        QJsonArray colors;
        for (int i = 0; i < count; ++i) {
            colors.append(QStringLiteral("#%1").arg(i & 0xFFFFFF, 6, 16, QLatin1Char('0')));
        }
        return QJsonObject{{QStringLiteral("Favorites"), colors}};
    }

private slots:
    void init()
    {
        CloseSettingsStore();
        mTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(mTemp->isValid());
        HostRuntime::SetPlugCfgDir(cfg());
    }

    void cleanup() { CloseSettingsStore(); }

    void pathsLieInTheConfigFolder()
    {
        QCOMPARE(SettingsPath(), cfg() + QStringLiteral("/ColorDorvo.ini"));
        QCOMPARE(ColorListPath(), cfg() + QStringLiteral("/ColorDorvoColorList.json"));
        // Worked out anew on every use.
        HostRuntime::SetPlugCfgDir(mTemp->path() + QStringLiteral("/elsewhere"));
        QCOMPARE(ColorListPath(),
                 mTemp->path() + QStringLiteral("/elsewhere/ColorDorvoColorList.json"));
    }

    void absentKeyGivesTheDefaultAndCreatesNoFile()
    {
        OpenSettingsStore();
        QVariant value(42);
        ReadSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("colorFieldType"), value);
        QCOMPARE(value, QVariant(42));
        CloseSettingsStore();
        QVERIFY(!QFile::exists(SettingsPath()));
    }

    void valuesRoundTrip_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("int") << QVariant(7);
        QTest::newRow("negative int") << QVariant(-300);
        QTest::newRow("bool") << QVariant(true);
        QTest::newRow("string") << QVariant(QStringLiteral("#FF8000"));
        QTest::newRow("non-ASCII string") << QVariant(QStringLiteral(u"Gr\u00fcn \u7eff"));
        QTest::newRow("string list")
            << QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b,c")});
        QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02\xff", 3));
    }

    void valuesRoundTrip()
    {
        QFETCH(QVariant, value);
        DorvoColorUtility utility;
        QCOMPARE(utility.Start(), DWORD(GUPRESULT_KEEP));
        WriteSetting(QStringLiteral("Group"), QStringLiteral("key"), value);
        QVariant live;
        ReadSetting(QStringLiteral("Group"), QStringLiteral("key"), live);
        QCOMPARE(live.toString(), value.toString());
        utility.Stop();
        QVERIFY(!IsSettingsStoreOpen());

        // After a restart the value comes from the file.
        utility.Start();
        QVariant stored(QStringLiteral("default"));
        ReadSetting(QStringLiteral("Group"), QStringLiteral("key"), stored);
        utility.Stop();
        if (value.type() == QVariant::Int) {
            QCOMPARE(stored.toInt(), value.toInt());
        } else if (value.type() == QVariant::Bool) {
            QCOMPARE(stored.toBool(), value.toBool());
        } else if (value.type() == QVariant::StringList) {
            QCOMPARE(stored.toStringList(), value.toStringList());
        } else if (value.type() == QVariant::ByteArray) {
            QCOMPARE(stored.toByteArray(), value.toByteArray());
        } else {
            QCOMPARE(stored.toString(), value.toString());
        }
    }

    void fileIsUtf8Text()
    {
        OpenSettingsStore();
        WriteSetting(QStringLiteral(u"Gruppe\u00e4"), QStringLiteral(u"Schl\u00fcssel"),
                     QStringLiteral(u"Wert \u00df"));
        CloseSettingsStore();
        const QByteArray bytes = fileBytes(SettingsPath());
        QVERIFY2(bytes.contains(u8"Wert \u00df"), bytes.constData());
    }

    void closedStoreOpensOnDemand()
    {
        QVERIFY(!IsSettingsStoreOpen());
        WriteSetting(QStringLiteral("G"), QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY(IsSettingsStoreOpen());
        CloseSettingsStore();
        QVariant value;
        ReadSetting(QStringLiteral("G"), QStringLiteral("k"), value);
        QCOMPARE(value.toString(), QStringLiteral("v"));
    }

    void utilityLifecycle()
    {
        const long heapBefore = HostRuntime::HostHeapBlocks();
        GUP* utility = new DorvoColorUtility;
        QCOMPARE(HostRuntime::HostHeapBlocks(), heapBefore + 1);
        QCOMPARE(utility->Start(), DWORD(0));
        QVERIFY(IsSettingsStoreOpen());
        WriteSetting(QStringLiteral("G"), QStringLiteral("k"), 5);
        QCOMPARE(utility->Control(3), DWORD_PTR(0));
        QCOMPARE(utility->Save(nullptr), IO_OK);
        QCOMPARE(utility->Load(nullptr), IO_OK);
        utility->Stop();
        QVERIFY(!IsSettingsStoreOpen());
        utility->Stop(); // a second stop finds nothing to close
        QVERIFY(!IsSettingsStoreOpen());
        QVERIFY(QFile::exists(SettingsPath()));
        utility->DeleteThis();
        QCOMPARE(HostRuntime::HostHeapBlocks(), heapBefore);
    }

    void missingConfigFolderKeepsNothingAndReportsNothing()
    {
        // A file where the folder should be: nothing can be created beneath it.
        writeFile(mTemp->path() + QStringLiteral("/blocked"), "x");
        HostRuntime::SetPlugCfgDir(mTemp->path() + QStringLiteral("/blocked"));
        DorvoColorUtility utility;
        utility.Start();
        WriteSetting(QStringLiteral("G"), QStringLiteral("k"), 1);
        utility.Stop();
        utility.Start();
        QVariant value(0);
        ReadSetting(QStringLiteral("G"), QStringLiteral("k"), value);
        utility.Stop();
        QCOMPARE(value.toInt(), 0);
        QVERIFY(!WriteColorList(QJsonObject{{QStringLiteral("a"), 1}}));
    }

    void readJsonFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("documentEmpty");
        QTest::newRow("valid object")
            << QByteArray("{\"Favorites\": [\"#FF0000\"]}") << true << true << false;
        QTest::newRow("valid array") << QByteArray("[1, 2]") << true << true << false;
        QTest::newRow("syntax error") << QByteArray("{\"Favorites\": [") << true << false << true;
        QTest::newRow("empty file") << QByteArray() << true << false << true;
        QTest::newRow("trailing garbage") << QByteArray("{\"a\": 1} x") << true << false << true;
        QTest::newRow("missing file") << QByteArray() << false << false << false;
    }

    void readJsonFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(bool, exists);
        QFETCH(bool, ok);
        QFETCH(bool, documentEmpty);
        const QString path = mTemp->path() + QStringLiteral("/list.json");
        if (exists) {
            writeFile(path, contents);
        }
        // A document that already holds something shows whether the function touched it.
        QJsonDocument document(QJsonObject{{QStringLiteral("previous"), true}});
        QCOMPARE(ReadJsonFile(path, document), ok);
        QCOMPARE(document.isEmpty() || document.isNull(), documentEmpty);
        if (!exists) {
            QVERIFY(document.object().contains(QStringLiteral("previous")));
        }
    }

    void colorListRoundTrip()
    {
        QDir().mkpath(cfg());
        const QJsonObject list = bigColorList(20);
        QVERIFY(WriteColorList(list));
        QJsonDocument document;
        QVERIFY(ReadJsonFile(ColorListPath(), document));
        QCOMPARE(document.object(), list);
        // Written in the default indented form.
        QCOMPARE(fileBytes(ColorListPath()), QJsonDocument(list).toJson(QJsonDocument::Indented));
        // A second, smaller write replaces the contents entirely.
        const QJsonObject small{{QStringLiteral("History"), QJsonArray()}};
        QVERIFY(WriteColorList(small));
        QCOMPARE(fileBytes(ColorListPath()), QJsonDocument(small).toJson());
    }

    // A write cut short (here by the file-size limit, as a full disk would) must leave the
    // previous list whole and report failure.
    void failedColorListWriteKeepsTheOldFile()
    {
        QDir().mkpath(cfg());
        const QByteArray old = QJsonDocument(bigColorList(2)).toJson();
        writeFile(ColorListPath(), old);

        struct rlimit saved
        {
        };
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limited = saved;
        limited.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        const bool written = WriteColorList(bigColorList(5000));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QVERIFY(!written);
        QCOMPARE(fileBytes(ColorListPath()), old);
        // No half-written temporary file is left beside it.
        QCOMPARE(QDir(cfg()).entryList(QDir::Files),
                 QStringList{QStringLiteral("ColorDorvoColorList.json")});
    }
};

QTEST_GUILESS_MAIN(tst_SettingsStore)
#include "tst_SettingsStore.moc"
