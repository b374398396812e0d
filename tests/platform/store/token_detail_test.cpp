// The token detail setting: reading, writing back the default, and the drawing level.

#include <gtest/gtest.h>

#include "platform/store/store_folder.h"
#include "platform/store/token_detail.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

class TokenDetailTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_store, nullptr); }
    void store(const StoreValue& value, int type) {
        m_store->CreateRegKey(kProgramKey);
        ASSERT_EQ(m_store->WriteRegValue(kProgramKey, kDetailValueName, value, type), kStatusOk);
    }
    StoreValue stored() { return m_store->ReadRegValue(kProgramKey, kDetailValueName); }

    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store = m_folder.open();
};

TEST_F(TokenDetailTest, MissingValueWritesTheDefaultAndDrawsAtLevelTwoThisRun) {
    const TokenDetail detail = loadTokenDetail(*m_store);
    EXPECT_TRUE(detail.rewritten);
    EXPECT_EQ(detail.used, 6);
    EXPECT_EQ(detail.level, 2);
    EXPECT_EQ(stored(), StoreValue(std::string("5")));
    // From the next start on the stored 5 is read.
    const TokenDetail next = loadTokenDetail(*m_store);
    EXPECT_FALSE(next.rewritten);
    EXPECT_EQ(next.level, 1);
}

TEST_F(TokenDetailTest, OutOfRangeOrNonNumericValuesAreReplaced) {
    for (const char* text : {"0", "11", "", "abc", "-3", "10.5"}) {
        store(std::string(text), kTypeText);
        const TokenDetail detail = loadTokenDetail(*m_store);
        EXPECT_TRUE(detail.rewritten) << text;
        EXPECT_EQ(detail.level, 2) << text;
        EXPECT_EQ(stored(), StoreValue(std::string("5"))) << text;
    }
}

TEST_F(TokenDetailTest, StoredNumbersGiveTheirLevelsWithOneAndTwoDrawnAtLevelOne) {
    const int expected[11] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3};
    for (int n = 1; n <= 10; ++n) {
        store(std::to_string(n), kTypeText);
        const TokenDetail detail = loadTokenDetail(*m_store);
        EXPECT_FALSE(detail.rewritten) << n;
        EXPECT_EQ(detail.level, expected[n]) << n;
        EXPECT_EQ(stored(), StoreValue(std::to_string(n)));  // left as it was
    }
}

TEST_F(TokenDetailTest, IntegerValueAndTextWithTrailingCharactersAreRead) {
    store(std::int32_t{9}, kTypeInt);
    EXPECT_EQ(loadTokenDetail(*m_store).level, 3);
    store(std::string(" 7 Punkte"), kTypeText);
    const TokenDetail detail = loadTokenDetail(*m_store);
    EXPECT_EQ(detail.stored, 7);
    EXPECT_EQ(detail.level, 2);
}

TEST(TokenDetailLevel, RoundsHalvesToEven) {
    EXPECT_EQ(tokenDetailLevel(5.5), 2);  // 1.5 -> 2
    EXPECT_EQ(tokenDetailLevel(8.5), 2);  // 2.5 -> 2
    EXPECT_EQ(tokenDetailLevel(2.5), 1);  // 0.5 -> 0, drawn at 1
}

}  // namespace
}  // namespace tomelin
