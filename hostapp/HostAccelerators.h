#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QKeyEvent;
class QWidget;

// The host's own keyboard accelerators. Like a 3D host's they act anywhere in the program,
// before the widget with the focus sees the key, so a key that is an accelerator never reaches
// a widget of the host. A window that needs every key for itself (a dialog with spinners)
// opts out by carrying the dynamic property "NoMaxAccelerators" set to true: while the focus is
// in it, or in any widget below a widget that carries it, the keys go on as Qt delivers them,
// also to a popup opened over it (a menu, a completer's list).
// Works as an application event filter for as long as it exists.
class HostAccelerators : public QObject
{
    Q_OBJECT

public:
    struct Accelerator
    {
        QKeySequence keys;
        QString command; // what the host does, as its listener shows it
    };
    using Handler = std::function<void(const Accelerator&)>;

    explicit HostAccelerators(Handler handler, QObject* parent = nullptr);
    ~HostAccelerators() override;

    // Undo and redo on Ctrl+Z and Ctrl+Y as the host has them on every platform, and the
    // single-letter tool keys.
    static const std::vector<Accelerator>& Table();
    // True when the widget or a widget above it asks the host to leave its keys alone.
    static bool KeepsItsKeys(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Q_DISABLE_COPY(HostAccelerators)
    static const Accelerator* Match(const QKeyEvent& event);
    static bool KeyIsForAWindowThatKeepsItsKeys(const QWidget* watched);

    Handler mHandler;
};
