// Real child processes writing game records into one store file at the same time, and a
// writer killed without warning in the middle of its work.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

GameRecord recordOf(const std::string& writer, int index) {
    GameRecord record;
    record.board = "Originál";
    record.names = {writer, "#" + std::to_string(index)};
    record.counts = {30, 10};
    record.tokens = {"ACE1", "ECA5"};
    record.winner = 1;
    record.moves = index;
    return record;
}

// In a child: writes `count` records (forever for -1), one byte to `notify` after each.
[[noreturn]] void writeRecords(const std::string& path, const std::string& writer, int count,
                               int notify) {
    auto opened = SqliteStore::open(path);
    if (!opened.store)
        _exit(3);
    for (int i = 0; count < 0 || i < count; ++i) {
        const RecordWrite write = writeGameRecord(*opened.store, recordOf(writer, i));
        if (write.outcome != RecordWrite::Outcome::Written)
            _exit(4);
        if (notify >= 0 && ::write(notify, "x", 1) != 1)
            _exit(5);
    }
    opened.store.reset();
    _exit(0);
}

TEST(RecordProcesses, ThreeWritersAtOnceLoseNothingAndNeverShareANumber) {
    StoreFolder folder;
    ASSERT_NE(folder.open(), nullptr);  // lay out the schema first
    constexpr int kPerWriter = 40;
    std::vector<pid_t> children;
    for (const char* writer : {"A", "B", "C"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            writeRecords(folder.file(), writer, kPerWriter, -1);
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    auto store = folder.open();
    const Survey survey = PruzkHer(*store);
    ASSERT_EQ(survey.recordCount(), 3 * kPerWriter);
    std::set<std::string> seen;
    for (int k = 0; k < survey.recordCount(); ++k) {
        seen.insert(survey.lists[kListPlayer1][k] + survey.lists[kListPlayer2][k]);
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(3 * kPerWriter));
    std::vector<int> expected(3 * kPerWriter);
    for (int i = 0; i < 3 * kPerWriter; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(survey.recordNumbers, expected);
}

TEST(RecordProcesses, WriterKilledMidWritingLeavesOnlyWholeRecords) {
    StoreFolder folder;
    ASSERT_NE(folder.open(), nullptr);
    int written = 0;
    for (int round = 0; round < 3; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(pipeEnds[0]);
            writeRecords(folder.file(), "K" + std::to_string(round), -1, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        // Let it finish a few records, then kill it while it works on the next one.
        char byte;
        for (int i = 0; i < 5 + 3 * round; ++i) {
            ASSERT_EQ(read(pipeEnds[0], &byte, 1), 1);
            ++written;
        }
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status));
        while (read(pipeEnds[0], &byte, 1) == 1)
            ++written;  // commits it reported in time
        close(pipeEnds[0]);
    }

    StoreOpening opening = openStoreAt(folder.file());
    ASSERT_FALSE(opening.hasProblem()) << opening.problem;
    Store& store = *opening.store;
    int whole = 0;
    for (const std::string& name : store.subkeyNames(kRecordsKey)) {
        const auto values = store.values(store.openKey(std::string(kRecordsKey) + "\\" + name));
        EXPECT_EQ(values.size(), 11u) << name;
        ++whole;
    }
    // Every reported commit is there; at most one unreported commit per killed writer.
    EXPECT_GE(whole, written);
    EXPECT_LE(whole, written + 3);
    EXPECT_EQ(PruzkHer(store).recordCount(), whole);
}

}  // namespace
}  // namespace tomelin
