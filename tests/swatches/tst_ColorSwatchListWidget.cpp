#include "ModalSupport.h"
#include "RecordingServices.h"
#include "TestHost.h"

#include "host/services/SettingsStore.h"
#include "swatches/ColorSwatchButton.h"
#include "swatches/ColorSwatchListWidget.h"
#include "swatches/files/AdobeSwatchFile.h"
#include "swatches/files/ColorListFile.h"
#include "swatches/files/GimpPaletteFile.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <memory>
#include <unistd.h>
#include <vector>

Q_DECLARE_METATYPE(QVector<ColorList>)

namespace {

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

ColorList numbered(const QString& name, int count)
{
    ColorList list{name, {}};
    for (int i = 1; i <= count; ++i) {
        list.swatches.append({QColor(i, 0, 0), QStringLiteral("c%1").arg(i)});
    }
    return list;
}

// Every swatch of the main list file as "Title #rrggbb".
QStringList storedSwatches()
{
    QVector<ColorList> lists;
    QString reason;
    parseColorListFile(fileBytes(ColorListPath()), lists, reason);
    QStringList swatches;
    for (const ColorList& list : lists) {
        for (const ColorList::Swatch& swatch : list.swatches) {
            swatches << list.name + QLatin1Char(' ') + swatch.color.name();
        }
    }
    return swatches;
}

// Tab titles with their swatch counts, "Favorites 5, History 0".
QString tabSummary(const QVector<ColorList>& lists)
{
    QStringList parts;
    for (const ColorList& list : lists) {
        parts << QStringLiteral("%1 %2").arg(list.name).arg(list.swatches.size());
    }
    return parts.join(QStringLiteral(", "));
}

// Keeps the main list file from being opened until lift(): no permissions on it, and for a test
// run as root, who opens it all the same, an effective user who is not root (the folder opened
// to all meanwhile).
class UnopenableFile
{
public:
    UnopenableFile(const QString& file, const QString& folder) : path(file)
    {
        QFile::setPermissions(path, {});
        if (geteuid() == 0) {
            QFile::setPermissions(folder, QFile::Permissions(0x7777));
            notRoot = seteuid(65534) == 0;
        }
    }
    ~UnopenableFile() { lift(); }
    UnopenableFile(const UnopenableFile&) = delete;
    UnopenableFile& operator=(const UnopenableFile&) = delete;
    void lift()
    {
        if (notRoot && seteuid(0) == 0) {
            notRoot = false;
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
    }
    bool unopenable() const { return !QFile(path).open(QIODevice::ReadOnly); }

private:
    QString path;
    bool notRoot = false;
};

} // namespace

// The swatch panel on its own, driven through its buttons, menu and file dialogs.
class tst_ColorSwatchListWidget : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    RecordingServices dialog;

    QString mainFile() const { return ColorListPath(); }
    QString folder() const { return host->configDir.path(); }

    std::unique_ptr<ColorSwatchListWidget> openPanel(RecordingServices* services = nullptr)
    {
        auto panel =
            std::make_unique<ColorSwatchListWidget>(services ? services : &dialog, nullptr);
        panel->show();
        if (!QTest::qWaitForWindowExposed(panel.get())) {
            qFatal("panel not shown");
        }
        return panel;
    }

    static QTabWidget* tabs(ColorSwatchListWidget* panel)
    {
        return panel->findChild<QTabWidget*>(QStringLiteral("tabWidget"));
    }

    static void openTab(ColorSwatchListWidget* panel, int index)
    {
        QTabBar* bar = tabs(panel)->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        QCOMPARE(tabs(panel)->currentIndex(), index);
    }

    static ColorSwatchButton* swatch(ColorSwatchListWidget* panel, int tab, int index)
    {
        QGridLayout* grid = panel->gridOf(tab);
        return qobject_cast<ColorSwatchButton*>(grid->itemAt(index)->widget());
    }

    static QPoint cellOf(ColorSwatchListWidget* panel, int tab, ColorSwatchButton* button)
    {
        QGridLayout* grid = panel->gridOf(tab);
        int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(grid->indexOf(button), &row, &column, &rowSpan, &columnSpan);
        return QPoint(column, row);
    }

    static void clickAdd(ColorSwatchListWidget* panel, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("addCurrentColorBtn")),
                          button);
    }

    // Chooses `action` from the "S" button's menu as a user does: press the button, click the
    // entry in the menu that opens.
    void chooseFromMenu(ColorSwatchListWidget* panel, const char* action)
    {
        auto* poll = new QTimer(this);
        poll->setInterval(0);
        connect(poll, &QTimer::timeout, this, [poll, panel, action] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                return;
            }
            poll->stop();
            poll->deleteLater();
            auto* entry = panel->findChild<QAction*>(QLatin1String(action));
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
        });
        poll->start();
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("settingsBtn")),
                          Qt::LeftButton);
    }

    // Answers the next file dialog with `path` (none: cancel) and tells where it started.
    void answerFileDialog(const QString& path, QString* startFolder = nullptr)
    {
        whenModalOpens(this, [path, startFolder](QDialog* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            if (startFolder) {
                *startFolder = files->directory().absolutePath();
            }
            if (path.isEmpty()) {
                files->reject();
                return;
            }
            files->selectFile(path);
            modal->accept(); // QFileDialog::accept, protected in the subclass
        });
    }

    // Answers the next message box with `answer` and keeps its text.
    void answerMessageBox(QString* text, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        whenModalOpens(this, [text, answer](QDialog* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            *text = box->text();
            box->button(answer)->click();
        });
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        dialog = RecordingServices();
        HostRuntime::ClearOutput();
    }

    void cleanup() { host.reset(); }

    // A first run finds the embedded default in "Favorites", already in its file.
    void firstRunSeedsFavorites()
    {
        auto panel = openPanel();
        QCOMPARE(tabSummary(panel->colorLists()), QStringLiteral("Favorites 5, History 0"));
        QCOMPARE(swatch(panel.get(), 0, 1)->name(), QStringLiteral("black"));
        QCOMPARE(tabs(panel.get())->currentIndex(), 0);
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));
    }

    void addPickRemoveSavedAtOnce()
    {
        auto panel = openPanel();
        dialog.current = ColorValue(QColor(10, 20, 30, 128));
        clickAdd(panel.get());
        ColorSwatchButton* added = swatch(panel.get(), 0, 5);
        QVERIFY(added);
        QCOMPARE(added->color(), QColor(10, 20, 30, 128));
        QCOMPARE(added->name(), QString());
        QCOMPARE(cellOf(panel.get(), 0, added), QPoint(0, 1));
        // In the file at once, without its alpha and without a name.
        QVector<ColorList> stored;
        QString reason;
        QVERIFY(parseColorListFile(fileBytes(mainFile()), stored, reason));
        QCOMPARE(stored[0].swatches.last(), (ColorList::Swatch{QColor(10, 20, 30), QString()}));

        QTest::mouseClick(added, Qt::MiddleButton);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("addCurrentColorBtn")),
                          Qt::MiddleButton);
        QVERIFY(dialog.viewCalls.empty());
        QCOMPARE(panel->gridOf(0)->count(), 6);

        QTest::mouseClick(added, Qt::LeftButton);
        QCOMPARE(dialog.viewCalls.size(), size_t(1));
        QCOMPARE(dialog.viewCalls[0].color.toQColor(), QColor(10, 20, 30, 128));
        QVERIFY(dialog.viewCalls[0].silent);

        QTest::mouseClick(swatch(panel.get(), 0, 0), Qt::RightButton);
        QCOMPARE(panel->gridOf(0)->count(), 5);
        QVERIFY(parseColorListFile(fileBytes(mainFile()), stored, reason));
        QCOMPARE(stored[0].swatches.first().name, QStringLiteral("black"));
        QCOMPARE(stored[0].swatches.size(), 5);
    }

    // Seven swatches, the second removed: the rest move back one cell in reading order, the
    // sixth from the second row up to the end of the first, and the next lands behind them.
    void removalClosesTheGap()
    {
        QVERIFY(WriteColorList(colorListsToJson({numbered("Seven", 7)})));
        auto panel = openPanel();
        openTab(panel.get(), 2);
        std::vector<ColorSwatchButton*> buttons;
        for (int i = 0; i < 7; ++i) {
            buttons.push_back(swatch(panel.get(), 2, i));
        }
        QTest::mouseClick(buttons[1], Qt::RightButton);
        const QPoint expected[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {0, 1}};
        const int kept[] = {0, 2, 3, 4, 5, 6};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(cellOf(panel.get(), 2, buttons[kept[i]]), expected[i]);
        }
        dialog.current = ColorValue(QColor(99, 0, 0));
        clickAdd(panel.get());
        QCOMPARE(cellOf(panel.get(), 2, swatch(panel.get(), 2, 6)), QPoint(1, 1));
        const QVector<ColorList> lists = panel->colorLists();
        QStringList order;
        for (const ColorList::Swatch& s : lists[2].swatches) {
            order << QString::number(s.color.red());
        }
        QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("1 3 4 5 6 7 99"));
    }

    void historyKeepsItsSwatches()
    {
        QVERIFY(WriteColorList(colorListsToJson({{"History", {{QColor(5, 6, 7), "h"}}}})));
        auto panel = openPanel();
        openTab(panel.get(), 1);
        QTest::mouseClick(swatch(panel.get(), 1, 0), Qt::RightButton);
        QCOMPARE(panel->gridOf(1)->count(), 1);
        QTest::mouseClick(swatch(panel.get(), 1, 0), Qt::LeftButton);
        QCOMPARE(dialog.viewCalls.back().color.toQColor(), QColor(5, 6, 7));
        dialog.current = ColorValue(QColor(1, 1, 1));
        clickAdd(panel.get());
        QCOMPARE(panel->colorLists()[1].swatches.last(),
                 (ColorList::Swatch{QColor(1, 1, 1), QString()}));
    }

    void tabHoldsEighty()
    {
        auto panel = openPanel();
        openTab(panel.get(), 1);
        for (int i = 0; i < 81; ++i) {
            dialog.current = ColorValue(QColor(i, 0, 0));
            clickAdd(panel.get());
        }
        QCOMPARE(panel->gridOf(1)->count(), 80);
        QCOMPARE(panel->colorLists()[1].swatches.last().color, QColor(79, 0, 0));
        QCOMPARE(cellOf(panel.get(), 1, swatch(panel.get(), 1, 79)), QPoint(4, 15));
    }

    void currentTabRestored_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("first custom list") << QVariant(2) << 2;
        QTest::newRow("beyond the tabs keeps History") << QVariant(9) << 1;
        QTest::newRow("negative keeps History") << QVariant(-1) << 1;
        QTest::newRow("text reads as 0") << QVariant(QStringLiteral("two")) << 0;
    }

    void currentTabRestored()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, shown);
        QVERIFY(WriteColorList(colorListsToJson({numbered("Custom", 1)})));
        WriteSetting(QStringLiteral("ColorDorvoSwatches"), QStringLiteral("CurrentTab"), stored);
        auto panel = openPanel();
        QCOMPARE(tabs(panel.get())->currentIndex(), shown);
        openTab(panel.get(), 2);
        panel->close();
        QVariant written;
        ReadSetting(QStringLiteral("ColorDorvoSwatches"), QStringLiteral("CurrentTab"), written);
        QCOMPARE(written.toInt(), 2);
    }

    // "Add Color"'s right click opens list files; their lists join the tabs of the same title.
    // The file dialog starts in the home folder, then where a list was last opened from.
    void customListMergesByTitle()
    {
        auto panel = openPanel();
        const QString custom = folder() + QStringLiteral("/lists/custom.json");
        QDir().mkpath(folder() + QStringLiteral("/lists"));
        writeFile(custom, colorListFileText({numbered("Favorites", 2), numbered("Extra", 1),
                                             numbered("Favorites", 1)}));
        QString started;
        answerFileDialog(custom, &started);
        clickAdd(panel.get(), Qt::RightButton);
        QCOMPARE(QDir(started), QDir::home());
        QCOMPARE(tabSummary(panel->colorLists()),
                 QStringLiteral("Favorites 8, History 0, Extra 1"));
        QCOMPARE(panel->colorLists()[0].swatches[5].name, QStringLiteral("c1"));
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));

        answerFileDialog(QString(), &started);
        clickAdd(panel.get(), Qt::RightButton);
        QCOMPARE(started, QFileInfo(custom).absolutePath());
        QCOMPARE(tabSummary(panel->colorLists()),
                 QStringLiteral("Favorites 8, History 0, Extra 1"));
    }

    void importPalette_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("tabs");
        ColorList web = numbered("Web", 170);
        QTest::newRow("long palette split over tabs")
            << "web.gpl" << gimpPaletteText(web)
            << "Favorites 5, History 0, Web 80, Web 2 80, Web 3 10";
        QTest::newRow("palette without a name")
            << "Pastels.gpl" << QByteArray("GIMP Palette\n1 2 3 a\n4 5 6\n")
            << "Favorites 5, History 0, Pastels 2";
        QTest::newRow("swatch exchange groups")
            << "Brand.ase"
            << adobeSwatchExchangeData(
                   {numbered("", 2), numbered("Favorites", 1), numbered("Ink", 3)})
            << "Favorites 6, History 0, Brand 2, Ink 3";
        // Version 1: one RGB color, (255, 128, 0) on 0..65535.
        QTest::newRow("photoshop swatches")
            << "Old.aco" << QByteArray("\0\1\0\1\0\0\xff\xff\x80\x80\0\0\0\0", 14)
            << "Favorites 5, History 0, Old 1";
        QTest::newRow("json list past 80")
            << "many.json" << colorListFileText({numbered("Favorites", 80)})
            << "Favorites 80, History 0, Favorites 2 5";
        // 101 lists, but one tab added: the limit counts tabs, not lists.
        QTest::newRow("many lists of one title")
            << "same.json" << colorListFileText(QVector<ColorList>(101, numbered("Favorites", 1)))
            << "Favorites 80, History 0, Favorites 2 26";
    }

    void importPalette()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, tabs);
        auto panel = openPanel();
        const QString path = folder() + QLatin1Char('/') + fileName;
        writeFile(path, contents);
        answerFileDialog(path);
        chooseFromMenu(panel.get(), "importPaletteAction");
        QCOMPARE(tabSummary(panel->colorLists()), tabs);
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));
    }

    void badFileChangesNothing_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("trailing comma")
            << "broken.json" << QByteArray(R"({"colorList": [{"name": "X", "colors": []},]})")
            << "broken.json was not added: not valid JSON (object is missing after a comma at "
               "character 44)";
        QTest::newRow("palette line")
            << "bad.gpl" << QByteArray("GIMP Palette\n1 2 3\nred\n")
            << "bad.gpl was not added: line 3 is not \"red green blue name\"";
        QVector<ColorList> manyTabs;
        for (int i = 0; i < 101; ++i) {
            manyTabs.append(numbered(QString::number(i), 1));
        }
        QTest::newRow("swatch exchange cut short")
            << "cut.ase" << adobeSwatchExchangeData({numbered("Cut", 2)}).chopped(8)
            << "cut.ase was not added: block 3 runs past the end of the file";
        QTest::newRow("too many tabs")
            << "tabs.json" << colorListFileText(manyTabs)
            << "tabs.json was not added: 101 tabs, more than the 100 a file may add";
        ColorList huge = numbered("Huge", 4001);
        QTest::newRow("too many colors")
            << "huge.gpl" << gimpPaletteText(huge)
            << "huge.gpl was not added: 4001 colors, more than the 4000 a file may add";
    }

    void badFileChangesNothing()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        auto panel = openPanel();
        const QByteArray before = fileBytes(mainFile());
        const QString path = folder() + QLatin1Char('/') + fileName;
        writeFile(path, contents);
        QString shown;
        answerFileDialog(path);
        answerMessageBox(&shown);
        chooseFromMenu(panel.get(), "importPaletteAction");
        QCOMPARE(shown, message);
        QCOMPARE(tabSummary(panel->colorLists()), QStringLiteral("Favorites 5, History 0"));
        QCOMPARE(fileBytes(mainFile()), before);
    }

    void exportTab_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("palette");
        QTest::newRow("palette") << "out.gpl"
                                 << "out.gpl" << true;
        QTest::newRow("json") << "out.json"
                              << "out.json" << false;
        QTest::newRow("swatch exchange") << "out.ase"
                                         << "out.ase" << false;
        QTest::newRow("suffix from the filter") << "out"
                                                << "out.gpl" << true;
    }

    void exportTab()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, palette);
        auto panel = openPanel();
        answerFileDialog(folder() + QLatin1Char('/') + chosen);
        chooseFromMenu(panel.get(), "exportTabAction");
        const ColorList favorites = panel->colorLists()[0];
        QCOMPARE(fileBytes(folder() + QLatin1Char('/') + written),
                 palette                                   ? gimpPaletteText(favorites)
                 : written.endsWith(QLatin1String(".ase")) ? adobeSwatchExchangeData({favorites})
                                                           : colorListFileText({favorites}));
    }

    void tabMenu()
    {
        QVERIFY(WriteColorList(colorListsToJson(
            {numbered("Favorites", 2), numbered("Custom", 3), numbered("Other", 1)})));
        auto panel = openPanel();
        QAction* rename = panel->findChild<QAction*>(QStringLiteral("renameTabAction"));
        QAction* remove = panel->findChild<QAction*>(QStringLiteral("removeTabAction"));
        QAction* clear = panel->findChild<QAction*>(QStringLiteral("clearTabAction"));

        // "Favorites" and "History" keep their titles and their tabs; an empty tab has nothing
        // to clear.
        openTab(panel.get(), 1);
        answerFileDialog(QString());
        chooseFromMenu(panel.get(), "importPaletteAction");
        QVERIFY(!rename->isEnabled() && !remove->isEnabled() && !clear->isEnabled());

        openTab(panel.get(), 2);
        whenModalOpens(this, [](QDialog* modal) {
            auto* input = qobject_cast<QInputDialog*>(modal);
            QVERIFY(input);
            input->setTextValue(QStringLiteral("  Renamed "));
            input->accept();
        });
        chooseFromMenu(panel.get(), "renameTabAction");
        QCOMPARE(tabSummary(panel->colorLists()),
                 QStringLiteral("Favorites 2, History 0, Renamed 3, Other 1"));
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));

        whenModalOpens(this, [](QDialog* modal) {
            qobject_cast<QInputDialog*>(modal)->setTextValue(QStringLiteral("Other"));
            modal->accept();
        });
        QString shown;
        answerMessageBox(&shown);
        chooseFromMenu(panel.get(), "renameTabAction");
        QCOMPARE(shown, QStringLiteral("There is already a tab named \"Other\"."));

        openTab(panel.get(), 0);
        answerMessageBox(&shown, QMessageBox::No);
        chooseFromMenu(panel.get(), "clearTabAction");
        QCOMPARE(shown, QStringLiteral("Remove every swatch of \"Favorites\"?"));
        QCOMPARE(panel->gridOf(0)->count(), 2);
        answerMessageBox(&shown, QMessageBox::Yes);
        chooseFromMenu(panel.get(), "clearTabAction");
        QCOMPARE(panel->gridOf(0)->count(), 0);
        dialog.current = ColorValue(QColor(3, 3, 3));
        clickAdd(panel.get());
        QCOMPARE(cellOf(panel.get(), 0, swatch(panel.get(), 0, 0)), QPoint(0, 0));

        openTab(panel.get(), 2);
        answerMessageBox(&shown, QMessageBox::Yes);
        chooseFromMenu(panel.get(), "removeTabAction");
        QCOMPARE(tabSummary(panel->colorLists()),
                 QStringLiteral("Favorites 1, History 0, Other 1"));
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));
    }

    // Accepted colors go to the front of "History", not twice in a row, at most 80; with the
    // switch in the "S" menu off, nothing goes.
    void historyRemembersAcceptedColors()
    {
        auto panel = openPanel();
        for (int i = 1; i <= 81; ++i) {
            ColorListStore::rememberColor(panel.get(), QColor(i, 0, 0, 128));
        }
        ColorListStore::rememberColor(panel.get(), QColor(81, 0, 0));
        QCOMPARE(panel->gridOf(1)->count(), 80);
        QCOMPARE(swatch(panel.get(), 1, 0)->color(), QColor(81, 0, 0));
        QCOMPARE(swatch(panel.get(), 1, 79)->color(), QColor(2, 0, 0));
        QCOMPARE(cellOf(panel.get(), 1, swatch(panel.get(), 1, 79)), QPoint(4, 15));
        QCOMPARE(fileBytes(mainFile()), colorListFileText(panel->colorLists()));

        chooseFromMenu(panel.get(), "rememberColorsAction");
        QVERIFY(!ColorListStore::remembersColors());
        ColorListStore::rememberColor(panel.get(), QColor(7, 7, 7));
        ColorListStore::rememberColor(nullptr, QColor(7, 7, 7));
        QCOMPARE(swatch(panel.get(), 1, 0)->color(), QColor(81, 0, 0));
        QVERIFY(!storedSwatches().contains("History #070707"));
        chooseFromMenu(panel.get(), "rememberColorsAction");
        QVERIFY(ColorListStore::remembersColors());
    }

    // A picker without a panel writes the main file itself; an open panel of another picker
    // takes that in before its next change and keeps it.
    void historyWithoutPanel()
    {
        ColorListStore::rememberColor(nullptr, QColor(1, 2, 3));
        QCOMPARE(storedSwatches(),
                 QStringList({"Favorites #ffffff", "Favorites #000000", "Favorites #ff0000",
                              "Favorites #00ff00", "Favorites #0000ff", "History #010203"}));
        auto panel = openPanel();
        ColorListStore::rememberColor(nullptr, QColor(4, 5, 6));
        ColorListStore::rememberColor(panel.get(), QColor(7, 8, 9));
        QCOMPARE(storedSwatches().mid(5),
                 QStringList({"History #070809", "History #040506", "History #010203"}));
    }

    // Two pickers open at once on one main list file, found in any form. B stores colors and
    // A, which saw none of them, closes; a second A stores a color and B, which has not seen
    // it, makes one more change and closes. Every color either was given is still in the file.
    void twoPanelsKeepEveryColor_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("form");
        for (const char* change :
             {"add", "remove", "import", "clear", "rename tab", "remove tab"}) {
            for (const char* form :
                 {"our layout", "compact", "CRLF", "no History", "damaged", "missing"}) {
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(change, form)))
                    << QString::fromLatin1(change) << QString::fromLatin1(form);
            }
        }
    }

    void twoPanelsKeepEveryColor()
    {
        QFETCH(QString, change);
        QFETCH(QString, form);
        QStringList kept;
        QStringList gone;
        const QVector<ColorList> initial{{"Favorites", {{QColor(1, 1, 1), "f"}}},
                                         {"History", {{QColor(2, 2, 2), "h"}}}};
        if (form == QLatin1String("damaged")) {
            writeFile(mainFile(), "{\"colorList\": [");
        } else if (form == QLatin1String("no History")) {
            writeFile(mainFile(), colorListFileText({initial[0]}));
            kept << "Favorites #010101";
        } else if (form != QLatin1String("missing")) {
            QByteArray text = colorListFileText(initial);
            if (form == QLatin1String("compact")) {
                text = QJsonDocument(colorListsToJson(initial)).toJson(QJsonDocument::Compact);
            } else if (form == QLatin1String("CRLF")) {
                text.replace("\n", "\r\n");
            }
            writeFile(mainFile(), text);
            kept << "Favorites #010101"
                 << "History #020202";
        }
        const QString extra = folder() + QStringLiteral("/extra.json");
        writeFile(extra, colorListFileText({{"Extra", {{QColor(40, 50, 60), ""}}}}));
        const QString more = folder() + QStringLiteral("/more.json");
        writeFile(more, colorListFileText({{"More", {{QColor(100, 110, 120), ""}}}}));
        QString reason;

        RecordingServices servicesA;
        RecordingServices servicesB;
        auto panelA = openPanel(&servicesA);
        auto panelB = openPanel(&servicesB);
        QVERIFY(panelB->loadColorList(extra, reason));
        servicesB.current = ColorValue(QColor(10, 20, 30, 128));
        panelB->addCurrentColor();
        auto* translucent = swatch(panelB.get(), 0, panelB->gridOf(0)->count() - 1);
        panelA.reset();

        panelA = openPanel(&servicesA);
        servicesA.current = ColorValue(QColor(70, 80, 90));
        panelA->addCurrentColor();
        kept << "Favorites #0a141e"
             << "Favorites #46505a";

        if (change == QLatin1String("add")) {
            servicesB.current = ColorValue(QColor(100, 110, 120));
            panelB->addCurrentColor();
            kept << "Favorites #646e78";
        } else if (change == QLatin1String("remove")) {
            QTest::mouseClick(translucent, Qt::RightButton);
            kept.removeOne("Favorites #0a141e");
            gone << "Favorites #0a141e";
        } else if (change == QLatin1String("import")) {
            QVERIFY(panelB->loadColorList(more, reason));
            kept << "More #646e78";
        } else if (change == QLatin1String("rename tab")) {
            tabs(panelB.get())->setCurrentIndex(2);
            whenModalOpens(this, [](QDialog* modal) {
                qobject_cast<QInputDialog*>(modal)->setTextValue(QStringLiteral("Renamed"));
                modal->accept();
            });
            panelB->findChild<QAction*>(QStringLiteral("renameTabAction"))->trigger();
            kept << "Renamed #28323c";
        } else {
            tabs(panelB.get())->setCurrentIndex(2);
            QString asked;
            answerMessageBox(&asked, QMessageBox::Yes);
            panelB
                ->findChild<QAction*>(change == QLatin1String("clear")
                                          ? QStringLiteral("clearTabAction")
                                          : QStringLiteral("removeTabAction"))
                ->trigger();
            QVERIFY(asked.contains(QLatin1String("Extra")));
        }
        if (change == QLatin1String("clear") || change.endsWith(QLatin1String(" tab"))) {
            gone << "Extra #28323c";
        } else {
            kept << "Extra #28323c";
        }
        panelB.reset();
        panelA.reset();

        const QStringList stored = storedSwatches();
        for (const QString& swatch : kept) {
            QVERIFY2(stored.contains(swatch), qPrintable(swatch + " lost: " + stored.join(", ")));
        }
        for (const QString& swatch : gone) {
            QVERIFY2(!stored.contains(swatch), qPrintable(swatch + " kept: " + stored.join(", ")));
        }
    }

    // A main list file locked by another picker for longer than a picker waits, or one that
    // cannot be opened, is neither written over nor moved aside. The panel says why in a line
    // above its tabs, a picker without a panel says it in the listener, and their colors wait;
    // once the file can be written they join what another picker put there meanwhile.
    void colorsWaitForTheFile_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("problem");
        QTest::newRow("locked") << true << "is locked by another picker";
        QTest::newRow("cannot be opened") << false << "cannot be opened (Permission denied)";
    }

    void colorsWaitForTheFile()
    {
        QFETCH(bool, locked);
        QFETCH(QString, problem);
        const QVector<ColorList> initial{{"Favorites", {{QColor(1, 1, 1), "f"}}}, {"History", {}}};
        writeFile(mainFile(), colorListFileText(initial));
        const QByteArray before = fileBytes(mainFile());
        QLockFile otherPicker(mainFile() + QStringLiteral(".lock"));
        std::unique_ptr<UnopenableFile> unopenable;
        const int wait = ColorListStore::lockWait();
        ColorListStore::setLockWait(0);
        if (locked) {
            QVERIFY(otherPicker.lock());
        } else {
            unopenable = std::make_unique<UnopenableFile>(mainFile(), folder());
            QVERIFY(unopenable->unopenable());
        }

        auto panel = openPanel();
        auto* line = panel->findChild<QLabel*>(QStringLiteral("fileStateLbl"));
        dialog.current = ColorValue(QColor(10, 20, 30));
        clickAdd(panel.get());
        ColorListStore::rememberColor(nullptr, QColor(4, 5, 6));
        ColorListStore::setLockWait(wait);
        QVERIFY2(line->isVisible() && line->text().contains(problem), qPrintable(line->text()));
        QVERIFY2(HostRuntime::ListenerOutput().contains(problem),
                 qPrintable(HostRuntime::ListenerOutput()));

        // Another picker writes the file, and lets it be read again.
        const QVector<ColorList> other{
            {"Favorites", {{QColor(1, 1, 1), "f"}, {QColor(11, 11, 11), ""}}}, {"History", {}}};
        if (locked) {
            QCOMPARE(fileBytes(mainFile()), before);
            writeFile(mainFile(), colorListFileText(other));
            otherPicker.unlock();
        } else {
            unopenable->lift();
            QCOMPARE(fileBytes(mainFile()), before);
            writeFile(mainFile(), colorListFileText(other));
        }
        QCOMPARE(QDir(folder()).entryList({QStringLiteral("*.bak*")}), QStringList());

        // The host's shutdown writes what waits; so would the next accepted color.
        QVERIFY(ColorListStore::writeWaitingHistory());
        QVERIFY(storedSwatches().contains(QStringLiteral("History #040506")));
        ColorListStore::rememberColor(nullptr, QColor(7, 8, 9));
        panel->close();
        QVERIFY(line->isHidden());
        QCOMPARE(storedSwatches(),
                 QStringList({"Favorites #010101", "Favorites #0b0b0b", "Favorites #0a141e",
                              "History #070809", "History #040506"}));
    }
};

QTEST_MAIN(tst_ColorSwatchListWidget)
#include "tst_ColorSwatchListWidget.moc"
