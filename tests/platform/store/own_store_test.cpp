// The program's own store is recognised by the mark in its header as well as by its schema,
// so that damage to either never makes it look like another program's database (which would
// leave it unused while the program runs on an empty store).

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/store/store_folder.h"
#include "platform/store/store_location.h"

namespace tomelin {
namespace {

using namespace tomelin::testing;

// A store with one value, closed again.
void storeWithAValue(const std::string& path) {
    auto store = SqliteStore::open(path).store;
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(store->CreateRegKey("A\\B"), kStatusOk);
    ASSERT_EQ(store->WriteRegValue("A\\B", "x", std::string("kept"), kTypeText), kStatusOk);
}

TEST(OwnStore, NewStoresCarryTheMarkAndOlderOnesGetItWithoutOtherChange) {
    StoreFolder folder;
    storeWithAValue(folder.file());
    EXPECT_EQ(rawSql(folder.file(), "PRAGMA application_id"),
              std::to_string(SqliteStore::kApplicationId));
    // A store of an older version, without the mark: the next opening adds it and nothing
    // else changes (the schema version and the tables stay as the older version reads them).
    rawSql(folder.file(), "PRAGMA application_id = 0");
    const std::string schema = rawSql(folder.file(), "SELECT group_concat(sql, ';') FROM sqlite_schema");
    auto store = SqliteStore::open(folder.file()).store;
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(valueText(store->ReadRegValue("A\\B", "x")), "kept");
    EXPECT_EQ(rawSql(folder.file(), "PRAGMA application_id"),
              std::to_string(SqliteStore::kApplicationId));
    EXPECT_EQ(rawSql(folder.file(), "PRAGMA user_version"), "1");
    EXPECT_EQ(rawSql(folder.file(), "SELECT group_concat(sql, ';') FROM sqlite_schema"), schema);
}

TEST(OwnStore, DamageToTheSchemaOfAMarkedStoreIsDamageNotAForeignDatabase) {
    struct Case {
        const char* what;
        const char* damage;
    };
    for (const Case& c : {Case{"schema version lost", "PRAGMA user_version = 0"},
                          Case{"a table renamed", "ALTER TABLE store_values RENAME TO store_valuez"},
                          Case{"a column renamed",
                               "ALTER TABLE store_keys RENAME COLUMN parent TO parenz"}}) {
        SCOPED_TRACE(c.what);
        StoreFolder folder;
        storeWithAValue(folder.file());
        rawSql(folder.file(), c.damage);
        const std::string damaged = readFile(folder.file());
        const StoreOpening opening = openStoreAt(folder.file());
        EXPECT_NE(opening.limit, StoreLimit::Foreign) << opening.problem;
        ASSERT_TRUE(opening.movedAsideTo) << opening.problem;
        EXPECT_EQ(readFile(*opening.movedAsideTo), damaged);  // kept for the user as it was
        EXPECT_TRUE(opening.persistent);
    }
    // The same change to an unmarked database is another program's business: left alone.
    StoreFolder folder;
    storeWithAValue(folder.file());
    rawSql(folder.file(), "PRAGMA application_id = 0");
    rawSql(folder.file(), "ALTER TABLE store_values RENAME TO store_valuez");
    const std::string before = readFile(folder.file());
    const StoreOpening opening = openStoreAt(folder.file());
    EXPECT_EQ(opening.limit, StoreLimit::Foreign);
    EXPECT_EQ(readFile(folder.file()), before);
}

}  // namespace
}  // namespace tomelin
