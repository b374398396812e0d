#pragma once
// "PC Velmistr" behind the engine protocol of the standard game's tools (UAI): the state of
// one engine session (position, table, options) and its search thread. Lines come in one at
// a time; answers, search reports and the best move go to one output stream, whole lines
// only, from whichever thread has them.

#include <atomic>
#include <condition_variable>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "cli/uai_protocol.h"
#include "core/master_search.h"

namespace tomelin::cli {

inline constexpr int kUaiDefaultHashMiB = 16;
inline constexpr int kUaiMaxHashMiB = 1024;

// Milliseconds one search may take under the limits of `go` for the side to move: a
// movetime less a margin for the answer to travel; a share of the clock and most of the
// increment, never more than a quarter of what is left; 0 for no time limit.
int uaiSearchTimeMs(const UaiGo& go, Player toMove);

// Table bits for a table of at most `mib` MiB (entries of 16 bytes).
int uaiTableBits(int mib);

class UaiEngine {
public:
    explicit UaiEngine(std::ostream& out);
    ~UaiEngine();
    UaiEngine(const UaiEngine&) = delete;
    UaiEngine& operator=(const UaiEngine&) = delete;

    // Acts on one line; false once the line was quit.
    bool handle(std::string_view line);

    const Position& position() const { return m_position; }
    int hashMiB() const { return m_hashMiB; }

private:
    void say(const std::string& line);
    void complain(const std::string& what);
    void setPosition(const UaiCommand& c);
    void setOption(const UaiCommand& c);
    void go(const UaiGo& go);
    // Raises the stop flag and waits for the search thread (which says its best move).
    void finishSearch();
    void searchThread(Position position, SearchLimits limits, bool infinite);

    std::ostream& m_out;
    std::mutex m_outMutex;
    Position m_position;
    int m_hashMiB = kUaiDefaultHashMiB;
    std::unique_ptr<MasterSearch> m_search;

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    // A search runs and has not yet said its best move.
    std::atomic<bool> m_searching{false};
    std::mutex m_waitMutex;
    std::condition_variable m_wake;
};

// The session over two streams: reads lines (each at most kUaiMaxLine bytes) until quit or
// the end of the input.
int runUai(std::istream& in, std::ostream& out);

}  // namespace tomelin::cli
