// Token strings, record numbering and writing a finished game.

#include "records/game_record.h"

#include <gtest/gtest.h>

#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

constexpr std::uint32_t rgbOf(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}

TEST(TokenString, QuantisesEachChannelToALetter) {
    EXPECT_EQ(tokenString(rgbOf(255, 0, 0), 3), "AEE3");
    EXPECT_EQ(tokenString(rgbOf(200, 100, 10), 1), "ACE1");
    // The band edges: 196..255 A, 136..195 B, 76..135 C, 16..75 D, 0..15 E.
    EXPECT_EQ(tokenString(rgbOf(196, 195, 136), 8), "ABB8");
    EXPECT_EQ(tokenString(rgbOf(135, 76, 75), 2), "CCD2");
    EXPECT_EQ(tokenString(rgbOf(16, 15, 0), 5), "DEE5");
    // The default tokens of the first start.
    EXPECT_EQ(tokenString(rgbOf(255, 135, 15), 1), "ACE1");
    EXPECT_EQ(tokenString(rgbOf(15, 135, 255), 5), "ECA5");
}

TEST(TokenString, DecodesToTheFiveLevels) {
    EXPECT_EQ(decodeTokenString("ACE1"), (TokenStyle{rgbOf(255, 135, 15), 1}));
    EXPECT_EQ(decodeTokenString("BDA8"), (TokenStyle{rgbOf(195, 75, 255), 8}));
    for (int shape = 1; shape <= 8; ++shape) {
        const TokenStyle style{rgbOf(75, 195, 15), shape};
        EXPECT_EQ(decodeTokenString(tokenString(style.colour, shape)), style);
    }
}

TEST(TokenString, DamagedStringsAreMendedToValidTokens) {
    // Letters beyond "E" take level 4, below "A" level 0; lower case counts as capital.
    EXPECT_EQ(decodeTokenString("Z@c3"), (TokenStyle{rgbOf(15, 255, 135), 3}));
    // Shapes outside 1..8 become 1.
    EXPECT_EQ(decodeTokenString("AAA9").shape, 1);
    EXPECT_EQ(decodeTokenString("AAA0").shape, 1);
    EXPECT_EQ(decodeTokenString("AAAx").shape, 1);
    EXPECT_EQ(decodeTokenString("AAA").shape, 1);
    EXPECT_EQ(decodeTokenString(""), (TokenStyle{rgbOf(255, 255, 255), 1}));
    EXPECT_FALSE(isCompleteTokenString("AEE"));
    EXPECT_TRUE(isCompleteTokenString("AEE3"));
}

TEST(RecordNumbering, KeyPathsHaveFiveDigitsAndReadBack) {
    EXPECT_EQ(recordKeyPath(1), "Software\\Brantl\\Tomelin\\Hry\\00001");
    EXPECT_EQ(recordKeyPath(42), "Software\\Brantl\\Tomelin\\Hry\\00042");
    EXPECT_EQ(recordKeyPath(12345), "Software\\Brantl\\Tomelin\\Hry\\12345");
    EXPECT_EQ(recordKeyPath(123456), "Software\\Brantl\\Tomelin\\Hry\\123456");
    EXPECT_EQ(recordNumberFromKeyName("00042"), 42);
    EXPECT_EQ(recordNumberFromKeyName("123456"), 123456);
    EXPECT_EQ(recordNumberFromKeyName("42"), std::nullopt);
    EXPECT_EQ(recordNumberFromKeyName("000042"), std::nullopt);
    EXPECT_EQ(recordNumberFromKeyName("00000"), std::nullopt);
    EXPECT_EQ(recordNumberFromKeyName("0004a"), std::nullopt);
}

TEST(RecordValues, MovesTimesLogicAndWinner) {
    EXPECT_EQ(movesFromCounter(12.5), 13);
    EXPECT_EQ(movesFromCounter(12), 12);
    EXPECT_EQ(timesCode(2, 4), 24);
    EXPECT_EQ(timesCode(4, 0), 40);
    EXPECT_EQ(logicCode("1"), 1);
    EXPECT_EQ(logicCode("2"), 2);
    EXPECT_EQ(logicCode(""), 2);
    EXPECT_EQ(winnerFromCounts(20, 12), 1);
    EXPECT_EQ(winnerFromCounts(12, 20), 2);
    EXPECT_EQ(winnerFromCounts(16, 16), 0);
}

GameRecord sampleRecord(const std::string& board = "Originál") {
    return finishedGameRecord(board, {"Eva", "PC Génius"}, "2", {2, 4}, {20, 12},
                              {TokenStyle{rgbOf(255, 0, 0), 3}, TokenStyle{rgbOf(0, 0, 255), 5}},
                              12.5);
}

class WriteGameRecordTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_store, nullptr); }
    bool present(int number) {
        return !isEmptyValue(m_store->ReadRegValue(recordKeyPath(number), kRecBoard));
    }
    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store = m_folder.open();
};

TEST_F(WriteGameRecordTest, WritesEveryValueWithItsType) {
    const RecordWrite write = writeGameRecord(*m_store, sampleRecord());
    ASSERT_EQ(write.outcome, RecordWrite::Outcome::Written);
    EXPECT_EQ(write.number, 1);
    const std::vector<StoredValue> values = m_store->values(m_store->openKey(recordKeyPath(1)));
    std::map<std::string, StoredValue> byName;
    for (const StoredValue& value : values)
        byName[value.name] = value;
    ASSERT_EQ(byName.size(), 11u);
    auto expectValue = [&](const char* name, int type, const StoreValue& value) {
        ASSERT_TRUE(byName.count(name)) << name;
        EXPECT_EQ(byName[name].type, type) << name;
        EXPECT_EQ(byName[name].value, value) << name;
    };
    expectValue("", kTypeText, std::string("Originál"));
    expectValue("PočetTahů", kTypeInt, std::int32_t{13});
    expectValue("Hráč1", kTypeText, std::string("Eva"));
    expectValue("Hráč2", kTypeText, std::string("PC Génius"));
    expectValue("LogikaPohybu", kTypeInt, std::int32_t{2});
    expectValue("Časy", kTypeInt, std::int32_t{24});
    expectValue("Hráč1Počet", kTypeInt, std::int32_t{20});
    expectValue("Hráč2Počet", kTypeInt, std::int32_t{12});
    expectValue("Hráč1Figurka", kTypeText, std::string("AEE3"));
    expectValue("Hráč2Figurka", kTypeText, std::string("EEA5"));
    expectValue("Vyhrál", kTypeInt, std::int32_t{1});
}

TEST_F(WriteGameRecordTest, TakesTheLowestFreeNumber) {
    for (int expected = 1; expected <= 3; ++expected) {
        EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, expected);
    }
    ASSERT_EQ(m_store->DeleteRegKey(recordKeyPath(2)), kStatusOk);
    EXPECT_EQ(writeGameRecord(*m_store, sampleRecord("Dáma")).number, 2);
    EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, 4);
}

TEST_F(WriteGameRecordTest, KeyWithoutBoardNameIsAFreeNumberAndIsEmptiedBeforeReuse) {
    const std::string path = recordKeyPath(1);
    m_store->CreateRegKey(path);
    m_store->WriteRegValue(path, "Staré", std::string("zbytek"), kTypeText);
    m_store->WriteRegValue(path, "", std::string(), kTypeText);
    const RecordWrite write = writeGameRecord(*m_store, sampleRecord());
    EXPECT_EQ(write.number, 1);
    EXPECT_TRUE(isEmptyValue(m_store->ReadRegValue(path, "Staré")));
    EXPECT_EQ(m_store->values(m_store->openKey(path)).size(), 11u);
}

TEST_F(WriteGameRecordTest, NumberingGoesOnBeyond999) {
    {
        StoreTransaction transaction(*m_store);
        for (int n = 1; n <= 999; ++n) {
            m_store->CreateRegKey(recordKeyPath(n));
            m_store->WriteRegValue(recordKeyPath(n), "", std::string("x"), kTypeText);
        }
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, 1000);
    EXPECT_TRUE(present(1000));
}

TEST_F(WriteGameRecordTest, DrawOrBoardWithoutTokensLeavesNothing) {
    GameRecord draw = sampleRecord();
    draw.counts = {16, 16};
    draw.winner = 0;
    EXPECT_EQ(writeGameRecord(*m_store, draw).outcome, RecordWrite::Outcome::NotStored);
    GameRecord empty = sampleRecord();
    empty.counts = {0, 0};
    EXPECT_EQ(writeGameRecord(*m_store, empty).outcome, RecordWrite::Outcome::NotStored);
    EXPECT_FALSE(m_store->openKey(kRecordsKey));
}

TEST_F(WriteGameRecordTest, RecordWithoutBoardNameIsRefusedNotHidden) {
    const RecordWrite write = writeGameRecord(*m_store, sampleRecord(""));
    EXPECT_EQ(write.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(write.status, kStatusBadValue);
    EXPECT_FALSE(m_store->openKey(kRecordsKey));
}

// Passes everything to a real store but refuses writes of one value name.
class RefusingStore final : public Store {
public:
    RefusingStore(Store& inner, std::string refused) : m_inner(inner), m_refused(refused) {}
    KeyHandle openKey(std::string_view path) override { return m_inner.openKey(path); }
    int WriteValueToKey(KeyHandle key, std::string_view name, int type,
                        const StoreValue& value) override {
        if (name == m_refused)
            return kStatusFailed;
        return m_inner.WriteValueToKey(key, name, type, value);
    }
    int ReadValueFromKey(KeyHandle key, std::string_view name, StoreValue& out) override {
        return m_inner.ReadValueFromKey(key, name, out);
    }
    int CreateRegKey(std::string_view path) override { return m_inner.CreateRegKey(path); }
    int DeleteRegKey(std::string_view path) override { return m_inner.DeleteRegKey(path); }
    std::vector<std::string> subkeyNames(std::string_view path) override {
        return m_inner.subkeyNames(path);
    }
    std::vector<StoredValue> values(KeyHandle key) override { return m_inner.values(key); }
    bool beginTransaction() override { return m_inner.beginTransaction(); }
    bool commitTransaction() override { return m_inner.commitTransaction(); }
    void rollbackTransaction() override { m_inner.rollbackTransaction(); }

private:
    Store& m_inner;
    std::string m_refused;
};

TEST_F(WriteGameRecordTest, FailingWriteLeavesNoHalfRecord) {
    RefusingStore refusing(*m_store, kRecWinner);
    const RecordWrite write = writeGameRecord(refusing, sampleRecord());
    EXPECT_EQ(write.outcome, RecordWrite::Outcome::Failed);
    EXPECT_EQ(write.status, kStatusFailed);
    EXPECT_FALSE(m_store->openKey(recordKeyPath(1)));
    // The store is fine afterwards.
    EXPECT_EQ(writeGameRecord(*m_store, sampleRecord()).number, 1);
}

}  // namespace
}  // namespace tomelin
