#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/board.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

// Runs the built tool with `args` and collects its output streams and exit status.
CliRun runCli(const std::vector<std::string>& args) {
    const std::string errFile =
        testing::TempDir() + "/cli_err_" + std::to_string(::getpid()) + ".txt";
    std::string command = quoted(TOMELIN_CLI_PATH);
    for (const auto& a : args) {
        command.push_back(' ');
        command.append(quoted(a));
    }
    command.append(" 2>").append(quoted(errFile));
    CliRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return r;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        r.out.append(buffer, n);
    const int raw = ::pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errFile);
    std::stringstream ss;
    ss << err.rdbuf();
    r.err = ss.str();
    std::remove(errFile.c_str());
    return r;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream ss(text);
    for (std::string line; std::getline(ss, line);)
        out.push_back(line);
    return out;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream ss(line);
    for (std::string w; ss >> w;)
        out.push_back(w);
    return out;
}

// Bad input: exit status 2, nothing on stdout, exactly one line on stderr.
void expectRefused(const std::vector<std::string>& args, const std::string& mentions) {
    const CliRun r = runCli(args);
    std::string joined;
    for (const auto& a : args)
        joined += a.substr(0, 40) + " ";
    EXPECT_EQ(r.status, 2) << joined;
    EXPECT_EQ(r.out, "") << joined;
    EXPECT_EQ(lines(r.err).size(), 1u) << joined << "\n" << r.err;
    EXPECT_NE(r.err.find(mentions), std::string::npos) << joined << "\n" << r.err;
}

const std::string kBoard7 = "+XXXXX-" + std::string(35, 'X') + "-XXXXX+";

TEST(CliBoards, ListsTheFiveBuiltinBoardsWithTabs) {
    const CliRun r = runCli({"boards"});
    ASSERT_EQ(r.status, 0);
    const auto ls = lines(r.out);
    ASSERT_EQ(ls.size(), 5u);
    EXPECT_EQ(ls[3], "Bitva\t15\t" + tomelin::findBuiltinBoard("Bitva")->boardString);
    EXPECT_EQ(ls[2].substr(0, ls[2].find('\t')), "Čelem vzad");
}

TEST(CliPlay, SameSeedReplaysAndEveryLineHasItsFormat) {
    const std::vector<std::string> args = {"play", "--board-string", kBoard7, "--logic",  "cross",
                                           "--p1", "genius",         "--p2",  "beginner", "--seed",
                                           "11",   "--games",        "2"};
    const CliRun a = runCli(args);
    const CliRun b = runCli(args);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.err, "");
    int results = 0, moves = 0;
    for (const auto& line : lines(a.out)) {
        const auto w = words(line);
        ASSERT_FALSE(w.empty());
        if (w[0] == "move") {
            ASSERT_EQ(w.size(), 7u) << line;
            EXPECT_EQ(std::stoi(w[1]), ++moves) << line;
            EXPECT_TRUE(w[2] == "1" || w[2] == "2");
            for (std::size_t i = 3; i < 7; ++i) {
                EXPECT_GE(std::stoi(w[i]), 0);
                EXPECT_LT(std::stoi(w[i]), 7);
            }
        } else if (w[0] == "fill") {
            ASSERT_EQ(w.size(), 3u) << line;
        } else {
            ASSERT_EQ(w[0], "result") << line;
            ASSERT_EQ(w.size(), 5u);
            const int t1 = std::stoi(w[1]);
            const int t2 = std::stoi(w[2]);
            EXPECT_EQ(t1 + t2, 49);
            EXPECT_EQ(std::stoi(w[3]), t1 > t2 ? 1 : (t2 > t1 ? 2 : 0));
            EXPECT_EQ(std::stoi(w[4]), moves);
            moves = 0;
            ++results;
        }
    }
    EXPECT_EQ(results, 2);
}

TEST(CliPlay, PlayerWhoCannotMoveLosesTheFreeCells) {
    // Player 1's token is walled in by holes: the first turn change fills the board.
    const std::string board = "+00X000X000XXXX-";
    const CliRun r = runCli({"play", "--board-string", board, "--seed", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "fill 1 6\nresult 1 7 2 0\n");
}

TEST(CliPlay, ShowPrintsAReadableBoard) {
    const CliRun r = runCli({"play", "--board", "cELEM VZAD", "--seed", "4", "--show"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("     a b c d e f g"), std::string::npos);
    EXPECT_NE(r.out.find("Move 1: PC Profesionál (+)"), std::string::npos);
    EXPECT_NE(r.out.find("Result "), std::string::npos);
}

TEST(CliMoves, ListsCandidatesInScanOrderThenTheBest) {
    // One row of cells, cross logic. Player 2's copies to the right leave player 1 a
    // capturing answer; the copy onto (1,0) takes player 1's only token.
    const std::string board = "+X-X-" + std::string(20, '0');
    const CliRun r = runCli(
        {"moves", "--board-string", board, "--logic", "cross", "--player", "2", "--strength", "3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2 0 3 0 -2\n2 0 1 0 3\n4 0 3 0 -2\nbest 3 1\n");
    const CliRun one = runCli({"moves", "--board-string", board, "--logic", "cross", "--player",
                               "1", "--strength", "0", "--last", "4", "0", "3", "0"});
    EXPECT_EQ(one.out, "0 0 1 0 997\nbest 997 1\n");
    const CliRun none =
        runCli({"moves", "--board-string", "+00-", "--player", "1", "--strength", "2"});
    EXPECT_EQ(none.out, "best none 0\n");
}

TEST(CliPerft, CountsAndReportsTimingOnStderr) {
    const CliRun r = runCli({"perft", "--board-string", "++XXXXXX-", "--logic", "star", "--player",
                             "1", "--depth", "1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "10\n");
    EXPECT_NE(r.err.find("nodes/s"), std::string::npos);
    const CliRun zero =
        runCli({"perft", "--board-string", kBoard7, "--player", "2", "--depth", "0"});
    EXPECT_EQ(zero.out, "1\n");
}

TEST(CliErrors, BadInputIsOneLineAndStatusTwo) {
    expectRefused({}, "no command");
    expectRefused({"fly"}, "unknown command");
    expectRefused({"play", "--board", "Atlantis"}, "unknown board");
    expectRefused({"play", "--board-string", "XXX"}, "n*n");
    expectRefused({"play", "--board-string", std::string(17 * 17, 'X')}, "n*n");
    expectRefused({"play", "--board-string", std::string(100000, '+')}, "n*n");
    expectRefused({"play", "--board-string", "X"}, "n*n");
    expectRefused({"play", "--board-string", "+XY-"}, "characters");
    expectRefused({"play", "--p1", "grandmaster"}, "level");
    expectRefused({"play", "--p2"}, "needs 1 value");
    expectRefused({"play", "--logic", "diagonal"}, "logic");
    expectRefused({"play", "--seed", "-1"}, "seed");
    expectRefused({"play", "--games", "0"}, "games");
    expectRefused({"play", "--board", "Bitva", "--board-string", "+XX-"}, "either");
    expectRefused({"play", "--frobnicate"}, "unknown option");
    expectRefused({"play", "--games", "1", "--games", "2"}, "twice");
    expectRefused({"moves", "--board-string", "+XX-", "--player", "3", "--strength", "1"},
                  "player");
    expectRefused({"moves", "--board-string", "+XX-", "--player", "1", "--strength", "4"},
                  "strength");
    expectRefused({"moves", "--board-string", "+XX-", "--player", "1"}, "--strength");
    expectRefused({"moves", "--board-string", "+XX-", "--player", "1", "--strength", "1", "--last",
                   "0", "0", "5", "0"},
                  "off the");
    expectRefused(
        {"moves", "--board-string", "+XX-", "--player", "1", "--strength", "1", "--last", "0", "0"},
        "needs 4 values");
    expectRefused({"perft", "--board-string", "+XX-", "--player", "1", "--depth", "99"}, "depth");
    expectRefused({"perft", "--board-string", "+XX-", "--player", "1", "--depth", "2x"}, "depth");
    expectRefused({"perft", "--player", "1", "--depth", "2"}, "--board-string");
    expectRefused({"boards", "extra"}, "no arguments");
}

TEST(CliHelp, ListsEveryCommand) {
    const CliRun r = runCli({"help"});
    ASSERT_EQ(r.status, 0);
    for (const char* name : {"boards", "play", "moves", "perft"}) {
        EXPECT_NE(r.out.find(std::string("tomelin-cli ") + name), std::string::npos) << name;
    }
}

}  // namespace
