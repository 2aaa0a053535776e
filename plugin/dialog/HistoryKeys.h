#pragma once

#include <QObject>

class QLineEdit;
class QWidget;

// The undo and redo keys of the picker. They are shortcuts of the dialog's window, and a text field
// (every spinner and the hex line) hands them on to the color's history unless it has unfinished
// typing of its own to undo or redo.
class HistoryKeys : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(HistoryKeys)

public:
    // Adds the two shortcuts to `dialog` and watches its spinners and `hexLine`; the dialog
    // owns the keys. Redo is the platform's redo keys, and both Ctrl+Y and Ctrl+Shift+Z.
    HistoryKeys(QWidget* dialog, QLineEdit* hexLine);

signals:
    void undoPressed();
    void redoPressed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
