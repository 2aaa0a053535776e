#include "TestHost.h"

#include "dialog/BackdropCache.h"
#include "dialog/ColorDorvoDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSpinBox>
#include <QWindow>
#include <QtTest>

#include <memory>

// The dialog on a real window system: what it looks like, and keys going through the
// real focus chain.
class tst_DialogOnDisplay : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    ColorDorvoDialog* dialog = nullptr;

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        QVERIFY(host->configDir.isValid());
        dialog = host->open(QColor(255, 128, 0));
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }
    void cleanup()
    {
        dialog = nullptr;
        host.reset();
    }

    void showsTheWholeForm()
    {
        const QImage shot = dialog->grab().toImage();
        QCOMPARE(shot.size(), dialog->size() * dialog->devicePixelRatioF());
        // COLORDORVO_SCREENSHOT names a file to keep the picture in for a look.
        const QString keep = qEnvironmentVariable("COLORDORVO_SCREENSHOT");
        if (!keep.isEmpty())
            QVERIFY(shot.save(keep));

        auto* current = dialog->findChild<QLabel*>(QStringLiteral("currentColorLbl"));
        const QPoint centre = current->mapTo(dialog, current->rect().center());
        QCOMPARE(QColor(shot.pixel(centre)), QColor(255, 128, 0));
        auto* initial = dialog->findChild<QLabel*>(QStringLiteral("initColorLbl"));
        QCOMPARE(QColor(shot.pixel(initial->mapTo(dialog, initial->rect().center()))),
                 QColor(255, 128, 0));
        for (const char* name : {"hsvGrpBox", "rgbGrpBox", "cieLabGrpBox", "cmykGrpBox",
                                 "temperatureGrpBox", "alphaGrpBox", "hexColorGrpBox",
                                 "colorPaletteWidget", "colorFieldComboBox", "acceptBtn"}) {
            auto* widget = dialog->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(widget && widget->isVisible(), name);
            QVERIFY2(
                dialog->rect().contains(QRect(widget->mapTo(dialog, QPoint()), widget->size())),
                name);
        }
    }

    // The spinners and the hex line repaint over a snapshot of their group boxes instead of the
    // group boxes themselves: after a series of such repaints the window must look exactly as
    // it does when everything is painted the ordinary way.
    void spinnersRepaintOverTheirGroupBoxes()
    {
        const auto screenShot = [this] {
            QApplication::processEvents();
            QTest::qWait(50);
            return dialog->windowHandle()
                ->screen()
                ->grabWindow(dialog->winId(), 0, 0, dialog->width(), dialog->height())
                .toImage();
        };
        auto* red = dialog->findChild<QSpinBox*>(QStringLiteral("redIntSpinner"));
        for (const int value : {10, 200, 33}) {
            red->setValue(value);
            screenShot();
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("hexEditLine"))->setFocus();
        const QImage cached = screenShot();

        const QList<BackdropCache*> caches = dialog->findChildren<BackdropCache*>();
        QVERIFY(caches.size() >= 15);
        for (BackdropCache* cache : caches) {
            qobject_cast<QWidget*>(cache->parent())->setAttribute(Qt::WA_OpaquePaintEvent, false);
            delete cache;
        }
        dialog->repaint();
        const QImage plain = screenShot();
        QCOMPARE(cached.size(), plain.size());
        QVERIFY(cached == plain);
    }

    void returnInFocusedSpinnerKeepsDialogOpen()
    {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* red = dialog->findChild<QSpinBox*>(QStringLiteral("redIntSpinner"));
        red->setFocus();
        QVERIFY(QTest::qWaitFor([red] { return red->hasFocus(); }));
        red->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->result(), 0);
        QCOMPARE(dialog->GetCurrentRgb().red(), 12);
    }
};

QTEST_MAIN(tst_DialogOnDisplay)
#include "tst_DialogOnDisplay.moc"
