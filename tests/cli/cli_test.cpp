// The headless tool's game commands, run as a real process: output formats, replays and the
// one-line refusals of bad input.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/board.h"
#include "run_tool.h"

namespace {

// Runs the tool with the space-separated words of `commandLine` as its arguments.
CliRun runCli(const std::string& commandLine) {
    std::vector<std::string> args;
    std::istringstream words(commandLine);
    for (std::string word; words >> word;)
        args.push_back(word);
    return runTool(args);
}

const std::string kBoard7 = "+XXXXX-" + std::string(35, 'X') + "-XXXXX+";

TEST(CliBoards, ListsTheFiveBuiltinBoardsInOrderWithNameSideAndBoardString) {
    const CliRun r = runCli("boards");
    ASSERT_EQ(r.status, 0);
    std::string expected;
    for (auto [name, side] : {std::pair{"Originál", "11"},
                              {"Dáma", "8"},
                              {"Čelem vzad", "7"},
                              {"Bitva", "15"},
                              {"Špionáž", "8"}}) {
        expected += std::string(name) + "\t" + side + "\t" +
                    tomelin::findBuiltinBoard(name)->boardString + "\n";
    }
    EXPECT_EQ(r.out, expected);
}

TEST(CliPlay, SameSeedReplaysAndEveryLineHasItsFormat) {
    const std::string args = "play --board-string " + kBoard7 +
                             " --logic cross --p1 genius --p2 beginner --seed 11 --games 2";
    const CliRun a = runCli(args);
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, runCli(args).out);
    EXPECT_EQ(a.err, "");
    const std::regex move(R"(move (\d+) [12]( [0-6]){4})"), fill(R"(fill [12] \d+)"),
        result(R"(result (\d+) (\d+) ([012]) (\d+))");
    int results = 0, moves = 0;
    std::istringstream out(a.out);
    for (std::string line; std::getline(out, line);) {
        std::smatch m;
        if (std::regex_match(line, m, move)) {  // move <n> <player> <from x y> <to x y>
            EXPECT_EQ(std::stoi(m[1]), ++moves) << line;
        } else if (std::regex_match(line, m, result)) {  // result <tokens 1, 2> <winner> <moves>
            const int t1 = std::stoi(m[1]), t2 = std::stoi(m[2]);
            EXPECT_EQ(t1 + t2, 49) << line;
            EXPECT_EQ(std::stoi(m[3]), t1 > t2 ? 1 : (t2 > t1 ? 2 : 0)) << line;
            EXPECT_EQ(std::stoi(m[4]), moves) << line;
            moves = 0;
            ++results;
        } else {
            EXPECT_TRUE(std::regex_match(line, fill)) << line;  // fill <stuck player> <cells>
        }
    }
    EXPECT_EQ(results, 2);
}

TEST(CliPlay, ShowPrintsAReadableBoard) {
    // Board names are found without diacritics and in any letter case.
    const CliRun r = runCli("play --board SPIONAZ --seed 4 --show");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part :
         {"on Špionáž", "     a b c d e f g h", "Move 1: PC Profesionál (+)", "Result "})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
}

TEST(CliMoves, ListsCandidatesInScanOrderThenTheBest) {
    // One row of cells, cross logic. Player 2's copies to the right leave player 1 a
    // capturing answer; the copy onto (1,0) takes player 1's only token.
    const std::string position =
        "moves --board-string +X-X-" + std::string(20, '0') + " --logic cross";
    EXPECT_EQ(runCli(position + " --player 2 --strength 3").out,
              "2 0 3 0 -2\n2 0 1 0 3\n4 0 3 0 -2\nbest 3 1\n");
    EXPECT_EQ(runCli(position + " --player 1 --strength 0 --last 4 0 3 0").out,
              "0 0 1 0 997\nbest 997 1\n");
    EXPECT_EQ(runCli("moves --board-string +00- --player 1 --strength 2").out, "best none 0\n");
}

TEST(CliPerft, CountsCopiesOncePerTargetAndJumpsPerSourceAndTargetWithTimingOnStderr) {
    // Star logic: four copies, each counted once though two touch both tokens, six jumps.
    const CliRun r = runCli("perft --board-string ++XXXXXX- --logic star --player 1 --depth 1");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "10\n");
    EXPECT_NE(r.err.find("nodes/s"), std::string::npos);
}

TEST(CliBench, PrintsTheBehaviourSignatureAloneWithTheCountsOnStderr) {
    const CliRun r = runCli("bench");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "7785532020565250139\n");
    EXPECT_EQ(r.err, "84 games, 6276 moves\n");
}

// tune generate writes "FEN;result" lines that tune fit reads back; a damaged line is named.
TEST(CliTune, GeneratedPositionsFitAndADamagedLineIsRefused) {
    // Seed 4 gives two whole games (94 positions); a seed whose random opening nearly wipes a
    // side out gives a handful of decided positions, a loss near 0 and little to fit.
    const CliRun gen = runCli("tune generate --games 2 --nodes 800 --seed 4");
    ASSERT_EQ(gen.status, 0) << gen.err;
    const std::regex line(R"([xo1-7/-]+ [xo] \d+ \d+;(0|0\.5|1))");
    std::istringstream lines(gen.out);
    std::size_t count = 0;
    for (std::string l; std::getline(lines, l); ++count)
        ASSERT_TRUE(std::regex_match(l, line)) << l;
    EXPECT_EQ(gen.err, "2 games, " + std::to_string(count) + " positions\n");

    const std::string path = testing::TempDir() + "tomelin_tune_data.txt";
    {
        std::ofstream(path) << gen.out;
    }
    const CliRun fit = runCli("tune fit " + path + " --epochs 200");
    ASSERT_EQ(fit.status, 0) << fit.err;
    const std::regex report(R"(\d+ positions, k [0-9.e+-]+, loss ([0-9.e+-]+) -> ([0-9.e+-]+)\n)"
                            R"(material 100\nfrontier -?\d+\ncopyReach -?\d+\nrim -?\d+\n)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(fit.out, m, report)) << fit.out;
    EXPECT_LE(std::stod(m[2].str()), std::stod(m[1].str()));

    {
        std::ofstream(path) << gen.out << "x5o/7/7/7/7/7/o5x x 0 1;2\n";
    }
    const CliRun bad = runCli("tune fit " + path);
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("line " + std::to_string(count + 1)), std::string::npos) << bad.err;
    EXPECT_EQ(runCli("tune").status, 2);
    EXPECT_EQ(runCli("tune generate").status, 2);  // no --games
    std::remove(path.c_str());
}

// The search bench: a change to PC Velmistr's search moves this number, and must do so on
// purpose (the new number goes in with the change that moved it). --verbose names each
// position with its share of the total.
TEST(CliBench, MasterPrintsTheNodeCountAndVerboseNamesEveryPositionsShare) {
    const CliRun total = runCli("bench --master");
    ASSERT_EQ(total.status, 0) << total.err;
    EXPECT_EQ(total.out, "1114891\n");
    EXPECT_NE(total.err.find("nodes/s"), std::string::npos);
    const CliRun r = runCli("bench --master --verbose");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line, last;
    std::vector<std::string> names;
    unsigned long long sum = 0;
    while (std::getline(lines, line)) {
        const auto nodesAt = line.find(", nodes ");
        if (nodesAt == std::string::npos) {
            last = line;
            continue;
        }
        names.push_back(line.substr(0, line.find(':')));
        sum += std::stoull(line.substr(nodesAt + 8));
    }
    const std::vector<std::string> expected = {"start",      "opening",      "middle",
                                               "ending",     "Čelem vzad",   "Dáma (cross)",
                                               "Špionáž (cross)", "Bitva", "start (uai)",
                                               "middle (uai)"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(last, std::to_string(sum));
    EXPECT_EQ(last, "1114891");
}

TEST(CliErrors, BadInputIsOneLineOnStderrAndStatusTwo) {
    // Each case: the command line, and what the message mentions.
    const std::pair<std::string, const char*> cases[] = {
        {"", "no command"},
        {"fly", "unknown command"},
        {"boards extra", "no arguments"},
        {"bench 3", "no arguments"},
        {"bench --verbose", "--master"},
        {"play --board Atlantis", "unknown board"},
        {"play --board-string XXX", "n*n"},
        {"play --board-string +XY-", "characters"},
        {"play --p1 grandmaster", "level"},
        {"play --logic diagonal", "logic"},
        {"play --seed -1", "seed"},
        {"play --games 0", "games"},
        {"play --board Bitva --board-string +XX-", "either"},
        {"play --frobnicate", "unknown option"},
        {"play --games 1 --games 2", "twice"},
        {"moves --board-string +XX- --player 3 --strength 1", "player"},
        {"moves --board-string +XX- --player 1 --strength 5", "strength"},
        {"moves --board-string +XX- --player 1", "--strength"},
        {"moves --board-string +XX- --player 1 --strength 1 --last 0 0 5 0", "off the"},
        {"perft --board-string +XX- --player 1 --depth 2x", "depth"},
        {"perft --player 1 --depth 2", "--board-string"}};
    for (const auto& [words, mentions] : cases) {
        SCOPED_TRACE(words.substr(0, 60));
        const CliRun r = runCli(words);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find(mentions), std::string::npos) << r.err;
    }
}

// Whatever the user typed, the error is one line: the argument quoted, control characters
// escaped (no newline splits it, no escape sequence reaches the terminal), cut to a sensible
// length.
TEST(CliErrors, EchoedArgumentsAreQuotedEscapedAndCut) {
    const CliRun split = runTool({"play", "--board", "Atlantis\nrm -rf"});
    EXPECT_EQ(split.status, 2);
    EXPECT_EQ(split.err, "tomelin-cli: unknown board \"Atlantis\\nrm -rf\"; \"tomelin-cli boards\""
                         " lists them\n");
    const CliRun bell = runTool({"play", "--logic", "\x1b[2J\a\x7f"});
    EXPECT_EQ(bell.err, "tomelin-cli: logic must be star or cross, not \"\\x1b[2J\\x07\\x7f\"\n");
    // A stray argument with quotes, a C1 control character and a byte that is no UTF-8.
    const CliRun stray = runTool({"perft", "a\"b\xc2\x9b\xff"});
    EXPECT_EQ(stray.err, "tomelin-cli: unexpected argument \"a\\\"b\\xc2\\x9b\\xff\"\n");

    const std::string huge(100000, 'x');
    const CliRun cut = runTool({"play", "--p1", huge});
    EXPECT_EQ(cut.status, 2);
    EXPECT_LT(cut.err.size(), 200u);
    EXPECT_NE(cut.err.find("\"" + std::string(40, 'x') + "\"… (100000 characters)"),
              std::string::npos)
        << cut.err;
    // Cutting counts characters, never splitting a letter.
    const CliRun czech = runTool({"play", "--p2", std::string(39, 'a') + "ŽŽŽ"});
    EXPECT_NE(czech.err.find(std::string(39, 'a') + "Ž\"… (42 characters)"), std::string::npos)
        << czech.err;
}

TEST(CliErrors, BoardStringLengthIsCountedInCharacters) {
    std::string zs;
    for (int i = 0; i < 49; ++i)
        zs += "Ž";
    const CliRun r = runTool({"play", "--board-string", zs});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("characters"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("98"), std::string::npos) << r.err;
    const CliRun bad = runTool({"play", "--board-string", zs.substr(2)});  // 48 characters
    EXPECT_NE(bad.err.find("board string has 48 characters"), std::string::npos) << bad.err;
}

// A depth whose count would take hours is refused at once with the depths that do run; a
// depth that runs still gives the exact count.
TEST(CliPerft, RefusesDepthsThatWouldNotFinishAndSaysWhichDoRun) {
    const std::string original = tomelin::findBuiltinBoard("Originál")->boardString;
    const CliRun refused =
        runTool({"perft", "--board-string", original, "--player", "1", "--depth", "12"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
    EXPECT_NE(refused.err.find("depth 12 would count about"), std::string::npos) << refused.err;
    const std::smatch m = [&] {
        std::smatch found;
        std::regex_search(refused.err, found, std::regex("depths up to (\\d+) run here"));
        return found;
    }();
    ASSERT_EQ(m.size(), 2u) << refused.err;
    const int largest = std::stoi(m[1]);
    EXPECT_GE(largest, 3);
    EXPECT_LT(largest, 12);
    // Depths the probe counts itself and depths past it agree with a plain count.
    const CliRun two = runTool({"perft", "--board-string", "++XXXXXX-", "--player", "1",
                                "--depth", "2"});
    EXPECT_EQ(two.status, 0);
    const CliRun deep = runTool({"perft", "--board-string", "++XXXXXX-", "--player", "1",
                                 "--depth", "12"});
    EXPECT_EQ(deep.status, 0) << deep.err;  // a tiny board: every depth is quick
    EXPECT_NE(deep.out, "");
}

TEST(CliHelp, ListsEveryCommand) {
    const CliRun r = runCli("help");
    ASSERT_EQ(r.status, 0);
    for (const char* name : {"boards", "play", "moves", "perft", "bench"})
        EXPECT_NE(r.out.find(std::string("tomelin-cli ") + name), std::string::npos) << name;
}

}  // namespace
