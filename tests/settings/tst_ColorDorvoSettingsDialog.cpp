#include "ModalSupport.h"
#include "TestHost.h"

#include "host/services/SettingsStore.h"
#include "settings/ColorDorvoSettingsDialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const char* const kKeys[] = {"HsvExpanded", "RgbExpanded", "CieLabExpanded"};
const char* const kBoxes[] = {"hsvModeChkbx", "rgbModeChkbx", "cieLabModeChkbx"};

QVariant stored(const char* key)
{
    QVariant value;
    ReadSetting(QStringLiteral("ColorDorvoDialog"), QString::fromLatin1(key), value);
    return value;
}

} // namespace

// The settings dialog runs within its construction, so each test acts on it from inside its
// event loop and checks what it left behind.
class tst_ColorDorvoSettingsDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;

    // Opens the dialog over the host's window, runs `action` on it while it is shown.
    void run(std::function<void(QDialog*)> action)
    {
        bool ran = false;
        whenModalOpens(this, [&ran, action](QDialog* dialog) {
            ran = true;
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            action(dialog);
            // Whatever the action did, the test must not hang in the dialog's loop.
            if (dialog->isVisible())
                dialog->close();
        });
        const ColorDorvoSettingsDialog dialog(&host->mainWindow);
        QVERIFY(ran);
        QVERIFY(!dialog.isVisible());
    }

private slots:
    void init() { host = std::make_unique<TestHost>(); }
    void cleanup() { host.reset(); }

    void showsVersionAndStoredChoices_data();
    void showsVersionAndStoredChoices();
    void writesOnlyOnApply_data();
    void writesOnlyOnApply();
};

void tst_ColorDorvoSettingsDialog::showsVersionAndStoredChoices_data()
{
    QTest::addColumn<QVariantList>("stored");
    QTest::addColumn<QList<bool>>("checked");
    const QVariant none;
    QTest::newRow("nothing stored")
        << QVariantList{none, none, none} << QList<bool>{false, false, false};
    QTest::newRow("rgb only") << QVariantList{false, true, false}
                              << QList<bool>{false, true, false};
    QTest::newRow("all, as text") << QVariantList{"true", "true", "true"}
                                  << QList<bool>{true, true, true};
    QTest::newRow("not a bool") << QVariantList{"0", "false", ""}
                                << QList<bool>{false, false, false};
}

void tst_ColorDorvoSettingsDialog::showsVersionAndStoredChoices()
{
    QFETCH(QVariantList, stored);
    QFETCH(QList<bool>, checked);
    for (int i = 0; i < 3; ++i) {
        if (stored[i].isValid())
            WriteSetting(QStringLiteral("ColorDorvoDialog"), QString::fromLatin1(kKeys[i]),
                         stored[i]);
    }
    run([&](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("ColorDorvoSettingsDialog"));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(dialog->findChild<QCheckBox*>(kBoxes[i])->isChecked(), checked[i]);
        auto* version = dialog->findChild<QLabel*>("colorDorvoVersionLbl");
        QCOMPARE(version->text(), QStringLiteral("Color Dorvo Color Picker version: 0.3.1"));
        QCOMPARE(version->styleSheet(), QStringLiteral("font-weight: bold"));
        QCOMPARE(version->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(dialog->findChild<QGroupBox*>("colorModesGrp")->title(),
                 QStringLiteral("Expanded Color Modes"));
        // Fixed at the form's size, no "?" button, and nothing squeezed.
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QCOMPARE(dialog->size(), dialog->minimumSize());
        QCOMPARE(dialog->size(), QSize(331, 143).expandedTo(dialog->layout()->totalMinimumSize()));
    });
}

void tst_ColorDorvoSettingsDialog::writesOnlyOnApply_data()
{
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<bool>("apply");
    QTest::newRow("rgb, apply") << "rgb" << true;
    QTest::newRow("hsv and lab, apply") << "hsv cieLab" << true;
    QTest::newRow("none, apply") << "" << true;
    QTest::newRow("rgb, closed") << "rgb" << false;
    QTest::newRow("all, closed") << "hsv rgb cieLab" << false;
}

void tst_ColorDorvoSettingsDialog::writesOnlyOnApply()
{
    QFETCH(QString, boxes);
    QFETCH(bool, apply);
    QStringList ticked = boxes.split(QLatin1Char(' '));
    ticked.removeAll(QString());
    run([&](QDialog* dialog) {
        for (const QString& box : ticked) {
            auto* check = dialog->findChild<QCheckBox*>(box + QStringLiteral("ModeChkbx"));
            QTest::mouseClick(check, Qt::LeftButton, Qt::NoModifier,
                              QPoint(8, check->height() / 2));
            QVERIFY(check->isChecked());
        }
        if (apply)
            QTest::mouseClick(dialog->findChild<QPushButton*>("applyBtn"), Qt::LeftButton);
        else
            QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
    });
    const QString names[] = {QStringLiteral("hsv"), QStringLiteral("rgb"),
                             QStringLiteral("cieLab")};
    for (int i = 0; i < 3; ++i) {
        const QVariant value = stored(kKeys[i]);
        if (apply)
            QCOMPARE(value.toBool(), ticked.contains(names[i]));
        else
            QVERIFY2(!value.isValid(), kKeys[i]);
    }
}

QTEST_MAIN(tst_ColorDorvoSettingsDialog)
#include "tst_ColorDorvoSettingsDialog.moc"
