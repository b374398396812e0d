// The board list (`NajitMapy`) and the board store's slots.

#include "setup/board_list.h"

#include <gtest/gtest.h>

#include "core/board.h"
#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using testing::StoreFolder;
using Names = std::vector<std::string>;

constexpr const char* kSmall = "+XXXXXXXXXXXXXX-";  // 4 x 4

class BoardListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_store, nullptr); }
    // Stores raw values into a slot key, bypassing the checks of saveBoardToSlot.
    void rawSlot(const std::string& slot, const std::string& name, const std::string& board) {
        const std::string path = boardKeyPath(slot);
        m_store->CreateRegKey(path);
        m_store->WriteRegValue(path, "", name, kTypeText);
        m_store->WriteRegValue(path, kBoardStringValue, board, kTypeText);
    }

    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store = m_folder.open();
};

TEST_F(BoardListTest, BuiltinsComeFirstWithKeyN) {
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list.names, (Names{"Originál", "Dáma", "Čelem vzad", "Bitva", "Špionáž"}));
    EXPECT_EQ(list.keys, Names(5, "N"));
    EXPECT_EQ(list.strings[0], builtinBoards()[0].boardString);
    EXPECT_EQ(list.strings[0].size(), 121u);
}

TEST_F(BoardListTest, StoredBoardsFollowInSlotOrder) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "12", "Dvanáctka", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "03", "Trojka", "+X-X"));
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 7);
    EXPECT_EQ(list.names[5], "Trojka");
    EXPECT_EQ(list.keys[5], "03");
    EXPECT_EQ(list.strings[5], "+X-X");
    EXPECT_EQ(list.names[6], "Dvanáctka");
    EXPECT_EQ(list.keys[6], "12");
    EXPECT_EQ(list.strings[6], kSmall);
}

TEST_F(BoardListTest, SlotWithoutNameIsNotListed) {
    rawSlot("04", "", kSmall);
    EXPECT_EQ(NajitMapy(*m_store).size(), 5);
    EXPECT_EQ(findFreeSlot(*m_store), "01");
}

TEST_F(BoardListTest, UnplayableStoredBoardsAreLeftOutAndReported) {
    rawSlot("01", "Obdélník", "+X-X+X");               // not a square
    rawSlot("02", "Písmena", "+XYX");                  // foreign character
    rawSlot("03", "Jediné", "X");                      // side 1
    rawSlot("04", "Obří", std::string(17 * 17, 'X'));  // side 17
    rawSlot("05", "Bez mapy", "");                     // "Mapa" empty
    rawSlot("06", "Dobré", "+X-X");
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.keys[5], "06");
    EXPECT_EQ(list.invalidSlots, (Names{"01", "02", "03", "04", "05"}));
    // Slots holding unplayable boards are still taken, not offered as free.
    EXPECT_EQ(findFreeSlot(*m_store), "07");
}

TEST_F(BoardListTest, FreeSlotSearchFindsGapsAndReportsFull) {
    EXPECT_EQ(findFreeSlot(*m_store), "01");
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "a", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "03", "c", kSmall));
    EXPECT_EQ(findFreeSlot(*m_store), "02");
    {
        StoreTransaction transaction(*m_store);
        for (int slot = 1; slot <= 99; ++slot) {
            ASSERT_FALSE(saveBoardToSlot(*m_store, slotText(slot), "x", kSmall));
        }
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(findFreeSlot(*m_store), std::nullopt);
    EXPECT_EQ(NajitMapy(*m_store).size(), 104);
    ASSERT_FALSE(deleteBoardSlot(*m_store, "99"));
    EXPECT_EQ(findFreeSlot(*m_store), "99");
}

TEST_F(BoardListTest, DeleteRemovesOnlyTheSlotAndRefusesBuiltins) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "05", "Pět", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "06", "Šest", kSmall));
    EXPECT_EQ(deleteBoardSlot(*m_store, "N"), BoardStoreError::NotASlot);
    EXPECT_EQ(deleteBoardSlot(*m_store, "5"), BoardStoreError::NotASlot);
    EXPECT_FALSE(deleteBoardSlot(*m_store, "05"));
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.keys[5], "06");
    EXPECT_FALSE(m_store->openKey(boardKeyPath("05")));
    EXPECT_FALSE(deleteBoardSlot(*m_store, "05"));  // already gone: no error
}

TEST_F(BoardListTest, SaveRefusesWhatCouldNotBeListed) {
    EXPECT_EQ(saveBoardToSlot(*m_store, "00", "x", kSmall), BoardStoreError::NotASlot);
    EXPECT_EQ(saveBoardToSlot(*m_store, "100", "x", kSmall), BoardStoreError::NotASlot);
    EXPECT_EQ(saveBoardToSlot(*m_store, "N", "x", kSmall), BoardStoreError::NotASlot);
    EXPECT_EQ(saveBoardToSlot(*m_store, "01", "x", "+X-"), BoardStoreError::NotABoard);
    EXPECT_EQ(saveBoardToSlot(*m_store, "01", "", kSmall), BoardStoreError::EmptyName);
    EXPECT_FALSE(m_store->openKey(kBoardsKey));
}

TEST_F(BoardListTest, SavingOverASlotReplacesItsBoard) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "Staré", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "Nové", "+X-X"));
    const BoardList list = NajitMapy(*m_store);
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list.names[5], "Nové");
    EXPECT_EQ(list.strings[5], "+X-X");
}

TEST(SlotText, TwoDigitsForOneToNinetyNine) {
    EXPECT_EQ(slotText(1), "01");
    EXPECT_EQ(slotText(9), "09");
    EXPECT_EQ(slotText(10), "10");
    EXPECT_EQ(slotText(99), "99");
    EXPECT_EQ(slotText(0), "");
    EXPECT_EQ(slotText(100), "");
    EXPECT_EQ(slotFromText("07"), 7);
    EXPECT_EQ(slotFromText("7"), std::nullopt);
    EXPECT_EQ(slotFromText("0a"), std::nullopt);
    EXPECT_EQ(boardKeyPath("07"), "Software\\Brantl\\Tomelin\\HracíPole\\07");
}

}  // namespace
}  // namespace tomelin
