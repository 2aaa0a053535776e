#include "HostMainWindow.h"

#include "ui_HostMainWindow.h"

#include "HostAccelerators.h"
#include "HostColorCallback.h"
#include "HostColorText.h"

#include "hsv.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QTextCharFormat>
#include <QThread>
#include <QToolButton>
#include <QWhatsThis>
#include <QWindow>

#include <memory>
#include <string>

namespace {

QString ColorText(const AColor& color)
{
    return HostColorText::Print(color, HostColorText::Format::AFloat);
}

} // namespace

HostMainWindow::HostMainWindow(QWidget* parent)
    : MaxSDK::QmaxMainWindow(parent), mUi(std::make_unique<Ui::HostMainWindow>())
{
    mUi->setupUi(this);
    mUi->listenerTextEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(mUi->listenerEditLine, &QLineEdit::returnPressed, this,
            &HostMainWindow::EvaluateListenerLine);
    connect(mUi->exitAction, &QAction::triggered, this, &QWidget::close);
    connect(mUi->pickerSettingsAction, &QAction::triggered, this,
            &HostMainWindow::OpenPickerSettings);
    // The listener line carries "NoMaxAccelerators" in the form, so typing a call there
    // never switches tools.
    new HostAccelerators(
        [this](const HostAccelerators::Accelerator& accelerator) {
            appendHostMessage(tr("Host: %1 (%2)")
                                  .arg(accelerator.command,
                                       accelerator.keys.toString(QKeySequence::PortableText)));
        },
        this);

    AddSwatch(tr("Diffuse"), HostColorSwatch::Request::ModalAColor,
              AColor(0.55f, 0.35f, 0.24f, 1.0f), this);
    AddSwatch(tr("Wireframe"), HostColorSwatch::Request::ModalPacked, AColor(RGB(30, 144, 255)),
              this);
    AddSwatch(tr("Light color"), HostColorSwatch::Request::ModelessAColor,
              AColor(1.0f, 0.88f, 0.69f, 1.0f), this);
    AddSwatch(tr("Background"), HostColorSwatch::Request::ModelessPacked, AColor(RGB(32, 48, 64)),
              this);
    AddSwatch(tr("Object"), HostColorSwatch::Request::ModelessAColor,
              AColor(0.31f, 0.78f, 0.47f, 1.0f), mUi->objectColorDock);

    HostRuntime::SetMainWindow(this);
    QPointer<HostMainWindow> self(this);
    HostRuntime::SetOutputSink([self](HostRuntime::OutputChannel channel, const QString& text) {
        if (!self) {
            return;
        }
        if (QThread::currentThread() == self->thread()) {
            self->appendOutput(channel, text);
        } else {
            QMetaObject::invokeMethod(
                self.data(),
                [self, channel, text] {
                    if (self)
                        self->appendOutput(channel, text);
                },
                Qt::QueuedConnection);
        }
    });
}

HostMainWindow::~HostMainWindow()
{
    // Pickers are child windows and would otherwise outlive the callbacks they hold. The host
    // ends an open picker through Destroy(), never by deleting it; it says goodbye to its
    // callback when it goes, which a Qt picker defers to the event loop, so that is run here.
    if (ColorPicker* picker = mModelessPicker) {
        SetModelessPicker(nullptr, nullptr);
        picker->Destroy();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QList<QPointer<QWidget>> windows;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->isWindow()) {
            windows << child;
        }
    }
    for (const QPointer<QWidget>& window : windows) {
        delete window.data();
    }
    HostRuntime::SetOutputSink({});
    if (HostRuntime::MainWindow() == this) {
        HostRuntime::SetMainWindow(nullptr);
    }
}

void HostMainWindow::appendOutput(HostRuntime::OutputChannel channel, const QString& text)
{
    QTextCursor cursor(mUi->listenerTextEdit->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    if (channel == HostRuntime::OutputChannel::Debug) {
        format.setForeground(QColor(128, 128, 128));
    }
    cursor.insertText(text, format);
    mUi->listenerTextEdit->ensureCursorVisible();
}

void HostMainWindow::appendHostMessage(const QString& message)
{
    appendOutput(HostRuntime::OutputChannel::Listener,
                 QStringLiteral("-- ") + message + QLatin1Char('\n'));
}

QString HostMainWindow::listenerText() const
{
    return mUi->listenerTextEdit->toPlainText();
}

void HostMainWindow::EvaluateListenerLine()
{
    const QString line = mUi->listenerEditLine->text().trimmed();
    if (line.isEmpty()) {
        return;
    }
    mUi->listenerEditLine->clear();
    appendOutput(HostRuntime::OutputChannel::Listener, line + QLatin1Char('\n'));
    const HostRuntime::ScriptResult result = HostRuntime::EvaluateScript(line);
    appendOutput(HostRuntime::OutputChannel::Listener,
                 (result.ok ? result.printForm : result.error) + QLatin1Char('\n'));
}

void HostMainWindow::SetModelessPicker(ColorPicker* picker, HostColorSwatch* swatch)
{
    mModelessPicker = picker;
    mModelessSwatch = swatch;
    mUi->pickerSettingsAction->setEnabled(picker != nullptr);
}

void HostMainWindow::OpenPickerSettings()
{
    // The picker opens its settings when it hears of the help mode as the active window, which
    // is how the title bar's "?" button reaches it. Every window of this process is a Qt window.
    QPointer<QWidget> picker = dynamic_cast<QWidget*>(mModelessPicker);
    if (!picker) {
        return;
    }
    picker->raise();
    picker->activateWindow();
    if (picker->isActiveWindow()) {
        QWhatsThis::enterWhatsThisMode();
        return;
    }
    // Activation comes from the window system later. Only the very next change of the active
    // window counts: if that is not the picker, the request lapses rather than surprising the
    // user when the picker is activated some other time.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(qApp, &QGuiApplication::focusWindowChanged, this, [picker, connection] {
        QObject::disconnect(*connection);
        if (picker && picker->isActiveWindow()) {
            QWhatsThis::enterWhatsThisMode();
        }
    });
}

void HostMainWindow::setColorSelector(std::function<ColPick*()> selector)
{
    mSelector = std::move(selector);
    for (HostColorSwatch* swatch : mSwatches) {
        swatch->button()->setEnabled(static_cast<bool>(mSelector));
    }
}

QString HostMainWindow::notificationsText() const
{
    return mUi->notificationsTextEdit->toPlainText();
}

void HostMainWindow::AddSwatch(const QString& label, HostColorSwatch::Request request,
                               const AColor& color, QWidget* owner)
{
    QWidget* area = owner == this ? mUi->swatchGrpBox : mUi->objectColorDockContents;
    auto* swatch = new HostColorSwatch(label, request, color, area);
    swatch->setObjectName(label.toLower().remove(QLatin1Char(' ')) + QStringLiteral("Swatch"));
    swatch->button()->setEnabled(false);
    auto* layout = static_cast<QBoxLayout*>(area->layout());
    layout->insertWidget(owner == this ? layout->count() : 0, swatch);
    auto callback = std::make_unique<HostColorCallback>(
        [this, swatch](const AColor& c, BOOL buttonUp) { OnColorChanged(swatch, c, buttonUp); },
        [this, swatch](const IPoint2& position) { OnBeingDestroyed(swatch, position); });
    HostColorCallback* cb = callback.get();
    connect(swatch, &HostColorSwatch::pickRequested, this,
            [this, swatch, cb, owner] { PickColor(swatch, cb, owner); });
    mSwatches.push_back(swatch);
    mCallbacks.push_back(std::move(callback));
}

void HostMainWindow::PickColor(HostColorSwatch* swatch, HostColorCallback* callback, QWidget* owner)
{
    ColPick* selector = mSelector ? mSelector() : nullptr;
    if (!selector) {
        return;
    }
    const HWND ownerHandle = HostRuntime::WindowHandle(owner);
    if (swatch->isModeless()) {
        PickModeless(selector, swatch, callback, ownerHandle);
    } else {
        PickModal(selector, swatch, callback, ownerHandle);
    }
}

void HostMainWindow::PickModal(ColPick* selector, HostColorSwatch* swatch,
                               HostColorCallback* callback, HWND owner)
{
    const std::wstring name = swatch->label().toStdWString();
    AppendNotification(tr("%1: modal picker opened").arg(swatch->label()));
    INT_PTR accepted = 0;
    AColor picked = swatch->color();
    if (swatch->isPacked()) {
        DWORD packed = picked.toRGB();
        accepted = selector->ModalColorPicker(owner, &packed, nullptr, callback, name.c_str());
        picked = AColor(packed, 1.0f);
    } else {
        accepted = selector->ModalColorPicker(owner, &picked, nullptr, callback, name.c_str());
    }
    if (accepted) {
        swatch->setColor(picked);
        AppendNotification(tr("%1: accepted %2").arg(swatch->label(), ColorText(picked)));
    } else {
        AppendNotification(tr("%1: cancelled").arg(swatch->label()));
    }
}

void HostMainWindow::PickModeless(ColPick* selector, HostColorSwatch* swatch,
                                  HostColorCallback* callback, HWND owner)
{
    const std::wstring name = swatch->label().toStdWString();
    const bool objectColor = swatch->parentWidget() == mUi->objectColorDockContents;
    // One modeless picker serves every ordinary swatch: a click on another swatch hands the
    // open picker over to it, as the host's material editor does.
    if (mModelessPicker && !objectColor) {
        if (mModelessSwatch == swatch) {
            AppendNotification(tr("%1: picker already open").arg(swatch->label()));
            return;
        }
        AppendNotification(
            tr("%1: picker handed over from %2").arg(swatch->label(), mModelessSwatch->label()));
        mModelessSwatch = swatch;
        if (swatch->isPacked()) {
            mModelessPicker->InstallNewCB(swatch->color().toRGB(), callback, name.c_str());
        } else {
            mModelessPicker->InstallNewCB(swatch->color(), callback, name.c_str());
        }
        return;
    }
    ColorPicker* picker = swatch->isPacked()
                              ? selector->CreateColorPicker(owner, swatch->color().toRGB(), nullptr,
                                                            callback, name.c_str(), objectColor)
                              : selector->CreateColorPicker(owner, swatch->color(), nullptr,
                                                            callback, name.c_str(), objectColor);
    if (!picker) {
        AppendNotification(tr("%1: refused by the color selector").arg(swatch->label()));
        return;
    }
    if (mModelessPicker) {
        // Another selector might serve the object color; this host keeps one picker open.
        picker->Destroy();
        return;
    }
    SetModelessPicker(picker, swatch);
    AppendNotification(tr("%1: modeless picker opened").arg(swatch->label()));
}

void HostMainWindow::AppendNotification(const QString& text)
{
    mUi->notificationsTextEdit->appendPlainText(text);
}

void HostMainWindow::OnColorChanged(HostColorSwatch* swatch, const AColor& color, BOOL buttonUp)
{
    AppendNotification(
        tr("%1: color changed %2%3")
            .arg(swatch->label(), ColorText(color), buttonUp ? tr(" (button up)") : QString()));
    if (swatch->isModeless()) {
        swatch->setColor(color);
    }
}

void HostMainWindow::OnBeingDestroyed(HostColorSwatch* swatch, const IPoint2& position)
{
    AppendNotification(
        tr("%1: being destroyed at %2, %3").arg(swatch->label()).arg(position.x).arg(position.y));
    if (swatch == mModelessSwatch) {
        SetModelessPicker(nullptr, nullptr);
    }
}
