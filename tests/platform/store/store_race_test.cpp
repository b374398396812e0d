// Several copies of the headless tool starting at once on a damaged store, each recording
// finished games: every game a copy announces must end up in the store at its usual path.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_tool.h"
#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;
namespace fs = std::filesystem;

constexpr int kWriters = 4;
constexpr int kGamesEach = 20;
// A small board the beginner finishes in a few milliseconds a game.
const std::string kBoard = "+XXXX-" + std::string(24, 'X') + "-XXXX+";

// A store with records whose file was then cut short, as a full disk or a crash of the
// machine may leave it.
void damagedStore(const std::string& path) {
    {
        auto store = SqliteStore::open(path).store;
        ASSERT_NE(store, nullptr);
        for (int i = 0; i < 40; ++i) {
            const GameRecord record{.board = "Dáma",
                                    .names = {"Old", std::to_string(i)},
                                    .counts = {40, 24},
                                    .tokens = {"ACE1", "ECA5"},
                                    .winner = 1,
                                    .moves = i};
            ASSERT_EQ(writeGameRecord(*store, record).outcome, RecordWrite::Outcome::Written);
        }
    }
    rawSql(path, "PRAGMA wal_checkpoint(TRUNCATE)");
    const std::string bytes = readFile(path);
    ASSERT_GT(bytes.size(), 8192u);
    writeFile(path, bytes.substr(0, bytes.size() / 2));
}

TEST(StoreRace, WritersStartingTogetherOnADamagedStoreLoseNoRecord) {
    const int n = raceTrials();
    int lost = 0;
    int inMovedFiles = 0;
    for (int trial = 0; trial < n; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        StoreFolder folder;
        const std::string path = folder.file();
        damagedStore(path);
        std::vector<pid_t> writers;
        for (int w = 0; w < kWriters; ++w)
            writers.push_back(spawnTool({"play", "--board-string", kBoard, "--p1", "beginner",
                                         "--p2", "beginner", "--games", std::to_string(kGamesEach),
                                         "--seed", std::to_string(trial * kWriters + w + 1),
                                         "--record"},
                                        path, folder.file("out" + std::to_string(w))));
        int announced = 0;
        for (int w = 0; w < kWriters; ++w) {
            int status = 0;
            ASSERT_EQ(waitpid(writers[w], &status, 0), writers[w]);
            const std::string out = readFile(folder.file("out" + std::to_string(w)));
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << readFile(folder.file("out" + std::to_string(w) + ".err"));
            announced += announcedRecords(out);
        }
        // Exactly the damaged file was moved aside, once, and it holds none of the new games.
        int moved = 0;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".damaged-") == std::string::npos ||
                name.find("-wal") != std::string::npos || name.find("-shm") != std::string::npos)
                continue;
            ++moved;
            const std::string bytes = readFile(entry.path().string());
            if (bytes.find("beginner") != std::string::npos ||
                bytes.find("PC Začátečník") != std::string::npos)
                ++inMovedFiles;
        }
        EXPECT_EQ(moved, 1);
        StoreOpening opening = openStoreAt(path);
        ASSERT_FALSE(opening.hasProblem()) << opening.problem;
        const int stored = readSurvey(*opening.store).recordCount();
        EXPECT_EQ(stored, announced);
        EXPECT_GT(announced, 0);
        lost += announced > stored ? announced - stored : 0;
    }
    EXPECT_EQ(lost, 0) << "records lost over " << n << " trials";
    EXPECT_EQ(inMovedFiles, 0);
    std::cout << "[ race    ] " << n << " trials, " << lost << " records lost\n";
}

}  // namespace
}  // namespace tomelin
