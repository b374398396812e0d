// The kept unfinished game in a real store file: written whole, read back as it was,
// replaced and cleared, refused by a read-only store, and dropped when damaged.

#include "records/unfinished_game.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/game_harness.h"
#include "platform/store/store_folder.h"
#include "records/game_record.h"
#include "support/full_disk_vfs.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

// A game between a person with a clock and the computer, kept after `moves` moves.
GameSnapshot playedSnapshot(int moves) {
    test::GameHarness h(test::original(), "2", "Eva", "PC Profesionál", {3, 0});
    while (h.game.movesMade() < moves) {
        h.timers.fire(GameTimer::Clock);
        if (h.game.setup().player(h.game.playerToMove()).kind != PlayerKind::Person) {
            h.playComputerMove();
            continue;
        }
        // The person takes the first copy the rules offer.
        std::vector<Move> legal;
        h.game.position().legalMoves(Logic::Cross, legal);
        h.move(legal.front().from.x, legal.front().from.y, legal.front().to.x, legal.front().to.y);
    }
    GameSnapshot s = captureSnapshot(h.game);
    s.boardName = "Originál";
    s.tokens = {SnapshotToken{0x0F87FF, 1, 0xFFFFFF}, SnapshotToken{0xFF870F, 5, 0}};
    return s;
}

class UnfinishedGameStore : public StoreTest {};

TEST_F(UnfinishedGameStore, ReadsBackExactlyWhatWasWrittenAndReplacesItWhole) {
    EXPECT_EQ(readUnfinishedGame(*m_store).outcome, UnfinishedGameRead::Outcome::None);
    const GameSnapshot early = playedSnapshot(7);
    ASSERT_TRUE(writeUnfinishedGame(*m_store, early).ok());
    UnfinishedGameRead read = readUnfinishedGame(*m_store);
    ASSERT_EQ(read.outcome, UnfinishedGameRead::Outcome::Ready) << read.problem;
    EXPECT_EQ(read.snapshot, early);
    EXPECT_EQ(unfinishedGameSummary(read.snapshot), "Originál, 4. tah");

    GameSnapshot later = playedSnapshot(12);
    later.boardName = "Dáma";
    later.lastSource.reset();  // markers parked by a redraw
    later.lastTarget.reset();
    ASSERT_TRUE(writeUnfinishedGame(*m_store, later).ok());
    read = readUnfinishedGame(*m_store);
    ASSERT_EQ(read.outcome, UnfinishedGameRead::Outcome::Ready) << read.problem;
    EXPECT_EQ(read.snapshot, later);
    EXPECT_EQ(m_store->values(m_store->openKey(kUnfinishedGameKey)).size(), 16u);
    EXPECT_EQ(m_store->ReadRegValue(kUnfinishedGameKey, kUgMoves), StoreValue{12});

    ASSERT_TRUE(clearUnfinishedGame(*m_store).ok());
    EXPECT_EQ(readUnfinishedGame(*m_store).outcome, UnfinishedGameRead::Outcome::None);
    EXPECT_FALSE(m_store->openKey(kUnfinishedGameKey));
    EXPECT_TRUE(clearUnfinishedGame(*m_store).ok());
}

TEST_F(UnfinishedGameStore, DamagedValuesAreReportedAsDamagedNeverResumed) {
    const GameSnapshot good = playedSnapshot(6);
    using Damage = std::function<void(Store&)>;
    auto text = [](const char* name, std::string value) {
        return [name, value](Store& s) {
            s.WriteRegValue(kUnfinishedGameKey, name, value, kTypeText);
        };
    };
    auto number = [](const char* name, std::int32_t value) {
        return
            [name, value](Store& s) { s.WriteRegValue(kUnfinishedGameKey, name, value, kTypeInt); };
    };
    std::string list;
    for (const std::string& e : good.moveList)
        list += (list.empty() ? "" : " ") + e;
    std::string flipped = list;
    flipped[flipped.size() - 3] = flipped[flipped.size() - 3] == 'K' ? 'U' : 'K';
    const std::vector<std::pair<const char*, Damage>> cases = {
        {"value missing",
         [](Store& s) {
             // Only a whole key can be deleted: write it again without the move list.
             const auto values = s.values(s.openKey(kUnfinishedGameKey));
             s.DeleteRegKey(kUnfinishedGameKey);
             s.CreateRegKey(kUnfinishedGameKey);
             for (const StoredValue& v : values) {
                 if (v.name != kUgMoveList)
                     s.WriteRegValue(kUnfinishedGameKey, v.name, v.value, v.type);
             }
         }},
        {"text for a number", text(kUgToMove, "1")},
        {"number for a text", number(kUgDescriptor, 5)},
        {"bad descriptor", text(kUgDescriptor, "++--1")},
        {"start digit 7", text(kUgDescriptor, good.setup.board + "7")},
        {"no start digit", text(kUgDescriptor, "")},
        {"kind 9", number(kUgKind1, 9)},
        {"kind below 0", number(kUgKind2, -1)},
        {"times 45", number(kUgTimes, 45)},
        {"times 7 for player 2", number(kUgTimes, 37)},
        {"logic 0", number(kUgLogic, 0)},
        {"token shape 9", text(kUgToken1, "255 9 0")},
        {"token words", text(kUgToken2, "orange oval")},
        {"kind not the name", number(kUgKind2, 3)},
        {"move list changed", text(kUgMoveList, flipped)},
        {"move list cut", text(kUgMoveList, list.substr(0, list.size() - 5))},
        {"move count", number(kUgMoves, 5)},
        {"player 3", number(kUgToMove, 3)},
        {"clock beyond the limit", number(kUgTime1, 1801)},
        {"last move three numbers", text(kUgLastMove, "1 2 3")},
        {"last move far off", text(kUgLastMove, "1 1 99 1")},
        {"last move signs", text(kUgLastMove, "1 1 +2 1")},
    };
    for (const auto& [what, damage] : cases) {
        SCOPED_TRACE(what);
        ASSERT_TRUE(writeUnfinishedGame(*m_store, good).ok());
        damage(*m_store);
        const UnfinishedGameRead read = readUnfinishedGame(*m_store);
        EXPECT_EQ(read.outcome, UnfinishedGameRead::Outcome::Damaged);
        EXPECT_FALSE(read.problem.empty());
    }
}

TEST(UnfinishedGameReadOnly, AReadOnlyStoreRefusesWithItsReasonAndKeepsTheOldGame) {
    StoreFolder folder;
    const GameSnapshot kept = playedSnapshot(4);
    {
        auto writable = folder.open();
        ASSERT_NE(writable, nullptr);
        ASSERT_TRUE(writeUnfinishedGame(*writable, kept).ok());
    }
    auto reading = SqliteStore::openReadOnly(folder.file());
    ASSERT_NE(reading.store, nullptr);
    reading.store->setWriteRefusal("soubor je jen pro čtení");
    const KeepResult write = writeUnfinishedGame(*reading.store, playedSnapshot(8));
    EXPECT_EQ(write.status, kStatusReadOnly);
    EXPECT_EQ(write.reason, "soubor je jen pro čtení");
    const KeepResult clear = clearUnfinishedGame(*reading.store);
    EXPECT_EQ(clear.status, kStatusReadOnly);
    EXPECT_EQ(clear.reason, "soubor je jen pro čtení");
    const UnfinishedGameRead read = readUnfinishedGame(*reading.store);
    ASSERT_EQ(read.outcome, UnfinishedGameRead::Outcome::Ready);
    EXPECT_EQ(read.snapshot, kept);
}

GameEnd endOf(const std::string& board) {
    GameEnd end;
    end.board = board;
    end.names = {"Eva", "Jan"};
    end.counts = {30, 10};
    end.tokens = {TokenStyle{0x0F87FF, 1}, TokenStyle{0xFF870F, 5}};
    end.moveCounter = 20;
    return end;
}

// Two programs on one store file, as two game windows are: the kept game is taken by one.
TEST_F(UnfinishedGameStore, OnlyOneOfTwoProgramsTakesTheKeptGameUntilItEnds) {
    auto other = m_folder.open();
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(writeUnfinishedGame(*m_store, playedSnapshot(4)).ok());
    // The program that keeps a game plays it: the other sees it in play, not offered.
    EXPECT_TRUE(unfinishedGameInPlay(*other));
    EXPECT_FALSE(unfinishedGameInPlay(*m_store));
    EXPECT_EQ(takeUnfinishedGame(*other).outcome, UnfinishedGameTake::Outcome::InPlay);
    // Given up: either may take it now, but only one.
    m_store->releaseKeptGameClaim();
    const UnfinishedGameTake first = takeUnfinishedGame(*other);
    ASSERT_EQ(first.outcome, UnfinishedGameTake::Outcome::Taken);
    EXPECT_EQ(first.read.snapshot.movesMade(), 4);
    EXPECT_EQ(takeUnfinishedGame(*m_store).outcome, UnfinishedGameTake::Outcome::InPlay);
    // The taker's game ends: record and removal at once, and nothing is left to take.
    const RecordWrite end = recordAndForgetKeptGame(*other, endOf("Originál"));
    EXPECT_EQ(end.outcome, RecordWrite::Outcome::Written);
    EXPECT_FALSE(unfinishedGameInPlay(*m_store));
    EXPECT_EQ(takeUnfinishedGame(*m_store).outcome, UnfinishedGameTake::Outcome::None);
    EXPECT_EQ(readGameRecords(*m_store).size(), 1u);
    // A process that ends, however, gives its claim up with it.
    ASSERT_TRUE(writeUnfinishedGame(*other, playedSnapshot(2)).ok());
    EXPECT_TRUE(unfinishedGameInPlay(*m_store));
    other.reset();
    EXPECT_EQ(takeUnfinishedGame(*m_store).outcome, UnfinishedGameTake::Outcome::Taken);
}

// The disk fills up while a game runs: keeping it and recording its end fail with the
// reason, nothing half is left, and once there is room again the store works as before.
TEST(FullDiskDuringAGame, KeepingAndRecordingFailWithTheReasonAndLeaveNothingHalf) {
    test::FullDiskVfs disk;
    StoreFolder folder;
    auto store = folder.open();
    ASSERT_NE(store, nullptr);
    const GameEnd end = endOf("Originál");
    ASSERT_EQ(recordFinishedGame(*store, end).outcome, RecordWrite::Outcome::Written);
    ASSERT_TRUE(writeUnfinishedGame(*store, playedSnapshot(2)).ok());

    disk.setFull(true);
    const KeepResult keep = writeUnfinishedGame(*store, playedSnapshot(4));
    EXPECT_FALSE(keep.ok());
    EXPECT_EQ(keep.reason, kReasonDiskFull);
    const RecordWrite write = recordAndForgetKeptGame(*store, end);
    EXPECT_EQ(write.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(write.reason, kReasonDiskFull);
    const RecordWrite alone = recordFinishedGame(*store, end);
    EXPECT_EQ(alone.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(alone.reason, kReasonDiskFull);

    disk.setFull(false);
    EXPECT_EQ(readGameRecords(*store).size(), 1u);
    const UnfinishedGameRead kept = readUnfinishedGame(*store);
    ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready);
    EXPECT_EQ(kept.snapshot.movesMade(), 2);  // the last turn that could be kept
    EXPECT_EQ(recordAndForgetKeptGame(*store, end).number, 2);
    EXPECT_EQ(readUnfinishedGame(*store).outcome, UnfinishedGameRead::Outcome::None);
    EXPECT_EQ(store->failureReason(), kReasonDiskFull);  // the last failure is remembered
}

}  // namespace
}  // namespace tomelin
