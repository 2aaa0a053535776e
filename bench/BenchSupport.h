#pragma once

// What the picker benchmarks share: the host's side of a picker, a shown dialog, a mouse drag
// one step per iteration, Qt's own color dialog as the peer, and the medians for the ratios.

#include "dialog/ColorDorvoDialog.h"
#include "host/services/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Qt's offscreen platform unless the caller chose one, so the programs run without a display.
inline void preferOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

// The host's side of a picker: a main window and a throw-away configuration folder.
struct HostSide
{
    QTemporaryDir configDir;
    MaxSDK::QmaxMainWindow mainWindow;

    HostSide()
    {
        HostRuntime::SetPlugCfgDir(configDir.path());
        HostRuntime::SetMainWindow(&mainWindow);
        OpenSettingsStore();
    }
    ~HostSide()
    {
        CloseSettingsStore();
        HostRuntime::SetMainWindow(nullptr);
    }
    HostSide(const HostSide&) = delete;
    HostSide& operator=(const HostSide&) = delete;

    std::unique_ptr<ColorDorvoDialog> open()
    {
        return std::make_unique<ColorDorvoDialog>(&mainWindow, QColor(90, 140, 200), 0, nullptr,
                                                  nullptr, QStringLiteral("Color Selector"));
    }
};

// A picker as the host opens it, shown (on field page `page` when one is given).
struct ShownDialog
{
    HostSide host;
    std::unique_ptr<ColorDorvoDialog> dialog; // goes before the host closes the settings store

    explicit ShownDialog(int page = -1) : dialog(host.open())
    {
        dialog->show();
        if (page >= 0) {
            dialog->findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"))
                ->setCurrentIndex(page);
        }
        QApplication::processEvents();
    }
};

inline void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button,
                      Qt::MouseButtons held, const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Holds the left button on a widget at a and moves between a and b, one move per iteration;
// with `paint`, the repaint that follows each step is included.
inline void dragSteps(benchmark::State& state, QWidget* widget, QPoint a, QPoint b, bool paint)
{
    sendMouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, a);
    bool toB = true;
    for (auto _ : state) {
        sendMouse(widget, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, toB ? b : a);
        if (paint) {
            QApplication::processEvents();
        }
        toB = !toB;
    }
    sendMouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, a);
}

// The peer: Qt's own color dialog, shown, given a new color.
inline void BM_QColorDialogSetCurrentColor(benchmark::State& state, bool paint)
{
    QColorDialog dialog(QColor(90, 140, 200));
    dialog.show();
    QApplication::processEvents();
    bool other = true;
    for (auto _ : state) {
        dialog.setCurrentColor(other ? QColor(200, 60, 30) : QColor(90, 140, 200));
        if (paint) {
            QApplication::processEvents();
        }
        other = !other;
    }
}

// A benchmark of one drag step; with `paint`, the repaint that follows each step is included.
using DragStepBenchmark = void (*)(benchmark::State&, bool);

// Registers every step twice: first all without painting, then all painted, with "Painted"
// appended to their names.
inline void
registerDragSteps(std::initializer_list<std::pair<const char*, DragStepBenchmark>> steps)
{
    for (const char* suffix : {"", "Painted"}) {
        for (const auto& [name, step] : steps)
            benchmark::RegisterBenchmark((std::string(name) + suffix).c_str(), step,
                                         *suffix != '\0');
    }
}

// Keeps the median (or the only) time of every benchmark for the ratios, real or CPU time. On a
// shared machine the wall-clock time also counts the time other programs held the CPU.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    enum class Clock
    {
        Real,
        Cpu
    };
    explicit RatioReporter(Clock clock) : usedClock(clock) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const double time =
                usedClock == Clock::Cpu ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
            if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.str())) {
                medians[run.run_name.str()] = time;
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.str()] = time;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medians;

private:
    Clock usedClock;
};

// Prints each of `steps` (plain and "Painted") as a multiple of BM_QColorDialogSetCurrentColor
// with the same suffix, names padded to `nameWidth`.
inline void printMultiplesOfQColorDialog(const std::map<std::string, double>& medians,
                                         const char* title,
                                         std::initializer_list<const char*> steps, int nameWidth)
{
    std::printf("\n%s as multiples of QColorDialog::setCurrentColor:\n", title);
    for (const char* suffix : {"", "Painted"}) {
        const auto peer = medians.find(std::string("BM_QColorDialogSetCurrentColor") + suffix);
        if (peer == medians.end()) {
            continue;
        }
        for (const char* step : steps) {
            const auto it = medians.find(std::string(step) + suffix);
            if (it != medians.end()) {
                std::printf("  %-*s %8.1f us  %6.2f x\n", nameWidth, it->first.c_str(),
                            it->second / 1000.0, it->second / peer->second);
            }
        }
    }
}
