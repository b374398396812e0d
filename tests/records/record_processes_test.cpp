// Real child processes writing game records into one store file at the same time, killed
// without warning in the middle of their work.

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

using namespace tomelin::testing;

// In a child: writes records of `writer` until killed, one byte to `notify` after each.
[[noreturn]] void writeRecords(const std::string& path, const std::string& writer, int notify) {
    auto opened = SqliteStore::open(path);
    for (int i = 0; opened.store; ++i) {
        const GameRecord record{.board = "Originál",
                                .names = {writer, "#" + std::to_string(i)},
                                .counts = {30, 10},
                                .tokens = {"ACE1", "ECA5"},
                                .winner = 1,
                                .moves = i};
        if (writeGameRecord(*opened.store, record).outcome != RecordWrite::Outcome::Written ||
            ::write(notify, "x", 1) != 1)
            _exit(4);
    }
    _exit(3);
}

TEST(RecordProcesses, WritersAtOnceKilledMidWritingLeaveWholeRecordsUnderDistinctNumbers) {
    StoreFolder folder;
    ASSERT_NE(folder.open(), nullptr);  // lay out the schema first
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::vector<pid_t> children;
    for (const char* writer : {"A", "B", "C"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(pipeEnds[0]);
            writeRecords(folder.file(), writer, pipeEnds[1]);
        }
        children.push_back(pid);
    }
    close(pipeEnds[1]);
    // Let them finish 120 records between them, then kill each while it works on the next.
    char byte;
    int written = 0;
    for (; written < 120; ++written)
        ASSERT_EQ(read(pipeEnds[0], &byte, 1), 1);
    for (pid_t pid : children) {
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status));  // no writer gave up on a busy store before
    }
    while (read(pipeEnds[0], &byte, 1) == 1)
        ++written;  // commits reported in time
    close(pipeEnds[0]);

    StoreOpening opening = openStoreAt(folder.file());
    ASSERT_FALSE(opening.hasProblem()) << opening.problem;
    Store& store = *opening.store;
    const std::vector<std::string> keys = store.subkeyNames(kRecordsKey);
    for (const std::string& name : keys)
        EXPECT_EQ(store.values(store.openKey(std::string(kRecordsKey) + "\\" + name)).size(), 11u)
            << name;
    // Every reported commit is there; at most one unreported commit per killed writer.
    const Survey survey = readSurvey(store);
    EXPECT_EQ(survey.recordCount(), static_cast<int>(keys.size()));
    EXPECT_GE(survey.recordCount(), written);
    EXPECT_LE(survey.recordCount(), written + 3);
    std::set<std::string> seen;
    for (int k = 0; k < survey.recordCount(); ++k) {
        seen.insert(survey.lists[kListPlayer1][k] + survey.lists[kListPlayer2][k]);
        EXPECT_EQ(survey.recordNumbers[k], k + 1);  // no gaps, no number twice
    }
    EXPECT_EQ(seen.size(), keys.size());
}

}  // namespace
}  // namespace tomelin
