// The six store operations, enumeration and transactions over a real SQLite file.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "platform/store/sqlite_store.h"
#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;
using SqliteStoreTest = StoreTest;
using Lines = std::vector<std::string>;

constexpr const char* kKey = "Software\\Brantl\\Tomelin\\HracíPole\\01";

TEST_F(SqliteStoreTest, CreatingAKeyMakesItsParentsAndPathsIgnoreExtraBackslashesAndCase) {
    ASSERT_EQ(m_store->CreateRegKey("\\Software\\\\Brantl\\"), kStatusOk);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->openKey("Software\\Brantl").id, m_store->openKey("SOFTWARE\\brantl").id);
    EXPECT_EQ(m_store->subkeyNames(""), Lines{"Software"});
    EXPECT_EQ(m_store->subkeyNames("software\\brantl\\Tomelin\\"), Lines{"HracíPole"});
    ASSERT_EQ(m_store->WriteRegValue(kKey, "Jméno", std::string("a"), kTypeText), kStatusOk);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);  // keeps the existing values
    EXPECT_EQ(m_store->ReadRegValue(kKey, "JMéNO"), StoreValue(std::string("a")));
}

TEST_F(SqliteStoreTest, ValuesComeBackExactlyInTheRequestedType) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    const std::tuple<StoreValue, int, StoreValue> rows[] = {
        {std::string("Špionáž\tb\nc"), kTypeText, std::string("Špionáž\tb\nc")},
        {std::string(), kTypeText, std::string()},
        {INT32_MAX, kTypeInt, INT32_MAX},
        {INT32_MIN, kTypeInt, INT32_MIN},
        {std::string("-42"), kTypeInt, std::int32_t{-42}},
        {std::int32_t{7}, kTypeText, std::string("7")}};  // the same name changes its type
    for (const auto& [written, type, read] : rows) {
        ASSERT_EQ(m_store->WriteRegValue(kKey, "v", written, type), kStatusOk);
        EXPECT_EQ(m_store->ReadRegValue(kKey, "v"), read) << valueText(written);
    }
    // Text that is no whole 32-bit number is refused and the old value stays.
    for (const char* bad : {"abc", "12x", "", "4294967296", "1.5"})
        EXPECT_EQ(m_store->WriteRegValue(kKey, "v", std::string(bad), kTypeInt), kStatusBadValue)
            << bad;
    EXPECT_EQ(m_store->ReadRegValue(kKey, "v"), StoreValue(std::string("7")));
}

TEST_F(SqliteStoreTest, OtherTypesAreNotWrittenAndStoredOnesListButReadAsUnsupported) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->WriteRegValue(kKey, "b", std::string("x"), 3), kStatusOk);
    m_store->WriteRegValue(kKey, "Mapa", std::string("+X-X"), kTypeText);
    m_store->WriteRegValue(kKey, "", std::string("Malé"), kTypeText);
    const KeyHandle key = m_store->openKey(kKey);
    rawSql(m_folder.file(), "INSERT INTO store_values(key_id, name, type, data) VALUES(" +
                                std::to_string(key.id) + ", 'binary', 3, x'0102')");
    StoreValue out = std::int32_t{5};
    EXPECT_EQ(m_store->ReadValueFromKey(key, "binary", out), kStatusUnsupported);
    EXPECT_EQ(out, StoreValue(std::int32_t{5}));
    EXPECT_TRUE(isEmptyValue(m_store->ReadRegValue(kKey, "binary")));
    EXPECT_EQ(describe(m_store->values(key)), (Lines{"=1:Malé", "binary=3:-", "Mapa=1:+X-X"}));
}

TEST_F(SqliteStoreTest, DeleteRemovesAKeyButNeverASubtreeAndMissingKeysTakeNoWrites) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    ASSERT_EQ(m_store->WriteRegValue(kKey, "", std::string("Moje"), kTypeText), kStatusOk);
    const KeyHandle old = m_store->openKey(kKey);
    EXPECT_EQ(m_store->DeleteRegKey("Software\\Brantl\\Tomelin\\HracíPole"), kStatusHasSubkeys);
    EXPECT_EQ(m_store->DeleteRegKey(""), kStatusHasSubkeys);
    EXPECT_EQ(m_store->ReadRegValue(kKey, ""), StoreValue(std::string("Moje")));
    EXPECT_EQ(m_store->DeleteRegKey(kKey), kStatusOk);
    StoreValue out = std::string("untouched");
    EXPECT_EQ(m_store->ReadValueFromKey(old, "", out), kStatusMissing);
    EXPECT_EQ(out, StoreValue(std::string("untouched")));
    EXPECT_EQ(m_store->WriteValueToKey(old, "", kTypeText, std::string("x")), kStatusMissing);
    EXPECT_EQ(m_store->WriteRegValue(kKey, "", std::string("x"), kTypeText), kStatusMissing);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_TRUE(m_store->values(m_store->openKey(kKey)).empty());  // re-created empty
    EXPECT_TRUE(isEmptyValue(m_store->ReadRegValue(kKey, "")));
    EXPECT_EQ(m_store->DeleteRegKey("Software\\Nothing\\Here"), kStatusOk);
}

TEST_F(SqliteStoreTest, UncommittedTransactionsRollBackAndAnInnerRollbackTakesTheOuter) {
    {
        StoreTransaction transaction(*m_store);
        ASSERT_TRUE(transaction.started());
        ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
        EXPECT_TRUE(m_store->openKey(kKey));  // its own writes are visible inside
    }
    EXPECT_FALSE(m_store->openKey("Software"));
    StoreTransaction outer(*m_store);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    { StoreTransaction inner(*m_store); }
    EXPECT_FALSE(outer.commit());
    EXPECT_FALSE(m_store->openKey(kKey));
    EXPECT_EQ(m_store->CreateRegKey(kKey), kStatusOk);  // usable again
}

TEST_F(SqliteStoreTest, SubkeysWithValuesMatchesReadingKeyByKey) {
    const std::string parent = "Software\\Brantl\\Tomelin\\Hry";
    for (const char* name : {"00002", "00001", "prázdný", "00001\\hlubší"})
        m_store->CreateRegKey(parent + "\\" + name);  // grandchildren are not listed
    m_store->WriteRegValue(parent + "\\00001", "", std::string("Dáma"), kTypeText);
    m_store->WriteRegValue(parent + "\\00001", "Vyhrál", 2, kTypeInt);
    // Sorted "key/name=type:value" lines; the generic implementation is the reference.
    auto flat = [&](std::optional<std::string_view> only, bool generic) {
        Lines out;
        for (const SubkeyValues& key : generic ? m_store->Store::subkeysWithValues(parent, only)
                                               : m_store->subkeysWithValues(parent, only)) {
            out.push_back(key.name);
            for (const std::string& value : describe(key.values))
                out.push_back(key.name + "/" + value);
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    EXPECT_EQ(flat(std::nullopt, false),
              (Lines{"00001", "00001/=1:Dáma", "00001/Vyhrál=4:2", "00002", "prázdný"}));
    EXPECT_EQ(flat(std::nullopt, false), flat(std::nullopt, true));
    EXPECT_EQ(flat("", false), (Lines{"00001", "00001/=1:Dáma", "00002", "prázdný"}));
    EXPECT_EQ(flat("", false), flat("", true));
    EXPECT_TRUE(m_store->subkeysWithValues("Software\\Nic").empty());
    // Keys of other parents made between the children, with values of their own: none of
    // their values is taken for a child's.
    m_store->WriteRegValue(parent + "\\00001\\hlubší", "", std::string("cizí"), kTypeText);
    m_store->CreateRegKey("Software\\Jinde");
    m_store->WriteRegValue("Software\\Jinde", "", std::string("cizí"), kTypeText);
    m_store->CreateRegKey(parent + "\\00003");
    m_store->WriteRegValue(parent + "\\00003", "Hráč1", std::string("Eva"), kTypeText);
    EXPECT_EQ(flat(std::nullopt, false),
              (Lines{"00001", "00001/=1:Dáma", "00001/Vyhrál=4:2", "00002", "00003",
                     "00003/Hráč1=1:Eva", "prázdný"}));
    EXPECT_EQ(flat(std::nullopt, false), flat(std::nullopt, true));
}

TEST(StoreValueHelpers, NumbersAreReadUpToTheFirstForeignCharacter) {
    const std::pair<const char*, double> leading[] = {{"62.5", 62.5}, {"62,5", 62}, {"  7abc", 7},
                                                      {"-3", -3},     {"", 0},      {"x5", 0}};
    for (const auto& [text, number] : leading)
        EXPECT_EQ(leadingNumber(text), number) << text;
    EXPECT_EQ(valueNumber(StoreValue{}), 0);
    EXPECT_EQ(valueInt(StoreValue(std::string("99999999999"))), INT32_MAX);
    EXPECT_FALSE(isEmptyValue(StoreValue(std::int32_t{0})));
    EXPECT_EQ(normalizeKeyPath("\\\\a\\\\b\\"), "a\\b");
}

}  // namespace
}  // namespace tomelin
