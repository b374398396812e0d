#pragma once
// The hint (key "N"): the move "PC Velmistr" would play for the person to move, searched on
// a search runner and shown until any click or move. It stands beside the game, which tells
// it (GameListener) when a click reached the board, when the position on show was withdrawn
// and when the game's searches stop.

#include <cstdint>
#include <optional>

#include "core/game.h"
#include "core/search_runner.h"

namespace tomelin {

class HintSearch final : private GameListener {
public:
    // Listens to `game` until it goes; both `game` and `runner` must outlive it. The window
    // hands it the runner the game's "PC Velmistr" searches on.
    HintSearch(Game& game, SearchRunner& runner);
    ~HintSearch() override;
    HintSearch(const HintSearch&) = delete;
    HintSearch& operator=(const HintSearch&) = delete;

    // Hears the hint's completed depths and the hint shown or cleared.
    void setObserver(SearchObserver* observer);
    // Key "N": while a person may click and nobody searches yet, asks for the move
    // "Velmistr" would play there.
    void request();
    // The hint on show, if any; any click or move clears it.
    std::optional<Move> hint() const { return m_hint; }
    // A hint is being searched for.
    bool searching() const { return m_searching; }

private:
    // GameListener
    void boardClicked() override { clear(); }
    void positionWithdrawn() override { clear(); }
    void searchesStopped() override { cancel(); }

    void start();
    void done(std::uint64_t ticket, const SearchReport& report);
    void cancel();
    void clear();

    Game& m_game;
    SearchRunner& m_runner;
    SearchObserver m_nullObserver;
    SearchObserver* m_obs = &m_nullObserver;
    bool m_searching = false;
    std::uint64_t m_ticket = 0;
    Position m_position;
    std::optional<Move> m_hint;
};

}  // namespace tomelin
