// Writes the application icon in the hicolor sizes, drawn by the same code the program uses
// for its window icon, so the installed icons never drift from the in-game artwork.
// Usage: make_icons <output folder>; writes <folder>/<size>x<size>/<id>.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "setupwin/artwork.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <output folder> <icon name>\n", argv[0]);
        return 2;
    }
    // Drawing onto images needs no window system; the offscreen platform keeps it headless.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2").arg(root).arg(size);
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(folder));
            return 1;
        }
        const QString file = folder + "/" + name + ".png";
        if (!tomelin::Artwork::appIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
