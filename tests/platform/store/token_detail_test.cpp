// The token detail setting: reading, writing back the default, and the drawing level.

#include <gtest/gtest.h>

#include "platform/store/store_folder.h"
#include "platform/store/token_detail.h"

namespace tomelin {
namespace {

using TokenDetailTest = testing::StoreTest;

TEST_F(TokenDetailTest, MissingValueWritesTheDefaultButDrawsAtLevelTwoThisRun) {
    const TokenDetail detail = loadTokenDetail(*m_store);
    EXPECT_TRUE(detail.rewritten);
    EXPECT_EQ(detail.used, 6);
    EXPECT_EQ(detail.level, 2);
    EXPECT_EQ(m_store->ReadRegValue(kProgramKey, kDetailValueName), StoreValue(std::string("5")));
    EXPECT_EQ(loadTokenDetail(*m_store).level, 1);  // from the next start on, 5 is read
}

TEST_F(TokenDetailTest, StoredValuesGiveTheirLevelOrAreReplacedByTheDefault) {
    ASSERT_EQ(m_store->CreateRegKey(kProgramKey), kStatusOk);
    // Level 0 stands for "replaced by the default, drawn at level 2 this run". The level is
    // (number - 1) / 3 rounded half to even (5.5 and 8.5 give 2); 1 and 2 give 0, drawn at 1.
    const std::pair<StoreValue, int> rows[] = {
        {std::string("1"), 1},   {std::string("2"), 1},   {std::string("5"), 1},
        {std::string("6"), 2},   {std::string("8"), 2},   {std::string("9"), 3},
        {std::string("10"), 3},  {std::int32_t{9}, 3},    {std::string(" 7 Punkte"), 2},
        {std::string("5.5"), 2}, {std::string("8.5"), 2}, {std::string("0"), 0},
        {std::string("11"), 0},  {std::string(""), 0},    {std::string("abc"), 0},
        {std::string("-3"), 0},  {std::string("10.5"), 0}};
    for (const auto& [value, level] : rows) {
        SCOPED_TRACE(valueText(value));
        const int type = std::holds_alternative<std::int32_t>(value) ? kTypeInt : kTypeText;
        ASSERT_EQ(m_store->WriteRegValue(kProgramKey, kDetailValueName, value, type), kStatusOk);
        const TokenDetail detail = loadTokenDetail(*m_store);
        EXPECT_EQ(detail.rewritten, level == 0);
        EXPECT_EQ(detail.level, level == 0 ? 2 : level);
        EXPECT_EQ(m_store->ReadRegValue(kProgramKey, kDetailValueName),
                  level == 0 ? StoreValue(std::string("5")) : value);
    }
}

}  // namespace
}  // namespace tomelin
