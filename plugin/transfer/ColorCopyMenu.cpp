#include "transfer/ColorCopyMenu.h"

#include "transfer/ColorMime.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

ColorCopyMenu::ColorCopyMenu(QWidget* source, ColorOf colorOfSource, RightClick onRightClick)
    : QObject(source), widget(source), colorOf(std::move(colorOfSource)), rightClick(onRightClick)
{
    source->installEventFilter(this);
}

ColorCopyMenu::~ColorCopyMenu() = default;

QMenu* ColorCopyMenu::createMenu(const QColor& color, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("colorCopyMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSection(tr("Copy as"));
    for (const ColorCopyTexts::Form form : ColorCopyTexts::forms()) {
        QString text = ColorCopyTexts::text(form, color);
        // Bare numbers say nothing of the curve they are on: the two linear forms are named.
        const QString label = ColorCopyTexts::label(form);
        if (!label.isEmpty())
            text = tr("%1: %2").arg(label, text);
        QAction* action = menu->addAction(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
        connect(action, &QAction::triggered, menu, [color, form] { copy(color, form); });
    }
    return menu;
}

void ColorCopyMenu::copy(const QColor& color, ColorCopyTexts::Form form)
{
    std::unique_ptr<QMimeData> data = ColorMime::create(color);
    data->setText(ColorCopyTexts::text(form, color));
    QGuiApplication::clipboard()->setMimeData(data.release());
}

bool ColorCopyMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != widget)
        return QObject::eventFilter(watched, event);
    const bool kept = rightClick == RightClick::KeptByWidget;
    if (event->type() == QEvent::MouseButtonPress && kept) {
        // Shift keeps the right press from the widget, whose press would act on it.
        const auto* press = static_cast<QMouseEvent*>(event);
        return press->button() == Qt::RightButton && (press->modifiers() & Qt::ShiftModifier);
    }
    if (event->type() == QEvent::ContextMenu) {
        const auto* request = static_cast<QContextMenuEvent*>(event);
        if (kept && request->reason() == QContextMenuEvent::Mouse &&
            !(request->modifiers() & Qt::ShiftModifier))
            return true;
        createMenu(colorOf(), widget)->popup(request->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}
