#pragma once
// Where "PC Velmistr" thinks. The game asks a SearchRunner for a move and gets the answer
// back through a callback on its own thread; the game window runs the search on a worker
// thread, the headless tool and the tests run it in place.
//
// Hand-off contract:
//   begin(request, done)  starts a search of request.position. `done(ticket, report)` is
//                         called exactly once per begin() that is not cancelled, on the
//                         thread that drives the game (for the inline runner: inside
//                         begin()).
//   cancel()              raises the stop flag of the running search, if any; `done` and
//                         `progress` of that search are never called afterwards. (The game
//                         also drops any answer whose ticket it no longer waits for.)
//   progress(ticket, d)   optional: depth d of the search `ticket` is complete (the game
//                         thread again).
//   releaseTables()       cancels a running search as cancel() does and gives the memory of
//                         the search's tables back; the next begin() makes them anew. The
//                         game calls it when a game ends.

#include <cstdint>
#include <functional>

#include "core/master_search.h"
#include "core/position.h"

namespace tomelin {

struct SearchRequest {
    Position position;  // with the player to move
    Logic logic = Logic::Star;
    int timeMs = 1000;
    int maxDepth = 64;
    std::uint64_t ticket = 0;
};

class SearchRunner {
public:
    using Done = std::function<void(std::uint64_t ticket, const SearchReport& report)>;
    using Progress = std::function<void(std::uint64_t ticket, int depth)>;

    virtual ~SearchRunner() = default;
    virtual void begin(const SearchRequest& request, Done done, Progress progress) = 0;
    virtual void cancel() = 0;
    virtual void releaseTables() = 0;
};

// Searches in place, inside begin(), with its own table and an injectable clock.
class InlineSearchRunner final : public SearchRunner {
public:
    explicit InlineSearchRunner(SearchClock* clock = nullptr, int ttBits = 20)
        : m_search(ttBits), m_clock(clock) {}
    void begin(const SearchRequest& request, Done done, Progress progress) override {
        const std::atomic<bool> noStop{false};
        const SearchReport report = m_search.search(
            request.position, request.logic, {request.maxDepth, request.timeMs}, &noStop,
            m_clock, [&](const SearchReport& r) {
                if (progress)
                    progress(request.ticket, r.depth);
            });
        done(request.ticket, report);
    }
    void cancel() override {}
    void releaseTables() override { m_search.release(); }
    MasterSearch& search() { return m_search; }

private:
    MasterSearch m_search;
    SearchClock* m_clock;
};

// What the game window shows of the hint's search (core/hint_search.h).
class SearchObserver {
public:
    virtual ~SearchObserver() = default;
    // Depth `depth` of the hint's search is complete (of at most `maxDepth` expected).
    virtual void searchDepthDone(int /*depth*/) {}
    // The hint: the move "Velmistr" would play for the person to move, or none (cleared).
    virtual void hintChanged(const Move* /*move*/) {}
};

}  // namespace tomelin
