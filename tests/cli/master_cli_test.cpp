// The headless tool and "PC Velmistr": play, moves --strength 4 (and its --depth) and match.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "run_tool.h"

namespace {

constexpr int kExitUsage = 2;

CliRun run(const std::vector<std::string>& args) {
    return runTool(args);
}

TEST(CliMaster, MovesAtStrengthFourNamesTheWinningCaptureAtAFixedDepth) {
    // The one free cell decides: "+" copying to (2,2) ends the game 7:2.
    const CliRun r = run({"moves", "--board-string", "++-++---X", "--player", "1", "--strength",
                       "4", "--depth", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 35), "master 1 1 2 2 copy depth 1 score 1");
    EXPECT_NE(r.out.find("score 1000500 "), std::string::npos) << r.out;
    const CliRun none = run({"moves", "--board-string", "+-+-", "--player", "1", "--strength", "4"});
    EXPECT_EQ(none.out, "master none\n");
    EXPECT_EQ(run({"moves", "--board-string", "+XX-", "--player", "1", "--strength", "5"}).status,
              kExitUsage);
}

TEST(CliMaster, PlayAcceptsMasterAndMovetime) {
    const CliRun r = run({"play", "--board-string", "+XXXXXXXXXXXXXX-", "--p1", "master", "--p2",
                       "genius", "--movetime", "5", "--seed", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\nresult "), std::string::npos);
    EXPECT_EQ(run({"play", "--p1", "grandmaster"}).status, kExitUsage);
    EXPECT_EQ(run({"play", "--p1", "master", "--movetime", "0"}).status, kExitUsage);
}

TEST(CliMaster, MatchCountsEveryGameAndPrintsTheInterval) {
    const CliRun r = run({"match", "--games", "2", "--movetime", "2", "--seed", "9"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("game 1 Originál star master=1 "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("game 2 Dáma star master=1 "), std::string::npos) << r.out;
    int w = -1, d = -1, l = -1, n = -1;
    const auto at = r.out.find("wins ");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(r.out.c_str() + at, "wins %d draws %d losses %d of %d", &w, &d, &l, &n),
              4);
    EXPECT_EQ(w + d + l, 2);
    EXPECT_EQ(n, 2);
    EXPECT_NE(r.out.find("95% CI "), std::string::npos);
    EXPECT_NE(r.out.find("search Originál: "), std::string::npos);
    EXPECT_EQ(run({"match", "--opponent", "master"}).status, kExitUsage);
}

TEST(CliMaster, MatchKeptToOneBoardAndLogicAlternatesSidesAndKeepsGameOrderWithJobs) {
    const CliRun r = run({"match", "--games", "4", "--movetime", "2", "--seed", "5", "--board",
                          "Čelem vzad", "--logic", "cross", "--jobs", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    // One pairing: the sides alternate game by game, and the lines stay in game order
    // although three games are played at once.
    const std::vector<std::string> starts = {"game 1 Čelem vzad cross master=1 ",
                                             "game 2 Čelem vzad cross master=2 ",
                                             "game 3 Čelem vzad cross master=1 ",
                                             "game 4 Čelem vzad cross master=2 "};
    std::size_t at = 0;
    for (const std::string& s : starts) {
        const std::size_t found = r.out.find(s, at);
        ASSERT_NE(found, std::string::npos) << s << "\n" << r.out;
        at = found + s.size();
    }
    EXPECT_EQ(r.out.find("star"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(" of 4; "), std::string::npos) << r.out;
    // The figures of all three workers are summed into the one board line.
    int moves = 0;
    const auto line = r.out.find("search Čelem vzad: ");
    ASSERT_NE(line, std::string::npos) << r.out;
    ASSERT_EQ(std::sscanf(r.out.c_str() + line + std::string("search Čelem vzad: ").size(),
                          "%d moves", &moves),
              1);
    EXPECT_GE(moves, 4 * 3) << r.out;  // every game has at least three Velmistr moves
    EXPECT_EQ(r.out.find("search Originál"), std::string::npos) << r.out;

    EXPECT_EQ(run({"match", "--board", "Neznámé"}).status, kExitUsage);
    EXPECT_EQ(run({"match", "--logic", "diagonal"}).status, kExitUsage);
    EXPECT_EQ(run({"match", "--jobs", "0"}).status, kExitUsage);
    EXPECT_EQ(run({"match", "--clock", "sundial"}).status, kExitUsage);
    EXPECT_EQ(run({"match", "--weights", "100", "x", "4"}).status, kExitUsage);
}

// A depth the search cannot finish in reasonable time is refused at once, naming the depths
// that do run; a game that ends within the depth is searched to its end whatever the depth.
TEST(CliMovesDepth, ADepthThatCannotFinishIsRefusedAtOnce) {
    const std::string original = "+XXXXXXXXX-" + std::string(99, 'X') + "-XXXXXXXXX+";
    for (const char* depth : {"12", "20", "60"}) {
        SCOPED_TRACE(depth);
        const auto started = std::chrono::steady_clock::now();
        const CliRun r = run({"moves", "--board-string", original, "--player", "1",
                              "--strength", "4", "--depth", depth});
        EXPECT_EQ(r.status, kExitUsage);
        EXPECT_NE(r.err.find("depth " + std::string(depth) + " would search about"),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("depths up to "), std::string::npos);
        EXPECT_EQ(r.out, "");
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    }
    const CliRun shallow = run({"moves", "--board-string", original, "--player", "1",
                                "--strength", "4", "--depth", "4"});
    ASSERT_EQ(shallow.status, 0) << shallow.err;
    EXPECT_EQ(shallow.out.rfind("master ", 0), 0u);
    EXPECT_NE(shallow.out.find(" depth 4 "), std::string::npos) << shallow.out;
    // Two free cells: the game ends within two moves, so any depth finishes.
    EXPECT_EQ(run({"moves", "--board-string", "++-+X-X--", "--player", "1", "--strength", "4",
                   "--depth", "60"}).status,
              0);
}

}  // namespace
