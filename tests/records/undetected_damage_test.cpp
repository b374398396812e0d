// Store files damaged in a way the quick check at opening misses (an index that lost a row):
// the first write that fails leads to the full check, and the file is then handled as
// damage found at opening is: moved aside whole, a fresh store in its place, the user told,
// and the game that was being written goes into the fresh store.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"
#include "records/game_record.h"
#include "records/survey.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;
namespace fs = std::filesystem;

GameEnd wonGame() {
    GameEnd end;
    end.board = "Dáma";
    end.names = {"Eva", "Jan"};
    end.counts = {40, 24};
    end.tokens = {TokenStyle{0x0F87FF, 1}, TokenStyle{0xFF870F, 5}};
    end.moveCounter = 30;
    return end;
}

class UndetectedDamage : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const std::string kept = std::string(TOMELIN_TEST_DATA_DIR) + "/store/" + GetParam();
        original = readFile(kept);
        ASSERT_GT(original.size(), 4096u) << kept;
        writeFile(path, original);
        // What makes these files what they are: the quick check passes, the full one does not.
        ASSERT_EQ(rawSql(path, "PRAGMA quick_check"), "ok");
        ASSERT_NE(rawSql(path, "PRAGMA integrity_check"), "ok");
        writeFile(path, original);  // as kept, without any journal of the looks above
        fs::remove(path + "-wal");
        fs::remove(path + "-shm");
    }
    std::vector<fs::path> movedAside() const {
        std::vector<fs::path> moved;
        for (const auto& entry : fs::directory_iterator(folder.path())) {
            const std::string name = entry.path().filename().string();
            if (name.find(".damaged-") != std::string::npos &&
                name.find("-wal") == std::string::npos && name.find("-shm") == std::string::npos)
                moved.push_back(entry.path());
        }
        return moved;
    }
    StoreFolder folder;
    const std::string path = folder.file();
    std::string original;
};

TEST_P(UndetectedDamage, TheFailingRecordMovesTheFileAsideAndGoesIntoAFreshStore) {
    StoreOpening opening = openStoreAt(path);
    ASSERT_FALSE(opening.hasProblem()) << opening.problem;  // the quick check saw nothing
    const int before = readSurvey(*opening.store).recordCount();
    EXPECT_GT(before, 0);

    const RecordWrite write = recordAndForgetKeptGame(*opening.store, wonGame());
    ASSERT_EQ(write.outcome, RecordWrite::Outcome::Written) << write.status << " " << write.reason;
    EXPECT_EQ(write.number, 1);
    const std::string notice = opening.store->takeNotice();
    EXPECT_NE(notice.find("byl poškozený. Byl přesunut do souboru"), std::string::npos) << notice;
    EXPECT_EQ(opening.store->takeNotice(), "");  // told once
    // The damaged file is kept whole beside the fresh store.
    const std::vector<fs::path> moved = movedAside();
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_NE(notice.find(moved[0].string()), std::string::npos);
    EXPECT_EQ(readSurvey(*opening.store).recordCount(), 1);
    // Everything goes on in the fresh store, also after another start.
    ASSERT_EQ(recordFinishedGame(*opening.store, wonGame()).number, 2);
    opening.store.reset();
    StoreOpening again = openStoreAt(path);
    EXPECT_FALSE(again.hasProblem());
    EXPECT_EQ(readSurvey(*again.store).recordCount(), 2);
}

INSTANTIATE_TEST_SUITE_P(KeptFiles, UndetectedDamage,
                         ::testing::Values("damage_missed_by_quick_check_index.db",
                                           "damage_missed_by_quick_check_corrupt.db"));

// Without a way to move the file (a store opened directly, not by the program's opening),
// the damage makes the store read-only with the reason instead of failing every write anew.
TEST(UndetectedDamageWithoutRecovery, TheStoreRefusesWritesSayingTheFileIsDamaged) {
    StoreFolder folder;
    const std::string path = folder.file();
    writeFile(path, readFile(std::string(TOMELIN_TEST_DATA_DIR) +
                             "/store/damage_missed_by_quick_check_corrupt.db"));
    auto store = SqliteStore::open(path).store;
    ASSERT_NE(store, nullptr);
    const RecordWrite write = recordFinishedGame(*store, wonGame());
    EXPECT_EQ(write.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(write.reason, "soubor je poškozený");
    EXPECT_TRUE(store->readOnly());
    EXPECT_EQ(recordFinishedGame(*store, wonGame()).status, kStatusReadOnly);
}

}  // namespace
}  // namespace tomelin
