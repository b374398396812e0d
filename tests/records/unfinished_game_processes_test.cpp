// The headless tool keeps its game as the game window does: stopped by --max-moves or killed
// without warning at any moment, the next run resumes the last completed turn.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>
#include <thread>

#include "cli/run_tool.h"
#include "platform/store/store_folder.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

struct MoveLine {
    int number = 0;
    Move move;
};

// The "move" lines of the tool's output, in order.
std::vector<MoveLine> moveLines(const std::string& out) {
    std::vector<MoveLine> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        MoveLine m;
        int player = 0;
        if (words >> word && word == "move" &&
            words >> m.number >> player >> m.move.from.x >> m.move.from.y >> m.move.to.x >>
                m.move.to.y) {
            const int dx = std::abs(m.move.to.x - m.move.from.x);
            const int dy = std::abs(m.move.to.y - m.move.from.y);
            m.move.kind = std::max(dx, dy) == 1 ? MoveKind::Copy : MoveKind::Jump;
            lines.push_back(m);
        }
    }
    return lines;
}

// The position after each printed move, from the board's start (star logic).
std::vector<std::string> replay(const std::string& boardString, const std::vector<MoveLine>& ms) {
    Position p = *Position::fromBoardString(boardString, Player::One);
    std::vector<std::string> snapshots{MakeSnapshot(p.toBoard())};
    for (const MoveLine& m : ms) {
        EXPECT_TRUE(p.isLegal(Logic::Star, m.move)) << m.number;
        p.play(Logic::Star, m.move);
        snapshots.push_back(MakeSnapshot(p.toBoard()));
    }
    return snapshots;
}

UnfinishedGameRead keptIn(const std::string& path) {
    auto store = SqliteStore::open(path).store;
    EXPECT_NE(store, nullptr);
    return store ? readUnfinishedGame(*store) : UnfinishedGameRead{};
}

const std::string& dama() {
    return findBuiltinBoard("Dáma")->boardString;
}

TEST(KeptToolGame, MaxMovesLeavesTheGameKeptAndResumePlaysItToItsEnd) {
    StoreFolder folder;
    const std::string path = folder.file();
    const CliRun whole =
        runTool({"play", "--board", "Dáma", "--p1", "beginner", "--p2", "genius", "--seed", "5"});
    ASSERT_EQ(whole.status, 0) << whole.err;
    for (const int k : {1, 4, 9}) {
        SCOPED_TRACE(k);
        const CliRun first = runTool({"play", "--board", "Dáma", "--p1", "beginner", "--p2",
                                      "genius", "--seed", "5", "--max-moves", std::to_string(k)},
                                     path);
        ASSERT_EQ(first.status, 0) << first.err;
        // The same game as without a limit, stopped after k moves.
        EXPECT_EQ(whole.out.substr(0, first.out.find("unfinished")),
                  first.out.substr(0, first.out.find("unfinished")));
        const UnfinishedGameRead kept = keptIn(path);
        ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready) << kept.problem;
        EXPECT_EQ(kept.snapshot.movesMade(), k);
        EXPECT_EQ(kept.snapshot.boardName, "Dáma");
        EXPECT_EQ(kept.snapshot.moveList, replay(dama(), moveLines(first.out)));
        const CliRun listed = runTool({"store", "list", "Software\\Brantl\\Tomelin"}, path);
        EXPECT_NE(listed.out.find("Software\\Brantl\\Tomelin\\RozehranáHra\tPočetTahů\tint\t" +
                                  std::to_string(k) + "\n"),
                  std::string::npos);

        const CliRun rest = runTool({"play", "--resume", "--seed", "11"}, path);
        ASSERT_EQ(rest.status, 0) << rest.err;
        std::vector<MoveLine> all = moveLines(first.out);
        const std::vector<MoveLine> more = moveLines(rest.out);
        ASSERT_FALSE(more.empty());
        EXPECT_EQ(more.front().number, k + 1);
        all.insert(all.end(), more.begin(), more.end());
        for (std::size_t i = 0; i < all.size(); ++i)
            EXPECT_EQ(all[i].number, static_cast<int>(i) + 1);
        replay(dama(), all);  // every move legal where it was made
        const std::string last = rest.out.substr(rest.out.rfind("result "));
        EXPECT_EQ(last.substr(last.rfind(' ') + 1), std::to_string(all.size()) + "\n");
        EXPECT_EQ(keptIn(path).outcome, UnfinishedGameRead::Outcome::None);
    }
}

TEST(KeptToolGame, ResumeRefusesWhatItCannotPlay) {
    StoreFolder folder;
    const std::string path = folder.file();
    CliRun r = runTool({"play", "--resume"}, path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no unfinished game"), std::string::npos);
    r = runTool({"play", "--resume", "--board", "Dáma"}, path);
    EXPECT_EQ(r.status, 2);
    ASSERT_EQ(runTool({"play", "--max-moves", "3", "--seed", "1"}, path).status, 0);
    ASSERT_EQ(runTool({"store", "set", kUnfinishedGameKey, kUgToMove, "3", "--int"}, path).status,
              0);
    r = runTool({"play", "--resume"}, path);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
    EXPECT_EQ(keptIn(path).outcome, UnfinishedGameRead::Outcome::None);
}

TEST(KeptToolGame, KilledAtRandomMomentsTheNextRunResumesTheLastCompletedTurn) {
    std::mt19937 rng(20261207);
    const std::string bitva = findBuiltinBoard("Bitva")->boardString;
    for (int trial = 0; trial < 6; ++trial) {
        SCOPED_TRACE(trial);
        StoreFolder folder;
        const std::string path = folder.file();
        const std::string out = folder.file("out.txt");
        const pid_t pid = spawnTool({"play", "--board", "Bitva", "--p1", "pro", "--p2", "pro",
                                     "--seed", std::to_string(trial), "--max-moves", "100000"},
                                    path, out);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + rng() % 200));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        if (!WIFSIGNALED(status))
            continue;  // the game ended before the kill: nothing to resume
        const std::vector<MoveLine> printed = moveLines(readFile(out));
        const UnfinishedGameRead kept = keptIn(path);
        if (printed.empty() && kept.outcome == UnfinishedGameRead::Outcome::None)
            continue;  // killed before the first turn change
        if (kept.outcome == UnfinishedGameRead::Outcome::None) {
            // Killed after the game's end removed the kept game, before the tool exited: the
            // printed moves must then end the game.
            Position p = *Position::fromBoardString(bitva, Player::One);
            for (const MoveLine& m : printed)
                p.play(Logic::Star, m.move);
            EXPECT_TRUE(p.isOver() || !p.canMove(Logic::Star)) << printed.size() << " moves";
            continue;
        }
        // Whole, and the last turn whose move was printed or the one before it.
        ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready) << kept.problem;
        const int m = kept.snapshot.movesMade();
        const int shown = static_cast<int>(printed.size());
        EXPECT_TRUE(m == shown || m == shown - 1) << m << " kept, " << shown << " printed";
        std::vector<MoveLine> done(printed.begin(), printed.begin() + std::min(m, shown));
        EXPECT_EQ(kept.snapshot.moveList, replay(bitva, done));

        const CliRun rest = runTool({"play", "--resume", "--seed", "3"}, path);
        ASSERT_EQ(rest.status, 0) << rest.err;
        const std::vector<MoveLine> more = moveLines(rest.out);
        if (!more.empty()) {
            EXPECT_EQ(more.front().number, m + 1);
        }
        EXPECT_NE(rest.out.find("result "), std::string::npos);
        EXPECT_EQ(keptIn(path).outcome, UnfinishedGameRead::Outcome::None);
    }
}

int storedRecords(const std::string& path) {
    auto store = SqliteStore::open(path).store;
    EXPECT_NE(store, nullptr);
    return store ? static_cast<int>(readGameRecords(*store).size()) : -1;
}

// A game on "Dáma" of the beginner against `p2`, stopped and kept after `moves` moves.
void keepGame(const std::string& path, const std::string& p2, int seed, int moves) {
    ASSERT_EQ(runTool({"play", "--board", "Dáma", "--p1", "beginner", "--p2", p2, "--seed",
                       std::to_string(seed), "--max-moves", std::to_string(moves)},
                      path)
                  .status,
              0);
}

// Several copies of the tool resuming one kept game at once: one plays and records it, the
// others are told it is taken; the game is recorded once.
TEST(KeptGameRace, OfResumersStartingTogetherOnePlaysTheGameAndItIsRecordedOnce) {
    constexpr int kResumers = 4;
    const int n = raceTrials();
    int announcedTotal = 0;
    int lost = 0;
    for (int trial = 0; trial < n; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        StoreFolder folder;
        const std::string path = folder.file();
        ASSERT_NO_FATAL_FAILURE(keepGame(path, "beginner", trial, 4));
        std::vector<pid_t> resumers;
        for (int r = 0; r < kResumers; ++r) {
            resumers.push_back(spawnTool({"play", "--resume", "--record", "--seed",
                                          std::to_string(r)},
                                         path, folder.file("out" + std::to_string(r))));
        }
        int played = 0;
        int announced = 0;
        for (int r = 0; r < kResumers; ++r) {
            int status = 0;
            ASSERT_EQ(waitpid(resumers[r], &status, 0), resumers[r]);
            ASSERT_TRUE(WIFEXITED(status));
            const std::string out = readFile(folder.file("out" + std::to_string(r)));
            const std::string err = readFile(folder.file("out" + std::to_string(r) + ".err"));
            if (WEXITSTATUS(status) == 0) {
                ++played;
                EXPECT_NE(out.find("result "), std::string::npos);
                announced += announcedRecords(out);
            } else {
                EXPECT_EQ(WEXITSTATUS(status), 1) << err;
                EXPECT_EQ(out, "");
                // Taken by another, or (a copy that started late on a busy machine) already
                // played to its end by it: either way not played twice.
                EXPECT_TRUE(err.find("already being played") != std::string::npos ||
                            err.find("no unfinished game is kept") != std::string::npos)
                    << err;
            }
        }
        EXPECT_EQ(played, 1);
        const int stored = storedRecords(path);
        EXPECT_EQ(stored, announced);
        EXPECT_EQ(keptIn(path).outcome, UnfinishedGameRead::Outcome::None);
        announcedTotal += announced;
        lost += std::max(0, announced - stored);
    }
    EXPECT_EQ(lost, 0);
    std::cout << "[ resume  ] " << n << " trials, " << n * kResumers << " processes, "
              << announcedTotal << " records announced, " << lost << " lost\n";
}

// The tool killed at game end, after the kept game is removed and before the record is
// written: the game is not lost, since both happen in one transaction.
TEST(KeptGameRace, AKillBetweenRemovingTheKeptGameAndRecordingItLosesNothing) {
    const int n = raceTrials();
    int kills = 0;
    for (int trial = 0; trial < n; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        StoreFolder folder;
        const std::string path = folder.file();
        ASSERT_NO_FATAL_FAILURE(keepGame(path, "pro", trial, 6));
        const pid_t pid = spawnTool({"play", "--resume", "--record", "--seed", "1"}, path,
                                    folder.file("out"), "TOMELIN_CLI_HOLD=kept-game-removed");
        ASSERT_GT(pid, 0);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
        ASSERT_TRUE(WIFSTOPPED(status)) << "the tool never reached the end of its game";
        kill(pid, SIGKILL);
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ++kills;
        // Nothing announced, nothing recorded, and the game still there to be finished.
        EXPECT_EQ(announcedRecords(readFile(folder.file("out"))), 0);
        EXPECT_EQ(storedRecords(path), 0);
        const UnfinishedGameRead kept = keptIn(path);
        ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready) << kept.problem;
        EXPECT_GE(kept.snapshot.movesMade(), 6);
        const CliRun rest = runTool({"play", "--resume", "--record", "--seed", "1"}, path);
        ASSERT_EQ(rest.status, 0) << rest.err;
        EXPECT_EQ(storedRecords(path), announcedRecords(rest.out));
        EXPECT_EQ(keptIn(path).outcome, UnfinishedGameRead::Outcome::None);
    }
    std::cout << "[ kill    ] " << n << " kills at the game's end, 0 games lost\n";
}

}  // namespace
}  // namespace tomelin
