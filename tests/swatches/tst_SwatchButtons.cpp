#include "swatches/ColorSwatchButton.h"
#include "swatches/MultiClickPushButton.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(Qt::MouseButton)

// The click-aware push button and the swatch button built on it.
class tst_SwatchButtons : public QObject
{
    Q_OBJECT

private slots:
    void pressEmitsOneSignal_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("signal"); // the one signal that fires
        QTest::newRow("left") << Qt::LeftButton << "leftClicked";
        QTest::newRow("middle") << Qt::MiddleButton << "middleClicked";
        QTest::newRow("right") << Qt::RightButton << "rightClicked";
        QTest::newRow("side button") << Qt::BackButton << "clicked";
    }

    void pressEmitsOneSignal()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, signal);
        MultiClickPushButton push(nullptr);
        push.show();
        QVERIFY(QTest::qWaitForWindowExposed(&push));
        QSignalSpy left(&push, &MultiClickPushButton::leftClicked);
        QSignalSpy middle(&push, &MultiClickPushButton::middleClicked);
        QSignalSpy right(&push, &MultiClickPushButton::rightClicked);
        QSignalSpy clicked(&push, &QPushButton::clicked);
        QSignalSpy pressed(&push, &QPushButton::pressed);

        QTest::mousePress(&push, button);
        const QMap<QString, int> counts{{"leftClicked", left.count()},
                                        {"middleClicked", middle.count()},
                                        {"rightClicked", right.count()},
                                        {"clicked", clicked.count()}};
        for (auto it = counts.begin(); it != counts.end(); ++it) {
            QVERIFY2(it.value() == (it.key() == signal ? 1 : 0), qPrintable(it.key()));
        }
        if (signal == QLatin1String("clicked")) {
            QCOMPARE(clicked.first().first().toBool(), false);
        }
        // The action was the press: the button never went down, and the release adds nothing.
        QVERIFY(!push.isDown());
        QTest::mouseRelease(&push, button);
        QCOMPARE(left.count() + middle.count() + right.count() + clicked.count(), 1);
        QCOMPARE(pressed.count(), 0);
    }

    void swatchShowsItsColor_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("spoken"); // the accessible name
        QTest::newRow("named") << QColor(255, 128, 0) << "orange"
                               << "orange\nRed: 255\nGreen: 128\nBlue: 0"
                               << "orange, #FF8000";
        QTest::newRow("empty name, alpha kept") << QColor(250, 128, 114, 128) << ""
                                                << "\nRed: 250\nGreen: 128\nBlue: 114"
                                                << "salmon, #FA8072";
        QTest::newRow("placeholder in name") << QColor(1, 2, 3) << "%2 of %1"
                                             << "%2 of %1\nRed: 1\nGreen: 2\nBlue: 3"
                                             << "%2 of %1, #010203";
    }

    void swatchShowsItsColor()
    {
        QFETCH(QColor, color);
        QFETCH(QString, name);
        QFETCH(QString, toolTip);
        QFETCH(QString, spoken);
        // A grid whose columns are wider than the swatch does not stretch it.
        QWidget holder;
        auto* grid = new QGridLayout(&holder);
        grid->setColumnMinimumWidth(0, 80);
        auto* swatch = new ColorSwatchButton(color, 24, 24, name);
        grid->addWidget(swatch, 0, 0);
        holder.resize(200, 200);
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));

        QCOMPARE(swatch->toolTip(), toolTip);
        QCOMPARE(swatch->size(), QSize(24, 24));
        QCOMPARE(swatch->palette().color(QPalette::Inactive, QPalette::Button), color);
        QCOMPARE(swatch->palette().color(QPalette::Disabled, QPalette::Button), color);
        QCOMPARE(swatch->color(), color);
        QCOMPARE(swatch->color().alpha(), color.alpha());
        QCOMPARE(swatch->name(), name);
        QVERIFY(swatch->styleSheet().isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Name), spoken);
    }

    // The face shows the stored color itself, whatever the style makes of a button's palette.
    void swatchFaceIsExact_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("dark");
        for (const char* style : {"Fusion", "Windows"}) {
            QTest::newRow(style) << style << false;
            QTest::newRow(qPrintable(QStringLiteral("%1, dark palette").arg(style)))
                << style << true;
        }
    }

    void swatchFaceIsExact()
    {
        QFETCH(QString, style);
        QFETCH(bool, dark);
        QVERIFY2(QStyleFactory::keys().contains(style, Qt::CaseInsensitive),
                 qPrintable(QStyleFactory::keys().join(QStringLiteral(", "))));
        const std::unique_ptr<QStyle> shown(QStyleFactory::create(style));
        const QColor colors[] = {Qt::red, Qt::green, Qt::blue, QColor(10, 20, 30, 128)};
        QWidget holder;
        if (dark) {
            holder.setPalette(QPalette(QColor(53, 53, 53), QColor(30, 30, 30)));
        }
        auto* row = new QHBoxLayout(&holder);
        for (const QColor& color : colors) {
            auto* swatch = new ColorSwatchButton(color, 24, 24, QString());
            swatch->setStyle(shown.get());
            // The focus frame would cover the face's edge.
            swatch->setFocusPolicy(Qt::NoFocus);
            row->addWidget(swatch);
        }
        holder.show();
        QVERIFY(QTest::qWaitForWindowExposed(&holder));
        const auto swatches = holder.findChildren<ColorSwatchButton*>();
        QCOMPARE(swatches.size(), 4);
        for (ColorSwatchButton* swatch : swatches) {
            const QImage face = swatch->grab().toImage();
            const QRect inside = face.rect().adjusted(
                ColorSwatchButton::FrameWidth, ColorSwatchButton::FrameWidth,
                -ColorSwatchButton::FrameWidth, -ColorSwatchButton::FrameWidth);
            int wrong = 0;
            QColor sample;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    if (face.pixel(x, y) != swatch->color().rgb()) {
                        sample = face.pixelColor(x, y);
                        ++wrong;
                    }
                }
            }
            QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1: %2 pixels, such as %3")
                                                .arg(swatch->color().name())
                                                .arg(wrong)
                                                .arg(sample.name())));
        }
    }
};

QTEST_MAIN(tst_SwatchButtons)
#include "tst_SwatchButtons.moc"
