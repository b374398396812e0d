// The board list (`NajitMapy`) and the board store's slots.

#include "boards/board_list.h"

#include <gtest/gtest.h>

#include "core/board.h"
#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kSmall = "+XXXXXXXXXXXXXX-";  // 4 x 4

class BoardListTest : public testing::StoreTest {
protected:
    // Stores raw values into a slot key, bypassing the checks of saveBoardToSlot.
    void rawSlot(const std::string& slot, const std::string& name, const std::string& board) {
        m_store->CreateRegKey(boardKeyPath(slot));
        m_store->WriteRegValue(boardKeyPath(slot), "", name, kTypeText);
        m_store->WriteRegValue(boardKeyPath(slot), kBoardStringValue, board, kTypeText);
    }
    // The stored boards of the list, after the five built-in ones, as "key name board".
    Names stored() {
        const BoardList list = readBoardList(*m_store);
        Names out;
        for (int i = 5; i < list.size(); ++i)
            out.push_back(list.keys[i] + " " + list.names[i] + " " + list.strings[i]);
        return out;
    }
};

TEST_F(BoardListTest, BuiltinsComeFirstWithKeyNThenStoredBoardsInSlotOrder) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "12", "Dvanáctka", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "03", "Trojka", "+X-X"));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "05", "Staré", kSmall));
    ASSERT_FALSE(saveBoardToSlot(*m_store, "05", "Nové", "+X-X"));  // replaces the board
    const BoardList list = readBoardList(*m_store);
    ASSERT_EQ(list.size(), 8);
    EXPECT_EQ(Names(list.names.begin(), list.names.begin() + 5),
              (Names{"Originál", "Dáma", "Čelem vzad", "Bitva", "Špionáž"}));
    EXPECT_EQ(Names(list.keys.begin(), list.keys.begin() + 5), Names(5, "N"));
    EXPECT_EQ(list.strings[0], builtinBoards()[0].boardString);
    EXPECT_EQ(boardKeyPath("07"), "Software\\Brantl\\Tomelin\\HracíPole\\07");
    EXPECT_EQ(stored(),
              (Names{"03 Trojka +X-X", "05 Nové +X-X", "12 Dvanáctka " + std::string(kSmall)}));
}

// A damaged stored board stays visible, so that the user can see and delete the slot it
// takes, but it is never offered as playable.
TEST_F(BoardListTest, UnplayableSlotsAreListedAsNotPlayableAndCanBeDeleted) {
    rawSlot("01", "Obdélník", "+X-X+X");               // not a square
    rawSlot("02", "Písmena", "+XYX");                  // foreign character
    rawSlot("03", "Jediné", "X");                      // side 1
    rawSlot("04", "Obří", std::string(17 * 17, 'X'));  // side 17
    rawSlot("05", "Bez mapy", "");                     // "Mapa" empty
    rawSlot("06", "Dobré", "+X-X");
    rawSlot("08", "", kSmall);  // no name: a free slot
    const BoardList list = readBoardList(*m_store);
    ASSERT_EQ(list.size(), 11);
    EXPECT_EQ(Names(list.keys.begin() + 5, list.keys.end()),
              (Names{"01", "02", "03", "04", "05", "06"}));
    for (int i = 0; i < list.size(); ++i)
        EXPECT_EQ(list.isPlayable(i), i < 5 || list.keys[i] == "06") << list.keys[i];
    EXPECT_FALSE(list.isPlayable(11));
    EXPECT_EQ(list.names[6], "Písmena");
    EXPECT_EQ(list.strings[6], "+XYX");
    EXPECT_EQ(list.invalidSlots, (Names{"01", "02", "03", "04", "05"}));
    EXPECT_NE(unplayableBoardLabel("Písmena").find("nelze hrát"), std::string::npos);
    EXPECT_NE(unplayableBoardText("Písmena").find("„Písmena“"), std::string::npos);
    EXPECT_EQ(findFreeSlot(*m_store), "07");

    ASSERT_FALSE(deleteBoardSlot(*m_store, "02"));
    EXPECT_EQ(readBoardList(*m_store).size(), 10);
    EXPECT_EQ(findFreeSlot(*m_store), "02");
}

TEST_F(BoardListTest, BoardStringValueNameIsReadInAnyLetterCase) {
    m_store->CreateRegKey(boardKeyPath("04"));
    m_store->WriteRegValue(boardKeyPath("04"), "", std::string("Malá"), kTypeText);
    m_store->WriteRegValue(boardKeyPath("04"), "mapa", std::string(kSmall), kTypeText);
    EXPECT_EQ(valueText(m_store->ReadRegValue(boardKeyPath("04"), kBoardStringValue)), kSmall);
    EXPECT_EQ(stored(), (Names{"04 Malá " + std::string(kSmall)}));
    EXPECT_TRUE(readBoardList(*m_store).isPlayable(5));
}

TEST_F(BoardListTest, FreeSlotSearchReportsAFullStoreAndDeletingFreesTheSlot) {
    EXPECT_EQ(findFreeSlot(*m_store), "01");
    {
        StoreTransaction transaction(*m_store);
        for (int slot = 1; slot <= 99; ++slot)
            ASSERT_FALSE(saveBoardToSlot(*m_store, slotText(slot), "x" + slotText(slot), kSmall));
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(findFreeSlot(*m_store), std::nullopt);
    EXPECT_EQ(readBoardList(*m_store).size(), 104);
    ASSERT_FALSE(deleteBoardSlot(*m_store, "42"));
    EXPECT_EQ(findFreeSlot(*m_store), "42");
    EXPECT_FALSE(m_store->openKey(boardKeyPath("42")));
    EXPECT_TRUE(m_store->openKey(boardKeyPath("43")));
    EXPECT_FALSE(deleteBoardSlot(*m_store, "42"));  // already gone: no error
}

TEST_F(BoardListTest, SaveAndDeleteRefuseWhatIsNoSlotOrCouldNotBeListed) {
    const std::string tooLong(kMaxBoardNameLength + 1, 'x');
    const std::tuple<const char*, const char*, const char*, BoardStoreError> rows[] = {
        {"00", "x", kSmall, BoardStoreError::NotASlot},
        {"100", "x", kSmall, BoardStoreError::NotASlot},
        {"N", "x", kSmall, BoardStoreError::NotASlot},
        {"01", "x", "+X-", BoardStoreError::NotABoard},
        {"01", "", kSmall, BoardStoreError::EmptyName},
        {"01", "  \t ", kSmall, BoardStoreError::EmptyName},
        {"01", "Originál", kSmall, BoardStoreError::NameTaken},
        {"01", "  ORIGINÁL ", kSmall, BoardStoreError::NameTaken},
        {"01", tooLong.c_str(), kSmall, BoardStoreError::NameTooLong}};
    for (const auto& [slot, name, board, error] : rows)
        EXPECT_EQ(saveBoardToSlot(*m_store, slot, name, board), error) << slot << name << board;
    EXPECT_FALSE(m_store->openKey(kBoardsKey));
    for (const char* notASlot : {"N", "5", "0a", "00"})
        EXPECT_EQ(deleteBoardSlot(*m_store, notASlot), BoardStoreError::NotASlot) << notASlot;
}

// A name is kept without the white space around it; no two boards share a name, compared
// without regard to the case of letters (Czech ones too); the own slot does not count.
TEST_F(BoardListTest, NamesAreTidiedAndNoTwoBoardsShareOne) {
    ASSERT_FALSE(saveBoardToSlot(*m_store, "02", "  Moje pole\t", kSmall));
    EXPECT_EQ(stored(), Names{"02 Moje pole " + std::string(kSmall)});
    const BoardList list = readBoardList(*m_store);
    const struct {
        const char* name;
        const char* slot;
        bool taken;
    } rows[] = {
        {"Moje pole", "02", false},  // saving a board again under its own name
        {"Moje pole", "03", true},
        {"MOJE POLE", "03", true},
        {" moje pole ", "", true},  // a board not stored yet
        {"Moje pole 2", "03", false},
        {"Originál", "02", true},  // a built-in one
        {"ČELEM VZAD", "02", true},
        {"čelem vzad", "02", true},
        {"Čelem vzad!", "02", false},
        {"Zelem vzad", "02", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(boardNameTaken(list, row.name, row.slot), row.taken) << row.name << row.slot;
    // Exactly the longest name fits, counted in letters, not bytes.
    const std::string longest = "Ž" + std::string(kMaxBoardNameLength - 1, 'z');
    EXPECT_EQ(boardNameLength(longest), kMaxBoardNameLength);
    EXPECT_FALSE(saveBoardToSlot(*m_store, "03", longest, kSmall));
    EXPECT_EQ(saveBoardToSlot(*m_store, "04", longest + "z", kSmall), BoardStoreError::NameTooLong);
    EXPECT_EQ(boardNameTakenText(" Moje pole "),
              "Hrací pole se jménem „Moje pole“ už existuje. Zvolte jiné jméno.");
}

// A name of white space alone stored by an older version is listed visibly, trimmed names
// as they are without the white space.
TEST_F(BoardListTest, StoredBlankNamesAreListedVisibly) {
    rawSlot("01", "   ", kSmall);
    rawSlot("02", " Malé ", kSmall);
    EXPECT_EQ(stored(), (Names{"01 (bez jména) " + std::string(kSmall),
                               "02 Malé " + std::string(kSmall)}));
}

}  // namespace
}  // namespace tomelin
