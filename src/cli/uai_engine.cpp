#include "cli/uai_engine.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "cli/options.h"
#include "core/fen.h"

#ifndef TOMELIN_VERSION
#define TOMELIN_VERSION "unknown"
#endif

namespace tomelin::cli {

namespace {

Position startPosition() {
    return readFen(kStandardStartFen).position.value();
}

// Centi-tokens for the protocol; a decided game reads as 100 tokens plus its margin.
long long protocolScore(int score) {
    if (score >= kWinScore)
        return 10000 + (score - kWinScore);
    if (score <= -kWinScore)
        return -10000 + (score + kWinScore);
    return score;
}

}  // namespace

int uaiSearchTimeMs(const UaiGo& go, Player toMove) {
    if (go.movetime) {
        const long long ms = *go.movetime;
        const long long margin = std::clamp(ms / 10, 1LL, 20LL);
        return static_cast<int>(std::clamp(ms - margin, 1LL, 1LL << 30));
    }
    // x (player One) moves first and plays the clock the protocol calls black.
    const std::optional<long long>& clock = toMove == Player::One ? go.btime : go.wtime;
    if (!clock)
        return 0;
    const long long left = std::max(*clock, 1LL);
    const long long inc = std::max(toMove == Player::One ? go.binc.value_or(0) : go.winc.value_or(0), 0LL);
    const long long movesToGo = go.movestogo ? std::min(*go.movestogo, 30) : 30;
    const long long share = left / movesToGo + inc * 3 / 4;
    // Room for the answer to reach the client, and never a big piece of what is left.
    const long long cap = std::max(1LL, std::min(left / 4, left - 50));
    return static_cast<int>(std::clamp(share, 1LL, std::min(cap, 1LL << 30)));
}

int uaiTableBits(int mib) {
    const std::uint64_t bytes = static_cast<std::uint64_t>(std::clamp(mib, 1, kUaiMaxHashMiB)) << 20;
    int bits = 4;
    while (bits < 26 && (std::uint64_t{16} << (bits + 1)) <= bytes)
        ++bits;
    return bits;
}

UaiEngine::UaiEngine(std::ostream& out)
    : m_out(out),
      m_position(startPosition()),
      m_search(std::make_unique<MasterSearch>(uaiTableBits(kUaiDefaultHashMiB))) {
    m_search->setWeights(standardGameWeights());
}

UaiEngine::~UaiEngine() {
    finishSearch();
}

void UaiEngine::say(const std::string& line) {
    std::lock_guard lock(m_outMutex);
    m_out << line << '\n' << std::flush;
}

void UaiEngine::complain(const std::string& what) {
    // One line whatever the input held.
    say("info string " + withoutControls(what));
}

bool UaiEngine::handle(std::string_view line) {
    const UaiCommand c = parseUaiLine(line);
    using K = UaiCommand::Kind;
    switch (c.kind) {
        case K::Empty:
        case K::Ignored:
            return true;
        case K::Malformed:
            complain(c.error);
            return true;
        case K::Uai:
            say("id name Tomelin " TOMELIN_VERSION);
            say("id author the Tomelin developers");
            say("option name Hash type spin default " + std::to_string(kUaiDefaultHashMiB) +
                " min 1 max " + std::to_string(kUaiMaxHashMiB));
            say("uaiok");
            return true;
        case K::IsReady:
            say("readyok");
            return true;
        case K::NewGame:
            finishSearch();
            m_search->clear();
            m_position = startPosition();
            return true;
        case K::Position:
            setPosition(c);
            return true;
        case K::Go:
            go(c.go);
            return true;
        case K::Stop:
            finishSearch();
            return true;
        case K::SetOption:
            setOption(c);
            return true;
        case K::Quit:
            finishSearch();
            return false;
    }
    return true;
}

void UaiEngine::setPosition(const UaiCommand& c) {
    Position p;
    if (c.startpos) {
        p = startPosition();
    } else {
        FenResult r = readFen(c.fen);
        if (!r.position) {
            complain("bad FEN (" + r.error + "); position unchanged");
            return;
        }
        p = *r.position;
    }
    for (std::size_t i = 0; i < c.moves.size(); ++i) {
        const std::string& text = c.moves[i];
        const MoveParse m = parseMoveText(p, Logic::Star, text);
        const bool legal = (m.kind == MoveParse::Kind::Pass && p.mustPass(Logic::Star)) ||
                           (m.kind == MoveParse::Kind::Move && !p.isOver(Logic::Star) &&
                            p.isLegal(Logic::Star, m.move));
        if (!legal) {
            complain("illegal move " + quotedArg(text) + " (move " + std::to_string(i + 1) +
                     "); position set up to the move before it");
            break;
        }
        if (m.kind == MoveParse::Kind::Pass)
            p.pass(Logic::Star);
        else
            p.play(Logic::Star, m.move);
    }
    m_position = p;
}

void UaiEngine::setOption(const UaiCommand& c) {
    std::string name = c.optionName;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    if (name != "hash") {
        complain("unknown option " + quotedArg(c.optionName));
        return;
    }
    const std::optional<long long> mib = parseInteger(c.optionValue, 1, kUaiMaxHashMiB);
    if (!mib) {
        complain("Hash must be a number of MiB from 1 to " + std::to_string(kUaiMaxHashMiB) +
                 ", not " + quotedArg(c.optionValue));
        return;
    }
    finishSearch();
    m_hashMiB = static_cast<int>(*mib);
    const EvalWeights weights = m_search->weights();
    m_search.reset();  // the old table goes before the new one is made
    m_search = std::make_unique<MasterSearch>(uaiTableBits(m_hashMiB));
    m_search->setWeights(weights);
}

void UaiEngine::go(const UaiGo& go) {
    if (m_thread.joinable()) {
        // A finished search has said its move already; a running one keeps running.
        if (m_searching.load()) {
            complain("already searching; go ignored");
            return;
        }
        m_thread.join();
    }
    if (m_position.isOver(Logic::Star) || m_position.mustPass(Logic::Star)) {
        if (m_position.isOver(Logic::Star))
            complain("the game is over");
        say("bestmove " + std::string(kPassText));
        return;
    }
    SearchLimits limits;
    limits.timeMs = uaiSearchTimeMs(go, m_position.toMove());
    limits.maxDepth = go.depth.value_or(64);
    limits.maxNodes = go.nodes.value_or(0);
    limits.useWholeBudget = true;
    limits.selective = true;
    // Without any limit the search goes on until stop.
    const bool infinite = go.infinite || (!go.movetime && !go.wtime && !go.btime && !go.depth && !go.nodes);
    if (infinite) {
        limits.timeMs = 0;
        limits.maxDepth = go.depth.value_or(64);
    }
    m_stop = false;
    m_searching = true;
    m_thread = std::thread(&UaiEngine::searchThread, this, m_position, limits, go.infinite || infinite);
}

void UaiEngine::searchThread(Position position, SearchLimits limits, bool infinite) {
    const int side = position.side();
    const SearchReport r = m_search->search(
        position, Logic::Star, limits, &m_stop, nullptr, [&](const SearchReport& d) {
            const std::int64_t ms = std::max<std::int64_t>(d.elapsedMs, 0);
            std::string line = "info depth " + std::to_string(d.depth) + " seldepth " +
                               std::to_string(std::max(d.seldepth, d.depth)) + " score cp " +
                               std::to_string(protocolScore(d.score)) + " nodes " +
                               std::to_string(d.nodes) + " nps " +
                               std::to_string(d.nodes * 1000 / static_cast<std::uint64_t>(std::max<std::int64_t>(ms, 1))) +
                               " time " + std::to_string(ms);
            if (!d.pv.empty()) {
                line += " pv";
                for (const Move& m : d.pv)
                    line += " " + moveText(side, m);
            }
            say(line);
        });
    if (infinite) {
        // The protocol names the move of an infinite search only after stop.
        std::unique_lock lock(m_waitMutex);
        m_wake.wait(lock, [&] { return m_stop.load(); });
    }
    // Cleared first: the client may send its next go as soon as it reads the move.
    m_searching = false;
    say("bestmove " + (r.move ? moveText(side, *r.move) : std::string(kPassText)));
}

void UaiEngine::finishSearch() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_waitMutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

int runUai(std::istream& in, std::ostream& out) {
    UaiEngine engine(out);
    std::string line;
    char c;
    bool tooLong = false;
    // Whole lines of at most kUaiMaxLine bytes; the rest of a longer one is dropped.
    while (in.get(c)) {
        if (c != '\n') {
            if (line.size() < kUaiMaxLine)
                line.push_back(c);
            else
                tooLong = true;
            continue;
        }
        if (tooLong)
            line.assign(kUaiMaxLine + 1, ' ');  // refused as too long
        tooLong = false;
        if (!engine.handle(line))
            return 0;
        line.clear();
    }
    if (!line.empty())
        engine.handle(tooLong ? std::string(kUaiMaxLine + 1, ' ') : line);
    engine.handle("quit");
    return 0;
}

}  // namespace tomelin::cli
