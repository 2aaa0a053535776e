#include "DialogSupport.h"
#include "ModalSupport.h"
#include "TestHost.h"

#include "color/ColorChannel.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorSlider.h"
#include "host/services/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolTip>
#include <QWhatsThis>
#include <QtTest>

#include <memory>

namespace {

// The three expandable groups in the order the column keeps them.
const char* const kGroups[] = {"hsvGrpBox", "rgbGrpBox", "cieLabGrpBox"};

ColorChannel groupCode(QChar letter)
{
    return letter == QLatin1Char('H')   ? ColorChannel::HsvGroup
           : letter == QLatin1Char('R') ? ColorChannel::RgbGroup
                                        : ColorChannel::LabGroup;
}

int groupIndex(QChar letter)
{
    return letter == QLatin1Char('H') ? 0 : letter == QLatin1Char('R') ? 1 : 2;
}

// The object names of the widgets a layout holds, in order.
QStringList widgetsOf(const QLayout* layout)
{
    QStringList names;
    for (int i = 0; i < layout->count(); ++i) {
        if (QWidget* widget = layout->itemAt(i)->widget())
            names << widget->objectName();
    }
    return names;
}

} // namespace

// The spinner column's expandable groups, the size that follows them, and the settings dialog
// behind the title bar's "?" button.
class tst_DialogLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    QPointer<ColorDorvoDialog> dialog;

    void open()
    {
        dialog = host->open(QColor(10, 200, 30));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
    }
    template <typename T> T* find(const char* name) const { return childNamed<T>(dialog, name); }
    // Where every group stands for the given expanded groups, which sliders exist, and that the
    // dialog is fixed at a size its layout fits in.
    void verifyLayout(const bool expanded[3]) const
    {
        QStringList column, left;
        for (int g = 0; g < 3; ++g)
            (expanded[g] ? column : left) << QString::fromLatin1(kGroups[g]);
        const bool any = expanded[0] || expanded[1] || expanded[2];
        QStringList right{"temperatureGrpBox", "alphaGrpBox", "hexColorGrpBox"};
        (any ? left : right).insert(any ? left.size() : 0, QStringLiteral("cmykGrpBox"));
        QCOMPARE(widgetsOf(find<QLayout>("colorSpinnersVLayout")), column);
        QCOMPARE(widgetsOf(find<QLayout>("spinnersLeftVLayout")), left);
        QCOMPARE(widgetsOf(find<QLayout>("spinnersRightVLayout")), right);
        // The column keeps the sRGB row above the groups and the two columns below them.
        auto* columnLayout = find<QLayout>("colorSpinnersVLayout");
        QCOMPARE(columnLayout->itemAt(0)->layout()->objectName(),
                 QStringLiteral("colorSpnChangeHLayout"));
        QCOMPARE(columnLayout->itemAt(column.size() + 1)->layout()->objectName(),
                 QStringLiteral("colorSpinnersHLayout"));

        int sliders = 1;
        for (int g = 0; g < 3; ++g) {
            const auto inGroup = find<QGroupBox>(kGroups[g])->findChildren<ColorSlider*>();
            QCOMPARE(inGroup.size(), expanded[g] ? 3 : 0);
            sliders += inGroup.size();
            for (ColorSlider* slider : inGroup)
                QCOMPARE(slider->size(), QSize(145, 20));
        }
        QCOMPARE(dialog->findChildren<ColorSlider*>().size(), sliders);

        QCOMPARE(dialog->minimumSize(), dialog->size());
        QCOMPARE(dialog->maximumSize(), dialog->size());
        QCOMPARE(dialog->size(), dialog->size().expandedTo(dialog->layout()->totalMinimumSize()));
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        HostRuntime::ClearOutput();
    }
    void cleanup()
    {
        dialog.clear();
        host.reset();
    }

    void groupsMoveInOrder_data();
    void groupsMoveInOrder();
    void badGroupCodeOnlyFitsSize();
    void helpButtonOpensSettings();
    void helpButtonWhileTooltipShown();
    void groupsStandOffButtons_data();
    void groupsStandOffButtons();
    void spinnerFieldsLineUp_data();
    void spinnerFieldsLineUp();
    void pasteRefusalShownWhole_data();
    void pasteRefusalShownWhole();
    void swatchPanelWidensByItsWidth_data();
    void swatchPanelWidensByItsWidth();
    void canvasControlsGiveBackHeight_data();
    void canvasControlsGiveBackHeight();
};

void tst_DialogLayout::groupsMoveInOrder_data()
{
    // "+H" expands HSV, "-R" collapses RGB, "L" is CIE-Lab. Every order of expanding the three
    // groups followed by every order of collapsing them, and repeats that change nothing.
    QTest::addColumn<QString>("steps");
    const QStringList orders{"HRL", "HLR", "RHL", "RLH", "LHR", "LRH"};
    for (const QString& up : orders) {
        for (const QString& down : orders) {
            QString steps;
            for (QChar g : up)
                steps += QStringLiteral("+%1 ").arg(g);
            for (QChar g : down)
                steps += QStringLiteral("-%1 ").arg(g);
            QTest::newRow(qPrintable(up + QLatin1Char('/') + down)) << steps.trimmed();
        }
    }
    QTest::newRow("repeats") << "-H +R +R -H -L +L +L -R -R -L -L";
    QTest::newRow("one at a time") << "+L -L +H -H +R -R";
}

void tst_DialogLayout::groupsMoveInOrder()
{
    QFETCH(QString, steps);
    open();
    bool expanded[3] = {false, false, false};
    verifyLayout(expanded);
    const QSize compact = dialog->size();
    for (const QString& step : steps.split(QLatin1Char(' '))) {
        const QChar group = step.at(1);
        if (step.at(0) == QLatin1Char('+'))
            dialog->ExpandColorGroup(groupCode(group));
        else
            dialog->CollapseColorGroup(groupCode(group));
        expanded[groupIndex(group)] = step.at(0) == QLatin1Char('+');
        verifyLayout(expanded);
        if (QTest::currentTestFailed()) {
            qWarning("after step %s of %s", qPrintable(step), qPrintable(steps));
            return;
        }
    }
    // All compact again: the dialog is back at its size.
    QCOMPARE(dialog->size(), compact);
    QVERIFY(!HostRuntime::DebugOutput().contains(QStringLiteral("valid color space")));
}

void tst_DialogLayout::badGroupCodeOnlyFitsSize()
{
    open();
    dialog->ExpandColorGroup(ColorChannel::HsvGroup);
    const QSize size = dialog->size();
    HostRuntime::ClearOutput();
    dialog->ExpandColorGroup(ColorChannel::Red);
    dialog->CollapseColorGroup(ColorChannel::CmykGroup);
    QCOMPARE(HostRuntime::DebugOutput(), QStringLiteral("Didn't get a valid color space type\n"
                                                        "Didn't get a valid color space type\n"));
    const bool expanded[3] = {true, false, false};
    verifyLayout(expanded);
    QCOMPARE(dialog->size(), size);
}

void tst_DialogLayout::helpButtonOpensSettings()
{
    open();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    const QSize compact = dialog->size();
    // The title bar's "?" enters the help mode; the picker opens its settings instead.
    bool opened = false;
    whenModalOpens(this, [&opened](QDialog* settings) {
        opened = settings->objectName() == QStringLiteral("ColorDorvoSettingsDialog");
        for (const char* box : {"rgbModeChkbx", "cieLabModeChkbx"})
            settings->findChild<QCheckBox*>(box)->setChecked(true);
        QTest::mouseClick(settings->findChild<QPushButton*>("applyBtn"), Qt::LeftButton);
    });
    QWhatsThis::enterWhatsThisMode();
    // Qt tells every window of the help mode in turn: the settings open once it is done.
    QVERIFY(!QWhatsThis::inWhatsThisMode());
    QVERIFY(!opened);
    QTRY_VERIFY(opened);
    const bool chosen[3] = {false, true, true};
    verifyLayout(chosen);
    QVERIFY(dialog->height() > compact.height());
    // Each new slider stands beside its own channel's spinner and shows the current color.
    const std::pair<const char*, ColorChannel> rows[] = {
        {"redHLayout", ColorChannel::Red},    {"greenHLayout", ColorChannel::Green},
        {"blueHLayout", ColorChannel::Blue},  {"lHLayout", ColorChannel::Lightness},
        {"aHLayout", ColorChannel::RedGreen}, {"bHLayout", ColorChannel::BlueYellow},
    };
    for (const auto& [name, channel] : rows) {
        auto* row = find<QLayout>(name);
        auto* slider = qobject_cast<ColorSlider*>(row->itemAt(row->count() - 1)->widget());
        QVERIFY2(slider, name);
        QCOMPARE(slider->shownChannel(), channel);
        QVERIFY(slider->shownColor() == dialog->GetCurrentColorValue());
    }

    // The choice holds at the next opening, through the file as after a restart.
    host->dialog.reset();
    CloseSettingsStore();
    OpenSettingsStore();
    open();
    verifyLayout(chosen);

    // Closed without Apply, the settings dialog changes nothing.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    bool closed = false;
    whenModalOpens(this, [&closed](QDialog* settings) {
        settings->findChild<QCheckBox*>("rgbModeChkbx")->setChecked(false);
        QTest::keyClick(settings, Qt::Key_Escape);
        closed = true;
    });
    QWhatsThis::enterWhatsThisMode();
    QTRY_VERIFY(closed);
    verifyLayout(chosen);
    QVERIFY(dialog->isVisible());
}

void tst_DialogLayout::helpButtonWhileTooltipShown()
{
    // A tooltip closes and deletes itself when the settings dialog takes the focus, while Qt
    // is still telling each window of the help mode. Which window hears first varies, so the
    // press is repeated.
    open();
    for (int i = 0; i < 12; ++i) {
        QVERIFY(showActive(dialog));
        QToolTip::showText(dialog->mapToGlobal(QPoint(20, 20)), QStringLiteral("Tip %1").arg(i),
                           dialog);
        QPointer<QWidget> tip;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->inherits("QTipLabel"))
                tip = window;
        }
        QVERIFY(tip);
        bool applied = false;
        whenModalOpens(this, [&applied, &tip](QDialog* settings) {
            QToolTip::hideText();
            QTRY_VERIFY(!tip);
            QTest::mouseClick(settings->findChild<QPushButton*>("applyBtn"), Qt::LeftButton);
            applied = true;
        });
        QWhatsThis::enterWhatsThisMode();
        QTRY_VERIFY(applied);
        QVERIFY(!QWhatsThis::inWhatsThisMode());
    }
}

namespace {

// Rows of the groups to expand: "" none, "HRL" all three.
void addExpandedRows()
{
    QTest::addColumn<QString>("expanded");
    for (const char* groups : {"", "H", "R", "L", "RL", "HRL"})
        QTest::newRow(*groups ? groups : "compact") << QString::fromLatin1(groups);
}

QRect rectIn(const QWidget* widget, const QWidget* window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

} // namespace

void tst_DialogLayout::groupsStandOffButtons_data()
{
    addExpandedRows();
}

void tst_DialogLayout::groupsStandOffButtons()
{
    QFETCH(QString, expanded);
    open();
    for (QChar group : expanded)
        dialog->ExpandColorGroup(groupCode(group));
    // At least as far as the groups stand from each other.
    const int gap = find<QLayout>("spinnersRightVLayout")->spacing();
    QVERIFY(gap > 0);
    const int buttonsTop = rectIn(find<QPushButton>("acceptBtn"), dialog).top();
    QCOMPARE(rectIn(find<QPushButton>("cancelBtn"), dialog).top(), buttonsTop);
    for (QGroupBox* box : dialog->findChildren<QGroupBox*>()) {
        const int bottom = rectIn(box, dialog).bottom();
        QVERIFY2(buttonsTop - bottom - 1 >= gap,
                 qPrintable(QStringLiteral("%1 ends at %2, Ok starts at %3")
                                .arg(box->objectName())
                                .arg(bottom)
                                .arg(buttonsTop)));
    }
}

void tst_DialogLayout::spinnerFieldsLineUp_data()
{
    addExpandedRows();
}

void tst_DialogLayout::spinnerFieldsLineUp()
{
    QFETCH(QString, expanded);
    open();
    for (QChar group : expanded)
        dialog->ExpandColorGroup(groupCode(group));
    // Groups that start at one x (the expanded ones and the left column, and the right column)
    // have the fields of their channel rows start at one x too.
    QMap<int, QMap<int, QStringList>> fieldsByColumn;
    QList<QWidget*> fields{find<QWidget>("temperatureSpinner")};
    for (QStackedWidget* stack : dialog->findChildren<QStackedWidget*>()) {
        if (stack->objectName().endsWith(QLatin1String("StackedSpinners")))
            fields << stack;
    }
    for (QWidget* field : qAsConst(fields)) {
        auto* box = qobject_cast<QGroupBox*>(field->parentWidget());
        QVERIFY2(box, qPrintable(field->objectName()));
        fieldsByColumn[rectIn(box, dialog).left()][rectIn(field, dialog).left()]
            << field->objectName();
    }
    QCOMPARE(fieldsByColumn.size(), 2);
    for (const auto& lefts : qAsConst(fieldsByColumn)) {
        QString where;
        for (auto left = lefts.begin(); left != lefts.end(); ++left)
            where += QStringLiteral(" %1: %2").arg(left.key()).arg(left.value().join(' '));
        QVERIFY2(lefts.size() == 1, qPrintable(where));
    }
}

void tst_DialogLayout::pasteRefusalShownWhole_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("pasted");
    // The longest reasons the reader gives, on the square field and beside the canvas controls.
    for (int page : {0, 3}) {
        const QString name = QStringLiteral("page %1, ").arg(page);
        QTest::newRow(qPrintable(name + "no color")) << page << "nothing at all";
        QTest::newRow(qPrintable(name + "function")) << page << "abcdefghijklmnop(1, 2, 3)";
    }
}

void tst_DialogLayout::pasteRefusalShownWhole()
{
    QFETCH(int, page);
    QFETCH(QString, pasted);
    open();
    find<QComboBox>("colorFieldComboBox")->setCurrentIndex(page);
    const QSize size = dialog->size();
    auto* data = new QMimeData;
    data->setText(pasted);
    QGuiApplication::clipboard()->setMimeData(data);
    auto* reset = find<QPushButton>("resetBtn");
    reset->setFocus();
    QTest::keySequence(reset, QKeySequence::keyBindings(QKeySequence::Paste).first());

    auto* status = find<QLabel>("pasteStatusLbl");
    QVERIFY(status->isVisible());
    QVERIFY(status->text().startsWith(QStringLiteral("Cannot paste: ")));
    QCOMPARE(status->text(), status->toolTip());
    // Every line of it has room, none of it under a neighbour, and the dialog keeps its size.
    QTRY_VERIFY(status->height() >= status->heightForWidth(status->width()));
    QVERIFY(status->fontMetrics().horizontalAdvance(status->text()) > status->width());
    const QRect line = rectIn(status, dialog);
    QVERIFY(dialog->rect().contains(line));
    for (const char* neighbour : {"initColorTextLbl", "currentColorTextLbl", "pickColorBtn",
                                  "brushSizeSpn", "clearCanvasBtn"}) {
        auto* widget = find<QWidget>(neighbour);
        if (widget->isVisible())
            QVERIFY2(!rectIn(widget, dialog).intersects(line), neighbour);
    }
    QCOMPARE(dialog->size(), size);
}

namespace {

// Stores the choices an opening reads: the expanded groups ("HRL" all three), the swatch panel
// and the color field page.
void storeChoices(const QString& expanded, bool swatchList, int page = 0)
{
    const QString group = QStringLiteral("ColorDorvoDialog");
    WriteSetting(group, QStringLiteral("HsvExpanded"), expanded.contains(QLatin1Char('H')));
    WriteSetting(group, QStringLiteral("RgbExpanded"), expanded.contains(QLatin1Char('R')));
    WriteSetting(group, QStringLiteral("CieLabExpanded"), expanded.contains(QLatin1Char('L')));
    WriteSetting(group, QStringLiteral("SwatchList"), swatchList);
    WriteSetting(group, QStringLiteral("ColorField"), page);
}

// The width of every spinner group, by name.
QMap<QString, int> groupWidths(const QWidget* dialog)
{
    QMap<QString, int> widths;
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>())
        widths[box->objectName()] = box->width();
    return widths;
}

} // namespace

void tst_DialogLayout::swatchPanelWidensByItsWidth_data()
{
    QTest::addColumn<QString>("expanded");
    for (const char* groups : {"", "HRL"})
        QTest::newRow(*groups ? groups : "compact") << QString::fromLatin1(groups);
}

void tst_DialogLayout::swatchPanelWidensByItsWidth()
{
    QFETCH(QString, expanded);
    storeChoices(expanded, false);
    open();
    const QSize without = dialog->size();
    // However small the screen, no group is narrower than it asks to be.
    const QMap<QString, int> columns = groupWidths(dialog);
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>())
        QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName()));
    auto* toggle = find<QPushButton>("swatchesBtn");
    QTest::mouseClick(toggle, Qt::LeftButton);
    auto* panel = find<QWidget>("ColorSwatchListWidget");
    const int step = panel->width() + find<QLayout>("baseHLayout")->spacing();
    QCOMPARE(panel->width(), 175);
    const QSize with = dialog->size();
    QCOMPARE(with.width(), without.width() + step);
    QCOMPARE(groupWidths(dialog), columns);
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(dialog->size(), without);

    // Opened with the panel shown, the dialog is as wide as after showing it, and the panel
    // takes none of the spinner columns' room.
    storeChoices(expanded, true);
    open();
    QVERIFY(panel = find<QWidget>("ColorSwatchListWidget"));
    QVERIFY(panel->isVisible());
    QCOMPARE(dialog->size(), with);
    QCOMPARE(groupWidths(dialog), columns);
    QTest::mouseClick(find<QPushButton>("swatchesBtn"), Qt::LeftButton);
    QCOMPARE(dialog->size(), without);
}

void tst_DialogLayout::canvasControlsGiveBackHeight_data()
{
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<int>("openedOn");
    QTest::addColumn<int>("page");
    for (const char* groups : {"", "HRL"}) {
        const QString name = QString::fromLatin1(*groups ? groups : "compact");
        for (int page : {0, 1, 2})
            QTest::newRow(qPrintable(name + QStringLiteral(", to page %1").arg(page)))
                << QString::fromLatin1(groups) << page << page;
        QTest::newRow(qPrintable(name + QStringLiteral(", opened on the canvas")))
            << QString::fromLatin1(groups) << 3 << 0;
    }
}

void tst_DialogLayout::canvasControlsGiveBackHeight()
{
    QFETCH(QString, expanded);
    QFETCH(int, openedOn);
    QFETCH(int, page);
    storeChoices(expanded, false, page);
    open();
    const QSize onPage = dialog->size();
    storeChoices(expanded, false, openedOn);
    open();
    auto* pages = find<QComboBox>("colorFieldComboBox");
    pages->setCurrentIndex(3);
    QVERIFY(find<QWidget>("canvasControlsLayout")->isVisible());
    pages->setCurrentIndex(page);
    QVERIFY(!find<QWidget>("canvasControlsLayout")->isVisible());
    QCOMPARE(dialog->size(), onPage);
}

QTEST_MAIN(tst_DialogLayout)
#include "tst_DialogLayout.moc"
