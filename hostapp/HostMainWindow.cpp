#include "HostMainWindow.h"

#include "ui_HostMainWindow.h"

#include <QFontDatabase>
#include <QPointer>
#include <QTextCharFormat>
#include <QThread>

HostMainWindow::HostMainWindow(QWidget* parent)
    : QMainWindow(parent), mUi(std::make_unique<Ui::HostMainWindow>())
{
    mUi->setupUi(this);
    mUi->listenerTextEdit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    connect(mUi->listenerEditLine, &QLineEdit::returnPressed, this,
            &HostMainWindow::EvaluateListenerLine);
    connect(mUi->exitAction, &QAction::triggered, this, &QWidget::close);

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
