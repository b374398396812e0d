// The six store operations, enumeration and transactions over a real SQLite file.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>

#include "platform/store/sqlite_store.h"
#include "platform/store/store_folder.h"

namespace tomelin {
namespace {

using testing::StoreFolder;

constexpr const char* kKey = "Software\\Brantl\\Tomelin\\HracíPole\\01";

class SqliteStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_store = m_folder.open();
        ASSERT_NE(m_store, nullptr);
    }
    // Runs raw SQL on the file beside the store, as another program would.
    void rawSql(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(m_folder.file().c_str(), &db), SQLITE_OK);
        sqlite3_busy_timeout(db, 5000);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }

    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store;
};

TEST_F(SqliteStoreTest, MissingKeyAndMissingValueReadEmpty) {
    EXPECT_FALSE(m_store->openKey(kKey));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(m_store->ReadRegValue(kKey, "")));
    StoreValue out = std::string("untouched");
    EXPECT_EQ(m_store->ReadValueFromKey(m_store->openKey(kKey), "Mapa", out), kStatusMissing);
    EXPECT_EQ(out, StoreValue(std::string("untouched")));

    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->ReadValueFromKey(m_store->openKey(kKey), "Mapa", out), kStatusMissing);
    EXPECT_TRUE(isEmptyValue(m_store->ReadRegValue(kKey, "Mapa")));
}

TEST_F(SqliteStoreTest, WriteToKeyThatWasNotCreatedIsLost) {
    EXPECT_EQ(m_store->WriteRegValue(kKey, "", std::string("Moje"), kTypeText), kStatusMissing);
    EXPECT_FALSE(m_store->openKey(kKey));
    EXPECT_FALSE(m_store->openKey("Software"));
    EXPECT_EQ(m_store->WriteValueToKey(KeyHandle{}, "x", kTypeInt, 1), kStatusMissing);
}

TEST_F(SqliteStoreTest, CreatingAKeyCreatesEveryIntermediateKeyAndKeepsExistingValues) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_TRUE(m_store->openKey("Software"));
    EXPECT_TRUE(m_store->openKey("Software\\Brantl"));
    EXPECT_EQ(m_store->subkeyNames("Software\\Brantl\\Tomelin"),
              std::vector<std::string>{"HracíPole"});

    ASSERT_EQ(m_store->WriteRegValue(kKey, "", std::string("Moje"), kTypeText), kStatusOk);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->ReadRegValue(kKey, ""), StoreValue(std::string("Moje")));
}

TEST_F(SqliteStoreTest, PathsIgnoreExtraBackslashesAndAsciiCase) {
    ASSERT_EQ(m_store->CreateRegKey("\\Software\\\\Brantl\\"), kStatusOk);
    EXPECT_EQ(m_store->openKey("Software\\Brantl").id, m_store->openKey("SOFTWARE\\brantl").id);
    ASSERT_EQ(m_store->WriteRegValue("software\\brantl", "Jméno", std::string("a"), kTypeText),
              kStatusOk);
    EXPECT_EQ(m_store->ReadRegValue("Software\\Brantl\\", "JMéNO"), StoreValue(std::string("a")));
    EXPECT_EQ(m_store->subkeyNames(""), std::vector<std::string>{"Software"});
}

TEST_F(SqliteStoreTest, TextComesBackExactlyWithoutTerminator) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    for (const std::string& text : {std::string("abc"), std::string(),
                                    std::string("Čelem vzad – Špionáž"), std::string("a\tb\nc")}) {
        ASSERT_EQ(m_store->WriteRegValue(kKey, "GrafickáPropracovanostFigurek", text, kTypeText),
                  kStatusOk);
        EXPECT_EQ(m_store->ReadRegValue(kKey, "GrafickáPropracovanostFigurek"), StoreValue(text));
    }
}

TEST_F(SqliteStoreTest, IntegersKeepTheirTypeAndFullRange) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    for (const std::int32_t number : {0, 1, -1, INT32_MAX, INT32_MIN}) {
        ASSERT_EQ(m_store->WriteRegValue(kKey, "Vyhrál", number, kTypeInt), kStatusOk);
        const StoreValue read = m_store->ReadRegValue(kKey, "Vyhrál");
        ASSERT_TRUE(std::holds_alternative<std::int32_t>(read));
        EXPECT_EQ(std::get<std::int32_t>(read), number);
    }
}

TEST_F(SqliteStoreTest, WritingConvertsToTheRequestedType) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->WriteRegValue(kKey, "n", std::string("-42"), kTypeInt), kStatusOk);
    EXPECT_EQ(m_store->ReadRegValue(kKey, "n"), StoreValue(std::int32_t{-42}));
    EXPECT_EQ(m_store->WriteRegValue(kKey, "t", std::int32_t{7}, kTypeText), kStatusOk);
    EXPECT_EQ(m_store->ReadRegValue(kKey, "t"), StoreValue(std::string("7")));
    // The same name may change its type.
    EXPECT_EQ(m_store->WriteRegValue(kKey, "t", std::int32_t{8}, kTypeInt), kStatusOk);
    EXPECT_EQ(m_store->ReadRegValue(kKey, "t"), StoreValue(std::int32_t{8}));

    // Text that is no whole 32-bit number is refused and the old value stays.
    for (const char* bad : {"abc", "12x", "", "4294967296", "1.5"}) {
        EXPECT_EQ(m_store->WriteRegValue(kKey, "n", std::string(bad), kTypeInt), kStatusBadValue)
            << bad;
    }
    EXPECT_EQ(m_store->ReadRegValue(kKey, "n"), StoreValue(std::int32_t{-42}));
}

TEST_F(SqliteStoreTest, OtherTypesAreNotWrittenButReportSuccess) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_EQ(m_store->WriteRegValue(kKey, "b", std::string("x"), 3), kStatusOk);
    EXPECT_EQ(m_store->WriteRegValue(kKey, "b", std::string("x"), 0), kStatusOk);
    EXPECT_TRUE(m_store->values(m_store->openKey(kKey)).empty());
}

TEST_F(SqliteStoreTest, StoredTypeOtherThanTextOrIntegerReadsAsUnsupported) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    const KeyHandle key = m_store->openKey(kKey);
    rawSql("INSERT INTO store_values(key_id, name, type, data) VALUES(" + std::to_string(key.id) +
           ", 'binary', 3, x'0102')");
    StoreValue out = std::int32_t{5};
    EXPECT_EQ(m_store->ReadValueFromKey(key, "binary", out), kStatusUnsupported);
    EXPECT_EQ(out, StoreValue(std::int32_t{5}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(m_store->ReadRegValue(kKey, "binary")));
    const auto listed = m_store->values(key);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].type, 3);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(listed[0].value));
}

TEST_F(SqliteStoreTest, DeleteRemovesAKeyWithItsValuesButNeverASubtree) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    ASSERT_EQ(m_store->WriteRegValue(kKey, "", std::string("Moje"), kTypeText), kStatusOk);
    const KeyHandle old = m_store->openKey(kKey);

    EXPECT_EQ(m_store->DeleteRegKey("Software\\Brantl\\Tomelin\\HracíPole"), kStatusHasSubkeys);
    EXPECT_EQ(m_store->ReadRegValue(kKey, ""), StoreValue(std::string("Moje")));
    EXPECT_EQ(m_store->DeleteRegKey(""), kStatusHasSubkeys);

    EXPECT_EQ(m_store->DeleteRegKey(kKey), kStatusOk);
    EXPECT_FALSE(m_store->openKey(kKey));
    EXPECT_TRUE(m_store->openKey("Software\\Brantl\\Tomelin\\HracíPole"));
    EXPECT_EQ(m_store->WriteValueToKey(old, "", kTypeText, std::string("x")), kStatusMissing);
    // A re-created key starts empty.
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_TRUE(m_store->values(m_store->openKey(kKey)).empty());

    EXPECT_EQ(m_store->DeleteRegKey("Software\\Nothing\\Here"), kStatusOk);
}

TEST_F(SqliteStoreTest, ValuesAreListedByName) {
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    m_store->WriteRegValue(kKey, "Mapa", std::string("+X-X"), kTypeText);
    m_store->WriteRegValue(kKey, "", std::string("Malé"), kTypeText);
    m_store->WriteRegValue(kKey, "Počet", 3, kTypeInt);
    const auto listed = m_store->values(m_store->openKey(kKey));
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].name, "");
    EXPECT_EQ(listed[1].name, "Mapa");
    EXPECT_EQ(listed[2].name, "Počet");
    EXPECT_EQ(listed[2].type, kTypeInt);
    EXPECT_EQ(listed[2].value, StoreValue(std::int32_t{3}));
}

TEST_F(SqliteStoreTest, RolledBackTransactionLeavesNothing) {
    {
        StoreTransaction transaction(*m_store);
        ASSERT_TRUE(transaction.started());
        ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
        ASSERT_EQ(m_store->WriteRegValue(kKey, "", std::string("x"), kTypeText), kStatusOk);
        // Inside the transaction its own writes are visible.
        EXPECT_EQ(m_store->ReadRegValue(kKey, ""), StoreValue(std::string("x")));
    }
    EXPECT_FALSE(m_store->openKey("Software"));
}

TEST_F(SqliteStoreTest, InnerRollbackUndoesTheWholeOuterTransaction) {
    StoreTransaction outer(*m_store);
    ASSERT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    {
        StoreTransaction inner(*m_store);
        m_store->WriteRegValue(kKey, "", std::string("x"), kTypeText);
    }
    EXPECT_FALSE(outer.commit());
    EXPECT_FALSE(m_store->openKey(kKey));
    // The store is usable again afterwards.
    EXPECT_EQ(m_store->CreateRegKey(kKey), kStatusOk);
    EXPECT_TRUE(m_store->openKey(kKey));
}

TEST_F(SqliteStoreTest, CommittedDataSurvivesReopeningAndIsSeenByAnotherConnection) {
    std::unique_ptr<SqliteStore> other = m_folder.open();
    ASSERT_NE(other, nullptr);
    {
        StoreTransaction transaction(*m_store);
        m_store->CreateRegKey(kKey);
        m_store->WriteRegValue(kKey, "", std::string("Moje"), kTypeText);
        EXPECT_FALSE(other->openKey(kKey));  // not yet committed
        ASSERT_TRUE(transaction.commit());
    }
    EXPECT_EQ(other->ReadRegValue(kKey, ""), StoreValue(std::string("Moje")));
    m_store.reset();
    other.reset();
    EXPECT_EQ(m_folder.open()->ReadRegValue(kKey, ""), StoreValue(std::string("Moje")));
}

TEST_F(SqliteStoreTest, NewFileIsOwnerOnlyAndRecordsItsSchemaVersion) {
    struct stat info {};
    ASSERT_EQ(stat(m_folder.file().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(m_folder.file().c_str(), &db), SQLITE_OK);
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA user_version", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(stmt, 0), SqliteStore::kSchemaVersion);
    sqlite3_finalize(stmt);
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &stmt, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(stmt), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)), "wal");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}

TEST_F(SqliteStoreTest, SubkeysWithValuesMatchesReadingKeyByKey) {
    const std::string parent = "Software\\Brantl\\Tomelin\\Hry";
    for (const char* name : {"00002", "00001", "prázdný"})
        m_store->CreateRegKey(parent + "\\" + name);
    m_store->WriteRegValue(parent + "\\00001", "", std::string("Dáma"), kTypeText);
    m_store->WriteRegValue(parent + "\\00001", "Vyhrál", 2, kTypeInt);
    m_store->WriteRegValue(parent + "\\00002", "", std::string("Bitva"), kTypeText);
    m_store->CreateRegKey(parent + "\\00001\\hlubší");  // grandchildren are not listed

    // The generic implementation, built from subkeyNames and values, is the reference.
    auto generic = [&](std::optional<std::string_view> only) {
        return m_store->Store::subkeysWithValues(parent, only);
    };
    auto sorted = [](std::vector<SubkeyValues> list) {
        std::sort(list.begin(), list.end(),
                  [](const auto& a, const auto& b) { return a.name < b.name; });
        return list;
    };
    auto same = [&](const std::vector<SubkeyValues>& a, const std::vector<SubkeyValues>& b) {
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].name, b[i].name);
            ASSERT_EQ(a[i].values.size(), b[i].values.size()) << a[i].name;
            for (std::size_t j = 0; j < a[i].values.size(); ++j) {
                EXPECT_EQ(a[i].values[j].name, b[i].values[j].name);
                EXPECT_EQ(a[i].values[j].type, b[i].values[j].type);
                EXPECT_EQ(a[i].values[j].value, b[i].values[j].value);
            }
        }
    };
    const auto all = sorted(m_store->subkeysWithValues(parent));
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].values.size(), 2u);
    EXPECT_TRUE(all[2].values.empty());
    same(all, sorted(generic(std::nullopt)));
    const auto boards = sorted(m_store->subkeysWithValues(parent, ""));
    ASSERT_EQ(boards.size(), 3u);
    ASSERT_EQ(boards[1].values.size(), 1u);
    EXPECT_EQ(boards[1].values[0].value, StoreValue(std::string("Bitva")));
    same(boards, sorted(generic("")));
    EXPECT_TRUE(m_store->subkeysWithValues("Software\\Nic").empty());
}

TEST(StoreValueHelpers, LeadingNumberStopsAtTheFirstForeignCharacter) {
    EXPECT_EQ(leadingNumber("62.5"), 62.5);
    EXPECT_EQ(leadingNumber("62,5"), 62);
    EXPECT_EQ(leadingNumber("  7abc"), 7);
    EXPECT_EQ(leadingNumber("-3"), -3);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("x5"), 0);
    EXPECT_EQ(valueNumber(StoreValue(std::int32_t{9})), 9);
    EXPECT_EQ(valueNumber(StoreValue{}), 0);
    EXPECT_EQ(valueText(StoreValue(std::int32_t{-12})), "-12");
    EXPECT_EQ(valueInt(StoreValue(std::string("99999999999"))), INT32_MAX);
    EXPECT_TRUE(isEmptyValue(StoreValue(std::string())));
    EXPECT_FALSE(isEmptyValue(StoreValue(std::int32_t{0})));
    EXPECT_EQ(normalizeKeyPath("\\\\a\\\\b\\"), "a\\b");
}

}  // namespace
}  // namespace tomelin
