#pragma once
// The game core's only ways out: timers, randomness and what the windows are told to show.

#include <cstdint>
#include <string>

#include "core/player.h"
#include "core/rgb.h"

namespace tomelin {

// The four game timers. The core asks the host to start or stop them; the host calls
// Game::onTimer when one fires. Each timer fires repeatedly until stopped.
enum class GameTimer {
    Start,           // `Timer1`: game start, 100 ms, one tick
    TurnChange,      // `TimCHng`: turn change, 200 ms, one tick
    ComputerClicks,  // `TimPC`: the computer's two clicks, 100 ms then 750 ms
    Clock,           // `TimerT`: game clock, 1000 ms (100 ms once a time has run out)
};

class TimerHost {
public:
    virtual ~TimerHost() = default;
    // (Re)starts the timer with the interval; an already running timer restarts its count.
    virtual void start(GameTimer timer, int intervalMs) = 0;
    virtual void stop(GameTimer timer) = 0;
    virtual bool isActive(GameTimer timer) const = 0;
};

// Uniform random numbers in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    // Re-seed from the time of day (the game does so at every start and every search).
    virtual void seedFromTime() {}
};

// A cell position, or none (markers parked off the board).
struct CellPos {
    int x = 0;
    int y = 0;
    bool operator==(const CellPos&) const = default;
};

// Everything the game window shows of the running game. All calls come on the thread that
// drives the game; the default implementations ignore the event.
class GameObserver {
public:
    virtual ~GameObserver() = default;

    // `DRWP`: cell (x, y) of the board changed and must be redrawn.
    virtual void cellChanged(int /*x*/, int /*y*/) {}
    // `ShBrd`: redraw the rings of the cells reachable from (x, y) from the current marks.
    virtual void ringsChanged(int /*x*/, int /*y*/) {}
    // `Prekr`: the whole board (new game) must be laid out and drawn again.
    virtual void boardReset() {}
    // `Shape3` (selection), `Shape1` and `Shape2` (last move source and target) moved;
    // a null pointer means parked off the board.
    virtual void selectionMarkerChanged(const CellPos* /*cell*/) {}
    virtual void lastMoveChanged(const CellPos* /*source*/, const CellPos* /*target*/) {}
    // `Line1`: the capture ray from the centre of `from` to the centre of `to`; parked when
    // `rayParked` follows.
    virtual void captureRay(CellPos /*from*/, CellPos /*to*/) {}
    virtual void rayParked() {}

    // A move was made: `player` moved from `source` to `target` (a copy when the two are
    // neighbours, a jump otherwise). Comes before the turn change starts.
    virtual void moveMade(Player /*player*/, CellPos /*source*/, CellPos /*target*/) {}
    // `stuckPlayer` could not move: its opponent received all `cells` free cells.
    virtual void freeCellsFilled(Player /*stuckPlayer*/, int /*cells*/) {}

    // `Score`'s display part: token counts after every board change.
    virtual void scoreChanged(int /*tokens1*/, int /*tokens2*/, int /*freeCells*/) {}
    // The game ended (no free cell left, at least one token). winner 0 draw, 1 or 2.
    virtual void gameEnded(int /*tokens1*/, int /*tokens2*/, int /*winner*/) {}

    // `Label7`: the full-move number (Int(MoveCounter) + 1) to show; 0 clears the label.
    virtual void moveNumberChanged(int /*number*/) {}
    // The turn passed to `player` (name labels, cursor, ray colours, indicator position).
    virtual void turnChanged(Player /*player*/) {}
    // `Picture13(7)`: the take-back is not available (shown) or available (hidden).
    virtual void takeBackUnavailableChanged(bool /*unavailable*/) {}
    // `Picture9`: the computer-thinking indicator.
    virtual void thinkingChanged(bool /*visible*/) {}
    // The player of side `player` could not give a move (`reason`, in English); the weakest
    // rule-based play moves for it this turn.
    virtual void playerFailed(Player /*player*/, const std::string& /*reason*/) {}
    // Whether the board takes clicks (`PL` enabled); false once the game is over.
    virtual void boardEnabledChanged(bool /*enabled*/) {}

    // `PPru`: progress bar with scale width `scaleWidth`; a filled box from `step` to
    // `step + 1` in the second (fore) colour of `colourPlayer`'s style label.
    // `progressCleared` empties the bar.
    virtual void progressStep(int /*step*/, int /*scaleWidth*/, Player /*colourPlayer*/) {}
    virtual void progressCleared() {}
    // The search has scanned cells up to `percent` (Int of 100 per scanned cell over
    // n^2 - 1, so it ends above 100): `Label1` and the window caption follow it.
    virtual void searchProgressChanged(int /*percent*/) {}
    // A searching player ("PC Velmistr") completed depth `depth` of its search.
    virtual void searchDepthDone(int /*depth*/) {}

    // `Label3(p)`: the clock label of player p, its text and its text colour.
    virtual void clockTextChanged(Player /*player*/, const std::string& /*text*/) {}
    virtual void clockColourChanged(Player /*player*/, Rgb /*colour*/) {}
};

}  // namespace tomelin
