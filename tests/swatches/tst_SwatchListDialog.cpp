#include "ModalSupport.h"
#include "TestHost.h"

#include "fields/ColorField.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"

#include "host/services/SettingsStore.h"
#include "swatches/ColorSwatchButton.h"
#include "swatches/ColorSwatchListWidget.h"
#include "swatches/files/ColorListFile.h"

#include <QClipboard>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <memory>

// The swatch panel inside real, shown dialogs: the swatches button, the dialog's width, picks and
// additions, the list file across openings and across two dialogs open at once.
class tst_SwatchListDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;

    static ColorDorvoDialog* show(ColorDorvoDialog* dialog)
    {
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog)) {
            qFatal("dialog not shown");
        }
        return dialog;
    }

    static QPushButton* button(QWidget* parent, const char* name)
    {
        auto* found = parent->findChild<QPushButton*>(QLatin1String(name));
        if (!found) {
            qFatal("no %s", name);
        }
        return found;
    }

    static ColorSwatchListWidget* panelOf(ColorDorvoDialog* dialog)
    {
        return dialog->findChild<ColorSwatchListWidget*>();
    }

    static QVector<ColorList> storedLists()
    {
        QFile file(ColorListPath());
        QVector<ColorList> lists;
        QString reason;
        if (!file.open(QIODevice::ReadOnly) || !parseColorListFile(file.readAll(), lists, reason)) {
            qFatal("no readable list file");
        }
        return lists;
    }

    static QVector<ColorList> storedListsOrNone()
    {
        return QFile::exists(ColorListPath()) ? storedLists() : QVector<ColorList>();
    }

    static QStringList favorites(const QVector<ColorList>& lists)
    {
        QStringList names;
        for (const ColorList::Swatch& swatch : lists[0].swatches) {
            names << (swatch.name.isEmpty() ? swatch.color.name() : swatch.name);
        }
        return names;
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        HostRuntime::ClearOutput();
    }

    void cleanup() { host.reset(); }

    void swatchesButtonWidensAndNarrows()
    {
        ColorDorvoDialog* dialog = show(host->open(QColor(12, 34, 56)));
        QPushButton* swatches = button(dialog, "swatchesBtn");
        // Built the first time it is shown: an opening without it leaves the list file alone.
        QVERIFY(!panelOf(dialog));
        QVERIFY(!QFile::exists(ColorListPath()));
        QCOMPARE(swatches->text(), QStringLiteral("v"));
        const QSize closed = dialog->size();

        QTest::mouseClick(swatches, Qt::LeftButton);
        ColorSwatchListWidget* panel = panelOf(dialog);
        QVERIFY(panel && panel->isVisible());
        QVERIFY(QFile::exists(ColorListPath()));
        auto* base = dialog->findChild<QHBoxLayout*>(QStringLiteral("baseHLayout"));
        QCOMPARE(base->indexOf(panel), base->count() - 1);
        const int step = panel->width() + base->spacing();
        QCOMPARE(swatches->text(), QStringLiteral(">"));
        QCOMPARE(dialog->width(), closed.width() + step);
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        // Whole, right of the swatches button.
        QVERIFY(dialog->rect().contains(panel->geometry()));
        QVERIFY(panel->geometry().left() >
                swatches->mapTo(dialog, swatches->rect().topRight()).x());

        QTest::mouseClick(swatches, Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QCOMPARE(swatches->text(), QStringLiteral("v"));
        QCOMPARE(dialog->size(), closed);

        // The next opening restores the open panel.
        QTest::mouseClick(swatches, Qt::LeftButton);
        host->dialog.reset();
        dialog = show(host->open(QColor(12, 34, 56)));
        QVERIFY(panelOf(dialog)->isVisible());
        QCOMPARE(button(dialog, "swatchesBtn")->text(), QStringLiteral(">"));
        QCOMPARE(dialog->width(), closed.width() + step);
    }

    void addAndPickThroughTheDialog()
    {
        ColorDorvoDialog* dialog = show(host->open(QColor(12, 34, 56, 200)));
        QTest::mouseClick(button(dialog, "swatchesBtn"), Qt::LeftButton);
        ColorSwatchListWidget* panel = panelOf(dialog);
        QTest::mouseClick(button(panel, "addCurrentColorBtn"), Qt::LeftButton);
        QCOMPARE(favorites(storedLists()).last(), QStringLiteral("#0c2238"));

        auto* red = qobject_cast<ColorSwatchButton*>(panel->gridOf(0)->itemAt(2)->widget());
        QCOMPARE(red->name(), QStringLiteral("red"));
        QTest::mouseClick(red, Qt::LeftButton);
        QCOMPARE(dialog->GetCurrentQColor(), QColor(255, 0, 0));
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("hexEditLine"))->text().toUpper(),
                 QStringLiteral("FF0000"));
        // A pick is news for the host only at the next notifying change.
        QCOMPARE(host->callback.changedCount(), 0);
    }

    // Opening the swatch panel after a hand edit that broke the file must not wipe it.
    void damagedListSurvivesAnOpening()
    {
        const QByteArray damaged = R"({"colorList": [{"name": "Favorites", "colors": [
            {"red": 1, "green": 2, "blue": 3, "name": "mine"},]}]})";
        {
            QFile file(ColorListPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        QTest::mouseClick(button(show(host->open(Qt::gray)), "swatchesBtn"), Qt::LeftButton);
        host->dialog.reset();
        QFile backup(ColorListPath() + QStringLiteral(".bak"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), damaged);
        QVERIFY(
            HostRuntime::DebugOutput().contains(QStringLiteral("ColorDorvoColorList.json.bak")));
        QCOMPARE(storedLists().size(), 2);
    }

    // A modal and a modeless picker open at once: a color added in one survives the other's
    // saves, whichever closes last.
    void twoDialogsKeepEachOthersSwatches()
    {
        ColorDorvoDialog* first = show(host->open(QColor(200, 0, 0)));
        RecordingCallback secondCallback;
        auto second =
            std::make_unique<ColorDorvoDialog>(&host->mainWindow, QColor(0, 0, 200), 0,
                                               &secondCallback, nullptr, QStringLiteral("Second"));
        show(second.get());
        QTest::mouseClick(button(first, "swatchesBtn"), Qt::LeftButton);
        QTest::mouseClick(button(second.get(), "swatchesBtn"), Qt::LeftButton);

        QTest::mouseClick(button(panelOf(first), "addCurrentColorBtn"), Qt::LeftButton);
        // The second panel, which never saw that color, closes and saves.
        QTest::mouseClick(button(second.get(), "swatchesBtn"), Qt::LeftButton);
        QCOMPARE(favorites(storedLists()).last(), QStringLiteral("#c80000"));

        QTest::mouseClick(button(second.get(), "swatchesBtn"), Qt::LeftButton);
        QTest::mouseClick(button(panelOf(second.get()), "addCurrentColorBtn"), Qt::LeftButton);
        second.reset();
        host->dialog.reset();
        QCOMPARE(favorites(storedLists()).mid(5),
                 (QStringList{QStringLiteral("#c80000"), QStringLiteral("#0000c8")}));
    }

    // Ok and a host closing a changed modeless picker fill "History"; Cancel and closing an
    // unchanged picker do not.
    void historyFillsOnAccept()
    {
        auto history = [] {
            QStringList colors;
            const QVector<ColorList> lists = storedLists();
            for (const ColorList::Swatch& swatch : lists[1].swatches) {
                colors << swatch.color.name();
            }
            return colors;
        };
        ColorDorvoDialog* dialog = show(host->open(QColor(200, 0, 0)));
        QTest::mouseClick(button(dialog, "acceptBtn"), Qt::LeftButton);
        QCOMPARE(history(), QStringList{"#c80000"});

        dialog = show(host->open(QColor(0, 0, 200)));
        QTest::mouseClick(button(dialog, "cancelBtn"), Qt::LeftButton);
        dialog = show(host->open(QColor(0, 0, 200)));
        dialog->Destroy();
        QCOMPARE(history(), QStringList{"#c80000"});

        dialog = show(host->open(QColor(0, 0, 200)));
        dialog->ModifyColor(DWORD(0x00804020));
        dialog->Destroy();
        QCOMPARE(history(), (QStringList{"#204080", "#c80000"}));
    }

    // "History" gains a color on a modeless close only when the host holds that color: the last
    // one it was told, not one only shown in the picker.
    void historyHoldsWhatTheHostGot_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* path : {"typed, reported", "typed, report pending", "field drag",
                                 "palette tile", "stored swatch", "reset", "eyedropper", "paste"})
            QTest::newRow(path) << QString::fromLatin1(path);
    }

    void historyHoldsWhatTheHostGot()
    {
        QFETCH(QString, path);
        const QColor initial(200, 0, 0);
        ColorDorvoDialog* dialog = show(host->open(initial));
        auto* field = dialog->findChild<ColorField*>();
        QVERIFY(field && field->isVisible());
        if (path.startsWith(QLatin1String("typed"))) {
            dialog->findChild<QSpinBox*>(QStringLiteral("greenIntSpinner"))->setValue(90);
            // The report waits for the debounce timer, the one timer now running at 500 ms.
            QTimer* timer = nullptr;
            for (QTimer* candidate : dialog->findChildren<QTimer*>()) {
                if (candidate->isActive() && candidate->interval() == 500)
                    timer = candidate;
            }
            QVERIFY(timer);
            if (path == QLatin1String("typed, reported"))
                QVERIFY(QTest::qWaitFor([&] { return !timer->isActive(); }, 5000));
        } else if (path == QLatin1String("field drag") || path == QLatin1String("reset")) {
            QTest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseMove(field, QPoint(30, 40));
            QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(30, 40));
            if (path == QLatin1String("reset"))
                QTest::mouseClick(button(dialog, "resetBtn"), Qt::LeftButton);
        } else if (path == QLatin1String("palette tile")) {
            auto* strip = dialog->findChild<ColorPaletteLayout*>();
            QTest::mouseClick(strip->palette(0)->step(1), Qt::LeftButton);
        } else if (path == QLatin1String("stored swatch")) {
            QTest::mouseClick(button(dialog, "swatchesBtn"), Qt::LeftButton);
            auto* favorite = qobject_cast<ColorSwatchButton*>(
                panelOf(dialog)->gridOf(ColorSwatchListWidget::FavoritesTab)->itemAt(1)->widget());
            QTest::mouseClick(favorite, Qt::LeftButton);
        } else if (path == QLatin1String("eyedropper")) {
            whenModalOpens(this, [](QDialog* overlay) {
                QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(3, 3));
            });
            QTest::mouseClick(button(dialog, "pickColorBtn"), Qt::LeftButton);
        } else if (path == QLatin1String("paste")) {
            QGuiApplication::clipboard()->setText(QStringLiteral("#123456"));
            QTest::keyClick(dialog, Qt::Key_V, Qt::ControlModifier);
        }
        QVERIFY2(dialog->GetCurrentQColor() != initial || path == QLatin1String("reset"),
                 "the path changed no color");

        QColor heard = initial;
        for (const auto& note : host->callback.notifications) {
            if (note.kind == RecordingCallback::Notification::Changed)
                heard = QColor::fromRgbF(note.color.r, note.color.g, note.color.b);
        }
        dialog->Destroy();
        QStringList history;
        for (const ColorList& list : storedListsOrNone()) {
            if (list.name == QLatin1String("History")) {
                for (const ColorList::Swatch& swatch : list.swatches)
                    history << swatch.color.name();
            }
        }
        QCOMPARE(history, heard == initial ? QStringList() : QStringList{heard.name()});
    }
};

QTEST_MAIN(tst_SwatchListDialog)
#include "tst_SwatchListDialog.moc"
