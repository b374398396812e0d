#pragma once
// What the running game reports, drawn on the game window's parts: each changed cell and
// the target rings on the board picture (`DRWP`, `ShBrd`), the markers, the capture ray,
// the score, the move number, whose turn it is, the clocks, the computer's thinking and the
// result. The window tells it the look (tokens, player kinds, detail) and the names.

#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/game.h"
#include "drawing/board_painter.h"
#include "gamewin/window_layout.h"

namespace tomelin {

class BoardView;
class ResultPanel;
class ScoreStrip;
class StatusStrip;
class ThinkingIndicator;
class WindowChrome;

// The parts of the game window the game's reports reach.
struct GameWindowParts {
    WindowChrome& chrome;
    StatusStrip& status;
    QWidget& boardBox;  // `PLNP`
    BoardView& board;   // `PL`
    ScoreStrip& score;
    ResultPanel& result;
    ThinkingIndicator& thinking;
};

// It also passes what a person does on the board (clicks, "Z", "Y") to the game.
class GameView : public GameObserver, public SearchObserver {
public:
    GameView(Game& game, const GameWindowParts& parts, RandomSource& random);

    BoardLook& look() { return m_look; }
    const BoardLook& look() const { return m_look; }
    // The players' names: the status strip shows them, the result panel the winner's.
    void setNames(const std::array<std::string, 2>& names);
    // The board's mouse cursor while `player` is to move; until set (or after forgetting),
    // the player's token drawn small.
    void setPlayerCursor(int player, const QCursor& cursor);
    void forgetPlayerCursors();
    // The board cell under a position on the board picture, if any.
    std::optional<CellPos> cellUnder(QPointF position) const;
    // What a screen reader says of a board cell: its square and what stands on it.
    QString cellText(CellPos cell) const;

    // `Prekr`: the full redraw of the board picture and the status strip.
    void redrawBoard();
    // "Z" and the take-back button (`TZ_Click`(2)), "Y" (redo): a move taken back or
    // brought back leaves no frames of the move that was last before.
    void takeBack();
    void redo();
    // START: the new game as it will start (its board, tokens, names, clocks and an even
    // score; no markers, nobody highlighted yet), drawn before the window shows, so that
    // its first frame never shows the last game. The game lays the same board a moment later.
    void showStartingBoard(const GameSetup& setup);
    // After a new layout: the thinking indicator's place.
    void relayout(const WindowLayout& layout);
    // When a game is on the board: the full redraw (a person's open selection is
    // cancelled), the computer's selection rings and the score.
    void redrawAll();

    // The search's progress is paced over this long (0: not paced).
    void setThinkingTime(int ms) { m_thinkingTime = ms; }
    // A pacing wait is running: the game's own timers must not run the turn change again.
    bool pacing() const { return m_pacing; }

    // Sides whose moves come from elsewhere (an external engine): the board takes no clicks
    // or keys for them, and their thinking shows the part of the time per move used, as PC
    // Velmistr's does.
    std::function<bool(Player player)> isExternal;

    // Called at each turn change and at the game's end (counts, winner).
    std::function<void()> onTurn;
    std::function<void(int tokens1, int tokens2, int winner)> onEnd;

private:
    // GameObserver
    void cellChanged(int x, int y) override;
    void ringsChanged(int x, int y) override;
    void boardReset() override;
    void selectionMarkerChanged(const CellPos* cell) override;
    void lastMoveChanged(const CellPos* source, const CellPos* target) override;
    void captureRay(CellPos from, CellPos to) override;
    void rayParked() override;
    void moveMade(Player player, CellPos source, CellPos target) override;
    void scoreChanged(int tokens1, int tokens2, int freeCells) override;
    void gameEnded(int tokens1, int tokens2, int winner) override;
    void moveNumberChanged(int number) override;
    void turnChanged(Player player) override;
    void takeBackUnavailableChanged(bool unavailable) override;
    void thinkingChanged(bool visible) override;
    void boardEnabledChanged(bool enabled) override;
    void progressStep(int step, int scaleWidth, Player colourPlayer) override;
    void progressCleared() override;
    void searchProgressChanged(int percent) override;
    void clockTextChanged(Player player, const std::string& text) override;
    void clockColourChanged(Player player, Rgb colour) override;
    // SearchObserver
    void hintChanged(const Move* move) override;

    void drawScore();
    // PC Velmistr thinks for a set time on its own thread: the indicator shows the part of
    // that time used, every kMasterTickMs.
    void masterTick();
    void stopMasterTicks();
    static constexpr int kMasterTickMs = 50;
    void paceSearch(int step, int scaleWidth);
    QCursor playerCursor(Player player);

    Game& m_game;
    GameWindowParts m_parts;
    RandomSource& m_random;
    BoardPainter m_painter;
    BoardLook m_look;
    std::array<std::string, 2> m_names;
    std::array<std::optional<QCursor>, 2> m_cursors;
    std::array<int, 2> m_lastScore{0, 0};
    Player m_turn = Player::One;
    int m_thinkingTop = 0;
    int m_thinkingTime = 0;
    bool m_pacing = false;
    QElapsedTimer m_searchClock;
    QTimer* m_masterTimer = nullptr;
    bool m_masterThinking = false;
};

}  // namespace tomelin
