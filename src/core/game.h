#pragma once
// The running game: turn sequence, move rules, the players asked for their moves, take-back
// and clock. The game window owns one Game and only displays what it reports through
// GameObserver; a person's presses come through core/person_input.h, the hint ("N") is a
// HintSearch (core/hint_search.h) beside the game.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/board.h"
#include "core/computer.h"
#include "core/directions.h"
#include "core/game_clock.h"
#include "core/game_player.h"
#include "core/game_setup.h"
#include "core/move_selection.h"
#include "core/player_kinds.h"
#include "core/ports.h"
#include "core/position.h"
#include "core/search_runner.h"

namespace tomelin {

// `Label7`'s number for a move counter: Int(counter) + 1.
int moveNumberOf(double moveCounter);

// `HasLegalMove`: `player` has a token with a free cell within reach on `position`.
bool hasLegalMove(const Position& position, Logic logic, Player player);

// What lies beside the game and goes with the position on show (the hint): told when a click
// reached the board's selection, when the position on show was withdrawn (game start,
// restart, new game, take-back, redo) and when the game's searches stop (its end, restart,
// new game, another search runner).
class GameListener {
public:
    virtual void boardClicked() {}
    virtual void positionWithdrawn() {}
    virtual void searchesStopped() {}
    virtual ~GameListener() = default;
};

// Timer intervals in milliseconds (`Timer1`, `TimCHng`, `TimPC`'s two; the clock's `TimerT` in
// core/game_clock.h).
inline constexpr int kStartInterval = 100;
inline constexpr int kTurnChangeInterval = 200;
inline constexpr int kComputerFirstClickInterval = 100;
inline constexpr int kComputerSecondClickInterval = 750;

class Game final : private MoveSink {
public:
    Game(TimerHost& timers, RandomSource& random);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    void setObserver(GameObserver* observer);
    // One listener (the hint search); null for none.
    void setListener(GameListener* listener);

    // Makes the players of both sides from their kinds at every game start and resume; the
    // default is `makePlayer`. A maker may hand out players of its own (one living outside
    // the core, a child process for instance) and leave the other kinds to makePlayer.
    void setPlayerMaker(PlayerMaker maker);

    // START: takes the setup and starts the game-start timer (`Timer1`). A board string
    // that is no playable board (side outside 2..16) is refused: no game starts.
    std::optional<BoardError> start(const GameSetup& setup);
    const GameSetup& setup() const { return m_setup; }

    // Dispatches a fired timer to its handler.
    void onTimer(GameTimer timer);

    // A click on board cell (x, y) of the board's selection (`PLKlik`), the one way onto it
    // for the computer's paced answer and for a person (through pressCell, core/
    // person_input.h); (-1, -1) cancels any selection. Ignored while a turn change is due.
    void clickCell(int x, int y);
    // Takes back one (1) or two (2) moves (`TZ_Click`). Refused while a turn change or a
    // game start is pending and after the game has ended; cancels a pending computer move.
    void takeBack(int i);
    // Restarts with the same setup (`NG_Click`); drops a pending computer move, turn change
    // and clock tick of the old game.
    void restart();
    // The game part of leaving for a new game (`UNG_Click`): stops every game timer and
    // clears the board; the window hides itself and shows the setup window.
    void leave();

    // The window has redrawn the whole board (`Prekr`, e.g. after a resize): an open
    // selection is cancelled, the last-move markers are parked (so the next strength-3
    // search sees the whole board again) and the score is reported afresh. A computer move
    // whose first click was given is still played.
    void fullRedrawDone();

    // ---- "PC Velmistr" (game_master.cpp) ----
    // Where its searches run; none (the default) searches in place. The runner must outlive
    // the game or be replaced before it goes.
    void setSearchRunner(SearchRunner* runner);
    // Thinking time per move without a time limit (the default is 1000 ms).
    void setMasterMoveTimeMs(int ms) { m_masterMoveMs = ms; }
    int masterMoveTimeMs() const { return m_masterMoveMs; }
    // A thinking player's move is being searched for (its answer has not come yet).
    bool searching() const { return m_awaiting; }
    // Key "Y": after a take-back, plays the taken-back moves again, two at a time (as "Z"
    // took them back), while no new move was made.
    void redo();
    bool redoAvailable() const;

    // The game window is minimized: the clock pauses.
    void setMinimized(bool minimized) { m_minimized = minimized; }

    // ---- state, as the windows and tests read it ----
    // The position the rules play on, with the player to move: the one board of the game,
    // which the window draws from.
    const Position& position() const { return m_pos; }
    Logic logic() const { return m_logic; }
    Player playerToMove() const { return m_playerToMove; }
    double moveCounter() const { return m_moveCounter; }
    bool gameOver() const { return m_gameOver; }
    bool boardEnabled() const { return m_boardEnabled; }
    // The board's selection (`Check1`): the selected token and the cells it may reach.
    const MoveSelection& selection() const { return m_selection; }
    std::optional<CellPos> lastMoveSource() const { return m_lastSource; }
    // The last move made in this game (kind included); none before the first move.
    std::optional<Move> lastMove() const { return m_lastMove; }
    std::optional<CellPos> lastMoveTarget() const { return m_lastTarget; }
    // `List1`: entry k is the snapshot after k moves.
    const std::vector<std::string>& moveList() const { return m_moveList; }
    // `Label7`'s full-move number; 0 while the label is cleared (game start).
    int moveNumber() const { return m_moveNumber; }
    bool takeBackUnavailable() const { return m_takeBackUnavailable; }
    // `Picture3`: the result panel is shown (from the game's end until restart/new game).
    bool resultShown() const { return m_resultShown; }
    // Number of moves made in the current line of play (2 * MoveCounter - 1 after a turn
    // change), 0 before the first turn change.
    int movesMade() const;
    // Both players' clocks: time left, the labels' colours, the tick interval.
    const GameClock& clock() const { return m_clock; }
    // The computer has chosen a move whose clicks are still to come.
    bool computerMovePending() const;
    // Whether side p's player moves through the board's clicks (a person); before the first
    // game, whether its kind is a person's.
    bool movesByClicks(Player player) const;
    // A game start or a turn change is due: the turn has not passed yet.
    bool turnPending() const;

private:
    // Puts a kept game back (core/game_snapshot.cpp).
    friend struct GameResumer;

    // The game starts: clocks, board, players (`Timer1_Timer`).
    void onStartTimer();
    // The turn passes: move list, next player, the player asked (`TimCHng_Timer`).
    void onTurnChangeTimer();
    // The computer's chosen move as two clicks (`TimPC_Timer`).
    void onComputerClickTimer();
    // One tick of the mover's clock (`TimerT_Timer`).
    void onClockTimer();
    // `Score`'s core part: counts the tokens and reports them; on a full board with at
    // least one token it also ends the game (see gameEnded). Called after every board
    // change and by fullRedrawDone. Does nothing once the game is over.
    void recountAndEndIfFull();

    // The players of both sides, made from their kinds (game start, resume).
    void seatPlayers();
    // Asks `player`, seated for side p or standing in for it, for a move of p.
    void askForMove(Player p, GamePlayer& player, bool standIn);
    // `PcIQ` at strength 0 (a person's time ran out) or 2 (the opponent's ran out): the
    // rule-based computer moves for p.
    void standInMoves(Player p, int strength);
    // Withdraws the request a thinking player has not answered yet.
    void cancelMoveRequest();
    void tellPositionReset();
    // MoveSink: the asked player's answers.
    void movePlayed(std::uint64_t request, const Move& move) override;
    void moveFailed(std::uint64_t request, const std::string& reason) override;
    void thinkingStep(std::uint64_t request, int step, int scale) override;
    void scannedPercent(std::uint64_t request, int percent) override;
    void depthDone(std::uint64_t request, int depth) override;
    bool waitingFor(std::uint64_t request) const { return m_awaiting && request == m_requestId; }

    // The game has ended or is left: "Velmistr"'s tables go until a search needs them again.
    void releaseSearchTables();
    SearchRunner& runner();
    void cancelPendingComputerMove();
    // Plays a legal move of the player to move and reports every changed cell.
    void makeMove(const Move& move);
    void setPlayerToMove(Player player);
    // Writes a move list entry back onto the position, reporting every changed cell.
    void restoreEntry(const std::string& entry);
    // The last-move markers off the board: a take-back or a redo leaves no move of record
    // (not on the screen, not for the computer's view of the board, not in a kept game).
    void clearLastMove();
    // Every cell becomes a hole (the board between two games).
    void clearBoard();
    void cancelSelection();
    void setTakeBackUnavailable(bool unavailable);
    void setBoardEnabled(bool enabled);
    void fillFreeCells(Player stuckPlayer);
    void clockRanOut(Player player);
    // Index of a side in the per-side arrays (1 or 2; 0 unused).
    static constexpr std::size_t index(Player p) { return static_cast<std::size_t>(number(p)); }
    std::optional<LastMove> lastMoveOnRecord() const;

    TimerHost& m_timers;
    RandomSource& m_random;
    GameObserver m_nullObserver;
    GameObserver* m_obs = &m_nullObserver;
    GameListener m_nullListener;
    GameListener* m_listener = &m_nullListener;

    GameSetup m_setup;
    Position m_pos;
    Logic m_logic = Logic::Star;

    Player m_playerToMove = Player::One;
    double m_moveCounter = 0;
    bool m_gameOver = false;
    bool m_boardEnabled = false;
    bool m_minimized = false;
    GameClock m_clock;

    MoveSelection m_selection;
    std::optional<CellPos> m_lastSource;
    std::optional<CellPos> m_lastTarget;
    std::optional<Move> m_lastMove;

    std::vector<std::string> m_moveList;
    int m_moveNumber = 0;
    bool m_takeBackUnavailable = true;
    bool m_resultShown = false;

    // `PcMove`: the chosen move; `m_pcFirstClickGiven` is the -8410 sentinel.
    std::optional<Move> m_pcMove;
    bool m_pcFirstClickGiven = false;

    std::unique_ptr<InlineSearchRunner> m_inlineRunner;
    SearchRunner* m_runner = nullptr;
    int m_masterMoveMs = 1000;

    // The seated players (index 1 and 2; made at game start and resume) and the rule-based
    // stand-in of a person whose time ran out or of a player that failed. Declared after the
    // runners: a player still searching cancels its search on the runner as it goes.
    std::array<std::unique_ptr<GamePlayer>, 3> m_players;
    std::unique_ptr<GamePlayer> m_standIn;
    PlayerMaker m_playerMaker;
    // The request last made; `m_awaiting` while a thinking player has not answered it.
    MoveRequest m_request;
    std::uint64_t m_requestId = 0;
    GamePlayer* m_asked = nullptr;
    Player m_askedSide = Player::One;
    bool m_askedStandIn = false;
    bool m_awaiting = false;
    // Moves of the line of play that a redo may bring back (entries up to this index of the
    // move list); 0 when there is nothing to redo.
    int m_redoUpTo = 0;
};

}  // namespace tomelin
