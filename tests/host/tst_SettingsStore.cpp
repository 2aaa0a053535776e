#include "host/DorvoColorUtility.h"
#include "host/services/HostServices.h"
#include "host/services/IniText.h"
#include "host/services/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QFile>
#include <QJsonArray>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <tuple>

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
        QVariant stored = value.type() == QVariant::StringList
                              ? QVariant(QStringList())
                              : QVariant(QStringLiteral("default"));
        ReadSetting(QStringLiteral("Group"), QStringLiteral("key"), stored);
        utility.Stop();
        if (value.type() == QVariant::Int) {
            QCOMPARE(stored.toInt(), value.toInt());
        } else if (value.type() == QVariant::Bool) {
            QCOMPARE(stored.toBool(), value.toBool());
        } else if (value.type() == QVariant::StringList) {
            QCOMPARE(stored.toStringList(), value.toStringList());
        } else {
            QCOMPARE(stored.toString(), value.toString());
        }
    }

    // The file's text means what it means to Qt's own ini format: the store reads what the
    // host's Qt would have written, and Qt reads what the store writes.
    void textIsQtsIniFormat_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("plain") << QByteArray("[G]\nk=v\nn=-3\nb=true\n");
        QTest::newRow("spaces, tabs and quotes")
            << QByteArray("[G]\n  k \t=  a b \t\nq=\" a, b \" \nr=x\"y\"z  \n");
        QTest::newRow("lists") << QByteArray("[G]\nl=a, \"b,c\" ,d\ne=,\nat=@@x, @@@y\n");
        QTest::newRow("escapes") << QByteArray(
            "[G]\nk=a\\tb\\x41\\101\\x263a\\n\\\\\\\"\\q \\x20\nt=a\\t\nu=a\\x20\n"
            "v=\\0\\x4\\\n  w\nend=x\\");
        QTest::newRow("comments and line ends")
            << QByteArray("; note\r\n[G] ; x\r\nk=v;c\r\n\r\nm=\"a;b\"\rn=1\n;\nbad line\n");
        QTest::newRow("sections and keys")
            << QByteArray("top=1\n[General]\ng=2\n[%General]\nx=3\n[a%20b\\c]\nk%E4\\s%U263A=4\n"
                          "[G]\nk=1\n[G]\nk=2\n[unclosed\nz=5\n");
        QTest::newRow("UTF-8 and BOM")
            << QByteArray("\xEF\xBB\xBF[G]\nk=Gr\xC3\xBCn \xE7\xBB\xBF\n");
        QTest::newRow("doubled at sign") << QByteArray("[G]\nk=@@Variant(x)\nm=a@b\n");
    }

    void textIsQtsIniFormat()
    {
        QFETCH(QByteArray, text);
        const QString path = mTemp->path() + QStringLiteral("/qt.ini");
        writeFile(path, text);
        QSettings qt(path, QSettings::IniFormat);
        qt.setIniCodec("UTF-8");
        IniText::Values ours;
        IniText::Read(text, ours);
        QCOMPARE(ours.keys(), qt.allKeys());
        for (const QString& key : ours.keys()) {
            QCOMPARE(ours.value(key), qt.value(key));
        }

        // Written back, Qt reads the same values again. The rows spell no name twice in
        // different cases, so Windows' rules read them alike and write text Qt reads alike.
        IniText::Document windows(IniText::Rules::Windows);
        windows.Read(text);
        QCOMPARE(windows.All(), ours);
        for (const QByteArray& written : {IniText::Write(ours), windows.Write()}) {
            writeFile(path, written);
            QSettings again(path, QSettings::IniFormat);
            again.setIniCodec("UTF-8");
            QCOMPARE(again.allKeys(), qt.allKeys());
            for (const QString& key : ours.keys()) {
                QCOMPARE(again.value(key), qt.value(key));
            }
        }
    }

    // What Qt 5 reads on Windows, where its ini keys compare without regard to case (a name
    // keeps its first spelling, the last value wins) and a section's parts come together.
    void windowsRulesRead_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QVariantMap>("values"); // by the spelling kept
        QTest::newRow("CR LF") << QByteArray("[ColorDorvoDialog]\r\nColorField=2\r\nsRgb=a b\r\n")
                               << QVariantMap{{"ColorDorvoDialog/ColorField", "2"},
                                              {"ColorDorvoDialog/sRgb", "a b"}};
        QTest::newRow("a key again in another case")
            << QByteArray("[G]\r\nKey=1\r\nKEY=2\r\nkey=3\r\n") << QVariantMap{{"G/Key", "3"}};
        QTest::newRow("a section again in another case")
            << QByteArray("[Grp]\r\na=1\r\n[other]\r\nx=0\r\n[GRP]\r\nB=2\r\nA=3\r\n")
            << QVariantMap{{"Grp/a", "3"}, {"Grp/B", "2"}, {"other/x", "0"}};
        QTest::newRow("general in any case")
            << QByteArray(
                   "top=1\r\n[GENERAL]\r\nTop=2\r\n[%GENERAL]\r\nx=3\r\n[%general]\r\nX=4\r\n")
            << QVariantMap{{"top", "2"}, {"GENERAL/x", "4"}};
        QTest::newRow("escaped letters beyond ASCII")
            << QByteArray("[A%20b]\r\nK%E4=1\r\n[a%20B]\r\nk%C4=2\r\n")
            << QVariantMap{{QStringLiteral(u"A b/K\u00e4"), "2"}};
    }

    void windowsRulesRead()
    {
        QFETCH(QByteArray, text);
        QFETCH(QVariantMap, values);
        IniText::Document document(IniText::Rules::Windows);
        QVERIFY(document.Read(text));
        QCOMPARE(document.All(), values);
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            QCOMPARE(document.Value(it.key().toUpper()), it.value());
            QCOMPARE(document.Value(it.key().toLower()), it.value());
        }
    }

    // What Qt 5 writes on Windows after reading the file and setting the values in order: CR LF
    // line ends, the file's order with new keys after in the order set, names spelled as first
    // read or set, and a section for each spelling.
    void windowsRulesWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("writes"); // "key=value"
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("new keys in the order set")
            << QByteArray()
            << QStringList{"ColorDorvoDialog/sRgbSwitch=true", "ColorDorvoSwatches/CurrentTab=1",
                           "ColorDorvoDialog/ColorField=2", "top=x"}
            << QByteArray("[ColorDorvoDialog]\r\nsRgbSwitch=true\r\nColorField=2\r\n\r\n"
                          "[ColorDorvoSwatches]\r\nCurrentTab=1\r\n\r\n[General]\r\ntop=x\r\n");
        QTest::newRow("the file's order")
            << QByteArray("[Z]\nz=1\na=2\n[B]\nk=1\n") << QStringList{"Z/m=3", "B/k=4"}
            << QByteArray("[Z]\r\nz=1\r\na=2\r\nm=3\r\n\r\n[B]\r\nk=4\r\n");
        QTest::newRow("first spellings")
            << QByteArray("[colordorvodialog]\r\ncolorfield=0\r\n")
            << QStringList{"ColorDorvoDialog/ColorField=2", "ColorDorvoDialog/PaletteAngle=45",
                           "COLORDORVODIALOG/paletteangle=60"}
            << QByteArray("[colordorvodialog]\r\ncolorfield=2\r\n\r\n"
                          "[ColorDorvoDialog]\r\nPaletteAngle=60\r\n");
        QTest::newRow("duplicates and parts brought together")
            << QByteArray("[G]\r\nKey=1\r\n[H]\r\nh=1\r\n[g]\r\nkey=2\r\nb=3\r\n") << QStringList()
            << QByteArray("[G]\r\nKey=2\r\nb=3\r\n\r\n[H]\r\nh=1\r\n");
        // A section's keys are numbered on from its first heading, even one with no keys.
        QTest::newRow("a section placed by its first heading")
            << QByteArray("[A]\n[B]\nb=1\n[A]\na=1\n") << QStringList()
            << QByteArray("[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n");
        // Kept serialized text ending in an escaped LF would take the CR of the line end.
        QTest::newRow("serialized text before CR LF")
            << QByteArray("k=@\\\n\nm=@Rect(1 2 3 4)\n") << QStringList()
            << QByteArray("[General]\r\nm=@Rect(1 2 3 4)\r\n");
        QTest::newRow("general as a section name")
            << QByteArray() << QStringList{"general/x=1", "y=2"}
            << QByteArray("[%General]\r\nx=1\r\n\r\n[General]\r\ny=2\r\n");
    }

    void windowsRulesWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, writes);
        QFETCH(QByteArray, text);
        IniText::Document document(IniText::Rules::Windows);
        QVERIFY(document.Read(file));
        for (const QString& write : writes) {
            const int equals = write.indexOf(QLatin1Char('='));
            document.SetValue(write.left(equals), write.mid(equals + 1));
        }
        QCOMPARE(document.Write(), text);
    }

    // The store under Windows' rules: a hand-edited file in other cases is read and merged with
    // the writes as Qt would there.
    void storeKeepsWindowsRules()
    {
        QDir().mkpath(cfg());
        writeFile(SettingsPath(), "[colordorvodialog]\r\ncolorfield=2\r\n");
        OpenSettingsStore(IniText::Rules::Windows);
        QVariant field(0);
        ReadSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorField"), field);
        QCOMPARE(field.toInt(), 2);
        WriteSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorField"), 3);
        WriteSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("sRgbSwitch"), false);
        WriteSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("PaletteAngle"), 45);
        CloseSettingsStore();
        QCOMPARE(fileBytes(SettingsPath()),
                 QByteArray("[colordorvodialog]\r\ncolorfield=3\r\n\r\n"
                            "[ColorDorvoDialog]\r\nsRgbSwitch=false\r\nPaletteAngle=45\r\n"));
    }

    // Values in Qt's serialized forms are never decoded: decoding "@Variant(...)" would let a
    // count in a damaged file allocate without bound. Each key the picker reads keeps its
    // default, and the damaged text stays in the file as it was.
    void serializedValuesCountAsDamaged_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::newRow("list of 2^31 items")
            << QByteArray("@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)");
        QTest::newRow("string list") << QByteArray("@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)");
        QTest::newRow("polygon") << QByteArray("@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)");
        QTest::newRow("map") << QByteArray("@Variant(\\0\\0\\0\\b\\x7f\\xff\\xff\\xff)");
        QTest::newRow("int") << QByteArray("@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\0\\x1)");
        QTest::newRow("date and time") << QByteArray("@DateTime(\\0\\0\\0\\x10\\0\\x7f\\xff\\xff)");
        QTest::newRow("bytes") << QByteArray("@ByteArray(1)");
        QTest::newRow("string") << QByteArray("@String(1)");
        QTest::newRow("rectangle") << QByteArray("@Rect(1 2 3 4)");
        QTest::newRow("size") << QByteArray("@Size(1 2)");
        QTest::newRow("point") << QByteArray("@Point(1 2)");
        QTest::newRow("invalid") << QByteArray("@Invalid()");
        QTest::newRow("unknown form") << QByteArray("@Other(1)");
        QTest::newRow("quoted") << QByteArray("\"@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)\"");
        QTest::newRow("escaped at sign")
            << QByteArray("\\x40Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)");
        QTest::newRow("in a list") << QByteArray("1, @Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)");
        QTest::newRow("plain list") << QByteArray("1, 2");
    }

    void serializedValuesCountAsDamaged()
    {
        QFETCH(QByteArray, raw);
        const QList<std::tuple<QString, QString, QVariant>> keys{
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorField"), 0},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorSlider"), 8},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("PaletteAngleType"), 0},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorSpinnerType"), 0},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("PaletteAngle"), 30},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("sRgbSwitch"), true},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("SwatchList"), false},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("HsvExpanded"), false},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("RgbExpanded"), false},
            {QStringLiteral("ColorDorvoDialog"), QStringLiteral("CieLabExpanded"), false},
            {QStringLiteral("ColorDorvoSwatches"), QStringLiteral("CurrentTab"), 0},
            {QStringLiteral("ColorDorvoSwatches"), QStringLiteral("ListFolder"), QString()},
        };
        QByteArray text;
        QString group;
        for (const auto& [g, key, fallback] : keys) {
            if (g != group) {
                text += '[' + g.toLatin1() + "]\nPlain=7\n";
                group = g;
            }
            text += key.toLatin1() + '=' + raw + '\n';
        }
        QDir().mkpath(cfg());
        writeFile(SettingsPath(), text);

        OpenSettingsStore();
        for (const auto& [g, key, fallback] : keys) {
            QVariant value = fallback;
            ReadSetting(g, key, value);
            QVERIFY2(value == fallback && value.userType() == fallback.userType(),
                     qPrintable(key + QStringLiteral(": ") + value.toString()));
        }
        QVariant plain(0);
        ReadSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("Plain"), plain);
        QCOMPARE(plain.toInt(), 7);
        // A write merges with the file on the way out; the damage is left as it was.
        WriteSetting(QStringLiteral("ColorDorvoDialog"), QStringLiteral("ColorField"), 2);
        CloseSettingsStore();
        const QByteArray after = fileBytes(SettingsPath());
        QVERIFY2(after.contains("ColorField=2\n"), after.constData());
        QVERIFY2(after.contains("ColorSlider=" + raw + '\n'), after.constData());
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
