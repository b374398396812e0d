#pragma once
// Helpers shared by the store tests: a fresh temporary folder per test holding the store
// file (removed with its contents), raw file and SQL access as another program would have,
// and a readable form of a key's values.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <iterator>
#include <vector>

#include "platform/store/sqlite_store.h"
#include "support/temp_folder.h"

namespace tomelin::testing {

class StoreFolder : public test::TempFolder {
public:
    std::string file(const std::string& name = "tomelin.db") const {
        return (path() / name).string();
    }
    // Opens (creating) the store file in this folder; null when that fails.
    std::unique_ptr<SqliteStore> open(const std::string& name = "tomelin.db") const {
        return SqliteStore::open(file(name)).store;
    }
};

// A test with a fresh store file of its own.
class StoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_store, nullptr); }
    StoreFolder m_folder;
    std::unique_ptr<SqliteStore> m_store = m_folder.open();
};

using test::readFile;

inline void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Runs SQL on a database file directly; returns the first column of the last row, if any.
inline std::string rawSql(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string last;
    EXPECT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_busy_timeout(db, 5000);
    auto keep = [](void* out, int, char** row, char**) {
        *static_cast<std::string*>(out) = row[0] ? row[0] : "";
        return 0;
    };
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), keep, &last, &error), SQLITE_OK)
        << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    return last;
}

// "name=type:value" for each value, in the order given; "-" stands for an empty value.
inline std::vector<std::string> describe(const std::vector<StoredValue>& values) {
    std::vector<std::string> out;
    for (const StoredValue& v : values)
        out.push_back(v.name + "=" + std::to_string(v.type) + ":" +
                      (std::holds_alternative<std::monostate>(v.value) ? "-" : valueText(v.value)));
    return out;
}

}  // namespace tomelin::testing
