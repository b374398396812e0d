// The program's entry: the start-up sequence, then the event loop until the user ends it.

#include <QApplication>
#include <QIcon>
#include <memory>

#include "app/widget_map.h"
#include "platform/store/store_location.h"
#include "setup/widgets/artwork.h"
#include "app/startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title, and the titles
    // are the program's own texts.
    QApplication::setApplicationName(QStringLiteral("tomelin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tomelin.Tomelin"));
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(tomelin::Artwork::appIcon(size)));
    }
    QApplication::setWindowIcon(icon);

    tomelin::Startup program(tomelin::openDefaultStore());
    QObject::connect(&program, &tomelin::Startup::quitRequested, &app, &tomelin::endProgram,
                     Qt::QueuedConnection);
    // The end-to-end tests ask where the controls are.
    std::unique_ptr<tomelin::WidgetMap> map;
    if (const QString path = qEnvironmentVariable("TOMELIN_WIDGET_MAP"); !path.isEmpty())
        map = std::make_unique<tomelin::WidgetMap>(path);
    program.start();
    return app.exec();
}
