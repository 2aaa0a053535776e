// The first opening in a fresh process, which pays for what later openings find ready (fonts,
// styles, pictures, the settings file), beside QColorDialog's first opening. Each sample is a
// new process that builds, shows and closes one dialog; the program prints the medians.
//
//   build-bench/bin/firstopen_dialog [SAMPLES]

#include "BenchSupport.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Builds, shows and closes one dialog; the time in milliseconds.
double openOnce(bool ours)
{
    std::unique_ptr<HostSide> host;
    if (ours)
        host = std::make_unique<HostSide>();
    QElapsedTimer timer;
    timer.start();
    {
        std::unique_ptr<QDialog> dialog;
        if (ours)
            dialog = host->open();
        else
            dialog = std::make_unique<QColorDialog>(QColor(90, 140, 200));
        dialog->show();
        QApplication::processEvents();
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    preferOffscreenPlatform();
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--child")) {
        std::printf("%.3f\n", openOnce(args.at(2) == QLatin1String("ours")));
        return 0;
    }
    const int samples = args.size() > 1 ? std::max(1, args.at(1).toInt()) : 11;
    std::vector<double> times[2];
    for (int i = 0; i < samples; ++i) {
        for (int side = 0; side < 2; ++side) {
            QProcess child;
            child.start(QApplication::applicationFilePath(),
                        {QStringLiteral("--child"),
                         side == 0 ? QStringLiteral("ours") : QStringLiteral("qt")});
            if (!child.waitForFinished(60000) || child.exitCode() != 0)
                return 1;
            times[side].push_back(child.readAllStandardOutput().trimmed().toDouble());
        }
    }
    const double ours = median(times[0]);
    const double qt = median(times[1]);
    std::printf("first opening, median of %d fresh processes: ColorDorvoDialog %.2f ms, "
                "QColorDialog %.2f ms, ratio %.2f\n",
                samples, ours, qt, ours / qt);
    return 0;
}
