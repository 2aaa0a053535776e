#include "dialog/HistoryKeys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QWidget>

namespace {

// Users of both families of systems expect Ctrl+Y and Ctrl+Shift+Z to redo; each platform's own
// list has only one of them.
QList<QKeySequence> redoKeys()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}) {
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

bool isRedoKey(const QKeyEvent* event)
{
    const int pressed =
        static_cast<int>(event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier)) |
        event->key();
    return redoKeys().contains(QKeySequence(pressed));
}

} // namespace

HistoryKeys::HistoryKeys(QWidget* dialog, QLineEdit* hexLine) : QObject(dialog)
{
    auto* undo = new QAction(dialog);
    undo->setShortcuts(QKeySequence::Undo);
    connect(undo, &QAction::triggered, this, &HistoryKeys::undoPressed);
    dialog->addAction(undo);

    auto* redo = new QAction(dialog);
    redo->setShortcuts(redoKeys());
    connect(redo, &QAction::triggered, this, &HistoryKeys::redoPressed);
    dialog->addAction(redo);

    // A text field (every spinner, the angle and brush ones too, and the hex line) keeps the
    // undo keys while it has unfinished typing of its own to undo; otherwise they step the color.
    for (QAbstractSpinBox* spinner : dialog->findChildren<QAbstractSpinBox*>()) {
        spinner->installEventFilter(this);
        // Finished typing (Return, or the focus gone) has become the value. The spin box keeps
        // the text it was typed as, and with it the typing's undo steps.
        if (auto* line = spinner->findChild<QLineEdit*>())
            connect(spinner, &QAbstractSpinBox::editingFinished, line,
                    [line] { line->setModified(false); });
    }
    // The refresh marks the hex line unedited whenever it shows the color.
    hexLine->installEventFilter(this);
}

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = !undo && isRedoKey(key);
        auto* line = qobject_cast<QLineEdit*>(watched);
        if (!line)
            line = watched->findChild<QLineEdit*>();
        if (line && (undo || redo)) {
            // A text field takes every undo and redo key before the dialog's shortcuts, so that
            // the key press below decides between the field's typing and the color's history.
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            // Only typing not yet finished is the field's to take back; finished typing is a
            // color, which the history steps over.
            if (undo && line->isModified() && line->isUndoAvailable())
                return false;
            if (redo && line->isRedoAvailable()) {
                // The field knows only its platform's redo keys.
                line->redo();
                return true;
            }
            if (undo)
                emit undoPressed();
            else
                emit redoPressed();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
