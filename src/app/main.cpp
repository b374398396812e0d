// The program's entry: the start-up sequence, then the event loop until the user ends it.

#include <QApplication>
#include <QIcon>

#include "platform/store/store_location.h"
#include "setup/widgets/artwork.h"
#include "setup/widgets/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tomelin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tomelin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tomelin.Tomelin"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(tomelin::Artwork::appIcon(size)));
    }
    QApplication::setWindowIcon(icon);

    tomelin::Module1 program(tomelin::openDefaultStore());
    QObject::connect(&program, &tomelin::Module1::quitRequested, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.start();
    return app.exec();
}
