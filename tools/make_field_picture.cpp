// make_field_picture <output.jpg>: writes the 256 x 256 square field picture embedded as
// ":/ColorFields/resources/RgbColorField.jpg": red along x, green up the y axis, blue held at 0,
// the way the square field shows the Blue channel of black.

#include "color/ColorChannel.h"
#include "color/ColorValue.h"
#include "fields/pictures/ColorFieldImage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.jpg>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(QFileInfo(path).absolutePath());

    const QImage picture =
        ColorFieldImage::render(256, 256, ColorValue(0, 0, 0, 255), ColorChannel::Blue);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QImageWriter writer(&file, "jpg");
    writer.setQuality(95);
    if (!writer.write(picture) || !file.commit()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
