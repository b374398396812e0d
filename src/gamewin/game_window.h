#pragma once
// `GameWindow` (`Tomel`): the game window. It owns the running game and wires it to the
// parts that show it: the chrome (caption, toolbar, size corner, menus), the status strip,
// the board, the score strip, the result panel and the thinking indicator. `WindowLayout`
// (`Rozmery`) says where each goes, `GameView` draws what the game reports on them and
// `GameKeeper` keeps and records the games.
//
// How the setup window drives it at START:
//   window.setStore(&store);                    // once: detail level + where records go
//   window.setWindowHeight(startHeight(screen)); // `Rozmery` at 13/15 of the screen
//   window.setBoardName("Originál");            // title "Tomelin - Originál", record's board
//   window.setPlayerStyle(1, style1);           // `HR1`, `HR2`: colour, shape, second colour
//   window.setGameSetup(setup);                 // board, logic, names, kinds, time limits
//   window.startGame();                         // hides the result panel, starts, shows
// and listens to newGameRequested() ("Novou hru": the window has hidden itself; show the
// setup window and refresh its statistics), quitRequested() ("Opravdu skončit"),
// musicToggleRequested() and aboutRequested(). Player kinds follow from the names.
//
// Tests find the parts by object name: "PL" (the board), "statusStrip", "scoreStrip",
// "result", "thinking", "caption", "Picture13_i" (toolbar), "Image10" (size corner), the
// menus and the labels each part's header names.

#include <QCursor>
#include <QImage>
#include <QMenu>
#include <QWidget>
#include <memory>

#include "core/game.h"
#include "core/hint_search.h"
#include "gamewin/game_keeper.h"
#include "gamewin/game_view.h"
#include "gamewin/window_layout.h"

namespace tomelin {

class EngineSeats;
class MinimiseGuard;

class GameWindow : public QWidget {
    Q_OBJECT
public:
    // The window makes its own QTimer host and random source unless given ones (tests step
    // the game through a manual timer host).
    explicit GameWindow(QWidget* parent = nullptr, TimerHost* timers = nullptr,
                        RandomSource* random = nullptr);
    ~GameWindow() override;

    // ---- what the setup window hands over ----
    // Where finished games are recorded; also reads the token detail level (window load).
    void setStore(Store* store);
    void setDetailLevel(int level) { m_view->look().detail = level; }
    int detailLevel() const { return m_view->look().detail; }
    void setBoardName(const QString& name);
    QString boardName() const { return m_boardName; }
    void setGameSetup(const GameSetup& setup);
    // `HR1` (player 1) and `HR2` (player 2).
    void setPlayerStyle(int player, const PlayerStyle& style);
    const PlayerStyle& playerStyle(int player) const;
    // The board's mouse cursor while `player` is to move (the setup window's player
    // pictures); until set, the player's token drawn small.
    void setPlayerCursor(int player, const QCursor& cursor);
    // The programs of external engines playing sides 1 and 2 in the games started from now
    // on (empty: that side's player is no engine); see engine_seats.h.
    void setEnginePrograms(const std::array<QString, 2>& programs);
    // START: hides the result panel, starts the game (the board appears 100 ms later) and
    // shows the window. Returns false (and shows nothing) for a board the game refuses.
    bool startGame();
    // "Pokračovat ve hře": the kept game exactly as it was (board, markers, clocks, move list,
    // whose turn); its board name, tokens and players replace the window's. Returns false
    // (and shows nothing) for a snapshot the game refuses.
    bool resumeGame(const GameSnapshot& snapshot);

    // ---- size ----
    static constexpr int kMinimumHeight = design::kChromeHeight + 60;
    // The window's height in pixels (at least kMinimumHeight); lays it out (`Rozmery`),
    // centres it (`Vycentrovat`) and redraws the board (`Prekr`) when a game is on it.
    void setWindowHeight(int height);
    int windowHeight() const { return m_layout.window.height(); }
    // "Zmenšit okno" / "Zvětšit okno": one height step of 2/15 of the screen height.
    void stepHeight(bool grow);
    bool canGrow() const;
    bool canShrink() const;

    // ---- actions (toolbar and menus) ----
    void restartGame();  // "Restartovat hru" (`NG_Click`)
    void newGame();      // "Novou hru" (`UNG_Click`): hides the window, newGameRequested()
    void takeBack();     // the take-back button and "Z": `TZ_Click`(2)
    // "Kopírovat pozici jako FEN" (Ctrl+C; the status and score strips' right-click menu,
    // action "copyFen"): the position on the board, the side to move included, to the
    // clipboard. Nothing while no game is on the board.
    void copyPositionFen();
    // Caption, toolbar and menus, for start-up to recolour the toolbar, hand over the setup
    // window's menus (whose actions call restartGame(), newGame(), quit and stepHeight())
    // and show the inactive caption while none of the program's windows is active.
    WindowChrome& chrome() { return *m_chrome; }

    // The search takes a few milliseconds; its progress is paced over this long so that a
    // person sees it move (the window's own timers only; 0: not paced).
    static constexpr int kThinkingTimeMs = 350;
    void setThinkingTime(int ms);

    // The running game (start-up steps its timers; tests read its state).
    Game& game() { return *m_game; }
    // The hint ("N") beside it.
    const HintSearch& hintSearch() const { return *m_hint; }
    // `Prekr`: the full redraw of the board picture and the status strip.
    void redrawBoard();

signals:
    void newGameRequested();
    void quitRequested();
    void musicToggleRequested();
    void aboutRequested();
    // The store refused to keep the running game (once per game): the reason, in Czech.
    void keepRefused(const QString& reason);
    // An external engine failed (its Czech message): its process is ended, the window has
    // left the game as it was kept at the last turn change (newGameRequested() follows),
    // so that it can be resumed with another player.
    void engineFailed(const QString& message);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildParts();
    void wireParts();
    void applyLayout();
    // Shows the window for a started or resumed game, not minimised, the board in focus.
    void showForGame();
    int screenHeight() const;

    std::unique_ptr<TimerHost> m_ownTimers;
    std::unique_ptr<RandomSource> m_ownRandom;
    RandomSource* m_random = nullptr;
    std::unique_ptr<Game> m_game;
    std::unique_ptr<class ThreadSearchRunner> m_searchRunner;
    // The hint ("N") on the game's runner; goes before the runner and the game.
    std::unique_ptr<HintSearch> m_hint;
    GameKeeper m_keeper;

    GameSetup m_setup;
    QString m_boardName;
    WindowLayout m_layout;
    QImage m_decoration;

    WindowChrome* m_chrome = nullptr;
    MinimiseGuard* m_minimise = nullptr;
    StatusStrip* m_status = nullptr;          // `Picture5`
    QWidget* m_boardBox = nullptr;            // `PLNP`
    BoardView* m_board = nullptr;             // `PL`
    ScoreStrip* m_score = nullptr;            // `Picture1`
    ResultPanel* m_result = nullptr;          // `Picture3`
    ThinkingIndicator* m_thinking = nullptr;  // `Picture9`
    std::unique_ptr<GameView> m_view;
    EngineSeats* m_seats = nullptr;
};

}  // namespace tomelin
