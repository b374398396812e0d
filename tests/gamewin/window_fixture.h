#pragma once
// A game window on a manual timer host and a temporary store, for the window tests.

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/manual_timer_host.h"
#include "core/random.h"
#include "gamewin/board_view.h"
#include "gamewin/game_window.h"
#include "gamewin/tool_button.h"
#include "platform/draw/image_surface.h"
#include "platform/store/store_location.h"
#include "records/time_list.h"
#include "support/window_parts.h"

namespace tomelin::test {

inline constexpr PlayerStyle kTestStyle1{rgb(255, 128, 0), kShapeRectangle, rgb(0, 200, 0)};
inline constexpr PlayerStyle kTestStyle2{rgb(0, 127, 225), kShapeOval, rgb(250, 250, 120)};

// 4 x 4, player 1 in the top left corner, player 2 in the bottom right.
inline const std::string kCorners = "+XXXXXXXXXXXXXX-";

struct WindowFixture {
    QTemporaryDir folder;
    StoreOpening store = openStoreAt(folder.filePath("tomelin.db").toStdString());
    ManualTimerHost timers;
    MtRandomSource random{42};
    std::unique_ptr<GameWindow> window;

    WindowFixture() {
        window = std::make_unique<GameWindow>(nullptr, &timers, &random);
        timers.setHandler([this](GameTimer t) { window->game().onTimer(t); });
        window->setStore(store.store.get());
        window->setPlayerStyle(1, kTestStyle1);
        window->setPlayerStyle(2, kTestStyle2);
    }

    Game& game() { return window->game(); }
    const HintSearch& hintSearch() { return window->hintSearch(); }
    // A part of the window by its object name (game_window.h and the parts' headers list
    // them), a label unless said otherwise.
    template <class T = QLabel>
    T& part(const QString& name) {
        return test::part<T>(*window, name);
    }
    template <class T = QLabel>
    T& part(const QString& name, int index) {
        return test::part<T>(*window, name, index);
    }
    BoardView& board() { return part<BoardView>("PL"); }

    // Starts a game on `boardString` (player 1 begins) and runs it until a person is to move
    // (or only starts it).
    void start(const std::string& boardString, std::array<std::string, 2> names = {"Eva", "Jan"},
               std::array<int, 2> times = {0, 0}, const std::string& logic = "1",
               bool runToFirstTurn = true) {
        GameSetup s;
        s.board = boardString;
        s.logic = logic == "1" ? Logic::Star : Logic::Cross;
        for (std::size_t i = 0; i < 2; ++i)
            s.players[i] = playerNamed(names[i], timeLimitAtListPosition(times[i]));
        window->setBoardName(QStringLiteral("Zkouška"));
        window->setGameSetup(s);
        window->startGame();
        if (runToFirstTurn)
            settle();
    }

    // Fires the start and turn-change timers (and the computer's clicks) until none is due;
    // the game clock is left alone.
    void settle() {
        for (int fired = 0; fired < 1000 && timers.fireNext({GameTimer::Clock}); ++fired)
            continue;
    }

    QPoint cellCentre(int x, int y) {
        return QPoint(static_cast<int>((x + 0.5) * board().cellW()),
                      static_cast<int>((y + 0.5) * board().cellH()));
    }

    // The two count labels as "first|second".
    std::string counts() {
        return (part("countLabel", 1).text() + QLatin1Char('|') + part("countLabel", 2).text())
            .toStdString();
    }

    // The centre pixel of the result panel's winner picture.
    Rgb winnerCentre() {
        const QImage image = part<PictureBox>("winnerPicture").image();
        return fromQColor(image.pixelColor(image.width() / 2, image.height() / 2));
    }

    void click(int x, int y) { QTest::mouseClick(&board(), Qt::LeftButton, {}, cellCentre(x, y)); }

    // A person's whole move by two clicks, then the turn change.
    void move(CellPos from, CellPos to) {
        click(from.x, from.y);
        click(to.x, to.y);
        settle();
    }

    // The colour of the ring of cell (x, y): a pixel in the band between the field's grey
    // edge and its raised square.
    Rgb ringColour(int x, int y) {
        const double ch = board().cellH();
        return fromQColor(board().image().pixelColor(static_cast<int>((x + 0.5) * board().cellW()),
                                                     static_cast<int>(y * ch + ch * 7 / 60)));
    }
};

}  // namespace tomelin::test
