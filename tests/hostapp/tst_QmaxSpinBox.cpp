#include "host/services/HostServices.h"
#include "ui_PromotedSpinnersForm.h"

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

// The host spinners' reset gesture, driven with the mouse as a user does.
class tst_QmaxSpinBox : public QObject
{
    Q_OBJECT

private:
    enum Spot
    {
        UpArrow,
        DownArrow,
        Text
    };

    static QPoint spotOf(const QAbstractSpinBox& box, Spot spot)
    {
        QStyleOptionSpinBox option;
        option.initFrom(&box);
        option.subControls =
            QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxEditField;
        option.frame = box.hasFrame();
        const QStyle::SubControl control = spot == UpArrow     ? QStyle::SC_SpinBoxUp
                                           : spot == DownArrow ? QStyle::SC_SpinBoxDown
                                                               : QStyle::SC_SpinBoxEditField;
        return box.style()->subControlRect(QStyle::CC_SpinBox, &option, control, &box).center();
    }

private slots:
    void resetGesture_data()
    {
        QTest::addColumn<bool>("floating");
        QTest::addColumn<int>("spot");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("changes");
        // Start value 40, reset value 7, step 1.
        for (bool floating : {false, true}) {
            const char* kind = floating ? "double " : "int ";
            QTest::addRow("%sright click on up arrow resets", kind)
                << floating << int(UpArrow) << int(Qt::RightButton) << true << 7.0 << 1;
            QTest::addRow("%sright click on down arrow resets", kind)
                << floating << int(DownArrow) << int(Qt::RightButton) << true << 7.0 << 1;
            QTest::addRow("%sright click on text keeps the value", kind)
                << floating << int(Text) << int(Qt::RightButton) << true << 40.0 << 0;
            QTest::addRow("%sleft click on up arrow steps", kind)
                << floating << int(UpArrow) << int(Qt::LeftButton) << true << 41.0 << 1;
            QTest::addRow("%sdisabled ignores the reset", kind)
                << floating << int(UpArrow) << int(Qt::RightButton) << false << 40.0 << 0;
        }
    }

    void resetGesture()
    {
        QFETCH(bool, floating);
        QFETCH(int, spot);
        QFETCH(int, button);
        QFETCH(bool, enabled);
        QFETCH(double, expected);
        QFETCH(int, changes);

        QWidget window;
        QAbstractSpinBox* box = nullptr;
        std::unique_ptr<QSignalSpy> spy;
        if (floating) {
            auto* spin = new MaxSDK::QmaxDoubleSpinBox(&window);
            spin->setRange(0.0, 100.0);
            spin->setValue(40.0);
            spin->setResetValue(7.0);
            spy = std::make_unique<QSignalSpy>(
                spin, QOverload<double>::of(&QDoubleSpinBox::valueChanged));
            box = spin;
        } else {
            auto* spin = new MaxSDK::QmaxSpinBox(&window);
            spin->setRange(0, 100);
            spin->setValue(40);
            spin->setResetValue(7);
            spy = std::make_unique<QSignalSpy>(spin, QOverload<int>::of(&QSpinBox::valueChanged));
            box = spin;
        }
        box->setGeometry(0, 0, 120, 30);
        box->setEnabled(enabled);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(box, Qt::MouseButton(button), Qt::NoModifier, spotOf(*box, Spot(spot)));
        const double value = floating ? static_cast<QDoubleSpinBox*>(box)->value()
                                      : static_cast<QSpinBox*>(box)->value();
        QCOMPARE(value, expected);
        QCOMPARE(spy->count(), changes);
    }

    // The spinners work as promoted widgets of a Designer form, reset values included.
    void promotedInAForm()
    {
        QWidget form;
        Ui::PromotedSpinnersForm ui;
        ui.setupUi(&form);
        QCOMPARE(ui.redSpn->resetValue(), 0);
        QCOMPARE(ui.alphaSpn->resetValue(), 1.0);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(ui.redSpn, Qt::RightButton, Qt::NoModifier,
                          spotOf(*ui.redSpn, DownArrow));
        QTest::mouseClick(ui.alphaSpn, Qt::RightButton, Qt::NoModifier,
                          spotOf(*ui.alphaSpn, UpArrow));
        QCOMPARE(ui.redSpn->value(), 0);
        QCOMPARE(ui.alphaSpn->value(), 1.0);
    }

    // The reset is clamped like any other value: a reset value outside the range gives the bound.
    void resetOutsideRangeIsClamped()
    {
        QWidget window;
        auto* spin = new MaxSDK::QmaxSpinBox(&window);
        spin->setGeometry(0, 0, 120, 30);
        spin->setRange(10, 20);
        spin->setValue(15);
        spin->setResetValue(0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(spin, Qt::RightButton, Qt::NoModifier, spotOf(*spin, UpArrow));
        QCOMPARE(spin->value(), 10);
    }
};

QTEST_MAIN(tst_QmaxSpinBox)
#include "tst_QmaxSpinBox.moc"
