#include "ModuleLoader.h"

#include "TextLines.h"
#include "hostsdk/HostRuntime.h"
#include "hsv.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <elf.h>
#include <link.h>
#include <sys/stat.h>

// Loads the fixture modules through the host's loader and checks what the host did with them.
class tst_ModuleLoader : public QObject
{
    Q_OBJECT

private:
    // A plug-in folder holding only the named fixtures (copied, so each row starts clean).
    QString pluginFolder(const QStringList& fixtures)
    {
        QString dir = mTemp->path() + QStringLiteral("/plugins-") + QString::number(mFolderCount++);
        QDir().mkpath(dir);
        for (const QString& f : fixtures) {
            if (!QFile::copy(QStringLiteral(FIXTURE_DIR "/") + f, dir + QLatin1Char('/') + f)) {
                qFatal("fixture %s is missing", qPrintable(f));
            }
        }
        return dir;
    }

    QStringList fixtureSteps() const
    {
        QStringList steps;
        for (const QString& line : NonEmptyLines(HostRuntime::ListenerOutput())) {
            if (line.startsWith(QLatin1String("fixture "))) {
                steps << line.mid(8);
            }
        }
        return steps;
    }

    std::unique_ptr<QTemporaryDir> mTemp;
    int mFolderCount = 0;

private slots:
    void init()
    {
        mTemp = std::make_unique<QTemporaryDir>();
        QVERIFY(mTemp->isValid());
        HostRuntime::SetPlugCfgDir(mTemp->path() + QStringLiteral("/plugcfg"));
        HostRuntime::SetLanguagePackDir(mTemp->path() + QStringLiteral("/langpack"));
        HostRuntime::ClearOutput();
    }

    void goodModuleRunsTheHostSequence()
    {
        ModuleLoader loader;
        QCOMPARE(loader.loadFolder(pluginFolder({QStringLiteral("fixture_good.dlu")})), 1);
        QCOMPARE(loader.loadedModules(), QStringList{QStringLiteral("fixture_good.dlu")});
        QCOMPARE(loader.utilityCount(), 1);
        QVERIFY(loader.colorSelectorClass() != nullptr);
        // The announced third class has no descriptor: reported, the rest of the module is used.
        QCOMPARE(loader.messages().size(), 1);
        QVERIFY2(
            loader.messages().constFirst().contains(QLatin1String("class 2 has no descriptor")),
            qPrintable(loader.messages().constFirst()));

        ColPick* picker = loader.colorSelector();
        QVERIFY(picker);
        QCOMPARE(loader.colorSelector(), picker);
        AColor color(0.0f, 0.0f, 0.0f, 0.0f);
        QCOMPARE(picker->ModalColorPicker(nullptr, &color, nullptr, nullptr, L"x"), INT_PTR(1));
        QCOMPARE(color, AColor(0.25f, 0.5f, 0.75f, 1.0f));

        loader.unloadAll();
        const QStringList expected{
            QStringLiteral("attach"),         QStringLiteral("initialize"),
            QStringLiteral("create utility"), QStringLiteral("start"),
            QStringLiteral("create picker"),  QStringLiteral("stop"),
            QStringLiteral("delete utility"), QStringLiteral("delete picker"),
            QStringLiteral("shutdown"),       QStringLiteral("detach")};
        QCOMPARE(fixtureSteps(), expected);
        QVERIFY(loader.loadedModules().isEmpty());
        QCOMPARE(loader.utilityCount(), 0);
        QVERIFY(loader.colorSelectorClass() == nullptr);
    }

    // Puts the file a row names into `dir`: a fixture as built, or one made from the good fixture
    // as a user's folder may hold it (cut short by a failed copy, with a header gone wrong), or
    // something that is no file at all.
    static void makeFile(const QString& dir, const QString& name, const QString& how)
    {
        const QString path = dir + QLatin1Char('/') + name;
        if (how.isEmpty()) {
            QVERIFY(QFile::copy(QStringLiteral(FIXTURE_DIR "/") + name, path));
            return;
        }
        if (how == QLatin1String("link")) {
            QVERIFY(QFile::link(dir + QStringLiteral("/gone/away.dlu"), path));
            return;
        }
        if (how == QLatin1String("pipe")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            return;
        }
        QByteArray bytes;
        if (how == QLatin1String("text")) {
            bytes = "this is a text file, not a module\n";
        } else {
            QFile good(QStringLiteral(FIXTURE_DIR "/fixture_good.dlu"));
            QVERIFY(good.open(QIODevice::ReadOnly));
            bytes = good.readAll();
            ElfW(Ehdr) header;
            std::memcpy(&header, bytes.constData(), sizeof header);
            if (how == QLatin1String("cut 1 kB")) {
                bytes.truncate(1024);
            } else if (how == QLatin1String("cut last byte")) {
                QCOMPARE(header.e_shoff + quint64(header.e_shnum) * header.e_shentsize,
                         quint64(bytes.size())); // the section headers come last
                bytes.chop(1);
            } else if (how == QLatin1String("wrap")) {
                // A segment whose end wraps around to a small number.
                ElfW(Phdr) segment;
                char* at = bytes.data() + header.e_phoff;
                std::memcpy(&segment, at, sizeof segment);
                QCOMPARE(segment.p_type, ElfW(Word)(PT_LOAD));
                segment.p_offset = ~ElfW(Off)(0) - 0xFFF;
                segment.p_filesz = 0x2000;
                std::memcpy(at, &segment, sizeof segment);
            } else if (how.startsWith(QLatin1String("zero "))) {
                // "zero SECTION" fills one of the sections the dynamic loader reads with zeros,
                // "zero from SECTION" the whole file from there on, as a copy that stopped after
                // the file was allocated leaves it.
                const bool tail = how.startsWith(QLatin1String("zero from "));
                const QByteArray sectionName = how.section(QLatin1Char(' '), -1).toLatin1();
                const auto* sections =
                    reinterpret_cast<const ElfW(Shdr)*>(bytes.constData() + header.e_shoff);
                const char* names = bytes.constData() + sections[header.e_shstrndx].sh_offset;
                const ElfW(Shdr)* found = nullptr;
                for (int i = 0; i < header.e_shnum; ++i) {
                    if (sectionName == names + sections[i].sh_name) {
                        found = &sections[i];
                    }
                }
                QVERIFY2(found, sectionName.constData());
                const qint64 from = qint64(found->sh_offset);
                const qint64 length = tail ? bytes.size() - from : qint64(found->sh_size);
                bytes.replace(from, length, QByteArray(length, '\0'));
            } else {
                QFAIL(qPrintable(how));
            }
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    void brokenModulesAreReportedAndSkipped_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("expectedInMessage");
        QTest::addColumn<QStringList>("expectedSteps");
        QTest::newRow("not a library")
            << QStringLiteral("notalib.dlu") << QStringLiteral("text")
            << QStringList{QStringLiteral("notalib.dlu: not a loadable module")} << QStringList();
        // The dynamic loader would map the missing pages and die on the first touch of one.
        QTest::newRow("cut to 1 kB")
            << QStringLiteral("short.dlu") << QStringLiteral("cut 1 kB")
            << QStringList{QStringLiteral("short.dlu: damaged module (loadable segment "),
                           QStringLiteral("reaches past the end of the file at 1024 bytes)")}
            << QStringList();
        QTest::newRow("section headers cut")
            << QStringLiteral("nearly.dlu") << QStringLiteral("cut last byte")
            << QStringList{QStringLiteral("nearly.dlu: damaged module (the section header table")}
            << QStringList();
        QTest::newRow("segment end wraps around")
            << QStringLiteral("wrap.dlu") << QStringLiteral("wrap")
            << QStringList{QStringLiteral("wrap.dlu: damaged module (loadable segment 0 (8192 "
                                          "bytes at offset 18446744073709547520)")}
            << QStringList();
        // Full length, but zeros where the loader follows the dynamic section: it would crash.
        QTest::newRow("dynamic section zero-filled")
            << QStringLiteral("zerodyn.dlu") << QStringLiteral("zero .dynamic")
            << QStringList{QStringLiteral("zerodyn.dlu: damaged module (its dynamic section is "
                                          "zero-filled)")}
            << QStringList();
        QTest::newRow("zero-filled from the dynamic section on")
            << QStringLiteral("zerotail.dlu") << QStringLiteral("zero from .dynamic")
            << QStringList{QStringLiteral("zerotail.dlu: damaged module (its dynamic section is "
                                          "zero-filled)")}
            << QStringList();
        QTest::newRow("zero-filled from the string table on")
            << QStringLiteral("zerostr.dlu") << QStringLiteral("zero from .dynstr")
            << QStringList{QStringLiteral("zerostr.dlu: damaged module (its dynamic section is "
                                          "zero-filled)")}
            << QStringList();
        QTest::newRow("string table zero-filled")
            << QStringLiteral("dynstr.dlu") << QStringLiteral("zero .dynstr")
            << QStringList{QStringLiteral("dynstr.dlu: damaged module (its string table ("),
                           QStringLiteral(") is zero-filled)")}
            << QStringList();
        QTest::newRow("symbol table zero-filled")
            << QStringLiteral("dynsym.dlu") << QStringLiteral("zero .dynsym")
            << QStringList{QStringLiteral("dynsym.dlu: damaged module (its symbol table ("),
                           QStringLiteral(") is zero-filled)")}
            << QStringList();
        QTest::newRow("hash table zero-filled")
            << QStringLiteral("hash.dlu") << QStringLiteral("zero .gnu.hash")
            << QStringList{QStringLiteral("hash.dlu: damaged module (its GNU hash table ("),
                           QStringLiteral(") is zero-filled)")}
            << QStringList();
        QTest::newRow("relocation table zero-filled")
            << QStringLiteral("rela.dlu") << QStringLiteral("zero .rela.dyn")
            << QStringList{QStringLiteral("rela.dlu: damaged module (its relocation table ("),
                           QStringLiteral(") is zero-filled)")}
            << QStringList();
        QTest::newRow("procedure linkage relocations zero-filled")
            << QStringLiteral("relaplt.dlu") << QStringLiteral("zero .rela.plt")
            << QStringList{QStringLiteral("relaplt.dlu: damaged module (its procedure linkage "
                                          "relocation table (")}
            << QStringList();
        QTest::newRow("broken link") << QStringLiteral("link.dlu") << QStringLiteral("link")
                                     << QStringList{QStringLiteral("link.dlu: broken link to '"),
                                                    QStringLiteral("/gone/away.dlu'")}
                                     << QStringList();
        // Opening a pipe would wait for a writer for ever.
        QTest::newRow("named pipe")
            << QStringLiteral("pipe.dlu") << QStringLiteral("pipe")
            << QStringList{QStringLiteral("pipe.dlu: not a regular file")} << QStringList();
        QTest::newRow("no exports")
            << QStringLiteral("fixture_noexports.dlu") << QString()
            << QStringList{QStringLiteral("fixture_noexports.dlu: missing export DllMain, "
                                          "LibDescription, LibNumberClasses, LibClassDesc, "
                                          "LibVersion")}
            << QStringList();
        QTest::newRow("one export missing")
            << QStringLiteral("fixture_noclassdesc.dlu") << QString()
            << QStringList{QStringLiteral("fixture_noclassdesc.dlu: missing export LibClassDesc;")}
            << QStringList();
        QTest::newRow("unresolved symbol")
            << QStringLiteral("fixture_unresolved.dlu") << QString()
            << QStringList{QStringLiteral("fixture_unresolved.dlu: not a loadable module"),
                           QStringLiteral("NoSuchHostFunction")}
            << QStringList();
        QTest::newRow("other SDK version")
            << QStringLiteral("fixture_oldversion.dlu") << QString()
            << QStringList{QStringLiteral(
                   "fixture_oldversion.dlu: built for SDK version 0x52083400 (release 21000, API "
                   "52, revision 0), but this host needs 0x55f03700 (release 22000, API 55, "
                   "revision 0)")}
            << QStringList{QStringLiteral("attach"), QStringLiteral("detach")};
        QTest::newRow("entry point refuses")
            << QStringLiteral("fixture_refuses.dlu") << QString()
            << QStringList{QStringLiteral("fixture_refuses.dlu: the entry point refused")}
            << QStringList{QStringLiteral("attach")};
    }

    void brokenModulesAreReportedAndSkipped()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, how);
        QFETCH(QStringList, expectedInMessage);
        QFETCH(QStringList, expectedSteps);

        const QString dir = pluginFolder({});
        makeFile(dir, fixture, how);
        if (QTest::currentTestFailed()) {
            return;
        }
        // The good module beside it must still load: one bad file never stops the host.
        QVERIFY(QFile::copy(QStringLiteral(FIXTURE_DIR "/fixture_good.dlu"),
                            dir + QStringLiteral("/zz_good.dlu")));

        ModuleLoader loader;
        QStringList heard;
        loader.setMessageSink([&heard](const QString& m) { heard << m; });
        QCOMPARE(loader.loadFolder(dir), 1);
        QCOMPARE(loader.loadedModules(), QStringList{QStringLiteral("zz_good.dlu")});
        QCOMPARE(heard, loader.messages());
        const QString message = loader.messages().constFirst();
        for (const QString& part : expectedInMessage) {
            QVERIFY2(message.contains(part), qPrintable(message));
        }
        QVERIFY2(message.endsWith(QLatin1String("skipped")), qPrintable(message));
        QStringList steps = fixtureSteps().mid(0, expectedSteps.size());
        QCOMPARE(steps, expectedSteps);
        QCOMPARE(loader.utilityCount(), 1);
    }

    void settingWrittenInOneRunIsReadInTheNext()
    {
        const QString dir = pluginFolder({QStringLiteral("fixture_good.dlu")});
        {
            ModuleLoader loader;
            QCOMPARE(loader.loadFolder(dir), 1);
            HostRuntime::ScriptResult r =
                HostRuntime::EvaluateScript(QStringLiteral("DorvoFixture.Remember(\"deep blue\")"));
            QVERIFY2(r.ok, qPrintable(r.error));
            QCOMPARE(r.printForm, QStringLiteral("\"deep blue\""));
        } // the loader's destructor stops the utility, which writes the store
        QSettings file(mTemp->path() + QStringLiteral("/plugcfg/ColorDorvo.ini"),
                       QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Fixture/remembered")).toString(),
                 QStringLiteral("deep blue"));
        // Unloading the module took its script functions with it.
        QVERIFY(!HostRuntime::EvaluateScript(QStringLiteral("DorvoFixture.Recall()")).ok);

        ModuleLoader loader;
        QCOMPARE(loader.loadFolder(dir), 1);
        HostRuntime::ScriptResult r =
            HostRuntime::EvaluateScript(QStringLiteral("dorvofixture.recall()"));
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.text, QStringLiteral("deep blue"));
    }

    void moduleStringsComeFromTheLanguagePack()
    {
        QDir().mkpath(mTemp->path() + QStringLiteral("/langpack"));
        QFile table(mTemp->path() + QStringLiteral("/langpack/fixture_good.dlu.json"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write(u8"{ \"1\": \"Fixture módule\", \"2\": \"Fixtures\" }");
        table.close();
        ModuleLoader loader;
        QCOMPARE(loader.loadFolder(pluginFolder({QStringLiteral("fixture_good.dlu")})), 1);
        QCOMPARE(loader.moduleDescriptions(), QStringList{QStringLiteral(u"Fixture m\u00f3dule")});
        QCOMPARE(HostRuntime::EvaluateScript(QStringLiteral("DorvoFixture.Describe()")).text,
                 QStringLiteral(u"Fixture m\u00f3dule"));
    }

    void emptyOrMissingFolderLoadsNothing()
    {
        ModuleLoader loader;
        QCOMPARE(loader.loadFolder(mTemp->path() + QStringLiteral("/nowhere")), 0);
        QCOMPARE(loader.loadFolder(pluginFolder({})), 0);
        QVERIFY(loader.messages().isEmpty());
        QVERIFY(loader.colorSelector() == nullptr);
    }
};

QTEST_MAIN(tst_ModuleLoader)
#include "tst_ModuleLoader.moc"
