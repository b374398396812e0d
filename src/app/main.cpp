// The program's entry: the start-up sequence, then the event loop until the user ends it.

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/command_line.h"
#include "app/language.h"
#include "app/startup.h"
#include "app/widget_map.h"
#include "platform/draw/accessible_windows.h"
#include "platform/store/store_location.h"
#include "setupwin/artwork.h"

int main(int argc, char** argv) {
    // Answered before any window system is needed: `tomelin --help` works without a display.
    const tomelin::CommandLine line =
        tomelin::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action != tomelin::CommandLine::Action::OpenGame)
        return tomelin::answerCommandLine(line, stdout, stderr);

    QApplication app(argc, argv);
    // No application display name: Qt would append it to every window title, and the titles
    // are the program's own texts.
    QApplication::setApplicationName(QStringLiteral("tomelin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tomelin.Tomelin"));
    // The window manager's sizes; the larger ones come from the installed icon theme.
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(tomelin::Artwork::appIcon(size)));
    }
    QApplication::setWindowIcon(icon);
    tomelin::installWindowAccessibility();

    // The end-to-end tests ask where the controls are, the splash's included.
    std::unique_ptr<tomelin::WidgetMap> map;
    if (const QString path = qEnvironmentVariable("TOMELIN_WIDGET_MAP"); !path.isEmpty())
        map = std::make_unique<tomelin::WidgetMap>(path);
    tomelin::StoreOpening opening = tomelin::openDefaultStore();
    // Before the first window: every window is made in the language chosen here.
    tomelin::installWindowLanguage(*opening.store);
    tomelin::Startup program(std::move(opening));
    QObject::connect(&program, &tomelin::Startup::quitRequested, &app, &tomelin::endProgram,
                     Qt::QueuedConnection);
    // The desktop test holds the splash long enough for its screenshot.
    bool holdGiven = false;
    if (const int ms = qEnvironmentVariableIntValue("TOMELIN_SPLASH_MIN_MS", &holdGiven);
        holdGiven && ms >= 0)
        program.setSplashMinTime(ms);
    program.start();
#ifdef __GLIBC__
    // Start-up's passing work (the splash, the pictures drawn once) leaves free memory in the
    // middle of the heap; give it back to the system before the program waits for the user.
    QTimer::singleShot(0, [] { malloc_trim(0); });
#endif
    return app.exec();
}
