// `tomelin-cli uai`: the protocol's line reader, the time budget, and whole sessions with the
// real program over pipes (answers, legality, stop, a flood of malformed input).

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>
#include <string>
#include <vector>

#include "cli/uai_engine.h"
#include "cli/uai_protocol.h"
#include "core/fen.h"
#include "uai_session.h"

namespace tomelin::cli {
namespace {

using K = UaiCommand::Kind;

TEST(UaiLine, CommandsAndTheirArguments) {
    struct Case {
        std::string line;
        K kind;
    };
    const Case cases[] = {
        {"uai", K::Uai},
        {"  isready \t", K::IsReady},
        {"uainewgame", K::NewGame},
        {"stop", K::Stop},
        {"quit", K::Quit},
        {"", K::Empty},
        {" \t\r", K::Empty},
        {"debug on", K::Ignored},
        {"ponderhit", K::Ignored},
        {"isready now", K::Malformed},
        {"position", K::Malformed},
        {"position fen", K::Malformed},
        {"position fen moves a1", K::Malformed},
        {"position startpos b6", K::Malformed},
        {"position here", K::Malformed},
        {"go depth 0", K::Malformed},
        {"go depth", K::Malformed},
        {"go nodes -1", K::Malformed},
        {"go movetime 1.5", K::Malformed},
        {"go ponder", K::Malformed},
        {"go searchmoves a1", K::Malformed},
        {"setoption name", K::Malformed},
        {"setoption Hash 3", K::Malformed},
        {"setoption name value 3", K::Malformed},
        {"xyzzy", K::Malformed},
        {std::string(kUaiMaxLine + 1, 'a'), K::Malformed},
    };
    for (const Case& c : cases) {
        const UaiCommand r = parseUaiLine(c.line);
        EXPECT_EQ(r.kind, c.kind) << c.line.substr(0, 40);
        if (r.kind == K::Malformed) {
            EXPECT_FALSE(r.error.empty());
            EXPECT_LT(r.error.size(), 200U);
        }
    }

    const UaiCommand p = parseUaiLine("position fen x5o/7/7/7/7/7/o5x o 3 9 moves b2 0000 a1c3");
    EXPECT_EQ(p.kind, K::Position);
    EXPECT_FALSE(p.startpos);
    EXPECT_EQ(p.fen, "x5o/7/7/7/7/7/o5x o 3 9");
    EXPECT_EQ(p.moves, (std::vector<std::string>{"b2", "0000", "a1c3"}));
    const UaiCommand s = parseUaiLine("position startpos moves g2");
    EXPECT_TRUE(s.startpos);
    EXPECT_EQ(s.moves, std::vector<std::string>{"g2"});

    const UaiCommand g = parseUaiLine("go wtime -20 btime 3000 winc 0 binc 10 movestogo 5 depth 7 nodes 900");
    ASSERT_EQ(g.kind, K::Go);
    EXPECT_EQ(g.go.wtime, -20);
    EXPECT_EQ(g.go.btime, 3000);
    EXPECT_EQ(g.go.winc, 0);
    EXPECT_EQ(g.go.binc, 10);
    EXPECT_EQ(g.go.movestogo, 5);
    EXPECT_EQ(g.go.depth, 7);
    EXPECT_EQ(g.go.nodes, 900U);
    EXPECT_FALSE(g.go.movetime);
    EXPECT_TRUE(parseUaiLine("go infinite").go.infinite);

    const UaiCommand o = parseUaiLine("setoption name Clear Hash value on the go");
    EXPECT_EQ(o.optionName, "Clear Hash");
    EXPECT_EQ(o.optionValue, "on the go");
}

TEST(UaiTime, BudgetsKeepToTheClockOfTheSideToMove) {
    const auto go = [](const std::string& line) { return parseUaiLine(line).go; };
    EXPECT_EQ(uaiSearchTimeMs(go("go movetime 100"), Player::One), 90);
    EXPECT_EQ(uaiSearchTimeMs(go("go movetime 1"), Player::Two), 1);
    EXPECT_EQ(uaiSearchTimeMs(go("go depth 3"), Player::One), 0);
    // x moves first and plays the clock the protocol calls black.
    EXPECT_EQ(uaiSearchTimeMs(go("go btime 9000 wtime 1"), Player::One), 300);
    EXPECT_EQ(uaiSearchTimeMs(go("go btime 9000 wtime 1"), Player::Two), 1);
    EXPECT_EQ(uaiSearchTimeMs(go("go btime 900 wtime 900 binc 100 winc 0"), Player::One), 30 + 75);
    EXPECT_EQ(uaiSearchTimeMs(go("go btime 1000 wtime 1000 movestogo 1"), Player::One), 250);
    EXPECT_EQ(uaiSearchTimeMs(go("go btime -50 wtime 1000"), Player::One), 1);
    for (long long left = 1; left < 200000; left = left * 3 / 2 + 1) {
        for (const int inc : {0, 10, 100, 5000}) {
            UaiGo g;
            g.btime = left;
            g.binc = inc;
            const int ms = uaiSearchTimeMs(g, Player::One);
            EXPECT_GE(ms, 1);
            EXPECT_LE(ms, std::max(1LL, left / 4)) << left << " + " << inc;
        }
    }
}

TEST(UaiTime, ALongGameWithAnIncrementNeverRunsOutOfTime) {
    // Every move takes its budget plus 5 ms the client and the pipes cost.
    for (const long long inc : {10LL, 20LL, 100LL}) {
        long long clock = 1000;
        for (int move = 0; move < 1000; ++move) {
            UaiGo g;
            g.wtime = clock;
            g.winc = inc;
            clock -= uaiSearchTimeMs(g, Player::Two) + 5;
            ASSERT_GT(clock, 0) << "inc " << inc << " move " << move;
            clock += inc;
        }
    }
}

TEST(UaiTable, HashMegabytesGiveTheLargestTableThatFits) {
    EXPECT_EQ(uaiTableBits(16), 20);
    EXPECT_EQ(uaiTableBits(1), 16);
    EXPECT_EQ(uaiTableBits(3), 17);
    EXPECT_EQ(uaiTableBits(1024), 26);
    EXPECT_EQ(uaiTableBits(100000), 26);
}

// Plays the moves of a `position` line on the standard start.
Position played(const std::vector<std::string>& moves) {
    Position p = readFen(kStandardStartFen).position.value();
    for (const std::string& m : moves) {
        const MoveParse r = parseMoveText(p, Logic::Star, m);
        if (r.kind == MoveParse::Kind::Pass)
            p.pass(Logic::Star);
        else
            p.play(Logic::Star, r.move);
    }
    return p;
}

bool legalAnswer(const Position& p, const std::string& bestmoveLine) {
    if (bestmoveLine.rfind("bestmove ", 0) != 0)
        return false;
    const MoveParse r = parseMoveText(p, Logic::Star, bestmoveLine.substr(9));
    if (r.kind == MoveParse::Kind::Pass)
        return p.mustPass(Logic::Star);
    return r.kind == MoveParse::Kind::Move && p.isLegal(Logic::Star, r.move);
}

TEST(UaiSession, HandshakeSearchReportsAndLegalMoves) {
    UaiProcess e;
    ASSERT_TRUE(e.started());
    e.send("uai");
    const auto hello = e.until("uaiok");
    ASSERT_TRUE(hello);
    ASSERT_GE(hello->size(), 4U);
    EXPECT_EQ((*hello)[0].rfind("id name Tomelin ", 0), 0U);
    EXPECT_EQ((*hello)[1].rfind("id author ", 0), 0U);
    EXPECT_EQ((*hello)[2], "option name Hash type spin default 16 min 1 max 1024");
    e.send("isready");
    EXPECT_EQ(e.line(), "readyok");

    const std::regex info(
        R"(info depth (\d+) seldepth \d+ score cp -?\d+ nodes \d+ nps \d+ time \d+( pv( [a-g][1-7]([a-g][1-7])?)+)?)");
    const std::vector<std::vector<std::string>> lines = {{}, {"g2", "a1b3"}, {"f1", "b6", "e3", "0000"}};
    for (std::size_t k = 0; k < 2; ++k) {
        std::string cmd = "position startpos moves";
        for (const std::string& m : lines[k])
            cmd += " " + m;
        e.send(cmd);
        e.send("go depth 4");
        const auto answer = e.until("bestmove");
        ASSERT_TRUE(answer);
        int depth = 0;
        for (std::size_t i = 0; i + 1 < answer->size(); ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match((*answer)[i], m, info)) << (*answer)[i];
            EXPECT_EQ(std::stoi(m[1]), ++depth);
        }
        EXPECT_EQ(depth, 4);
        EXPECT_TRUE(legalAnswer(played(lines[k]), answer->back())) << answer->back();
    }
    // A clock, a node limit, a move time: each ends in a legal move.
    for (const std::string go : {"go btime 300 wtime 300 binc 5 winc 5", "go nodes 3000", "go movetime 100"}) {
        e.send("position startpos moves f2");
        e.send(go);
        const auto answer = e.until("bestmove");
        ASSERT_TRUE(answer) << go;
        EXPECT_TRUE(legalAnswer(played({"f2"}), answer->back())) << go << ": " << answer->back();
    }
    // A side that must pass passes; a finished game says so and passes too.
    e.send("position fen 7/7/7/7/4ooo/4ooo/4oox x 0 1");
    e.send("go movetime 50");
    EXPECT_EQ(e.line(), "bestmove 0000");
    e.send("position fen x6/7/7/7/7/7/7 o 0 1");
    e.send("go depth 3");
    const auto over = e.until("bestmove");
    ASSERT_TRUE(over);
    EXPECT_EQ(over->back(), "bestmove 0000");
    EXPECT_EQ(over->front().rfind("info string ", 0), 0U);
    e.send("quit");
    EXPECT_EQ(e.exitStatus(), 0);
}

TEST(UaiSession, StopAndIsReadyAreAnsweredWhileSearching) {
    UaiProcess e;
    ASSERT_TRUE(e.started());
    e.send("uai");
    ASSERT_TRUE(e.until("uaiok"));
    // The fastest of a few tries counts: one slow scheduling of a busy machine is no fault.
    long long fastest = 1000000;
    for (int attempt = 0; attempt < 5; ++attempt) {
        e.send("uainewgame");
        e.send("position startpos");
        e.send("go infinite");
        ASSERT_TRUE(e.until("info depth 3"));
        e.send("isready");
        EXPECT_EQ(e.until("readyok").value_or(std::vector<std::string>{"none"}).back(), "readyok");
        const auto sent = std::chrono::steady_clock::now();
        e.send("stop");
        const auto answer = e.until("bestmove");
        ASSERT_TRUE(answer);
        const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - sent)
                                 .count();
        fastest = std::min(fastest, ms);
        EXPECT_TRUE(legalAnswer(played({}), answer->back())) << answer->back();
    }
    EXPECT_LT(fastest, 50);
    // An infinite search that runs out of depth still waits for stop.
    e.send("position fen xxxxxxx/xxxxxxx/xxxxxxx/xxxxxxx/xxxxxxx/xxxxxoo/xxxxxo1 x 0 1");
    e.send("go infinite depth 2");
    EXPECT_FALSE(e.until("bestmove", 300));
    e.send("stop");
    const auto late = e.until("bestmove");
    ASSERT_TRUE(late);
    const Position nearlyFull =
        readFen("xxxxxxx/xxxxxxx/xxxxxxx/xxxxxxx/xxxxxxx/xxxxxoo/xxxxxo1 x 0 1").position.value();
    EXPECT_TRUE(legalAnswer(nearlyFull, late->back())) << late->back();
}

bool printable(const std::string& line) {
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

TEST(UaiSession, EveryMalformedLineGetsOneInfoStringAndTheEngineLivesOn) {
    std::vector<std::string> bad;
    const std::string board = "x5o/7/2-1-2/7/2-1-2/7/o5x";
    for (std::size_t i = 0; i < board.size(); ++i) {
        std::string b = board;
        b[i] = 'q';
        bad.push_back("position fen " + b + " x 0 1");
        bad.push_back("position fen " + board.substr(0, i) + " o 0 1");
    }
    for (int i = 0; i < 60; ++i) {
        bad.push_back("cmd" + std::to_string(i) + "\x1b[31m\x01\x7f");
        bad.push_back("go depth -" + std::to_string(i));
        bad.push_back("setoption name Hash value " + std::to_string(1025 + i));
        bad.push_back("position startpos moves g2 h" + std::to_string(i));
        bad.push_back("position startpos moves a7a" + std::to_string(4 - i % 3));  // too far
    }
    for (const char* s : {"position fen x5o/7/7/7/7/7/o5x x 0 1 moves 0000",
                                 "position startpos moves f2 f2", "setoption name Threads value 2",
                                 "setoption name Hash value lots", "go movetime", "go wtime x",
                                 "uai please", "position fen x5o/7/7/7/7/7/o5x z", "\x1b]0;title\x07",
                                 "position fen x5o/7/7/7/7/7/o5x x 0 1\x1b[2J"}) {
        bad.push_back(s);
    }
    bad.push_back(std::string(kUaiMaxLine + 100, 'x'));
    ASSERT_GT(bad.size(), 300U);

    UaiProcess e;
    ASSERT_TRUE(e.started());
    for (const std::string& l : bad)
        ASSERT_TRUE(e.send(l));
    e.send("isready");
    const auto answer = e.until("readyok", 20000);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->size(), bad.size() + 1);
    for (std::size_t i = 0; i + 1 < answer->size(); ++i) {
        EXPECT_EQ((*answer)[i].rfind("info string ", 0), 0U) << (*answer)[i];
        EXPECT_TRUE(printable((*answer)[i])) << i;
        EXPECT_LT((*answer)[i].size(), 300U);
    }
    // The position left by the last good setting still plays.
    e.send("position startpos moves g2");
    e.send("go depth 2");
    const auto move = e.until("bestmove");
    ASSERT_TRUE(move);
    EXPECT_TRUE(legalAnswer(played({"g2"}), move->back()));
    e.closeInput();  // the end of the input ends the session like quit
    EXPECT_EQ(e.exitStatus(), 0);
}

TEST(UaiSession, IllegalMoveKeepsTheMovesBeforeIt) {
    UaiProcess e;
    ASSERT_TRUE(e.started());
    e.send("position startpos moves g2 a7a5 b2");
    const auto complaint = e.line();
    ASSERT_TRUE(complaint);
    EXPECT_NE(complaint->find("illegal move \"a7a5\" (move 2)"), std::string::npos);
    e.send("go depth 2");
    const auto answer = e.until("bestmove");
    ASSERT_TRUE(answer);
    EXPECT_TRUE(legalAnswer(played({"g2"}), answer->back())) << answer->back();
    e.send("quit");
    EXPECT_EQ(e.exitStatus(), 0);
}

}  // namespace
}  // namespace tomelin::cli
