// What the game window tells the players when the store cannot take their game.

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "gamewin/game_keeper.h"
#include "platform/store/sqlite_store.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"
#include "support/full_disk_vfs.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::kCorners;
using test::WindowFixture;

// The disk fills up before the last move: the record and the removal of the kept game both
// fail, the players are told why, and nothing half is left in the store.
TEST(GameKeeperOnAFullDisk, AResultThatCannotBeSavedIsToldWithTheReason) {
    test::FullDiskVfs disk;
    WindowFixture f;
    f.start(kCorners);
    QSignalSpy told(f.window.get(), &GameWindow::keepRefused);
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    f.click(3, 3);
    f.click(2, 1);
    f.settle();
    ASSERT_EQ(readUnfinishedGame(*f.store.store).outcome, UnfinishedGameRead::Outcome::Ready);
    ASSERT_EQ(told.count(), 0);
    disk.setFull(true);
    f.move({0, 0}, {1, 0});
    ASSERT_TRUE(f.game().gameOver());
    // The last turn could not be kept either; the lost result is said last.
    ASSERT_GE(told.count(), 1);
    EXPECT_EQ(told.last().at(0).toString(),
              QString::fromStdString(kResultNotSaved + kReasonDiskFull));
    disk.setFull(false);
    EXPECT_TRUE(f.store.store->subkeyNames(kRecordsKey).empty());
}

// With room on the disk the end writes the record and forgets the kept game together.
TEST(GameKeeperOnAFullDisk, WithRoomTheEndRecordsAndForgetsTheKeptGame) {
    WindowFixture f;
    f.start(kCorners);
    QSignalSpy told(f.window.get(), &GameWindow::keepRefused);
    f.click(0, 0);
    f.click(1, 1);
    f.settle();
    ASSERT_EQ(readUnfinishedGame(*f.store.store).outcome, UnfinishedGameRead::Outcome::Ready);
    f.click(3, 3);
    f.click(2, 1);
    f.settle();
    f.move({0, 0}, {1, 0});
    ASSERT_TRUE(f.game().gameOver());
    EXPECT_EQ(told.count(), 0);
    EXPECT_EQ(readGameRecords(*f.store.store).size(), 1u);
    EXPECT_EQ(readUnfinishedGame(*f.store.store).outcome, UnfinishedGameRead::Outcome::None);
}

}  // namespace
}  // namespace tomelin
