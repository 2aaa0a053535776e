#include "hostsdk/HostRuntime.h"

#include "Qt/QmaxMainWindow.h"
#include "RuntimeState.h"
#include "maxscript/foundation/functions.h"
#include "maxscript/foundation/numbers.h"
#include "maxscript/foundation/strings.h"
#include "maxscript/kernel/value.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>

#include <memory>
#include <vector>

namespace HostRuntimeDetail {

State& state()
{
    static State s;
    return s;
}

std::wstring FormatWide(const wchar_t* format, va_list args)
{
    if (!format) {
        return std::wstring();
    }
    // Rewrite the host's conventions into the C library's: there, %s in a wide format is narrow.
    std::wstring fmt;
    for (const wchar_t* p = format; *p; ++p) {
        fmt += *p;
        if (*p != L'%') {
            continue;
        }
        ++p;
        if (*p == L'%') {
            fmt += *p;
            continue;
        }
        bool narrow = false;
        bool wide = false;
        while (*p && wcschr(L"-+ #0123456789.*", *p)) {
            fmt += *p++;
        }
        while (*p && wcschr(L"hlwLqjzt", *p)) {
            if (*p == L'h') {
                narrow = true;
            } else if (*p == L'l' || *p == L'w') {
                wide = true;
            }
            // The host's "w" length (wide string or character) is the C library's "l".
            fmt += *p == L'w' ? L'l' : *p;
            ++p;
        }
        if (!*p) {
            break;
        }
        wchar_t conv = *p;
        if (conv == L's' || conv == L'c') {
            if (narrow) {
                fmt.pop_back(); // drop the 'h': plain %s/%c is narrow in the C library
                fmt += conv;
            } else if (wide) {
                fmt += conv;
            } else {
                fmt += L'l';
                fmt += conv;
            }
        } else if (conv == L'S' || conv == L'C') {
            fmt += static_cast<wchar_t>(conv == L'S' ? L's' : L'c');
        } else {
            fmt += conv;
        }
    }
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        int n = vswprintf(buffer.data(), buffer.size(), fmt.c_str(), copy);
        va_end(copy);
        if (n >= 0) {
            return std::wstring(buffer.data(), static_cast<size_t>(n));
        }
        if (buffer.size() >= (1u << 22)) {
            return std::wstring(); // a bad format or an absurdly long line; drop it rather than
                                   // loop
        }
        buffer.resize(buffer.size() * 4);
    }
}

void WriteOutput(HostRuntime::OutputChannel channel, const QString& text)
{
    HostRuntime::OutputSink sink;
    {
        std::lock_guard<std::recursive_mutex> lock(state().mutex);
        // Output is kept for reading back, bounded so that a chatty module cannot exhaust memory.
        static constexpr int kMaxKept = 1 << 20;
        QString& kept = channel == HostRuntime::OutputChannel::Debug ? state().debugOutput
                                                                     : state().listenerOutput;
        kept += text;
        if (kept.size() > kMaxKept) {
            kept.remove(0, kept.size() - kMaxKept);
        }
        sink = state().sink;
    }
    if (sink) {
        sink(channel, text);
    }
}

std::wstring PrimitiveKey(const std::wstring& structName, const std::wstring& name)
{
    QString key =
        QString::fromStdWString(structName) + QLatin1Char('.') + QString::fromStdWString(name);
    return key.toLower().toStdWString();
}

} // namespace HostRuntimeDetail

using namespace HostRuntimeDetail;

namespace HostRuntime {

void SetMainWindow(MaxSDK::QmaxMainWindow* window)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().mainWindow = window;
}

MaxSDK::QmaxMainWindow* MainWindow()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    return state().mainWindow.data();
}

HWND WindowHandle(QWidget* widget)
{
    return reinterpret_cast<HWND>(widget);
}

QWidget* WidgetFromHandle(HWND handle)
{
    if (!handle || !qApp) {
        return nullptr;
    }
    // Only live widgets answer: a stale handle must not be dereferenced.
    for (QWidget* w : QApplication::allWidgets()) {
        if (reinterpret_cast<HWND>(w) == handle) {
            return w;
        }
    }
    return nullptr;
}

void SetPlugCfgDir(const QString& dir)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().plugCfgDir = dir;
}

QString PlugCfgDir()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    QString dir = state().plugCfgDir;
    if (dir.isEmpty()) {
        dir = qEnvironmentVariable("COLORDORVO_PLUGCFG");
    }
    if (dir.isEmpty()) {
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
              QStringLiteral("/colordorvo-host/plugcfg");
    }
    dir = QDir::cleanPath(dir);
    QDir().mkpath(dir); // a failure shows later as unwritable files, which modules tolerate
    return dir;
}

void SetLanguagePackDir(const QString& dir)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().languagePackDir = dir;
    for (auto& entry : state().modules) {
        entry.second->stringsLoaded = false;
        entry.second->strings.clear();
    }
}

QString LanguagePackDir()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    if (!state().languagePackDir.isEmpty()) {
        return state().languagePackDir;
    }
    return qApp ? QCoreApplication::applicationDirPath() + QStringLiteral("/langpack") : QString();
}

HINSTANCE RegisterModule(const QString& filePath)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    auto record = std::make_unique<ModuleRecord>();
    record->filePath = filePath;
    HINSTANCE handle = reinterpret_cast<HINSTANCE>(record.get());
    state().modules[handle] = record.release();
    return handle;
}

void UnregisterModule(HINSTANCE module)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    auto it = state().modules.find(module);
    if (it != state().modules.end()) {
        delete it->second;
        state().modules.erase(it);
    }
}

QString ModuleFilePath(HINSTANCE module)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    auto it = state().modules.find(module);
    return it == state().modules.end() ? QString() : it->second->filePath;
}

QString DebugOutput()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    return state().debugOutput;
}

QString ListenerOutput()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    return state().listenerOutput;
}

void ClearOutput()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().debugOutput.clear();
    state().listenerOutput.clear();
}

void SetOutputSink(OutputSink sink)
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    state().sink = std::move(sink);
}

namespace {

// Splits a comma-separated list of literals: double-quoted strings with \" and \\ escapes,
// and integers.
bool ParseArguments(const QString& text, std::vector<std::unique_ptr<Value>>& args, QString& error)
{
    int i = 0;
    const int n = text.size();
    auto skipSpace = [&] {
        while (i < n && text[i].isSpace()) {
            ++i;
        }
    };
    skipSpace();
    if (i == n) {
        return true;
    }
    for (;;) {
        skipSpace();
        if (i < n && text[i] == QLatin1Char('"')) {
            QString s;
            ++i;
            bool closed = false;
            while (i < n) {
                QChar c = text[i++];
                if (c == QLatin1Char('\\') && i < n) {
                    s += text[i++];
                } else if (c == QLatin1Char('"')) {
                    closed = true;
                    break;
                } else {
                    s += c;
                }
            }
            if (!closed) {
                error = QStringLiteral("-- Syntax error: unterminated string");
                return false;
            }
            args.emplace_back(new String(s.toStdWString().c_str()));
        } else {
            int start = i;
            if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
                ++i;
            }
            while (i < n && text[i].isDigit()) {
                ++i;
            }
            bool ok = false;
            int value = text.mid(start, i - start).toInt(&ok);
            if (!ok) {
                error = QStringLiteral("-- Syntax error: bad argument \"%1\"")
                            .arg(text.mid(start).trimmed());
                return false;
            }
            args.emplace_back(new Integer(value));
        }
        skipSpace();
        if (i == n) {
            return true;
        }
        if (text[i] != QLatin1Char(',')) {
            error = QStringLiteral("-- Syntax error: expected \",\" before \"%1\"")
                        .arg(text.mid(i).trimmed());
            return false;
        }
        ++i;
    }
}

} // namespace

ScriptResult EvaluateScript(const QString& expression)
{
    ScriptResult result;
    static const QRegularExpression call(
        QStringLiteral(R"(^\s*(?:([A-Za-z_]\w*)\s*\.\s*)?([A-Za-z_]\w*)\s*\((.*)\)\s*;?\s*$)"));
    QRegularExpressionMatch m = call.match(expression);
    if (!m.hasMatch()) {
        result.error =
            QStringLiteral(
                "-- Syntax error: expected a function call such as Struct.Name(), got \"%1\"")
                .arg(expression.trimmed());
        return result;
    }
    std::vector<std::unique_ptr<Value>> args;
    if (!ParseArguments(m.captured(3), args, result.error)) {
        return result;
    }
    Primitive* primitive = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(state().mutex);
        auto it = state().primitives.find(
            PrimitiveKey(m.captured(1).toStdWString(), m.captured(2).toStdWString()));
        if (it != state().primitives.end()) {
            primitive = it->second;
        }
    }
    const QString name =
        m.captured(1).isEmpty() ? m.captured(2) : m.captured(1) + QLatin1Char('.') + m.captured(2);
    if (!primitive) {
        result.error = QStringLiteral("-- Unknown function: %1").arg(name);
        return result;
    }
    std::vector<Value*> argList;
    for (auto& a : args) {
        argList.push_back(a.get());
    }
    std::unique_ptr<Value> value(
        primitive->Apply(argList.data(), static_cast<int>(argList.size())));
    result.ok = true;
    if (value) {
        result.text = QString::fromStdWString(value->ToText());
        result.printForm = QString::fromStdWString(value->PrintForm());
    } else {
        result.text = result.printForm = QStringLiteral("undefined");
    }
    return result;
}

QStringList ScriptFunctions()
{
    std::lock_guard<std::recursive_mutex> lock(state().mutex);
    QStringList names;
    for (const auto& entry : state().primitives) {
        const Primitive* p = entry.second;
        QString name = QString::fromStdWString(p->Name());
        if (!p->StructName().empty()) {
            name.prepend(QString::fromStdWString(p->StructName()) + QLatin1Char('.'));
        }
        names << name;
    }
    return names;
}

long HostHeapBlocks()
{
    return state().hostHeapBlocks.load();
}
long ScriptHeapBlocks()
{
    return state().scriptHeapBlocks.load();
}

} // namespace HostRuntime
