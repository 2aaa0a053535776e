// One drag step on each wheel page of the dialog (the pick, ViewColorChanged and every view,
// optionally with the repaint that follows), side by side with Qt's own color dialog given a new
// color, and reported as multiples of it: these machines are too noisy for absolute figures.

#include "dialog/ColorDorvoDialog.h"
#include "fields/HsvWheel.h"
#include "fields/HueWheel.h"
#include "host/SettingsStore.h"

#include "hostsdk/HostRuntime.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

// A picker as the host opens it, shown on field page `page`, on a throw-away configuration folder.
struct ShownDialog
{
    QTemporaryDir configDir;
    QWidget mainWindow;
    std::unique_ptr<ColorDorvoDialog> dialog;

    explicit ShownDialog(int page)
    {
        HostRuntime::SetPlugCfgDir(configDir.path());
        HostRuntime::SetMainWindow(&mainWindow);
        OpenSettingsStore();
        dialog = std::make_unique<ColorDorvoDialog>(&mainWindow, QColor(90, 140, 200), 0, nullptr,
                                                    nullptr, QStringLiteral("Color Selector"));
        dialog->show();
        dialog->findChild<QComboBox*>(QStringLiteral("colorFieldComboBox"))->setCurrentIndex(page);
        QApplication::processEvents();
    }
    ~ShownDialog()
    {
        dialog.reset();
        CloseSettingsStore();
        HostRuntime::SetMainWindow(nullptr);
    }
};

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               const QPoint& pos)
{
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Holds the left button at a and moves between a and b, one move per iteration.
void dragSteps(benchmark::State& state, QWidget* widget, QPoint a, QPoint b, bool paint)
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

void BM_HsvWheelDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown(1);
    dragSteps(state, shown.dialog->findChild<HsvWheel*>(), QPoint(60, 90), QPoint(200, 170), paint);
}

// On the ring every step changes the hue, so the inner square redraws its picture too.
void BM_HueWheelDragStep(benchmark::State& state, bool paint)
{
    ShownDialog shown(2);
    dragSteps(state, shown.dialog->findChild<HueWheel*>(), QPoint(128, 12), QPoint(240, 128),
              paint);
}

void BM_QColorDialogSetCurrentColor(benchmark::State& state, bool paint)
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

// Keeps the median (or the only) real time of every benchmark for the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.str())) {
                medians[run.run_name.str()] = run.GetAdjustedRealTime();
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[run.run_name.str()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    for (const char* suffix : {"", "Painted"}) {
        const bool paint = *suffix != '\0';
        benchmark::RegisterBenchmark((std::string("BM_HsvWheelDragStep") + suffix).c_str(),
                                     BM_HsvWheelDragStep, paint);
        benchmark::RegisterBenchmark((std::string("BM_HueWheelDragStep") + suffix).c_str(),
                                     BM_HueWheelDragStep, paint);
        benchmark::RegisterBenchmark(
            (std::string("BM_QColorDialogSetCurrentColor") + suffix).c_str(),
            BM_QColorDialogSetCurrentColor, paint);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const auto& m = reporter.medians;
    std::printf("\nWheel drag steps as multiples of QColorDialog::setCurrentColor:\n");
    for (const char* suffix : {"", "Painted"}) {
        const auto peer = m.find(std::string("BM_QColorDialogSetCurrentColor") + suffix);
        if (peer == m.end()) {
            continue;
        }
        for (const char* step : {"BM_HsvWheelDragStep", "BM_HueWheelDragStep"}) {
            const auto it = m.find(std::string(step) + suffix);
            if (it != m.end()) {
                std::printf("  %-28s %8.1f us  %6.2f x\n", it->first.c_str(), it->second / 1000.0,
                            it->second / peer->second);
            }
        }
    }
    return 0;
}
