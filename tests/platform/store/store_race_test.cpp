// Several copies of the headless tool starting at once on a damaged store, each recording
// finished games: every game a copy announces must end up in the store at its usual path.
//
// The number of trials comes from TOMELIN_RACE_TRIALS (default 3); `make stress` runs 100.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

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

int trials() {
    const char* text = std::getenv("TOMELIN_RACE_TRIALS");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : 3;
}

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

// Starts the tool recording games; its standard output and error go to files.
pid_t startWriter(const std::string& store, const std::string& outFile, int seed) {
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = ::open((outFile + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
        _exit(120);
    setenv("TOMELIN_STORE", store.c_str(), 1);
    const std::string seedText = std::to_string(seed);
    const std::string games = std::to_string(kGamesEach);
    execl(TOMELIN_CLI_PATH, TOMELIN_CLI_PATH, "play", "--board-string", kBoard.c_str(), "--p1",
          "beginner", "--p2", "beginner", "--games", games.c_str(), "--seed", seedText.c_str(),
          "--record", static_cast<char*>(nullptr));
    _exit(121);
}

// Won games among the result lines (draws are never recorded).
int announcedRecords(const std::string& output) {
    std::istringstream lines(output);
    int won = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string tag;
        int tokens1 = 0, tokens2 = 0, winner = 0;
        if (words >> tag >> tokens1 >> tokens2 >> winner && tag == "result" && winner != 0)
            ++won;
    }
    return won;
}

TEST(StoreRace, WritersStartingTogetherOnADamagedStoreLoseNoRecord) {
    const int n = trials();
    int lost = 0;
    int inMovedFiles = 0;
    for (int trial = 0; trial < n; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        StoreFolder folder;
        const std::string path = folder.file();
        damagedStore(path);
        std::vector<pid_t> writers;
        for (int w = 0; w < kWriters; ++w)
            writers.push_back(startWriter(path, folder.file("out" + std::to_string(w)),
                                          trial * kWriters + w + 1));
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
