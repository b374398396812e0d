// Developer entry point until the setup window exists: one game on a built-in board.
// Usage: tomelin [player1 [player2 [board]]], e.g. tomelin "Eva" "PC Génius" Bitva.

#include <QApplication>

#include "core/board.h"
#include "gamewin/tomel.h"
#include "gamewin/toolbar_pictures.h"
#include "platform/store/store_location.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto arg = [&args](int i, const char* fallback) {
        return args.size() > i ? args[i].toStdString() : std::string(fallback);
    };
    tomelin::StoreOpening store = tomelin::openDefaultStore();
    const std::string boardName = arg(3, "Originál");
    const tomelin::BuiltinBoard* board = tomelin::findBuiltinBoard(boardName);
    if (!board)
        board = &tomelin::builtinBoards().front();

    tomelin::Tomel window;
    window.setStore(store.store.get());
    for (int i = 0; i < tomelin::kToolbarPictureCount; ++i)
        tomelin::RecolourKeyColours(window.toolbarImage(i),
                                    tomelin::toolbarKeyColour(app.palette()), app.palette());
    window.refreshToolbar();

    tomelin::GameSetup setup;
    setup.descriptor = board->boardString + "1";
    setup.names = {arg(1, "Hráč 1"), arg(2, "PC Profesionál")};
    for (std::size_t i = 0; i < 2; ++i)
        setup.person[i] = tomelin::playerKindFromName(setup.names[i]) == 0;
    window.setBoardName(QString::fromStdString(board->name));
    window.setGameSetup(setup);
    QObject::connect(&window, &tomelin::Tomel::quitRequested, &app, &QApplication::quit);
    QObject::connect(&window, &tomelin::Tomel::newGameRequested, &window, [&window, setup] {
        window.setGameSetup(setup);
        window.startGame();
    });
    window.startGame();
    return app.exec();
}
