#include "HostAccelerators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kNoAcceleratorsProperty[] = "NoMaxAccelerators";

} // namespace

HostAccelerators::HostAccelerators(Handler handler, QObject* parent)
    : QObject(parent), mHandler(std::move(handler))
{
    qApp->installEventFilter(this);
}

HostAccelerators::~HostAccelerators()
{
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

const std::vector<HostAccelerators::Accelerator>& HostAccelerators::Table()
{
    // Fixed sequences rather than QKeySequence::Undo and Redo: the host's keys are the same on
    // every platform, while the standard redo of a Linux desktop is Ctrl+Shift+Z.
    static const std::vector<Accelerator> table{
        {QKeySequence(Qt::CTRL + Qt::Key_Z), QStringLiteral("Undo")},
        {QKeySequence(Qt::CTRL + Qt::Key_Y), QStringLiteral("Redo")},
        {QKeySequence(Qt::Key_Q), QStringLiteral("Select Object")},
        {QKeySequence(Qt::Key_W), QStringLiteral("Select and Move")},
        {QKeySequence(Qt::Key_E), QStringLiteral("Select and Rotate")},
        {QKeySequence(Qt::Key_R), QStringLiteral("Select and Uniform Scale")},
    };
    return table;
}

bool HostAccelerators::KeepsItsKeys(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget->property(kNoAcceleratorsProperty).toBool()) {
            return true;
        }
    }
    return false;
}

bool HostAccelerators::KeyIsForAWindowThatKeepsItsKeys(const QWidget* watched)
{
    // A popup takes the keys while it is open, and a popup without a parent (a completer's list
    // in a file dialog) is no child of the window it serves: the focus widget, which keeps the
    // focus under the popup, and the widget the popup stands in for tell where the keys belong.
    const QWidget* popup = QApplication::activePopupWidget();
    return KeepsItsKeys(watched) || KeepsItsKeys(QApplication::focusWidget()) ||
           KeepsItsKeys(popup) || (popup && KeepsItsKeys(popup->focusProxy()));
}

const HostAccelerators::Accelerator* HostAccelerators::Match(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence pressed(event.key() | int(modifiers));
    for (const Accelerator& accelerator : Table()) {
        if (accelerator.keys == pressed) {
            return &accelerator;
        }
    }
    return nullptr;
}

bool HostAccelerators::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A key event reaches the widget's window first and is then passed to the focus widget:
    // the widget is where the decision is made.
    if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) ||
        !watched->isWidgetType()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Accelerator* accelerator = Match(*key);
    if (!accelerator || KeyIsForAWindowThatKeepsItsKeys(static_cast<QWidget*>(watched))) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // Claimed so that no shortcut of a widget or window takes the key first; Qt then
        // delivers it as the key press handled below.
        key->accept();
        return true;
    }
    if (mHandler) {
        mHandler(*accelerator);
    }
    return true;
}
