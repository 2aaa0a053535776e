#include "DialogSupport.h"
#include "MouseSupport.h"
#include "TestHost.h"

#include "color/ColorCopyTexts.h"
#include "color/ColorTextParser.h"
#include "dialog/ColorDorvoDialog.h"
#include "fields/ColorField.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "swatches/ColorPalette.h"
#include "swatches/ColorPaletteLayout.h"
#include "swatches/ColorPaletteStep.h"
#include "swatches/ColorSwatchButton.h"
#include "swatches/ColorSwatchListWidget.h"

#include <QClipboard>
#include <QDrag>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <memory>

// Colors in and out of the picker: the copy and paste keys, drags off its swatches and drops on
// its current swatch and field pages.
class tst_ColorTransfer : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestHost> host;
    QPointer<ColorDorvoDialog> dialog;

    void open(const QColor& color)
    {
        dialog = host->open(color);
        QVERIFY(showActive(dialog));
    }
    template <typename T> T* find(const char* name) const { return childNamed<T>(dialog, name); }
    QString rgba() const
    {
        const QColor c = dialog->GetCurrentQColor();
        return QString::asprintf("#%02X%02X%02X%02X", c.red(), c.green(), c.blue(), c.alpha());
    }
    QLabel* status() const { return find<QLabel>("pasteStatusLbl"); }
    // The keys pressed in `widget`, by default where no text field has the focus.
    void press(QKeySequence::StandardKey key, QWidget* widget = nullptr)
    {
        if (!widget)
            widget = find<QPushButton>("resetBtn");
        widget->setFocus();
        QTest::keySequence(widget, QKeySequence::keyBindings(key).first());
    }
    static void setClipboard(QMimeData* data) { QGuiApplication::clipboard()->setMimeData(data); }
    static QMimeData* textData(const QString& text)
    {
        auto* data = new QMimeData;
        data->setText(text);
        return data;
    }
    // Sends a drag's enter and drop to `widget`, as the drag manager does; whether each was taken.
    static std::pair<bool, bool> dragAndDrop(QWidget* widget, const QMimeData& data)
    {
        const QPoint at = widget->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(widget, &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &drop);
        return {enter.isAccepted(), drop.isAccepted()};
    }

private slots:
    void init()
    {
        host = std::make_unique<TestHost>();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        dialog.clear();
        host.reset();
    }

    void copyThenPasteRoundTrips();
    void pasteIsOneChange_data();
    void pasteIsOneChange();
    void textFieldKeepsTheKeys();
    void badPasteChangesNothingAndSaysWhy();
    void dropMakesCurrent_data();
    void dropMakesCurrent();
    void dragCarriesPressedColor_data();
    void dragCarriesPressedColor();
    void clippedPasteSaysSo();
    void messageRowShowsLineOrMessage();
    void copyAsMenuCopies();
};

void tst_ColorTransfer::copyThenPasteRoundTrips()
{
    open(QColor(10, 200, 30));
    press(QKeySequence::Copy);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), QStringLiteral("#0AC81E"));
    QCOMPARE(qvariant_cast<QColor>(copied->colorData()), QColor(10, 200, 30));

    // Below full alpha the text carries it too; pasting the copy brings the color back.
    setClipboard(textData(QStringLiteral("#11223380")));
    press(QKeySequence::Paste);
    QCOMPARE(rgba(), QStringLiteral("#11223380"));
    press(QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#11223380"));
    QCOMPARE(qvariant_cast<QColor>(QGuiApplication::clipboard()->mimeData()->colorData()),
             QColor(0x11, 0x22, 0x33, 0x80));
    QTest::mouseClick(find<QPushButton>("invertSwitchBtn"), Qt::LeftButton);
    QCOMPARE(rgba(), QStringLiteral("#EEDDCCFF"));
    press(QKeySequence::Paste);
    QCOMPARE(rgba(), QStringLiteral("#11223380"));
}

void tst_ColorTransfer::pasteIsOneChange_data()
{
    QTest::addColumn<bool>("colorData");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("css text") << false << QStringLiteral("  rgb(255 128 0 / 50%) ")
                              << QStringLiteral("#FF800080");
    QTest::newRow("color data") << true << QString() << QStringLiteral("#336699FF");
    QTest::newRow("color data before text")
        << true << QStringLiteral("red") << QStringLiteral("#336699FF");
}

void tst_ColorTransfer::pasteIsOneChange()
{
    QFETCH(bool, colorData);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    open(QColor(10, 200, 30));
    auto* data = new QMimeData;
    if (colorData)
        data->setColorData(QColor(0x33, 0x66, 0x99));
    if (!text.isNull())
        data->setText(text);
    setClipboard(data);
    const int refreshes = dialog->ViewRefreshCount();
    const auto told = host->callback.notifications.size();

    press(QKeySequence::Paste);
    QCOMPARE(rgba(), expected);
    QCOMPARE(dialog->ViewRefreshCount(), refreshes + 1);
    QCOMPARE(host->callback.notifications.size(), told + 1);
    const AColor last = host->callback.last().color;
    QCOMPARE(QColor::fromRgbF(last.r, last.g, last.b, last.a), dialog->GetCurrentQColor());
    QCOMPARE(find<QLineEdit>("hexEditLine")->text().toUpper(), expected.mid(1, 6));
    // One step of the history.
    press(QKeySequence::Undo);
    QCOMPARE(rgba(), QStringLiteral("#0AC81EFF"));
    press(QKeySequence::Redo);
    QCOMPARE(rgba(), expected);
}

void tst_ColorTransfer::textFieldKeepsTheKeys()
{
    open(QColor(10, 200, 30));
    auto* line = find<QLineEdit>("hexEditLine");
    line->setFocus();
    line->selectAll();
    press(QKeySequence::Copy, line);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasColor());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("0ac81e"));

    auto* spinner = find<QSpinBox>("redIntSpinner");
    spinner->setFocus();
    spinner->selectAll();
    press(QKeySequence::Copy, spinner);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasColor());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10"));

    // Pasted into the spinner as typing: the spinner's own edit, not a pasted color.
    setClipboard(textData(QStringLiteral("#FF0000")));
    spinner->selectAll();
    press(QKeySequence::Paste, spinner);
    QCOMPARE(rgba(), QStringLiteral("#0AC81EFF"));
    setClipboard(textData(QStringLiteral("99")));
    spinner->selectAll();
    press(QKeySequence::Paste, spinner);
    QCOMPARE(spinner->value(), 99);
    QCOMPARE(rgba(), QStringLiteral("#63C81EFF"));
}

void tst_ColorTransfer::badPasteChangesNothingAndSaysWhy()
{
    open(QColor(10, 200, 30));
    setClipboard(textData(QStringLiteral("rgb(1, 2)")));
    const int refreshes = dialog->ViewRefreshCount();
    const auto told = host->callback.notifications.size();
    press(QKeySequence::Paste);
    QCOMPARE(rgba(), QStringLiteral("#0AC81EFF"));
    QCOMPARE(dialog->ViewRefreshCount(), refreshes);
    QCOMPARE(host->callback.notifications.size(), told);
    QCOMPARE(status()->toolTip(), QStringLiteral("Cannot paste: rgb() takes 3 or 4 values"));
    QVERIFY(status()->isVisible());
    QVERIFY(!status()->text().isEmpty());
    QVERIFY(!status()->text().contains(QLatin1Char('\n')));
    // A history step changes nothing here, and history has none.
    press(QKeySequence::Undo);
    QCOMPARE(rgba(), QStringLiteral("#0AC81EFF"));

    // The next change of color clears the line, and so does time.
    QTest::mouseClick(find<QPushButton>("invertSwitchBtn"), Qt::LeftButton);
    QVERIFY(status()->text().isEmpty());
    QGuiApplication::clipboard()->clear();
    press(QKeySequence::Paste);
    QVERIFY(status()->toolTip().startsWith(QStringLiteral("Cannot paste: ")));
    auto* timer = dialog->findChild<QTimer*>(QStringLiteral("pasteStatusTimer"));
    QVERIFY(timer && timer->isActive());
    timer->start(0);
    QVERIFY(QTest::qWaitFor([this] { return status()->text().isEmpty(); }));
}

void tst_ColorTransfer::dropMakesCurrent_data()
{
    QTest::addColumn<QString>("target");
    for (const char* target : {"currentColorLbl", "colorField", "hsvWheel", "hueWheel"})
        QTest::newRow(target) << QString::fromLatin1(target);
}

void tst_ColorTransfer::dropMakesCurrent()
{
    QFETCH(QString, target);
    open(QColor(10, 200, 30));
    QWidget* widget = nullptr;
    if (target == QLatin1String("colorField"))
        widget = dialog->findChild<ColorField*>();
    else if (target == QLatin1String("hsvWheel"))
        widget = dialog->findChild<HsvWheel*>();
    else if (target == QLatin1String("hueWheel"))
        widget = dialog->findChild<HueWheel*>();
    else
        widget = find<QLabel>("currentColorLbl");
    QVERIFY(widget->acceptDrops());

    QMimeData refused;
    refused.setText(QStringLiteral("no color"));
    QCOMPARE(dragAndDrop(widget, refused), std::make_pair(false, false));
    QCOMPARE(rgba(), QStringLiteral("#0AC81EFF"));

    const auto told = host->callback.notifications.size();
    QMimeData text;
    text.setText(QStringLiteral("hsl(210, 50%, 40%)"));
    QCOMPARE(dragAndDrop(widget, text), std::make_pair(true, true));
    QCOMPARE(rgba(), QStringLiteral("#336699FF"));
    QCOMPARE(host->callback.notifications.size(), told + 1);

    QMimeData color;
    color.setColorData(QColor(1, 2, 3, 4));
    QCOMPARE(dragAndDrop(widget, color), std::make_pair(true, true));
    QCOMPARE(rgba(), QStringLiteral("#01020304"));
}

void tst_ColorTransfer::dragCarriesPressedColor_data()
{
    QTest::addColumn<QString>("source");
    for (const char* source : {"currentColorLbl", "initColorLbl", "tile", "shade", "swatch"})
        QTest::newRow(source) << QString::fromLatin1(source);
}

void tst_ColorTransfer::dragCarriesPressedColor()
{
    QFETCH(QString, source);
    open(QColor(10, 200, 30));
    // The initial swatch must differ from the current one; the harmony tile, from its pick.
    setClipboard(textData(QStringLiteral("#40808080")));
    press(QKeySequence::Paste);
    QTest::mouseClick(find<QRadioButton>("adjacentRdBtn"), Qt::LeftButton);
    auto* strip = find<ColorPaletteLayout>("colorPaletteWidget");

    QWidget* widget = nullptr;
    QColor expected;
    const auto pickOf = [](const RgbColor& rgb) {
        return QColor(rgb.red(), rgb.green(), rgb.blue(), 0x80);
    };
    if (source == QLatin1String("tile")) {
        widget = strip->palette(1);
        expected = pickOf(RgbColor(strip->palette(1)->shownColor()));
    } else if (source == QLatin1String("shade")) {
        widget = strip->palette(2)->step(3);
        expected = pickOf(strip->palette(2)->step(3)->shownColor());
    } else if (source == QLatin1String("swatch")) {
        QTest::mouseClick(find<QPushButton>("swatchesBtn"), Qt::LeftButton);
        auto* panel = dialog->findChild<ColorSwatchListWidget*>();
        widget = panel->gridOf(ColorSwatchListWidget::FavoritesTab)->itemAt(2)->widget();
        expected = qobject_cast<ColorSwatchButton*>(widget)->color();
    } else {
        widget = find<QLabel>(qPrintable(source));
        expected = source == QLatin1String("initColorLbl") ? QColor(10, 200, 30)
                                                           : QColor(0x40, 0x80, 0x80, 0x80);
    }
    QVERIFY(widget->isVisible());

    // A move short of the start distance is still a click; one that reaches it drags.
    const QPoint from(3, 3);
    const int distance = QApplication::startDragDistance();
    ::press(widget, from);
    moveHeld(widget, from + QPoint(distance - 1, 0));
    QVERIFY(!widget->findChild<QDrag*>());
    moveHeld(widget, from + QPoint(distance, 0));
    // The offscreen platform ends a drag at once, and Qt deletes the QDrag later.
    const QDrag* drag = widget->findChild<QDrag*>();
    QVERIFY(drag);
    QCOMPARE(qvariant_cast<QColor>(drag->mimeData()->colorData()), expected);
    QCOMPARE(drag->mimeData()->text(), ColorTextParser::format(expected));
    QVERIFY(!drag->pixmap().isNull());
    ::release(widget, from + QPoint(distance, 0));
}

void tst_ColorTransfer::clippedPasteSaysSo()
{
    open(QColor(10, 200, 30));
    setClipboard(textData(QStringLiteral("color(display-p3 1 0 0)")));
    press(QKeySequence::Paste);
    QCOMPARE(rgba(), QStringLiteral("#FF0000FF"));
    QCOMPARE(status()->toolTip(), QStringLiteral("Pasted #FF0000: outside sRGB, clipped"));
    setClipboard(textData(QStringLiteral("oklch(62.8% 0.2577 29.23 / 0.5)")));
    press(QKeySequence::Paste);
    QCOMPARE(rgba(), QStringLiteral("#FF000080"));
    QVERIFY(status()->text().isEmpty());
}

// The row under the field has one owner: without a message the info line takes the pointer, and
// with it the tooltip; a message lies over the line until the next change of color.
void tst_ColorTransfer::messageRowShowsLineOrMessage()
{
    open(QColor(10, 200, 30));
    auto* line = find<QWidget>("colorInfoLine");
    QWidget* row = line->parentWidget();
    const QPoint middle = line->geometry().center();
    QVERIFY(status()->isHidden());
    QCOMPARE(row->childAt(middle), line);
    QVERIFY(!line->toolTip().isEmpty());

    setClipboard(textData(QStringLiteral("rgb(1, 2)")));
    press(QKeySequence::Paste);
    QCOMPARE(row->childAt(middle), status());

    QTest::mouseClick(find<QPushButton>("invertSwitchBtn"), Qt::LeftButton);
    QVERIFY(status()->isHidden());
    QCOMPARE(row->childAt(middle), line);
}

void tst_ColorTransfer::copyAsMenuCopies()
{
    open(QColor(0x3a, 0x7b, 0xd5));
    // The menu opens where it is asked for; its items are the texts they copy.
    const auto openMenu = [](QWidget* widget, Qt::KeyboardModifiers modifiers) {
        QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2),
                                  widget->mapToGlobal(QPoint(2, 2)), modifiers);
        QApplication::sendEvent(widget, &request);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget());
    };
    QMenu* menu = openMenu(find<QLabel>("currentColorLbl"), Qt::NoModifier);
    QVERIFY(menu);
    QAction* script = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QLatin1String("(color 58 123 213)"))
            script = action;
    }
    QVERIFY(script);
    script->trigger();
    menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("(color 58 123 213)"));
    QCOMPARE(qvariant_cast<QColor>(QGuiApplication::clipboard()->mimeData()->colorData()),
             QColor(0x3a, 0x7b, 0xd5));

    // A stored swatch that a right click removes opens it with Shift only, and stays.
    QTest::mouseClick(find<QPushButton>("swatchesBtn"), Qt::LeftButton);
    auto* panel = dialog->findChild<ColorSwatchListWidget*>();
    QGridLayout* favorites = panel->gridOf(ColorSwatchListWidget::FavoritesTab);
    const int count = favorites->count();
    QWidget* swatch = favorites->itemAt(2)->widget();
    QVERIFY(!openMenu(swatch, Qt::NoModifier));
    QTest::mousePress(swatch, Qt::RightButton, Qt::ShiftModifier, QPoint(2, 2));
    menu = openMenu(swatch, Qt::ShiftModifier);
    QVERIFY(menu);
    QCOMPARE(menu->actions().last()->text(),
             ColorCopyTexts::text(ColorCopyTexts::Form::PythonTuple,
                                  qobject_cast<ColorSwatchButton*>(swatch)->color()));
    menu->close();
    QCOMPARE(favorites->count(), count);
}

QTEST_MAIN(tst_ColorTransfer)
#include "tst_ColorTransfer.moc"
