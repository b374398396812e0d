// Token strings, record numbering and writing a finished game.

#include "records/game_record.h"
#include "records/time_list.h"

#include <gtest/gtest.h>

#include "core/winner.h"

#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

constexpr std::uint32_t rgbOf(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

TEST(TokenString, QuantisesEachChannelToALetterAtTheBandEdges) {
    // 196..255 A, 136..195 B, 76..135 C, 16..75 D, 0..15 E; the last two rows are the
    // default tokens of the first start.
    const std::pair<TokenStyle, const char*> rows[] = {
        {{rgbOf(255, 0, 0), 3}, "AEE3"},    {{rgbOf(196, 195, 136), 8}, "ABB8"},
        {{rgbOf(135, 76, 75), 2}, "CCD2"},  {{rgbOf(16, 15, 0), 5}, "DEE5"},
        {{rgbOf(255, 135, 15), 1}, "ACE1"}, {{rgbOf(15, 135, 255), 5}, "ECA5"}};
    for (const auto& [style, text] : rows) {
        EXPECT_EQ(tokenString(style.colour, style.shape), text);
        EXPECT_EQ(tokenString(decodeTokenString(text).colour, style.shape), text);
    }
    EXPECT_EQ(decodeTokenString("ACE1"), (TokenStyle{rgbOf(255, 135, 15), 1}));
    EXPECT_EQ(decodeTokenString("BDA8"), (TokenStyle{rgbOf(195, 75, 255), 8}));
}

TEST(TokenString, DamagedStringsAreMendedToValidTokens) {
    // Letters beyond "E" take level 4, below "A" level 0; lower case counts as capital.
    EXPECT_EQ(decodeTokenString("Z@c3"), (TokenStyle{rgbOf(15, 255, 135), 3}));
    for (const char* badShape : {"AAA9", "AAA0", "AAAx", "AAA"})
        EXPECT_EQ(decodeTokenString(badShape).shape, 1) << badShape;
    EXPECT_EQ(decodeTokenString(""), (TokenStyle{rgbOf(255, 255, 255), 1}));
    EXPECT_FALSE(isCompleteTokenString("AEE"));
    EXPECT_TRUE(isCompleteTokenString("AEE3"));
}

TEST(RecordValues, NumbersKeyNamesMovesTimesLogicAndWinner) {
    EXPECT_EQ(recordKeyPath(42), "Software\\Brantl\\Tomelin\\Hry\\00042");
    EXPECT_EQ(recordKeyPath(123456), "Software\\Brantl\\Tomelin\\Hry\\123456");
    EXPECT_EQ(recordNumberFromKeyName("00042"), 42);
    EXPECT_EQ(recordNumberFromKeyName("123456"), 123456);
    for (const char* bad : {"42", "000042", "00000", "0004a"})
        EXPECT_EQ(recordNumberFromKeyName(bad), std::nullopt) << bad;
    EXPECT_EQ(movesFromCounter(12), 12);
    EXPECT_EQ(timesCode(4, 0), 40);
    EXPECT_EQ(logicNumber(Logic::Star), 1);
    EXPECT_EQ(logicNumber(Logic::Cross), 2);
    EXPECT_EQ(winnerOfCounts(12, 20), 2);
    EXPECT_EQ(winnerOfCounts(16, 16), 0);
}

GameRecord sampleRecord(const std::string& board = "Originál") {
    return finishedGameRecord(
        GameEnd{.board = board,
                .names = {"Eva", "PC Génius"},
                .logic = Logic::Cross,
                .timeLimits = {timeLimitAtListPosition(2), timeLimitAtListPosition(4)},
                .counts = {20, 12},
                .tokens = {TokenStyle{rgbOf(255, 0, 0), 3}, TokenStyle{rgbOf(0, 0, 255), 5}},
                .moveCounter = 12.5});
}

class WriteGameRecordTest : public StoreTest {
protected:
    std::vector<std::string> stored(int number) {
        return describe(m_store->values(m_store->openKey(recordKeyPath(number))));
    }
};

TEST_F(WriteGameRecordTest, WritesEveryValueWithItsType) {
    const RecordWrite write = writeGameRecord(*m_store, sampleRecord());
    ASSERT_EQ(write.outcome, RecordWrite::Outcome::Written);
    EXPECT_EQ(write.number, 1);
    EXPECT_EQ(stored(1), (std::vector<std::string>{
                             "=1:Originál", "Hráč1=1:Eva", "Hráč1Figurka=1:AEE3", "Hráč1Počet=4:20",
                             "Hráč2=1:PC Génius", "Hráč2Figurka=1:EEA5", "Hráč2Počet=4:12",
                             "LogikaPohybu=4:2", "PočetTahů=4:13", "Vyhrál=4:1", "Časy=4:24"}));
}

TEST_F(WriteGameRecordTest, TakesTheLowestFreeNumberAndGoesOnBeyond999) {
    {
        StoreTransaction transaction(*m_store);
        for (int n = 1; n <= 999; ++n) {
            if (n == 2)
                continue;  // a gap; 4 below has no board name, so it is free too
            m_store->CreateRegKey(recordKeyPath(n));
            m_store->WriteRegValue(recordKeyPath(n), "", std::string(n == 4 ? "" : "x"), kTypeText);
        }
        m_store->WriteRegValue(recordKeyPath(4), "Staré", std::string("zbytek"), kTypeText);
        ASSERT_TRUE(transaction.commit());
    }
    for (int expected : {2, 4, 1000})
        EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, expected);
    EXPECT_EQ(stored(4).size(), 11u);  // the leftover value is gone
    EXPECT_EQ(stored(1000).size(), 11u);
}

// What takes a number, as the reader sees it: a key spelt as the writer spells it whose
// unnamed value is an integer or a non-empty text.
TEST_F(WriteGameRecordTest, OnlyKeysTheReaderTakesForRecordsHoldANumber) {
    struct Case {
        const char* what;
        std::string keyName;
        StoreValue unnamed;
        int type;
        int expected;  // the number the next record takes
    };
    const std::vector<Case> cases{
        {"text", "00001", std::string("Dáma"), kTypeText, 2},
        {"integer", "00001", std::int32_t{0}, kTypeInt, 2},
        {"empty text", "00001", std::string(), kTypeText, 1},
        {"another value only", "00001", StoreValue{}, 0, 1},
        {"unsupported type", "00001", std::string("x"), 3, 1},
        {"short spelling", "1", std::string("Dáma"), kTypeText, 1},
        {"long spelling", "000001", std::string("Dáma"), kTypeText, 1},
        {"letters", "0000a", std::string("Dáma"), kTypeText, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreFolder folder;
        auto store = folder.open();
        ASSERT_NE(store, nullptr);
        const std::string path = joinKeyPath(kRecordsKey, c.keyName);
        ASSERT_EQ(store->CreateRegKey(path), kStatusOk);
        store->WriteRegValue(path, "Hráč1", std::string("Eva"), kTypeText);
        if (c.type == 3) {
            rawSql(folder.file(), "INSERT INTO store_values SELECT id, '', 3, 'x' FROM store_keys "
                                  "WHERE path = '" + path + "'");
        } else if (c.type != 0) {
            ASSERT_EQ(store->WriteRegValue(path, "", c.unnamed, c.type), kStatusOk);
        }
        EXPECT_EQ(lowestFreeRecordNumber(*store), c.expected);
        // The general enumeration of any store agrees with the file's own query.
        EXPECT_EQ(store->subkeysWithNonEmptyValue(kRecordsKey, ""),
                  store->Store::subkeysWithNonEmptyValue(kRecordsKey, ""));
        // Value names compare without regard to ASCII case.
        EXPECT_EQ(store->subkeysWithNonEmptyValue(kRecordsKey, "HRáč1"),
                  std::vector<std::string>{c.keyName});
    }
}

TEST_F(WriteGameRecordTest, DrawsEmptyBoardsAndNamelessBoardsLeaveNothing) {
    GameRecord draw = sampleRecord();
    draw.counts = {16, 16};
    draw.winner = 0;
    EXPECT_EQ(writeGameRecord(*m_store, draw).outcome, RecordWrite::Outcome::NotStored);
    GameRecord empty = sampleRecord();
    empty.counts = {0, 0};
    EXPECT_EQ(writeGameRecord(*m_store, empty).outcome, RecordWrite::Outcome::NotStored);
    // A record without a board name would be invisible: it is refused, not hidden.
    const RecordWrite nameless = writeGameRecord(*m_store, sampleRecord(""));
    EXPECT_EQ(nameless.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(nameless.status, kStatusBadValue);
    EXPECT_FALSE(m_store->openKey(kRecordsKey));
}

TEST_F(WriteGameRecordTest, FailingWriteLeavesNoHalfRecord) {
    // The file refuses the winner value, as a full disk or a read-only file would.
    rawSql(m_folder.file(),
           "CREATE TRIGGER refuse BEFORE INSERT ON store_values WHEN NEW.name = 'Vyhrál' "
           "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    const RecordWrite write = writeGameRecord(*m_store, sampleRecord());
    EXPECT_EQ(write.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(write.status, kStatusFailed);
    EXPECT_FALSE(m_store->openKey(recordKeyPath(1)));
    rawSql(m_folder.file(), "DROP TRIGGER refuse");
    EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, 1);  // the store is fine
}

TEST_F(WriteGameRecordTest, TheReaderGivesBackWhatGameEndRecorded) {
    // Record 2 is free, record 3 keeps only a board name: the reader returns both records
    // it finds, in number order, with the missing values read as empty and 0.
    GameEnd end{.board = "Dáma",
                .names = {"Jan", "Eva"},
                .logic = Logic::Star,
                .timeLimits = {timeLimitAtListPosition(0), timeLimitAtListPosition(3)},
                .counts = {7, 25},
                .tokens = {TokenStyle{rgbOf(255, 255, 255), 8}, TokenStyle{rgbOf(15, 15, 15), 2}},
                .moveCounter = 40};
    ASSERT_EQ(recordFinishedGame(*m_store, end).number, 1);
    m_store->CreateRegKey(recordKeyPath(3));
    m_store->WriteRegValue(recordKeyPath(3), "", std::string("Bitva"), kTypeText);

    const std::vector<StoredGameRecord> rows = readGameRecords(*m_store);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].number, 1);
    const GameRecord& r = rows[0].record;
    EXPECT_EQ(r.board, "Dáma");
    EXPECT_EQ(r.names, (std::array<std::string, 2>{"Jan", "Eva"}));
    EXPECT_EQ(r.logic, 1);
    EXPECT_EQ(r.times, 3);
    EXPECT_EQ(r.counts, (std::array<int, 2>{7, 25}));
    EXPECT_EQ(r.tokens, (std::array<std::string, 2>{"AAA8", "EEE2"}));
    EXPECT_EQ(r.winner, 2);
    EXPECT_EQ(r.moves, 40);
    EXPECT_EQ(rows[1].number, 3);
    EXPECT_EQ(rows[1].record.board, "Bitva");
    EXPECT_EQ(rows[1].record.names, (std::array<std::string, 2>{}));
    EXPECT_EQ(rows[1].record.winner, 0);
    // A drawn game end is not recorded.
    end.counts = {16, 16};
    EXPECT_EQ(recordFinishedGame(*m_store, end).outcome, RecordWrite::Outcome::NotStored);
    EXPECT_EQ(readGameRecords(*m_store).size(), 2u);
}

}  // namespace
}  // namespace tomelin
