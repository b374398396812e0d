#include "records/store_check.h"

#include <gtest/gtest.h>

#include "boards/board_list.h"
#include "platform/store/store_folder.h"
#include "records/game_record.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

class StoreCheckTest : public StoreTest {
protected:
    void put(const std::string& path, const std::string& name, const StoreValue& value,
             int type = kTypeText) {
        ASSERT_EQ(m_store->CreateRegKey(path), kStatusOk);
        ASSERT_EQ(m_store->WriteRegValue(path, name, value, type), kStatusOk);
    }
    void goodRecord(int number) {
        const std::string path = recordKeyPath(number);
        put(path, "", std::string("Dáma"));
        put(path, kRecToken1, std::string("AAA1"));
        put(path, kRecToken2, std::string("EEE5"));
        put(path, kRecWinner, std::int32_t{1}, kTypeInt);
    }
    std::vector<std::string> keys(const std::vector<StoreEntryProblem>& entries) {
        std::vector<std::string> out;
        for (const StoreEntryProblem& e : entries)
            out.push_back(e.key.substr(e.key.rfind('\\') + 1) + ": " + e.what);
        return out;
    }
};

TEST_F(StoreCheckTest, AHealthyStoreHasNothingToReport) {
    goodRecord(1);
    goodRecord(2);
    ASSERT_FALSE(saveBoardToSlot(*m_store, "01", "Moje", "+X-X"));
    m_store->CreateRegKey(recordKeyPath(3));  // an empty key is a free number, not damage
    const StoreCheck check = checkStore(*m_store);
    EXPECT_TRUE(check.empty());
    EXPECT_EQ(hiddenEntriesMessage(check, "/x/tomelin.db"), "");
}

TEST_F(StoreCheckTest, EveryEntryNoWindowCanShowIsListedAndCounted) {
    goodRecord(1);
    put(joinKeyPath(kRecordsKey, "1"), "", std::string("Dáma"));        // misspelt number
    put(joinKeyPath(kRecordsKey, "0000a"), "", std::string("Dáma"));    // not a number
    put(recordKeyPath(4), kRecPlayer1, std::string("Eva"));              // board name lost
    put(recordKeyPath(5), "", std::string("Dáma"));                      // no winner
    goodRecord(6);
    put(recordKeyPath(6), kRecToken2, std::string("E"));                 // a token of old
    put(joinKeyPath(kBoardsKey, "100"), "", std::string("Sto"));         // beyond the slots
    put(joinKeyPath(kBoardsKey, "05"), kBoardStringValue, std::string("+X-X"));  // no name
    put(joinKeyPath(kBoardsKey, "07"), "", std::string("Kaput"));        // listed, unplayable
    put(joinKeyPath(kBoardsKey, "07"), kBoardStringValue, std::string("+X"));
    const std::string before = readFile(m_folder.file());

    const StoreCheck check = checkStore(*m_store);
    EXPECT_EQ(keys(check.records),
              (std::vector<std::string>{"00004: values but no board name",
                                        "00005: damaged: no winner",
                                        "00006: damaged: a token or the winner cannot be read",
                                        "0000a: not a record number as the program writes it",
                                        "1: not a record number as the program writes it"}));
    EXPECT_EQ(keys(check.boards),
              (std::vector<std::string>{"05: a board without a name",
                                        "07: not a playable board (listed, but it never starts)",
                                        "100: not a board slot 01..99"}));
    EXPECT_EQ(check.hiddenRecords, 5);
    EXPECT_EQ(check.hiddenBoards, 2);
    EXPECT_EQ(hiddenEntriesMessage(check, "/x/tomelin.db"),
              "V souboru s uloženými hracími poli a záznamy her „/x/tomelin.db“ nelze přečíst "
              "5 záznamů her a 2 hrací pole. Zůstávají v souboru beze změny; vypíše je příkaz "
              "„tomelin-cli store check“.");
    EXPECT_EQ(readFile(m_folder.file()), before);  // looking changed nothing
}

TEST(HiddenEntriesMessage, CountsReadInCzech) {
    struct Case {
        int records, boards;
        const char* what;
    };
    for (const Case c : {Case{1, 0, "nelze přečíst 1 záznam hry."},
                         Case{3, 0, "nelze přečíst 3 záznamy her."},
                         Case{0, 1, "nelze přečíst 1 hrací pole."},
                         Case{0, 7, "nelze přečíst 7 hracích polí."},
                         Case{12, 4, "nelze přečíst 12 záznamů her a 4 hrací pole."}}) {
        StoreCheck check;
        check.hiddenRecords = c.records;
        check.hiddenBoards = c.boards;
        EXPECT_NE(hiddenEntriesMessage(check, "f").find(c.what), std::string::npos) << c.what;
    }
}

}  // namespace
}  // namespace tomelin
